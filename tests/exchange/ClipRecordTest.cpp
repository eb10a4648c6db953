// The clip record and the binary text block: exact bytes, every refusal, and round trips.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "exchange/BinaryText.h"
#include "exchange/ClipRecord.h"
#include "model/Clip.h"
#include "model/Errors.h"

namespace velmora::exchange {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values)
    out.push_back(static_cast<char>(v));
  return out;
}

std::string Le32(int64_t value) {
  const auto bits = static_cast<uint32_t>(value);
  return Bytes({static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                static_cast<int>((bits >> 16) & 0xFF), static_cast<int>((bits >> 24) & 0xFF)});
}

// The fields of a record header, laid out by hand; strings are appended by the caller.
struct THeader {
  int64_t Total = 27;
  int64_t Offset = 27;
  int Version = 1;
  int Code = 1;
  int Indent = 0;
  int64_t Label = 0;
  int64_t Abbreviation = 0;
  int64_t Text = 0;
  int64_t After = 0;
};

std::string Header(const THeader& h) {
  return Le32(h.Total) + Le32(h.Offset) + Bytes({h.Version, h.Code, h.Indent}) + Le32(h.Label) +
         Le32(h.Abbreviation) + Le32(h.Text) + Le32(h.After);
}

std::string DecodeError(std::string_view block) {
  try {
    DecodeClip(block);
  } catch (const EVelmoraError& error) {
    return error.what();
  }
  return "";
}

std::unique_ptr<model::TClip> MakeClip(uint8_t kind, std::string_view label, std::string_view abbreviation,
                                       bool indent) {
  auto clip = std::make_unique<model::TClip>();
  clip->SetKind(kind);
  clip->SetLabel(label);
  clip->SetAbbreviation(abbreviation);
  clip->SetIndent(indent);
  return clip;
}

TEST(ClipRecord, WritesThePlainTextExampleByteForByte) {
  auto clip = MakeClip(model::kPlainText, "L", "", false);
  clip->SetText("ab");
  const std::string expected = Bytes(
      {30, 0, 0, 0, 27, 0, 0, 0, 1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 'L', 'a', 'b'});
  EXPECT_EQ(EncodeClip(*clip), expected);
}

TEST(ClipRecord, WritesEachKindByteForByte) {
  struct TCase {
    const char* Name;
    std::unique_ptr<model::TClip> Clip;
    std::string Expected;
  };
  std::vector<TCase> cases;
  {
    auto clip = MakeClip(model::kRectangularText, "", "ab", true);
    clip->SetText("x\ny");
    cases.push_back(
        {"rectangular, indented, abbreviation", std::move(clip),
         Header({.Total = 32, .Code = 2, .Indent = 1, .Abbreviation = 2, .Text = 3}) + "ab" + "x\ny"});
  }
  {
    auto clip = MakeClip(model::kBinaryData, "", "", false);
    clip->SetText(std::string("a\0b", 3));
    cases.push_back({"binary data with a NUL", std::move(clip),
                     Header({.Total = 30, .Code = 3, .Text = 3}) + std::string("a\0b", 3)});
  }
  {
    // The plain text field of a before-and-after clip is not written; before and after follow the label.
    auto clip = MakeClip(model::kBeforeAfterText, "lab", "", false);
    clip->SetText("ignored");
    clip->SetBeforeText("abc");
    clip->SetAfterText("defg");
    cases.push_back(
        {"before and after", std::move(clip),
         Header({.Total = 37, .Code = 4, .Label = 3, .Text = 3, .After = 4}) + "lab" + "abc" + "defg"});
  }
  {
    // A kind only a newer file holds would be refused by every reader as code 6; it goes as plain text.
    auto clip = MakeClip(5, "", "", false);
    clip->SetText("t");
    cases.push_back({"kind above 3", std::move(clip), Header({.Total = 28, .Code = 1, .Text = 1}) + "t"});
  }
  cases.push_back({"empty clip", MakeClip(model::kPlainText, "", "", false), Header({})});
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(EncodeClip(*c.Clip), c.Expected);
  }
}

