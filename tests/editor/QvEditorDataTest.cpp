// Tests of the data objects: what the owner is told and when, ranges, the size limit, the owner link,
// searching (exact and without case) and UTF-8 character boundaries, and a random run against std::string.
#include "editor/QvEditorData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "editor/QvEditor.h"
#include "editor/QvEditorDataBuffered.h"
#include "editor/QvEditorDataString.h"
#include "model/CaseMapping.h"
#include "model/Errors.h"
#include "model/Utf8.h"

namespace velmora::editor {
namespace {

using namespace std::string_literals;

// An editor that writes down every notification with the data's state at that moment.
class TRecordingEditor : public TQvEditor {
 public:
  std::vector<std::string> Events;

  void DataChanged() override { Events.push_back("changed " + State()); }
  void DataReset() override { Events.push_back("reset " + State()); }
  void DataDeleted(int32_t position, int32_t count, std::string_view deletedText) override {
    Events.push_back("deleted " + std::to_string(position) + " " + std::to_string(count) + " \"" +
                     std::string(deletedText) + "\" " + State());
  }
  void DataInserted(int32_t position, std::string_view insertedText) override {
    Events.push_back("inserted " + std::to_string(position) + " \"" + std::string(insertedText) + "\" " +
                     State());
  }

  // "[text] modified" or "[text] unmodified"; the text as the data shows it to the owner at that moment.
  std::string State() const {
    if (!Data())
      return "no data";
    return "[" + Data()->GetRange(0, Data()->Size()) + "] " +
           (Data()->Modified() ? "modified" : "unmodified");
  }
};

// A string data object attached to a recording editor.
class DataWithOwner : public ::testing::Test {
 protected:
  DataWithOwner() {
    FEditor.SetData(&FData);
    FEditor.Events.clear();
  }

  // Makes Text the content, without events, with the gap after GapAt.
  void Fill(std::string_view text, size_t gapAt) {
    FData.SetText("");
    FData.Insert(0, text.substr(gapAt));
    FData.Insert(0, text.substr(0, gapAt));
    FData.SetModified(false);
    FEditor.Events.clear();
  }

