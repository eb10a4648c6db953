// What a clip shows and how it is found: captions, previews, VelType abbreviations and searching.
#include <gtest/gtest.h>

#include "model/Clip.h"
#include "model/ClipSearch.h"
#include "model/Utf8.h"

namespace velmora::model {
namespace {

std::unique_ptr<TClip> MakeClip(uint8_t kind, std::string text, std::string before = "",
                                std::string after = "") {
  auto clip = std::make_unique<TClip>(kind, text);
  clip->SetBeforeText(before);
  clip->SetAfterText(after);
  return clip;
}

TEST(ClipText, PreviewCutsAtFortyBytesAndDropsControlCharacters) {
  struct TCase {
    const char* Name;
    std::unique_ptr<TClip> Clip;
    std::string Expected;
  };
  const std::string fortyFive = "123456789\n" + std::string(35, 'a');
  const TCase cases[] = {
      {"short", MakeClip(kPlainText, "hello"), "hello"},
      {"exactly forty", MakeClip(kPlainText, std::string(40, 'x')), std::string(40, 'x')},
      {"forty-one", MakeClip(kPlainText, std::string(41, 'x')), std::string(37, 'x') + "..."},
      // The break is removed after the cut: 36 bytes and the ellipsis.
      {"break inside", MakeClip(kPlainText, fortyFive), "123456789" + std::string(27, 'a') + "..."},
      {"tabs and breaks",
       MakeClip(kPlainText,
                "\ta\r\nb\x01"
                "c\x7f"),
       "abc\x7f"},
      {"before and after joined", MakeClip(kBeforeAfterText, "ignored", "<b>", "</b>"), "<b></b>"},
      {"long before text", MakeClip(kBeforeAfterText, "", std::string(50, 'b'), "after"),
       std::string(37, 'b') + "..."},
      {"after text fills up", MakeClip(kBeforeAfterText, "", std::string(30, 'b'), std::string(30, 'a')),
       std::string(30, 'b') + std::string(7, 'a') + "..."},
      // A two-byte character across the cut moves the cut before it rather than splitting it.
      {"no split sequence", MakeClip(kPlainText, std::string(36, 'x') + "é" + std::string(10, 'y')),
       std::string(36, 'x') + "..."},
      {"sequence ends at the cut", MakeClip(kPlainText, std::string(35, 'x') + "é" + std::string(10, 'y')),
       std::string(35, 'x') + "é..."},
      {"invalid bytes are cut like characters", MakeClip(kPlainText, std::string(36, 'x') + "\xe9\xe9zzzzz"),
       std::string(36, 'x') + "\xe9..."},
      {"only control characters", MakeClip(kPlainText, "\r\n\t"), ""},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Name);
    const std::string preview = test.Clip->Preview();
    EXPECT_EQ(preview, test.Expected);
    EXPECT_LE(preview.size(), kPreviewBytes);
  }
}

TEST(ClipText, CaptionIsLabelThenPreviewThenNewClip) {
  TClip clip(kPlainText, "\r\n");
  EXPECT_EQ(clip.GetCaption(), "New clip");
  clip.SetText("body");
  EXPECT_EQ(clip.GetCaption(), "body");
  clip.SetLabel("Label\nwith break");  // a label is shown as given
  EXPECT_EQ(clip.GetCaption(), "Label\nwith break");
  clip.SetAbbreviation("ab");
  EXPECT_EQ(clip.VelTypeCaption(), "ab: Label\nwith break");
}

TEST(ClipText, VelTypeStartsWithComparesAsciiCaseInsensitivePrefixes) {
  struct TCase {
    const char* Abbreviation;
    const char* Prefix;
    bool Expected;
  } cases[] = {
      {"ABC", "ab", true}, {"a", "ab", false},  {"abc", "abc", true}, {"abc", "", true},
      {"", "", false},     {"", "a", false},    {"éa", "Éa", false},  // only ASCII letters fold
      {"éa", "é", true},   {"x-y", "X-", true},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(std::string(test.Abbreviation) + " / " + test.Prefix);
    TClip clip;
    clip.SetAbbreviation(test.Abbreviation);
    EXPECT_EQ(clip.VelTypeStartsWith(test.Prefix), test.Expected);
  }
}

TEST(ClipText, IsEmptyLooksAtTheFieldsOfTheKind) {
  EXPECT_TRUE(MakeClip(kPlainText, "", "before")->IsEmpty());
  EXPECT_FALSE(MakeClip(kBinaryData, std::string(1, '\0'))->IsEmpty());
  EXPECT_TRUE(MakeClip(kBeforeAfterText, "text")->IsEmpty());
  EXPECT_FALSE(MakeClip(kBeforeAfterText, "", "", "after")->IsEmpty());
}

TEST(ClipText, MatchesSearchesLabelAbbreviationAndTheTextsOfTheKind) {
  auto plainClip = MakeClip(kPlainText, "The Quick brown fox", "hidden before");
  plainClip->SetLabel("Animals");
  plainClip->SetAbbreviation("qbf");
  auto pairClip = MakeClip(kBeforeAfterText, "hidden text", "<STRONG>", "</strong>");
  const TClip& plain = *plainClip;
  const TClip& pair = *pairClip;
  struct TCase {
    const TClip* Clip;
    const char* Search;
    bool Expected;
  } cases[] = {
      {&plain, "quick", true},   {&plain, "ANIMAL", true}, {&plain, "QBF", true},
      {&plain, "hidden", false},  // the before text of a plain clip is not searched
      {&plain, "fox!", false},   {&plain, "", true},       {&pair, "strong", true},
      {&pair, "hidden", false},  {&pair, "g></", false},  // the pair is two texts, not one
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Search);
    EXPECT_EQ(test.Clip->Matches(test.Search), test.Expected);
  }
}

