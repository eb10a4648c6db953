// The clipboard object over the in-memory clipboard: the opening rule, the formats each copy puts, and
// what each read takes from another application's content.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "exchange/BinaryText.h"
#include "exchange/ClipRecord.h"
#include "exchange/ClipboardExt.h"
#include "exchange/CollectionBlock.h"
#include "model/Clip.h"
#include "model/ClipFile.h"
#include "model/Errors.h"
#include "platform/ClipboardFormats.h"
#include "platform/fake/FakeClipboard.h"

namespace velmora::exchange {
namespace {

using platform::kBinaryTextFormat;
using platform::kClipFormat;
using platform::kCollectionFormat;
using platform::kColumnSelectionFormat;
using platform::kIgnoreFormat;
using platform::kMarkerBlock;
using platform::kPasswordHintFormat;
using platform::kTextFormat;
using TFormats = std::vector<std::pair<std::string, std::string>>;

constexpr platform::TClipboardOwner kProgram = 42;

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values)
    out.push_back(static_cast<char>(v));
  return out;
}

template <class F>
std::string ErrorOf(F&& action) {
  try {
    action();
  } catch (const EVelmoraError& error) {
    return error.what();
  }
  return "";
}

class ClipboardExtTest : public ::testing::Test {
 protected:
  // The formats on the clipboard with their bytes, in the order they were put.
  TFormats Content() const {
    TFormats content;
    for (const std::string& format : FFake.Formats())
      content.emplace_back(format, *FFake.Peek(format));
    return content;
  }
  void OtherApplicationCopies(const TFormats& formats) {
    ASSERT_TRUE(FFake.PutFromOtherApplication(formats));
  }

  platform::TFakeClipboard FFake;
  TClipboardExt FExt{FFake, kProgram};
};

// Opening rule.

TEST_F(ClipboardExtTest, OnlyTheOutermostOpenAndCloseReachTheClipboard) {
  FExt.Open();
  FExt.Open();
  EXPECT_EQ(FFake.Owner(), kProgram);
  FExt.Close();
  EXPECT_TRUE(FFake.IsOpen());  // one opening left
  FExt.Close();
  EXPECT_FALSE(FFake.IsOpen());
  EXPECT_FALSE(FExt.IsOpen());
}

TEST_F(ClipboardExtTest, TheFirstPutOfAnOpeningEmptiesLaterPutsAdd) {
  OtherApplicationCopies({{std::string(kTextFormat), "theirs"}, {"image/png", "png"}});
  FExt.Open();
  FExt.Put("a", "1");
  FExt.Open();  // nested: still the same opening
  FExt.Put("b", "2");
  FExt.Close();
  FExt.Put("c", "3");
  FExt.Close();
  EXPECT_EQ(Content(), (TFormats{{"a", "1"}, {"b", "2"}, {"c", "3"}}));
  EXPECT_EQ(FFake.ContentOwner(), kProgram);
  // One notification for the whole opening.
  EXPECT_EQ(FFake.ChangeCount(), 2u);

  // A new opening empties again on its first put.
  FExt.Open();
  FExt.Put("d", "4");
  FExt.Close();
  EXPECT_EQ(Content(), (TFormats{{"d", "4"}}));
}

TEST_F(ClipboardExtTest, APutWhileClosedReplacesTheWholeContent) {
  FExt.Put("a", "1");
  FExt.Put("b", "2");
  EXPECT_EQ(Content(), (TFormats{{"b", "2"}}));
  EXPECT_FALSE(FFake.IsOpen());
  EXPECT_EQ(FFake.ChangeCount(), 2u);
}

TEST_F(ClipboardExtTest, TheProgramsTextWriteCarriesTheMarkerAfterItsText) {
  // What the main window does for cut and copy: open, let the editor put its text, mark, close.
  OtherApplicationCopies({{"image/png", "png"}});
  {
    TClipboardExt::TOpening opening(FExt);
    FExt.SetText("copied");
    FExt.AddIgnoreMarker();
  }
  EXPECT_EQ(Content(), (TFormats{{std::string(kTextFormat), "copied"},
                                 {std::string(kIgnoreFormat), std::string(kMarkerBlock)}}));
  EXPECT_TRUE(FExt.HasIgnoreMarker());
}