  TQvEditorDataString FData;
  TRecordingEditor FEditor;
};

// --- Notifications ---

TEST_F(DataWithOwner, EachChangeIsReportedAfterTheBytesChangedAndBeforeModifiedIsSet) {
  FData.Insert(0, "hello");
  EXPECT_EQ(FEditor.Events, (std::vector<std::string>{"inserted 0 \"hello\" [hello] unmodified",
                                                      "changed [hello] modified"}));
  FData.SetModified(false);
  FEditor.Events.clear();
  EXPECT_EQ(FData.DeleteRange(1, 3), "ell");
  EXPECT_EQ(FEditor.Events,
            (std::vector<std::string>{"deleted 1 3 \"ell\" [ho] unmodified", "changed [ho] modified"}));
  FEditor.Events.clear();
  FData.Insert(2, "!");  // appending
  EXPECT_EQ(FEditor.Events,
            (std::vector<std::string>{"inserted 2 \"!\" [ho!] modified", "changed [ho!] modified"}));
}

TEST_F(DataWithOwner, AWholeReplacementSendsOnlyDataResetAndClearsModified) {
  FData.Insert(0, "old");
  FEditor.Events.clear();
  FData.SetText("new text");
  EXPECT_EQ(FEditor.Events, (std::vector<std::string>{"reset [new text] unmodified"}));

  TQvEditorDataBuffered buffered;
  FEditor.SetData(&buffered);
  buffered.Insert(0, "abc");
  FEditor.Events.clear();
  buffered.Clear();
  EXPECT_EQ(FEditor.Events, (std::vector<std::string>{"reset [] unmodified"}));
}

TEST_F(DataWithOwner, SettingAnEqualTextChangesNothingAndSendsNothing) {
  FData.SetText("same");
  FData.Insert(4, "!");
  FEditor.Events.clear();
  FData.SetText("same!");
  EXPECT_TRUE(FEditor.Events.empty());
  EXPECT_TRUE(FData.Modified());
  EXPECT_EQ(FData.Text(), "same!");
}

TEST_F(DataWithOwner, AnEmptyRangeChangesNothingAndSendsNothing) {
  struct TCase {
    const char* Name;
    std::function<std::string(TQvEditorData&)> Change;  // returns what was deleted
  };
  const std::vector<TCase> cases = {
      {"delete of count 0", [](TQvEditorData& d) { return d.DeleteRange(2, 0); }},
      {"delete of a negative count", [](TQvEditorData& d) { return d.DeleteRange(2, -3); }},
      {"delete at the end", [](TQvEditorData& d) { return d.DeleteRange(6, 4); }},
      {"delete wholly past the end", [](TQvEditorData& d) { return d.DeleteRange(9, 4); }},
      {"delete wholly before the start", [](TQvEditorData& d) { return d.DeleteRange(-9, 4); }},
      {"inclusive delete past the end", [](TQvEditorData& d) { return d.Delete(7, 9); }},
      {"insert of nothing",
       [](TQvEditorData& d) {
         d.Insert(3, "");
         return std::string();
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Fill("abcdef", 3);
    EXPECT_EQ(c.Change(FData), "");
    EXPECT_EQ(FData.Text(), "abcdef");
    EXPECT_FALSE(FData.Modified());
    EXPECT_TRUE(FEditor.Events.empty());
  }
}

// --- Ranges ---

TEST_F(DataWithOwner, InclusiveRangesTakeTheirEndsInEitherOrder) {
  Fill("abcdef", 2);
  EXPECT_EQ(FData.GetText(1, 3), "bcd");
  EXPECT_EQ(FData.GetText(3, 1), "bcd");
  EXPECT_EQ(FData.GetText(4, 4), "e");
  EXPECT_EQ(FData.Delete(4, 2), "cde");
  EXPECT_EQ(FData.Delete(0, 0), "a");
  EXPECT_EQ(FData.Text(), "bf");
  EXPECT_EQ(FEditor.Events[0], "deleted 2 3 \"cde\" [abf] unmodified");
}

TEST_F(DataWithOwner, RangesReachingOutsideTheDataAreCutToIt) {
  Fill("abcdef", 4);
  EXPECT_EQ(FData.GetRange(-2, 4), "ab");
  EXPECT_EQ(FData.GetText(3, 100), "def");
  EXPECT_EQ(FData.RangeView(5, 10), "f");
  EXPECT_EQ(FData.GetChar(-1), '\0');
  EXPECT_EQ(FData.GetChar(6), '\0');
  EXPECT_EQ(FData.GetChar(5), 'f');
  FData.Insert(-5, "<");
  FData.Insert(100, ">");
  EXPECT_EQ(FData.Text(), "<abcdef>");
  FEditor.Events.clear();
  EXPECT_EQ(FData.DeleteRange(6, 100), "f>");
  EXPECT_EQ(FEditor.Events[0], "deleted 6 2 \"f>\" [<abcde] modified");
}

TEST_F(DataWithOwner, AnInsertThatWouldReachTheSizeLimitIsRefusedAndChangesNothing) {
  FData.SetMaxSizeForTesting(8);
  FData.Insert(0, "1234567");
  FData.Insert(7, "8");  // exactly the limit is allowed
  FData.SetModified(false);
  FEditor.Events.clear();
  try {
    FData.Insert(4, "9");
    FAIL() << "the insert was not refused";
  } catch (const EVelmoraError& error) {
    EXPECT_STREQ(error.what(), "Cannot insert the text: an editor holds less than 2 GiB of text.");
  }
  EXPECT_EQ(FData.Text(), "12345678");
  EXPECT_FALSE(FData.Modified());
  EXPECT_THROW(FData.SetText("123456789"), EVelmoraError);
  EXPECT_EQ(FData.Text(), "12345678");
  EXPECT_TRUE(FEditor.Events.empty());
}

// --- The owner link ---

TEST(QvEditorLink, OneEditorOwnsTheDataAtATimeAndEitherSideMayBeDestroyedFirst) {
  TQvEditorDataString first;
  TRecordingEditor a;
  TRecordingEditor b;
  a.SetData(&first);
  EXPECT_EQ(first.Owner(), &a);
  EXPECT_EQ(a.Events, (std::vector<std::string>{"reset [] unmodified"}));

  b.SetData(&first);  // taken over: a loses it
  EXPECT_EQ(first.Owner(), &b);
  EXPECT_EQ(a.Data(), nullptr);

  {
    TQvEditorDataString second;
    b.SetData(&second);
    EXPECT_EQ(first.Owner(), nullptr);
    EXPECT_EQ(second.Owner(), &b);
  }
  EXPECT_EQ(b.Data(), nullptr);  // the data went first

  {
    TRecordingEditor c;
    c.SetData(&first);
  }
  EXPECT_EQ(first.Owner(), nullptr);    // the editor went first
  first.Insert(0, "no owner to tell");  // must not reach the destroyed editor
  EXPECT_EQ(first.Text(), "no owner to tell");

  b.SetData(nullptr);
  EXPECT_EQ(b.Events.back(), "reset no data");
}

// --- Searching ---

struct TFindCase {
  const char* Name;
  std::string Text;
  std::string Pattern;
  int32_t From;
  int32_t To;
  int32_t Expected;
};

// Runs each case with the gap at the start, in the middle and at the end of the text.
template <class TFind>
void RunFindCases(const std::vector<TFindCase>& cases, TFind find) {
  for (const TFindCase& c : cases) {
    for (const size_t gapAt : {size_t{0}, c.Text.size() / 2, c.Text.size()}) {
      SCOPED_TRACE(std::string(c.Name) + ", gap at " + std::to_string(gapAt));
      TQvEditorDataBuffered data;
      data.Insert(0, std::string_view(c.Text).substr(gapAt));
      data.Insert(0, std::string_view(c.Text).substr(0, gapAt));
      EXPECT_EQ(find(data, c), c.Expected);
    }
  }
}

TEST(QvEditorDataFind, FindTextIncludesBothEndsInEitherDirection) {
  const std::vector<TFindCase> cases = {
      {"forward, first occurrence", "abcabc", "bc", 0, 5, 1},
      {"forward from inside the first", "abcabc", "bc", 2, 5, 4},
      {"forward, last byte on To", "abcabc", "bc", 0, 2, 1},
      {"forward, last byte past To", "abcabc", "bc", 0, 1, -1},
      {"forward, first byte on From", "abcabc", "bc", 4, 5, 4},
      {"backward, last occurrence", "abcabc", "bc", 5, 0, 4},
      {"backward, last byte past From", "abcabc", "bc", 4, 0, 1},
      {"backward, first byte on To", "abcabc", "bc", 5, 4, 4},
      {"backward, first byte before To", "abcabc", "bc", 5, 5, -1},
      {"overlapping, forward", "aaaa", "aa", 0, 3, 0},
      {"overlapping, backward", "aaaa", "aa", 3, 0, 2},
      {"one byte, backward", "a.b.c", ".", 4, 0, 3},
      {"whole text", "needle", "needle", 0, 5, 0},
      {"whole text, backward", "needle", "needle", 5, 0, 0},
      {"pattern longer than the range", "abcabc", "cab", 3, 5, -1},
      {"empty pattern", "abc", "", 0, 2, -1},
      {"absent", "abcabc", "cc", 0, 5, -1},
      {"bytes, not characters", "x\xC3\xA9y"s, "\xA9y"s, 0, 3, 2},
      {"NUL bytes", "a\0b\0c"s, "\0c"s, 0, 4, 3},
  };
  RunFindCases(cases, [](const TQvEditorData& data, const TFindCase& c) {
    return data.FindText(c.Pattern, c.From, c.To);
  });
}

TEST(QvEditorDataFind, FindTextIgnoreCaseFoldsEachCodePoint) {
  const std::string kelvin = "\xE2\x84\xAA";  // KELVIN SIGN, folds to k
  const std::vector<TFindCase> cases = {
      {"Latin with accents", "un caf\xC3\xA9!", "CAF\xC3\x89", 0, 8, 3},
      {"Greek, final sigma alike", "\xCE\xA3\xCE\x8A\xCE\xA3\xCE\xA5\xCE\xA6\xCE\x9F\xCE\xA3",
       "\xCF\x83\xCE\xAF\xCF\x83\xCF\x85\xCF\x86\xCE\xBF\xCF\x82", 0, 13, 0},
      {"the Kelvin sign matches k", "255 " + kelvin, "K", 0, 6, 4},
      {"k matches the Kelvin sign", "255 k", kelvin, 0, 4, 4},
      {"a match longer than the pattern", kelvin + "elvin", "kelvin", 0, 7, 0},
      {"... must end by To", kelvin + "elvin", "kelvin", 0, 6, -1},
      {"long s matches S", "\xC5\xBFtop", "STOP", 0, 4, 0},
      {"simple folding: sharp s is not ss",
       "Stra\xC3\x9F"
       "e",
       "STRASSE", 0, 6, -1},
      {"an invalid byte matches itself",
       "a\xFF"
       "b",
       "\xFF"
       "B",
       0, 2, 1},
      {"... and no other byte",
       "a\xFE"
       "b",
       "\xFF"
       "b",
       0, 2, -1},
      {"a continuation byte inside a character is no match", "\xC3\xA9", "\xA9", 0, 1, -1},
      {"... a stray one is", "x\xA9", "\xA9", 0, 1, 1},
      {"a stray lead byte does not match inside a character", "\xC3\xA9", "\xC3", 0, 1, -1},
      {"... but matches a stray one", "\xC3x", "\xC3", 0, 1, 0},
      {"To inside a character ends no match there", "a\xC3\xA9", "A\xC3\x89", 0, 1, -1},
      {"To on the character's last byte", "a\xC3\xA9", "A\xC3\x89", 0, 2, 0},
      {"forward, last byte past To", "abcABC", "abc", 1, 4, -1},
      {"forward from inside the first", "abcABC", "abc", 1, 5, 3},
      {"backward, the highest start", "abcABC", "ABC", 5, 0, 3},
      {"backward, last byte past From", "abcABC", "ABC", 4, 0, 0},
      {"backward, first byte on To", "abcABC", "ABC", 5, 3, 3},
      {"backward, first byte before To", "abcABC", "ABC", 5, 4, -1},
      {"backward through a longer match", "x" + kelvin + "elvin", "KELVIN", 8, 0, 1},
      {"empty pattern", "abc", "", 0, 2, -1},
  };
  RunFindCases(cases, [](const TQvEditorData& data, const TFindCase& c) {
    return data.FindTextIgnoreCase(c.Pattern, c.From, c.To);
  });
}

// Finding starts from the characters that can match the pattern's first one; none may be missed.
TEST(QvEditorDataFind, EveryCodePointIsFoundByItsFoldedFormAndTheOtherWayRound) {
  TQvEditorDataString data;
  int pairs = 0;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF)
      continue;
    const char32_t folded = model::FoldCodePoint(c);
    if (folded == c)
      continue;
    ++pairs;
    std::string original;
    std::string foldedText;
    model::AppendUtf8(original, c);
    model::AppendUtf8(foldedText, folded);
    data.SetText("<" + original + ">");
    ASSERT_EQ(data.FindTextIgnoreCase(foldedText + ">", 0, data.Size() - 1), 1)
        << std::hex << static_cast<uint32_t>(c);
    data.SetText("<" + foldedText + ">");
    ASSERT_EQ(data.FindTextIgnoreCase(original, data.Size() - 1, 0), 1)
        << std::hex << static_cast<uint32_t>(c);
  }
  EXPECT_GT(pairs, 1000);  // the letters of many scripts took part
}

TEST(QvEditorDataFind, FindCharAndFindCharInSetIncludeBothEndsInEitherDirection) {
  const std::string text = "x,y.z,w";
  TByteSet punctuation;
  punctuation.set('.');
  punctuation.set(',');
  struct TCase {
    int32_t From;
    int32_t To;
    int32_t Comma;  // FindChar(',')
    int32_t InSet;  // FindCharInSet({',', '.'})
    char Found;     // the byte FindCharInSet reports
  };
  const std::vector<TCase> cases = {
      {0, 6, 1, 1, ','}, {2, 6, 5, 3, '.'}, {6, 0, 5, 5, ','},   {4, 0, 1, 3, '.'},
      {5, 5, 5, 5, ','}, {1, 1, 1, 1, ','}, {2, 2, -1, -1, '?'}, {6, 6, -1, -1, '?'},
  };
  for (const TCase& c : cases) {
    for (const size_t gapAt : {size_t{0}, size_t{2}, size_t{4}, size_t{7}}) {
      SCOPED_TRACE("From " + std::to_string(c.From) + " To " + std::to_string(c.To) + ", gap at " +
                   std::to_string(gapAt));
      TQvEditorDataBuffered data;
      data.Insert(0, std::string_view(text).substr(gapAt));
      data.Insert(0, std::string_view(text).substr(0, gapAt));
      EXPECT_EQ(data.FindChar(',', c.From, c.To), c.Comma);
      char found = '?';
      EXPECT_EQ(data.FindCharInSet(punctuation, c.From, c.To, found), c.InSet);
      EXPECT_EQ(found, c.Found);
    }
  }
  TQvEditorDataString empty;
  EXPECT_EQ(empty.FindChar('x', 0, 0), -1);
}

// --- Characters ---

TEST(QvEditorDataCharacters, KindAndBoundariesFollowUtf8WhereverTheGapIs) {
  // a, é, €, U+1F600, an invalid byte, a sequence cut short, b, a stray continuation byte.
  const std::string text =
      "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xFF\xE2\x82"
      "b\x80";
  const int s = TQvEditorData::kSingleByteChar;
  const int l = TQvEditorData::kLeadByte;
  const int t = TQvEditorData::kTrailByte;
  // One row per position 0..15 (15 is the end).
  const std::vector<int> kind = {s, l, t, l, t, t, l, t, t, t, s, s, s, s, s, s};
  const std::vector<int32_t> next = {1, 3, 3, 6, 6, 6, 10, 10, 10, 10, 11, 12, 13, 14, 15, 15};
  const std::vector<int32_t> previous = {0, 0, 1, 1, 3, 3, 3, 6, 6, 6, 6, 10, 11, 12, 13, 14};
  ASSERT_EQ(text.size(), 15u);
  for (size_t gapAt = 0; gapAt <= text.size(); ++gapAt) {
    TQvEditorDataBuffered data;
    data.Insert(0, std::string_view(text).substr(gapAt));
    data.Insert(0, std::string_view(text).substr(0, gapAt));
    for (int32_t position = 0; position <= 15; ++position) {
      SCOPED_TRACE("position " + std::to_string(position) + ", gap at " + std::to_string(gapAt));
      EXPECT_EQ(data.CharKind(position), kind[position]);
      EXPECT_EQ(data.NextCharStart(position), next[position]);
      EXPECT_EQ(data.PreviousCharStart(position), previous[position]);
    }
  }
  TQvEditorDataString data;
  data.SetText("ab");
  EXPECT_EQ(data.CharKind(-1), s);
  EXPECT_EQ(data.NextCharStart(-3), 0);
  EXPECT_EQ(data.PreviousCharStart(9), 2);
}

// --- Character tables ---

TEST(CharacterTables, WordCharactersAreLettersAndDigitsOfAnyScriptAndUnderscore) {
  const std::vector<std::pair<char32_t, bool>> cases = {
      {U'a', true},  {U'Z', true},   {U'7', true},  {U'_', true},       {U'-', false},
      {U' ', false}, {U'\t', false}, {U'é', true},  {U'λ', true},       {U'中', true},
      {U'٣', true},  {U'—', false},  {U'«', false}, {U'\u00A0', false},
  };
  for (const auto& [codePoint, expected] : cases) {
    SCOPED_TRACE(static_cast<uint32_t>(codePoint));
    EXPECT_EQ(IsWordChar(codePoint), expected);
  }
  EXPECT_TRUE(WordChars()['a'] && WordChars()['_'] && WordChars()['0']);
  EXPECT_FALSE(WordChars()['-'] || WordChars()[0xC3]);
  EXPECT_TRUE(NonWordChars()['-'] && NonWordChars()[' ']);
  EXPECT_FALSE(NonWordChars()['_'] || NonWordChars()['a'] || NonWordChars()[0xC3]);
  EXPECT_EQ(LowerCaseTable()['A'], 'a');
  EXPECT_EQ(LowerCaseTable()['z'], 'z');
  EXPECT_EQ(LowerCaseTable()[0xC3], 0xC3);  // a lead byte is never mapped alone
}

// --- A random run against std::string ---

// The first start position in Low..High, scanning up when From <= To and down otherwise, at which
// MatchesAt holds; -1 when there is none.
template <class MatchesAt>
int32_t FirstMatchInRange(int32_t from, int32_t to, int32_t low, int32_t high, MatchesAt matchesAt) {
  if (from <= to) {
    for (int32_t p = low; p <= high; ++p) {
      if (matchesAt(p))
        return p;
    }
  } else {
    for (int32_t p = high; p >= low; --p) {
      if (matchesAt(p))
        return p;
    }
  }
  return -1;
}

// The first (or, backwards, the highest) occurrence lying wholly within the inclusive range: the plain
// definition, position by position.
int32_t ReferenceFind(const std::string& text, const std::string& pattern, int32_t from, int32_t to) {
  if (pattern.empty() || text.empty())
    return -1;
  const int32_t last = static_cast<int32_t>(text.size()) - 1;
  const int32_t low = std::clamp(std::min(from, to), 0, last);
  const int32_t high = std::clamp(std::max(from, to), 0, last);
  auto matchesAt = [&](int32_t p) {
    return p + static_cast<int32_t>(pattern.size()) - 1 <= high &&
           text.compare(p, pattern.size(), pattern) == 0;
  };
  return FirstMatchInRange(from, to, low, high, matchesAt);
}

// The same without case: at every character start, the pattern's characters one by one.
int32_t ReferenceFindIgnoringCase(const std::string& text, const std::string& pattern, int32_t from,
                                  int32_t to) {
  if (pattern.empty() || text.empty())
    return -1;
  const int32_t last = static_cast<int32_t>(text.size()) - 1;
  const int32_t low = std::clamp(std::min(from, to), 0, last);
  const int32_t high = std::clamp(std::max(from, to), 0, last);
  auto alike = [](const model::TUtf8Char& a, const model::TUtf8Char& b) {
    if (a.Valid != b.Valid)
      return false;
    return a.Valid ? model::FoldCodePoint(a.CodePoint) == model::FoldCodePoint(b.CodePoint)
                   : a.CodePoint == b.CodePoint;
  };
  auto matchesAt = [&](int32_t p) {
    if (model::Utf8CharStart(text, static_cast<size_t>(p)) != static_cast<size_t>(p))
      return false;
    size_t at = static_cast<size_t>(p);
    for (size_t q = 0; q < pattern.size();) {
      const model::TUtf8Char wanted = model::DecodeUtf8At(pattern, q);
      if (at > static_cast<size_t>(high))
        return false;
      const model::TUtf8Char c = model::DecodeUtf8At(text, at);
      if (at + c.Length - 1 > static_cast<size_t>(high) || !alike(c, wanted))
        return false;
      at += c.Length;
      q += wanted.Length;
    }
    return true;
  };
  return FirstMatchInRange(from, to, low, high, matchesAt);
}

// An editor that keeps its own copy of the text from the notifications alone.
class TMirrorEditor : public TQvEditor {
 public:
  std::string Mirror;