TEST(ClipText, SearchFoldsCasePerCodePointAndKeepsInvalidBytesApart) {
  struct TCase {
    std::string Text;
    const char* Search;
    bool Expected;
  } cases[] = {
      {"Grüße aus Köln", "GRÜSSE", false},  // per code point: ß is not ss
      {"Grüße aus Köln", "GRÜßE", true},
      {"ΣΟΦΊΑ", "σοφία", true},
      {"Привет, Мир", "мир", true},
      {"temperature 300 \xe2\x84\xaa", "300 k", true},  // the Kelvin sign folds to k
      {"é", "\xc3", false},                             // a lone lead byte never matches inside a character
      {"a\xc3z", "\xc3z", true},                        // but matches itself
      {"a\xc3z", "\xc3Z", true},
      {"caf\xc3\xa9", "CAFÉ", true},
      {"x", "xx", false},
      {std::string("\0nul\0byte", 9), "NUL", true},
      {"aaab", "aab", true},
      {"abc", "abcd", false},
      {"🙂 smile", "🙂 SMILE", true},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Text + " / " + test.Search);
    EXPECT_EQ(TClipSearch(test.Search).FoundIn(test.Text), test.Expected);
  }
  EXPECT_TRUE(TClipSearch(std::string_view("e\0b", 3)).FoundIn(std::string_view("nul\0e\0byte", 10)));
}

TEST(Utf8, DecodesValidSequencesAndTreatsEverythingElseAsSingleBytes) {
  struct TCase {
    const char* Name;
    std::string Bytes;
    char32_t CodePoint;
    uint8_t Length;
    bool Valid;
  } cases[] = {
      {"ascii", "A", 'A', 1, true},
      {"two bytes", "é", 0xE9, 2, true},
      {"three bytes", "€", 0x20AC, 3, true},
      {"four bytes", "🙂", 0x1F642, 4, true},
      {"overlong", "\xc0\xaf", 0xC0, 1, false},
      {"overlong three", "\xe0\x80\xaf", 0xE0, 1, false},
      {"surrogate", "\xed\xa0\x80", 0xED, 1, false},
      {"above U+10FFFF", "\xf4\x90\x80\x80", 0xF4, 1, false},
      {"cut short", "\xe2\x82", 0xE2, 1, false},
      {"stray continuation", "\x80", 0x80, 1, false},
      {"lead then ascii",
       "\xc3"
       "a",
       0xC3, 1, false},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Name);
    const TUtf8Char c = DecodeUtf8At(test.Bytes, 0);
    EXPECT_EQ(c.CodePoint, test.CodePoint);
    EXPECT_EQ(c.Length, test.Length);
    EXPECT_EQ(c.Valid, test.Valid);
    EXPECT_EQ(IsValidUtf8(test.Bytes), test.Valid && test.Length == test.Bytes.size());
  }
}

TEST(Utf8, CharStartNeverSplitsAValidSequence) {
  const std::string text =
      "a€\x80"
      "b🙂\xe2\x82";  // a, 3-byte, stray, b, 4-byte, cut-short lead and tail
  const size_t expected[] = {0, 1, 1, 1, 4, 5, 6, 6, 6, 6, 10, 11};
  for (size_t pos = 0; pos < text.size(); ++pos) {
    SCOPED_TRACE(pos);
    EXPECT_EQ(Utf8CharStart(text, pos), expected[pos]);
  }
  EXPECT_EQ(Utf8CharStart(text, text.size()), text.size());
  EXPECT_EQ(Utf8CutPoint(text, 3), 1u);
  EXPECT_EQ(Utf8CutPoint(text, 100), text.size());
  EXPECT_EQ(Utf8NextCharStart(text, 1), 4u);
  std::string encoded;
  for (char32_t c : {U'A', U'é', U'€', U'🙂'})
    AppendUtf8(encoded, c);
  EXPECT_EQ(encoded, "Aé€🙂");
}

}  // namespace
}  // namespace velmora::model

namespace velmora::model {
namespace {

TEST(ClipText, CopiedTextsStayApartWhenEitherClipChanges) {
  TClip source(kPlainText, std::string(1000, 's'));
  source.SetLabel("label");
  TClip copy;
  copy.Assign(source);
  EXPECT_EQ(copy.Text().data(), source.Text().data());  // shared, not duplicated
  source.SetText("changed");
  copy.SetLabel("other");
  EXPECT_EQ(copy.Text(), std::string(1000, 's'));
  EXPECT_EQ(source.Label(), "label");
  copy.SetText("");
  EXPECT_EQ(source.Text(), "changed");
  EXPECT_TRUE(copy.Text().empty());
}

}  // namespace
}  // namespace velmora::model