TEST(ClipRecord, ReadsEveryKindCode) {
  // Codes 0 and 1 are plain text; 2 to 4 are kinds 1 to 3.
  const uint8_t expectedKinds[] = {0, 0, 1, 2, 3};
  for (int code = 0; code <= 4; ++code) {
    SCOPED_TRACE(code);
    const auto clip = DecodeClip(Header({.Total = 29, .Code = code, .Text = 1, .After = 1}) + "xy");
    EXPECT_EQ(clip->Kind(), expectedKinds[code]);
    EXPECT_EQ(clip->Parent(), nullptr);
    if (code == 4) {
      EXPECT_EQ(clip->BeforeText(), "x");
      EXPECT_EQ(clip->AfterText(), "y");
      EXPECT_EQ(clip->Text(), "");
    } else {
      // The after length belongs to kind 3 only.
      EXPECT_EQ(clip->Text(), "x");
      EXPECT_EQ(clip->AfterText(), "");
    }
  }
}

TEST(ClipRecord, ReadsAllFieldsInOrder) {
  const auto clip = DecodeClip(
      Header({.Total = 36, .Code = 4, .Indent = 1, .Label = 2, .Abbreviation = 1, .Text = 2, .After = 4}) +
      "LBaBBAAAA");
  EXPECT_EQ(clip->Kind(), model::kBeforeAfterText);
  EXPECT_TRUE(clip->Indent());
  EXPECT_EQ(clip->Label(), "LB");
  EXPECT_EQ(clip->Abbreviation(), "a");
  EXPECT_EQ(clip->BeforeText(), "BB");
  EXPECT_EQ(clip->AfterText(), "AAAA");
}

TEST(ClipRecord, TakesIndentOnlyFromTheValueOne) {
  for (int value : {0, 1, 2, 255}) {
    SCOPED_TRACE(value);
    EXPECT_EQ(DecodeClip(Header({.Indent = value}))->Indent(), value == 1);
  }
}

TEST(ClipRecord, ReadsLengthsOfZeroOrLessAsEmpty) {
  const auto clip =
      DecodeClip(Header({.Total = 28, .Label = -1, .Abbreviation = INT32_MIN, .Text = 1}) + "t");
  EXPECT_EQ(clip->Label(), "");
  EXPECT_EQ(clip->Abbreviation(), "");
  EXPECT_EQ(clip->Text(), "t");
}

TEST(ClipRecord, FollowsTheDataOffsetOfALongerNewerHeader) {
  // Version 2 with four more header bytes; a known kind code is read without complaint.
  const auto clip =
      DecodeClip(Header({.Total = 33, .Offset = 31, .Version = 2, .Code = 1, .Text = 2}) + "????" + "hi");
  EXPECT_EQ(clip->Text(), "hi");
}

TEST(ClipRecord, IgnoresBytesAfterTheRecord) {
  EXPECT_EQ(DecodeClip(Header({.Total = 28, .Text = 1}) + "t" + std::string(13, 'z'))->Text(), "t");
}

TEST(ClipRecord, RefusesBadVersionsAndKinds) {
  struct TCase {
    const char* Name;
    std::string Block;
    const char* Message;
  };
  const TCase cases[] = {
      {"version 0", Header({.Version = 0}), kInvalidVersionMessage},
      {"version 0 wins over a bad kind", Header({.Version = 0, .Code = 9}), kInvalidVersionMessage},
      {"kind code 5, version 1", Header({.Code = 5}), kInvalidKindMessage},
      {"kind code 255, version 1", Header({.Code = 255}), kInvalidKindMessage},
      {"kind code 5, version 2", Header({.Version = 2, .Code = 5}), kNewerClipMessage},
      {"kind code 5, version 200", Header({.Version = 200, .Code = 5}), kNewerClipMessage},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(DecodeError(c.Block), c.Message);
  }
}