TEST_F(ClipboardExtTest, ARefusedOpenRaisesCannotOpenClipboard) {
  model::TClip clip(model::kPlainText, "x");
  OtherApplicationCopies({{std::string(kTextFormat), "theirs"}});
  FFake.SetRefuseOpen(true);
  EXPECT_EQ(ErrorOf([&] { FExt.Open(); }), kCannotOpenClipboardMessage);
  EXPECT_EQ(ErrorOf([&] { FExt.CopyClip(clip); }), kCannotOpenClipboardMessage);
  EXPECT_EQ(ErrorOf([&] { FExt.ReadClip(); }), kCannotOpenClipboardMessage);
  EXPECT_EQ(ErrorOf([&] { FExt.ReadCollection(); }), kCannotOpenClipboardMessage);
  EXPECT_FALSE(FExt.IsOpen());
  EXPECT_EQ(Content(), (TFormats{{std::string(kTextFormat), "theirs"}}));

  // The failed attempts left no opening behind.
  FFake.SetRefuseOpen(false);
  FExt.CopyClip(clip);
  EXPECT_FALSE(FFake.IsOpen());
  EXPECT_EQ(*FFake.Peek(kTextFormat), "x");
}

// Copying a clip.

TEST_F(ClipboardExtTest, CopyClipPutsEveryFormatOfTheClip) {
  const std::string marker(kMarkerBlock);
  const std::string text(kTextFormat), binary(kBinaryTextFormat), column(kColumnSelectionFormat),
      record(kClipFormat), ignore(kIgnoreFormat);
  struct TCase {
    const char* Name;
    uint8_t Kind;
    std::string Text;  // kind 3: the before text
    std::string After;
    TFormats Expected;  // the clip record is checked apart
  };
  const TCase cases[] = {
      {"plain text",
       model::kPlainText,
       "ab",
       "",
       {{text, "ab"}, {binary, Bytes({2, 0, 0, 0, 'a', 'b'})}, {record, ""}, {ignore, marker}}},
      {"rectangular block adds the column marker",
       model::kRectangularText,
       "a\r\nb",
       "",
       {{text, "a\r\nb"},
        {binary, Bytes({4, 0, 0, 0, 'a', '\r', '\n', 'b'})},
        {column, marker},
        {record, ""},
        {ignore, marker}}},
      {"binary data: the standard text ends at the NUL",
       model::kBinaryData,
       std::string("a\0b", 3),
       "",
       {{text, "a"}, {binary, Bytes({3, 0, 0, 0, 'a', 0, 'b'})}, {record, ""}, {ignore, marker}}},
      {"before and after: both texts, before first",
       model::kBeforeAfterText,
       "abc",
       "defg",
       {{text, "abcdefg"}, {binary, Bytes({7, 0, 0, 0}) + "abcdefg"}, {record, ""}, {ignore, marker}}},
      {"empty text: no binary text, no column marker",
       model::kRectangularText,
       "",
       "",
       {{text, ""}, {record, ""}, {ignore, marker}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    OtherApplicationCopies({{"image/png", "png"}});
    model::TClip clip;
    clip.SetKind(c.Kind);
    clip.SetLabel("label");
    if (c.Kind == model::kBeforeAfterText) {
      clip.SetBeforeText(c.Text);
      clip.SetAfterText(c.After);
    } else {
      clip.SetText(c.Text);
    }
    const uint64_t changes = FFake.ChangeCount();
    FExt.CopyClip(clip);

    TFormats content = Content();
    TFormats expected = c.Expected;
    for (auto& [format, bytes] : expected) {
      if (format == record)
        bytes = EncodeClip(clip);
    }
    EXPECT_EQ(content, expected);
    EXPECT_EQ(FFake.ChangeCount(), changes + 1);
    EXPECT_FALSE(FFake.IsOpen());
    const TClipRecordHeader header = ReadClipRecordHeader(*FFake.Peek(kClipFormat));
    EXPECT_EQ(header.TextLength, c.Text.size());
    EXPECT_EQ(header.AfterLength, c.After.size());
    EXPECT_TRUE(FExt.HasClip());
    EXPECT_TRUE(FExt.HasIgnoreMarker());
  }
}

TEST_F(ClipboardExtTest, ACopiedClipReadsBackWithAllItsFields) {
  struct TCase {
    uint8_t Kind;
    std::string Text;
  };
  const TCase cases[] = {{model::kPlainText, "plain"},
                         {model::kRectangularText, "ab\r\ncd"},
                         {model::kBinaryData, std::string("a\0b", 3)},
                         {model::kBeforeAfterText, ""}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Kind));
    model::TClip clip(c.Kind, c.Text);
    clip.SetLabel("L");
    clip.SetAbbreviation("ab");
    clip.SetIndent(true);
    if (c.Kind == model::kBeforeAfterText) {
      clip.SetBeforeText("<b>");
      clip.SetAfterText("</b>");
    }
    FExt.CopyClip(clip);
    const auto back = FExt.ReadClip();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Kind(), c.Kind);
    EXPECT_EQ(back->Text(), c.Text);
    EXPECT_EQ(back->Label(), "L");
    EXPECT_EQ(back->Abbreviation(), "ab");
    EXPECT_TRUE(back->Indent());
    EXPECT_EQ(back->BeforeText(), clip.BeforeText());
    EXPECT_EQ(back->AfterText(), clip.AfterText());
    EXPECT_FALSE(FFake.IsOpen());
  }
}

