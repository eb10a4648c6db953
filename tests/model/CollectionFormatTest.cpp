// The collection byte layout: exact bytes, refusals, and round trips.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "TreeSnapshot.h"
#include "model/Clip.h"
#include "model/ClipFile.h"
#include "model/CollectionStream.h"
#include "model/Errors.h"
#include "model/RecycledClip.h"

namespace velmora::model {
namespace {

using testing::FullSnapshot;
using testing::Snapshot;

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values)
    out.push_back(static_cast<char>(v));
  return out;
}

// A sorted collection "Test" holding folder "A" with one clip: abbreviation "x", text "hi".
const std::string kExample = std::string("VELMORA") + Bytes({1, 1, 1}) + Bytes({4, 0, 0, 0}) + "Test" +
                             Bytes({1, 0, 0, 0}) + Bytes({0}) + Bytes({1, 0, 0, 0}) + "A" +
                             Bytes({1, 0, 0, 0}) + Bytes({1}) + Bytes({0, 0, 0, 0}) + Bytes({1, 0, 0, 0}) +
                             "x" + Bytes({0}) + Bytes({2, 0, 0, 0}) + "hi" + Bytes({0});

std::string Save(const TClipFile& root) {
  TStringStreamWriter writer;
  root.SaveToStream(writer);
  return writer.TakeData();
}

void Load(TClipFile& root, std::string_view bytes) {
  TStreamReader reader(bytes);
  root.LoadFromStream(reader);
}

std::string LoadError(std::string_view bytes) {
  TClipFile root;
  try {
    Load(root, bytes);
  } catch (const EVelmoraError& error) {
    return error.what();
  }
  return "";
}

TEST(CollectionFormat, WritesTheExampleCollectionByteForByte) {
  ASSERT_EQ(kExample.size(), 50u);
  TClipFile root;
  root.SetName("Test");
  root.SetSorted(true);
  TClip* clip = root.Add<TClipFolder>(nullptr, "A")->Add<TClip>(nullptr, kPlainText, "hi");
  clip->SetAbbreviation("x");
  clip->SetBeforeText("not stored for plain text");
  EXPECT_EQ(Save(root), kExample);

  TClipFile loaded;
  Load(loaded, kExample);
  EXPECT_TRUE(loaded.Sorted());
  EXPECT_EQ(FullSnapshot(loaded), "Test{A{(0||x|hi|-)}}");
}

TEST(CollectionFormat, AnEmptyCollectionIsTwentySixBytes) {
  TClipFile root;
  root.SetName("Untitled");
  EXPECT_EQ(Save(root),
            std::string("VELMORA") + Bytes({1, 1, 0, 8, 0, 0, 0}) + "Untitled" + Bytes({0, 0, 0, 0}));
}

TEST(CollectionFormat, EveryTruncatedPrefixFailsWithReadError) {
  for (size_t length = 0; length < kExample.size(); ++length) {
    SCOPED_TRACE(length);
    const std::string prefix = kExample.substr(0, length);
    // A cut inside the signature is a signature mismatch only when the bytes are there to compare.
    EXPECT_EQ(LoadError(prefix), "Stream read error");
  }
  EXPECT_EQ(LoadError(kExample), "");
}

TEST(CollectionFormat, RefusesWrongHeaders) {
  struct TCase {
    const char* Name;
    std::string Bytes;
    const char* Message;
  };
  std::string version2 = kExample, revision0 = kExample, signature = kExample;
  version2[7] = 2;
  revision0[8] = 0;
  signature[0] = 'v';
  std::string version0 = kExample;
  version0[7] = 0;
  const TCase cases[] = {
      {"signature", signature, "The file is not an Velmora Collection file"},
      {"newer version", version2, kNewerVersionMessage},
      {"older version", version0, kNewerVersionMessage},
      {"revision 0", revision0, "The file is not an Velmora Collection file"},
      // The version is checked before anything after it is read.
      {"version 2, truncated after it", version2.substr(0, 8), kNewerVersionMessage},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(LoadError(c.Bytes), c.Message);
  }
  EXPECT_EQ(
      std::string(kNewerVersionMessage),
      "The Velmora Collection was created with a more recent version of Velmora.  Please upgrade your copy "
      "of Velmora.");
}

TEST(CollectionFormat, LengthsAreCheckedAgainstWhatRemains) {
  struct TCase {
    const char* Name;
    std::string Bytes;
    const char* Message;
  };
  const std::string header = std::string("VELMORA") + Bytes({1, 1, 0});
  const std::string root = header + Bytes({1, 0, 0, 0}) + "R";
  const TCase cases[] = {
      {"name longer than the file", header + Bytes({0xff, 0xff, 0xff, 0x7f}) + "abc", "Stream read error"},
      {"child count with no children", root + Bytes({0xff, 0xff, 0xff, 0x7f}), "Stream read error"},
      {"clip text longer than the file",
       root + Bytes({1, 0, 0, 0, 1}) + Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0}) + Bytes({0x00, 0x00, 0x10, 0x00}) +
           "x",
       "Stream read error"},
      {"unknown node kind", root + Bytes({1, 0, 0, 0, 3}), "The collection holds an item of an unknown kind"},
      {"node kind 255", root + Bytes({1, 0, 0, 0, 255}), "The collection holds an item of an unknown kind"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(LoadError(c.Bytes), c.Message);
  }
}

TEST(CollectionFormat, NegativeLengthsAndCountsMeanEmpty) {
  const std::string bytes = std::string("VELMORA") + Bytes({1, 1, 7}) + Bytes({0xfb, 0xff, 0xff, 0xff}) +
                            Bytes({1, 0, 0, 0}) + Bytes({0}) + Bytes({0, 0, 0, 0}) +
                            Bytes({0xfe, 0xff, 0xff, 0xff});
  TClipFile root;
  Load(root, bytes);
  EXPECT_TRUE(root.Sorted());  // any value but 0 means sorted
  EXPECT_EQ(Snapshot(root), "{{}}");
}