  void DataChanged() override {}
  void DataReset() override { Mirror = Data() ? std::string(Data()->ContiguousView()) : std::string(); }
  void DataDeleted(int32_t position, int32_t count, std::string_view deletedText) override {
    ASSERT_EQ(Mirror.substr(static_cast<size_t>(position), static_cast<size_t>(count)), deletedText);
    Mirror.erase(static_cast<size_t>(position), static_cast<size_t>(count));
  }
  void DataInserted(int32_t position, std::string_view insertedText) override {
    Mirror.insert(static_cast<size_t>(position), insertedText);
  }
};

// Typing near a moving caret and jumps elsewhere, with reads and every search after each change, and an
// owner that follows along. The pieces are few and alike under case folding, so that matches are frequent.
TEST(QvEditorDataRandom, MatchesAStdStringAndPlainSearchesOverALongRandomRun) {
  const std::vector<std::string> pieces = {
      "a", "b", "A", "k", "K", "\xE2\x84\xAA", "\xC3\xA9", "\xC3\x89", "\xC3", "\xA9", "s", "\xC5\xBF", "\n"};
  std::mt19937 random(77);
  auto below = [&random](int32_t bound) { return std::uniform_int_distribution<int32_t>(0, bound)(random); };
  auto randomText = [&](int32_t pieceCount) {
    std::string made;
    for (int32_t i = 0; i < pieceCount; ++i)
      made += pieces[static_cast<size_t>(below(static_cast<int32_t>(pieces.size()) - 1))];
    return made;
  };

  TQvEditorDataBuffered data;
  TMirrorEditor editor;
  editor.SetData(&data);
  std::string expected;
  int32_t caret = 0;
  for (int step = 0; step < 4000; ++step) {
    SCOPED_TRACE(step);
    const int32_t size = static_cast<int32_t>(expected.size());
    caret = below(3) == 0 ? below(size) : std::clamp(caret + below(6) - 3, 0, size);
    if (below(2) == 0 || size < 8) {
      const std::string text = randomText(below(4));
      data.Insert(caret, text);
      expected.insert(static_cast<size_t>(caret), text);
    } else {
      const int32_t count = std::min(below(3), size - caret);
      ASSERT_EQ(data.DeleteRange(caret, count),
                expected.substr(static_cast<size_t>(caret), static_cast<size_t>(count)));
      expected.erase(static_cast<size_t>(caret), static_cast<size_t>(count));
    }
    ASSERT_EQ(data.Size(), static_cast<int32_t>(expected.size()));

    const int32_t last = std::max(data.Size() - 1, 0);
    const int32_t from = below(last);
    const int32_t to = below(last);
    ASSERT_EQ(data.GetText(from, to),
              expected.empty() ? "" : expected.substr(std::min(from, to), std::abs(to - from) + 1));
    const std::string pattern =
        below(2) == 0 && !expected.empty()
            ? expected.substr(static_cast<size_t>(from), static_cast<size_t>(below(4)))
            : randomText(1 + below(2));
    ASSERT_EQ(data.FindText(pattern, from, to), ReferenceFind(expected, pattern, from, to)) << pattern;
    ASSERT_EQ(data.FindTextIgnoreCase(pattern, from, to),
              ReferenceFindIgnoringCase(expected, pattern, from, to))
        << pattern;
    ASSERT_EQ(data.FindChar(pattern[0], from, to), ReferenceFind(expected, pattern.substr(0, 1), from, to));
  }
  EXPECT_EQ(data.ContiguousView(), expected);
  EXPECT_EQ(editor.Mirror, expected);
}

}  // namespace
}  // namespace velmora::editor