TEST_F(ClipboardExtTest, CopyCollectionPutsTheTreeAndTheIgnoreMarkerWithOrWithoutAClip) {
  model::TClipFile root;
  root.SetName("Picked");
  root.Add<model::TClipFolder>(nullptr, "F")->Add<model::TClip>(nullptr, model::kPlainText, "inner");
  model::TClip clip(model::kRectangularText, "block");

  const model::TClip* const choices[] = {nullptr, &clip};
  for (const model::TClip* withClip : choices) {
    SCOPED_TRACE(withClip ? "with a clip" : "without a clip");
    OtherApplicationCopies({{std::string(kTextFormat), "theirs"}});
    FExt.CopyCollection(root, withClip);
    EXPECT_FALSE(FFake.IsOpen());
    ASSERT_NE(FFake.Peek(kCollectionFormat), nullptr);
    EXPECT_EQ(*FFake.Peek(kCollectionFormat), EncodeCollection(root));
    EXPECT_TRUE(FExt.HasIgnoreMarker());
    EXPECT_EQ(FExt.HasClip(), withClip != nullptr);
    if (withClip) {
      EXPECT_EQ(*FFake.Peek(kTextFormat), "block");
      EXPECT_NE(FFake.Peek(kColumnSelectionFormat), nullptr);
    } else {
      // The other application's text is gone.
      EXPECT_EQ(FFake.Peek(kTextFormat), nullptr);
    }
    const auto tree = FExt.ReadCollection();
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->Name(), "Picked");
    ASSERT_NE(tree->FirstChild(), nullptr);
    EXPECT_EQ(tree->FirstChild()->GetCaption(), "F");
    EXPECT_EQ(tree->ClipCount(), 1u);
  }
}

// Reading a clip that another application put.