TEST(ClipRecord, RefusesSizesOffsetsAndLengthsPastTheBlockBeforeMakingAClip) {
  struct TCase {
    const char* Name;
    std::string Block;
  };
  const TCase cases[] = {
      {"empty block", ""},
      {"one byte short of the header", Header({}).substr(0, 26)},
      {"total size past the block", Header({.Total = 28})},
      {"total size near 4 GiB", Header({.Total = 0xFFFFFFFF})},
      {"data offset past the block", Header({.Offset = 28})},
      {"data offset inside the header", Header({.Total = 28, .Offset = 26, .Text = 1}) + "t"},
      {"label one byte past", Header({.Total = 28, .Label = 2}) + "L"},
      {"abbreviation past", Header({.Abbreviation = 1})},
      {"text past", Header({.Total = 29, .Label = 1, .Text = 2}) + "Lt"},
      {"after text past, kind 3", Header({.Total = 29, .Code = 4, .Text = 1, .After = 2}) + "ba"},
      {"text near 2 GiB", Header({.Total = 28, .Text = INT32_MAX}) + "t"},
      // In 32 bits these sums wrap to small values that would fit the block.
      {"lengths wrapping 32 bits",
       Header(
           {.Total = 30, .Code = 4, .Label = INT32_MAX, .Abbreviation = INT32_MAX, .Text = 2, .After = 1}) +
           "abc"},
      {"offset plus lengths wrapping",
       Header({.Total = 28, .Offset = 27, .Label = 0x7FFFFFFF, .Abbreviation = 2, .Text = 0x7FFFFFFF}) + "t"},
      {"offset past, strings empty", Header({.Total = 27, .Offset = 0xFFFFFFFF})},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    // No clip is made before the refusal: making one would take an item ID.
    const uint32_t nextID = model::PeekNextItemID();
    EXPECT_EQ(DecodeError(c.Block), kInvalidLengthMessage);
    EXPECT_EQ(model::PeekNextItemID(), nextID);
  }
}

TEST(ClipRecord, ReadsBackRandomClips) {
  std::mt19937 random(20240611);
  const auto randomBytes = [&random](size_t maxLength) {
    std::string bytes(std::uniform_int_distribution<size_t>(0, maxLength)(random), '\0');
    for (char& c : bytes)
      c = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
    return bytes;
  };
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE(round);
    const auto kind = static_cast<uint8_t>(std::uniform_int_distribution<int>(0, 3)(random));
    auto clip = MakeClip(kind, randomBytes(20), randomBytes(5), random() % 2 == 0);
    if (kind == model::kBeforeAfterText) {
      clip->SetBeforeText(randomBytes(200));
      clip->SetAfterText(randomBytes(200));
    } else {
      clip->SetText(randomBytes(400));
    }
    const std::string block = EncodeClip(*clip);
    const auto back = DecodeClip(block);
    EXPECT_EQ(back->Kind(), clip->Kind());
    EXPECT_EQ(back->Indent(), clip->Indent());
    EXPECT_EQ(back->Label(), clip->Label());
    EXPECT_EQ(back->Abbreviation(), clip->Abbreviation());
    EXPECT_EQ(back->Text(), clip->Text());
    EXPECT_EQ(back->BeforeText(), clip->BeforeText());
    EXPECT_EQ(back->AfterText(), clip->AfterText());
    // The header says how long the clip's texts are before they are copied.
    const TClipRecordHeader header = ReadClipRecordHeader(block);
    EXPECT_EQ(header.ContentLength(),
              clip->Text().size() + clip->BeforeText().size() + clip->AfterText().size());
  }
}

TEST(BinaryText, WritesTheCountThenTheBytes) {
  EXPECT_EQ(EncodeBinaryText(std::string("a\0b", 3)), Bytes({3, 0, 0, 0, 'a', 0, 'b'}));
  EXPECT_EQ(EncodeBinaryText(""), Bytes({0, 0, 0, 0}));
}

TEST(BinaryText, ReadsTheCountedBytesOrNothing) {
  struct TCase {
    const char* Name;
    std::string Block;
    std::optional<std::string> Expected;  // none: the reader falls back to the standard text
  };
  const TCase cases[] = {
      {"counted bytes with a NUL", Le32(3) + std::string("a\0b", 3), std::string("a\0b", 3)},
      {"bytes after the count are ignored", Le32(1) + "ab", std::string("a")},
      {"count 0", Le32(0) + "ab", std::nullopt},
      {"negative count", Le32(-1) + "ab", std::nullopt},
      {"count one past the block", Le32(3) + "ab", std::nullopt},
      {"count near 2 GiB", Le32(INT32_MAX) + "ab", std::nullopt},
      {"block shorter than the count field", Bytes({1, 0, 0}), std::nullopt},
      {"empty block", "", std::nullopt},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::optional<std::string_view> text = DecodeBinaryText(c.Block);
    ASSERT_EQ(text.has_value(), c.Expected.has_value());
    if (text) {
      EXPECT_EQ(*text, *c.Expected);
    }
  }
}

}  // namespace
}  // namespace velmora::exchange