TEST(CollectionFormat, AClipKindAboveThreeIsReadAsTextAndKept) {
  TClipFile root;
  root.Add<TClip>(nullptr, 9, "nine");
  const std::string bytes = Save(root);
  TClipFile loaded;
  Load(loaded, bytes);
  EXPECT_EQ(FullSnapshot(loaded), "New folder{(9|||nine|-)}");
  EXPECT_EQ(Save(loaded), bytes);
}

TEST(CollectionFormat, OnlyTheFieldsOfTheKindAreStored) {
  TClipFile root;
  root.SetName("r");
  TClip* pair = root.Add<TClip>(nullptr, kBeforeAfterText, "lost text");
  pair->SetBeforeText("<b>");
  pair->SetAfterText("</b>");
  TClip* binary = root.Add<TClip>(pair, kBinaryData, std::string("\0\x80\xff\r\n", 5));
  binary->SetBeforeText("lost");
  TRecycledClip* recycled = root.Add<TRecycledClip>(binary);
  recycled->SetText("old");
  recycled->SetDeletedOn(-3);
  TClipFile loaded;
  Load(loaded, Save(root));
  EXPECT_EQ(FullSnapshot(loaded),
            "r{(3|||<b>|</b>|-),(2|||" + std::string("\0\x80\xff\r\n", 5) + "|-),(0|||old|-@-3)}");
}

TEST(CollectionFormat, DeepNestingIsRefused) {
  std::string bytes = std::string("VELMORA") + Bytes({1, 1, 0}) + Bytes({0, 0, 0, 0}) + Bytes({1, 0, 0, 0});
  for (int depth = 0; depth < 300; ++depth)
    bytes += Bytes({0, 0, 0, 0, 0, 1, 0, 0, 0});
  EXPECT_EQ(LoadError(bytes), "The collection's folders are nested too deeply");

  std::string allowed = std::string("VELMORA") + Bytes({1, 1, 0}) + Bytes({0, 0, 0, 0}) + Bytes({1, 0, 0, 0});
  for (int depth = 0; depth < 200; ++depth)
    allowed += Bytes({0, 0, 0, 0, 0, 1, 0, 0, 0});
  allowed.resize(allowed.size() - 4);
  allowed += Bytes({0, 0, 0, 0});
  EXPECT_EQ(LoadError(allowed), "");
}

TEST(CollectionFormat, RandomTreesSurviveARoundTrip) {
  std::mt19937 random(20261211);
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE(round);
    TClipFile root;
    root.SetName("round " + std::to_string(round));
    root.SetSorted(round % 2);
    testing::FillRandomTree(root, random, 1 + round * 7, 6);
    const std::string bytes = Save(root);
    TClipFile loaded;
    Load(loaded, bytes);
    EXPECT_EQ(loaded.Sorted(), root.Sorted());
    EXPECT_EQ(Save(loaded), bytes);
    // The snapshot shows the fields a clip's kind stores, so it must come back whole.
    EXPECT_EQ(FullSnapshot(loaded), FullSnapshot(root));
    EXPECT_EQ(testing::CheckLinks(loaded), "");
  }
}

// Hands out the bytes a few at a time, and can end before the size it was announced with.
class TTrickleSource final : public TByteSource {
 public:
  explicit TTrickleSource(std::string bytes) : FBytes(std::move(bytes)) {}
  size_t ReadSome(char* into, size_t count) override {
    const size_t piece = std::min({count, FBytes.size() - FPosition, size_t{1} + FPosition % 7});
    std::memcpy(into, FBytes.data() + FPosition, piece);
    FPosition += piece;
    return piece;
  }

 private:
  std::string FBytes;
  size_t FPosition = 0;
};

TEST(CollectionFormat, ReadsFromASourceInPiecesAsFromMemory) {
  TClipFile root;
  root.SetName("pieces");
  std::mt19937 random(3);
  testing::FillRandomTree(root, random, 60, 4);
  // Longer than the reader's window, so it is read straight into the clip.
  root.Add<TClip>(nullptr, kBinaryData, std::string(3 << 20, '\x7f'));
  const std::string bytes = Save(root);

  TTrickleSource source(bytes);
  TStreamReader reader(source, bytes.size());
  TClipFile loaded;
  loaded.LoadFromStream(reader);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(Save(loaded), bytes);

  // A source that ends early (a file that shrank while being read) is a read error, not a short tree.
  TTrickleSource shortSource(bytes.substr(0, bytes.size() - 10));
  TStreamReader shortReader(shortSource, bytes.size());
  TClipFile partial;
  try {
    partial.LoadFromStream(shortReader);
    FAIL() << "read past the end of the source";
  } catch (const EVelmoraError& error) {
    EXPECT_STREQ(error.what(), "Stream read error");
  }
}

TEST(CollectionFormat, ReadingLeavesWhatWasReadBeforeAnError) {
  TClipFile root;
  // Two clips announced, one present.
  const std::string bytes = std::string("VELMORA") + Bytes({1, 1, 0}) + Bytes({1, 0, 0, 0}) + "R" +
                            Bytes({2, 0, 0, 0}) + Bytes({1}) + Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0}) +
                            Bytes({1, 0, 0, 0}) + "a" + Bytes({0});
  EXPECT_THROW(Load(root, bytes), EVelmoraError);
  EXPECT_EQ(Snapshot(root), "R{a}");
}

}  // namespace
}  // namespace velmora::model