TEST_F(ClipboardExtTest, ReadClipTakesTheTextOfAnotherApplication) {
  const std::string text(kTextFormat), binary(kBinaryTextFormat), column(kColumnSelectionFormat);
  const std::string marker(kMarkerBlock);
  struct TCase {
    const char* Name;
    TFormats Formats;
    std::string IgnoreText;
    size_t MaxLength;
    std::optional<uint8_t> Kind;  // none: no clip
    std::string Text;
  };
  const TCase cases[] = {
      {"plain text", {{text, "hello"}}, "", kNoClipLengthLimit, model::kPlainText, "hello"},
      {"binary text with a NUL is binary data",
       {{text, "a"}, {binary, Bytes({3, 0, 0, 0, 'a', 0, 'b'})}},
       "",
       kNoClipLengthLimit,
       model::kBinaryData,
       std::string("a\0b", 3)},
      {"binary text is preferred to the standard text",
       {{text, "std"}, {binary, Bytes({2, 0, 0, 0}) + "bt"}},
       "",
       kNoClipLengthLimit,
       model::kPlainText,
       "bt"},
      {"column marker makes a rectangular block",
       {{text, "ab\ncd"}, {column, marker}},
       "",
       kNoClipLengthLimit,
       model::kRectangularText,
       "ab\ncd"},
      {"column marker with binary text",
       {{binary, Bytes({2, 0, 0, 0}) + "ab"}, {column, marker}},
       "",
       kNoClipLengthLimit,
       model::kRectangularText,
       "ab"},
      {"column marker does not change binary data",
       {{binary, Bytes({2, 0, 0, 0, 0, 'x'})}, {column, marker}},
       "",
       kNoClipLengthLimit,
       model::kBinaryData,
       std::string("\0x", 2)},
      {"binary count 0 falls back",
       {{text, "std"}, {binary, Bytes({0, 0, 0, 0}) + "xx"}},
       "",
       kNoClipLengthLimit,
       model::kPlainText,
       "std"},
      {"negative binary count falls back",
       {{text, "std"}, {binary, Bytes({0xFF, 0xFF, 0xFF, 0xFF}) + "xx"}},
       "",
       kNoClipLengthLimit,
       model::kPlainText,
       "std"},
      {"binary count past its block falls back",
       {{text, "std"}, {binary, Bytes({9, 0, 0, 0}) + "xx"}},
       "",
       kNoClipLengthLimit,
       model::kPlainText,
       "std"},
      {"binary block without a count falls back",
       {{text, "std"}, {binary, "x"}},
       "",
       kNoClipLengthLimit,
       model::kPlainText,
       "std"},
      {"standard text holding a NUL is binary data",
       {{text, std::string("a\0b", 3)}},
       "",
       kNoClipLengthLimit,
       model::kBinaryData,
       std::string("a\0b", 3)},
      {"text equal to the ignore text", {{text, "same"}}, "same", kNoClipLengthLimit, std::nullopt, ""},
      {"ignore text compared byte for byte",
       {{text, "Same"}},
       "same",
       kNoClipLengthLimit,
       model::kPlainText,
       "Same"},
      {"binary text equal to the ignore text",
       {{binary, Bytes({2, 0, 0, 0}) + "ab"}},
       "ab",
       kNoClipLengthLimit,
       std::nullopt,
       ""},
      {"one byte over the limit", {{text, "12345"}}, "", 4, std::nullopt, ""},
      {"exactly at the limit", {{text, "12345"}}, "", 5, model::kPlainText, "12345"},
      {"binary text over the limit", {{binary, Bytes({3, 0, 0, 0}) + "abc"}}, "", 2, std::nullopt, ""},
      {"empty text", {{text, ""}}, "", kNoClipLengthLimit, std::nullopt, ""},
      {"no text at all", {{"image/png", "png"}}, "", kNoClipLengthLimit, std::nullopt, ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    OtherApplicationCopies(c.Formats);
    const auto clip = FExt.ReadClip(c.IgnoreText, c.MaxLength);
    EXPECT_FALSE(FFake.IsOpen());
    ASSERT_EQ(clip != nullptr, c.Kind.has_value());
    if (clip) {
      EXPECT_EQ(clip->Kind(), *c.Kind);
      EXPECT_EQ(clip->Text(), c.Text);
      EXPECT_EQ(clip->Parent(), nullptr);
    }
  }
}

TEST_F(ClipboardExtTest, ReadClipChecksTheLimitBeforeTransferringTheText) {
  OtherApplicationCopies({{std::string(kTextFormat), std::string(1000, 'x')}});
  EXPECT_EQ(FExt.ReadClip("", 999), nullptr);
  EXPECT_EQ(FFake.TransferCount(kTextFormat), 0u);

  // A backend that cannot tell the size first still refuses, after the transfer.
  FFake.SetSizesUnknown(true);
  EXPECT_EQ(FExt.ReadClip("", 999), nullptr);
  EXPECT_EQ(FFake.TransferCount(kTextFormat), 1u);
}

TEST_F(ClipboardExtTest, ReadClipChecksTheRecordsLengthsBeforeMakingTheClip) {
  model::TClip clip(model::kPlainText, "12345");
  clip.SetLabel("a long label that is not counted");
  FExt.CopyClip(clip);
  const uint32_t nextID = model::PeekNextItemID();
  EXPECT_EQ(FExt.ReadClip("", 4), nullptr);
  EXPECT_EQ(model::PeekNextItemID(), nextID);
  EXPECT_NE(FExt.ReadClip("", 5), nullptr);
}

TEST_F(ClipboardExtTest, ReadClipDiscardsARecordWithoutTextOrEqualToTheIgnoreText) {
  struct TCase {
    const char* Name;
    uint8_t Kind;
    std::string Text, Before, After, IgnoreText;
    bool Kept;
  };
  const TCase cases[] = {
      {"empty plain clip with a label", model::kPlainText, "", "", "", "", false},
      {"plain text equal to the ignore text", model::kPlainText, "same", "", "", "same", false},
      {"plain text different from the ignore text", model::kPlainText, "same", "", "", "other", true},
      // What a before-and-after clip holds is its two texts, also what it shows as text.
      {"before and after equal to the ignore text", model::kBeforeAfterText, "", "<b>", "</b>", "<b></b>",
       false},
      {"before text alone is not the same", model::kBeforeAfterText, "", "<b>", "</b>", "<b>", true},
      {"empty ignore text keeps every clip", model::kBeforeAfterText, "", "<b>", "", "", true},
      {"before and after without texts", model::kBeforeAfterText, "", "", "", "", false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    model::TClip clip(c.Kind, c.Text);
    clip.SetLabel("label");
    clip.SetBeforeText(c.Before);
    clip.SetAfterText(c.After);
    FExt.CopyClip(clip);
    EXPECT_EQ(FExt.ReadClip(c.IgnoreText, kNoClipLengthLimit) != nullptr, c.Kept);
  }
}

TEST_F(ClipboardExtTest, ReadClipLinksAKeptClipIntoTheTarget) {
  model::TClipFile history;
  model::TClip* older = history.Add<model::TClip>(nullptr, model::kPlainText, "older");
  OtherApplicationCopies({{std::string(kTextFormat), "first"}});
  model::TClip* first = FExt.ReadClip(nullptr, history, "", kNoClipLengthLimit);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(history.FirstChild(), first);
  EXPECT_EQ(first->NextSibling(), older);

  OtherApplicationCopies({{std::string(kTextFormat), "second"}});
  model::TClip* second = FExt.ReadClip(first, history, "", kNoClipLengthLimit);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first->NextSibling(), second);
  EXPECT_EQ(history.ChildCount(), 3u);

  // A discarded clip is linked nowhere.
  EXPECT_EQ(FExt.ReadClip(nullptr, history, "second", kNoClipLengthLimit), nullptr);
  EXPECT_EQ(history.ChildCount(), 3u);
}

TEST_F(ClipboardExtTest, ADamagedRecordRaisesAndClosesTheClipboard) {
  // Version 1 and kind code 7 in an otherwise empty record.
  OtherApplicationCopies(
      {{std::string(kClipFormat), Bytes({27, 0, 0, 0, 27, 0, 0, 0, 1, 7, 0}) + std::string(16, '\0')},
       {std::string(kTextFormat), "text"}});
  EXPECT_EQ(ErrorOf([&] { FExt.ReadClip(); }), kInvalidKindMessage);
  EXPECT_FALSE(FFake.IsOpen());
  EXPECT_FALSE(FExt.IsOpen());
}

// Markers.

TEST_F(ClipboardExtTest, HasIgnoreMarkerAlsoForAPasswordManagersSecret) {
  const std::string hint(kPasswordHintFormat);
  struct TCase {
    const char* Name;
    TFormats Formats;
    bool Expected;
  };
  const TCase cases[] = {
      {"ignore format",
       {{std::string(kTextFormat), "x"}, {std::string(kIgnoreFormat), std::string(kMarkerBlock)}},
       true},
      {"password hint secret", {{std::string(kTextFormat), "pw"}, {hint, "secret"}}, true},
      {"password hint with another value", {{std::string(kTextFormat), "pw"}, {hint, "public"}}, false},
      {"password hint longer than secret", {{hint, "secretive"}}, false},
      {"text only", {{std::string(kTextFormat), "x"}}, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    OtherApplicationCopies(c.Formats);
    EXPECT_EQ(FExt.HasIgnoreMarker(), c.Expected);
    EXPECT_FALSE(FExt.HasClip());
  }
}

// Reading a tree.

TEST_F(ClipboardExtTest, ReadCollectionReadsAValidStreamAndIgnoresTrailingBytes) {
  EXPECT_EQ(FExt.ReadCollection(), nullptr);  // nothing there
  OtherApplicationCopies({{std::string(kTextFormat), "x"}});
  EXPECT_EQ(FExt.ReadCollection(), nullptr);

  model::TClipFile root;
  root.SetName("Tree");
  root.Add<model::TClip>(nullptr, model::kPlainText, "one");
  OtherApplicationCopies(
      {{std::string(kCollectionFormat), EncodeCollection(root) + std::string(100, '\xAB')}});
  const auto tree = FExt.ReadCollection();
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(tree->Name(), "Tree");
  ASSERT_EQ(tree->ClipCount(), 1u);
  EXPECT_EQ(tree->FirstChild()->AsClip()->Text(), "one");
  EXPECT_FALSE(FFake.IsOpen());
}

TEST_F(ClipboardExtTest, EveryCollectionErrorBecomesTheNewerVersionMessage) {
  model::TClipFile root;
  root.SetName("Tree");
  root.Add<model::TClip>(nullptr, model::kPlainText, "one");
  const std::string valid = EncodeCollection(root);
  std::string newerVersion = valid;
  newerVersion[7] = 9;  // the version byte after the signature
  const std::pair<const char*, std::string> cases[] = {
      {"empty block", ""},
      {"not a collection", "garbage that is not a collection"},
      {"newer version", newerVersion},
      {"cut short", valid.substr(0, valid.size() - 3)},
  };
  for (const auto& [name, block] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(ErrorOf([&] { DecodeCollection(block); }), kNewerClipMessage);
    OtherApplicationCopies({{std::string(kCollectionFormat), block}});
    EXPECT_EQ(ErrorOf([&] { FExt.ReadCollection(); }), kNewerClipMessage);
    EXPECT_FALSE(FFake.IsOpen());
  }
}

}  // namespace
}  // namespace velmora::exchange
