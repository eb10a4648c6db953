// Tests of the line break and case helpers used on clip text.
#include "model/TextHelpers.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/CaseMapping.h"
#include "model/Utf8.h"

namespace velmora::model {
namespace {

using namespace std::string_literals;

// --- FindLineBreak ---

struct TFindCase {
  const char* Name;
  std::string Text;
  size_t StartPos;
  size_t ExpectedPos;
  TLineBreakKind ExpectedKind;
};

TEST(FindLineBreak, ReportsEachBreakKindAtItsOneBasedPosition) {
  const std::vector<TFindCase> cases = {
      {"empty text", "", 1, 1, TLineBreakKind::None},
      {"no break runs past the end", "abc", 1, 4, TLineBreakKind::None},
      {"lone LF", "ab\ncd", 1, 3, TLineBreakKind::Lf},
      {"CR LF ends on the LF", "ab\r\ncd", 1, 4, TLineBreakKind::CrLf},
      {"lone CR", "ab\rcd", 1, 3, TLineBreakKind::Cr},
      {"lone CR at the end", "ab\r", 1, 3, TLineBreakKind::Cr},
      {"LF at the end", "ab\n", 1, 3, TLineBreakKind::Lf},
      {"CR LF at the end", "ab\r\n", 1, 4, TLineBreakKind::CrLf},
      {"LF at the start", "\nab", 1, 1, TLineBreakKind::Lf},
      {"CR LF at the start", "\r\nab", 1, 2, TLineBreakKind::CrLf},
      {"start on a break stays there", "a\nb\nc", 2, 2, TLineBreakKind::Lf},
      {"start after a break finds the next", "a\nb\nc", 3, 4, TLineBreakKind::Lf},
      {"LF then CR are two breaks", "a\n\rb", 1, 2, TLineBreakKind::Lf},
      {"CR after LF is lone", "a\n\rb", 3, 3, TLineBreakKind::Cr},
      {"CR before CR LF is lone", "\r\r\n", 1, 1, TLineBreakKind::Cr},
      {"second CR pairs with the LF", "\r\r\n", 2, 3, TLineBreakKind::CrLf},
      {"start past the end", "ab", 3, 3, TLineBreakKind::None},
      {"NUL and non-ASCII are not breaks", "a\0\xc3\xa9\xff\n"s, 1, 6, TLineBreakKind::Lf},
      // The bytes of U+010A and U+010D end in 0x8A and 0x8D, not 0x0A and 0x0D.
      {"no break inside a multi-byte character", "\xc4\x8a\xc4\x8d", 1, 5, TLineBreakKind::None},
  };
  for (const TFindCase& c : cases) {
    SCOPED_TRACE(c.Name);
    size_t pos = c.StartPos;
    TLineBreakKind kind = TLineBreakKind::Cr;
    FindLineBreak(c.Text, pos, kind);
    EXPECT_EQ(pos, c.ExpectedPos);
    EXPECT_EQ(kind, c.ExpectedKind);
  }
}

TEST(FindLineBreak, SplitsATextIntoLinesWhenCalledFromJustAfterEachBreak) {
  const std::string text = "one\r\ntwo\nthree\r\rfive\r\n";
  std::vector<std::string> lines;
  std::vector<TLineBreakKind> kinds;
  size_t pos = 1;
  for (;;) {
    const size_t lineStart = pos;
    TLineBreakKind kind;
    FindLineBreak(text, pos, kind);
    const size_t breakLength = kind == TLineBreakKind::CrLf ? 2 : kind == TLineBreakKind::None ? 0 : 1;
    // Pos is on the last byte of the break, so the line ends before its first byte.
    const size_t lineEnd = pos - (breakLength == 0 ? 0 : breakLength - 1);
    lines.push_back(text.substr(lineStart - 1, lineEnd - lineStart));
    kinds.push_back(kind);
    if (kind == TLineBreakKind::None)
      break;
    ++pos;
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "", "five", ""}));
  EXPECT_EQ(kinds,
            (std::vector<TLineBreakKind>{TLineBreakKind::CrLf, TLineBreakKind::Lf, TLineBreakKind::Cr,
                                         TLineBreakKind::Cr, TLineBreakKind::CrLf, TLineBreakKind::None}));
}

// --- LineBreakLength ---

struct TLengthCase {
  const char* Name;
  std::string Text;
  size_t StartPos;
  size_t Length;
  size_t ExpectedPos;
  size_t ExpectedSize;
};

TEST(LineBreakLength, MeasuresTheBreakWithinTheFirstLengthBytes) {
  const std::vector<TLengthCase> cases = {
      {"CR LF is two bytes, ending on the LF", "ab\r\ncd", 1, 6, 4, 2},
      {"lone LF is one byte", "ab\ncd", 1, 5, 3, 1},
      {"lone CR is one byte", "ab\rcd", 1, 5, 3, 1},
      {"lone CR at the end", "ab\r", 1, 3, 3, 1},
      {"no break runs to just past the end", "abc", 1, 3, 4, 1},
      {"CR LF at the start", "\r\nab", 1, 4, 2, 2},
      {"CR LF at the end", "ab\r\n", 1, 4, 4, 2},
      {"a break beyond Length is not reached", "abc\n", 1, 3, 4, 1},
      {"the LF after a CR at Length is not counted", "ab\r\ncd", 1, 3, 3, 1},
      {"Length zero looks at nothing", "\r\n", 1, 0, 1, 1},
      {"Length beyond the text stops at its end", "ab", 1, 10, 3, 1},
      {"Length beyond the text still sees a CR LF", "a\r\n", 1, 10, 3, 2},
      {"starts from Pos", "a\r\nb\r\n", 4, 6, 6, 2},
      {"starting on a lone LF stays there", "a\nb", 2, 3, 2, 1},
  };
  for (const TLengthCase& c : cases) {
    SCOPED_TRACE(c.Name);
    size_t pos = c.StartPos;
    size_t size = 0;
    LineBreakLength(c.Text, pos, c.Length, size);
    EXPECT_EQ(pos, c.ExpectedPos);
    EXPECT_EQ(size, c.ExpectedSize);
  }
}

// --- ConvertLineBreaks ---

// One input and what each of the three styles makes of it.
struct TConvertCase {
  const char* Name;
  std::string Text;
  std::string ToCrLf;
  std::string ToLf;
  std::string ToCr;
};

TEST(ConvertLineBreaks, ConvertsEveryBreakKindToEachStyle) {
  const std::vector<TConvertCase> cases = {
      {"empty", "", "", "", ""},
      {"no break", "abc", "abc", "abc", "abc"},
      {"CR LF", "a\r\nb", "a\r\nb", "a\nb", "a\rb"},
      {"lone LF", "a\nb", "a\r\nb", "a\nb", "a\rb"},
      {"lone CR", "a\rb", "a\r\nb", "a\nb", "a\rb"},
      {"all three kinds", "a\rb\nc\r\nd", "a\r\nb\r\nc\r\nd", "a\nb\nc\nd", "a\rb\rc\rd"},
      {"LF then CR is two breaks", "a\n\rb", "a\r\n\r\nb", "a\n\nb", "a\r\rb"},
      {"CR then CR LF", "\r\r\n", "\r\n\r\n", "\n\n", "\r\r"},
      {"CR LF then LF", "\r\n\n", "\r\n\r\n", "\n\n", "\r\r"},
      {"two lone LFs", "\n\n", "\r\n\r\n", "\n\n", "\r\r"},
      {"lone CR at the end", "ab\r", "ab\r\n", "ab\n", "ab\r"},
      {"lone LF at the end", "ab\n", "ab\r\n", "ab\n", "ab\r"},
      {"CR LF at the end", "ab\r\n", "ab\r\n", "ab\n", "ab\r"},
      {"break at the start", "\nab\r", "\r\nab\r\n", "\nab\n", "\rab\r"},
      {"only a break", "\r", "\r\n", "\n", "\r"},
      {"NUL and invalid bytes kept", "\0\xff\n\xc3"s, "\0\xff\r\n\xc3"s, "\0\xff\n\xc3"s, "\0\xff\r\xc3"s},
  };
  for (const TConvertCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(ConvertLineBreaks(TLineBreakKind::CrLf, c.Text), c.ToCrLf);
    EXPECT_EQ(ConvertLineBreaks(TLineBreakKind::Lf, c.Text), c.ToLf);
    EXPECT_EQ(ConvertLineBreaks(TLineBreakKind::Cr, c.Text), c.ToCr);
  }
}

TEST(ConvertLineBreaks, LeavesTheTextAsItIsForAnyOtherStyle) {
  const std::string text = "a\rb\nc\r\nd\0\xff"s;
  EXPECT_EQ(ConvertLineBreaks(TLineBreakKind::None, text), text);
  EXPECT_EQ(ConvertLineBreaks(static_cast<TLineBreakKind>(4), text), text);
  EXPECT_EQ(ConvertLineBreaks(static_cast<TLineBreakKind>(255), text), text);
}

// Builds a random text from pieces whose breaks are known, so the expected result of a conversion is
// assembled from the same pieces rather than by scanning the text again.
TEST(ConvertLineBreaks, MatchesAReferenceOnALongRandomMix) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> pick(0, 9);
  std::uniform_int_distribution<int> anyByte(0, 255);

  std::string text;
  std::string crLf;
  std::string lf;
  std::string cr;
  bool lastWasLoneCr = false;
  while (text.size() < 200000) {
    const int choice = pick(random);
    if (choice <= 2) {
      if (choice == 0) {
        // An LF right after a lone CR would join it into a CR LF; that pair comes from choice 1.
        if (lastWasLoneCr)
          continue;
        text += '\n';
      } else if (choice == 1) {
        text += "\r\n";
      } else {
        text += '\r';
      }
      crLf += "\r\n";
      lf += '\n';
      cr += '\r';
      lastWasLoneCr = choice == 2;
    } else {
      // Any byte but a break byte, NUL and invalid bytes included.
      char c;
      do {
        c = static_cast<char>(anyByte(random));
      } while (c == '\r' || c == '\n');
      text += c;
      crLf += c;
      lf += c;
      cr += c;
      lastWasLoneCr = false;
    }
  }
  EXPECT_EQ(ConvertLineBreaks(TLineBreakKind::CrLf, text), crLf);
  EXPECT_EQ(ConvertLineBreaks(TLineBreakKind::Lf, text), lf);
  EXPECT_EQ(ConvertLineBreaks(TLineBreakKind::Cr, text), cr);
}

// A text made only of breaks is the worst case for a conversion that inserts or erases in place; run
// in one pass this takes milliseconds.
TEST(ConvertLineBreaks, ConvertsAMultiMegabyteTextOfBreaks) {
  std::string text;
  for (int i = 0; i < 1'000'000; ++i)
    text += "\n\r\r\n";
  const std::string crLf = ConvertLineBreaks(TLineBreakKind::CrLf, text);
  ASSERT_EQ(crLf.size(), 6'000'000u);
  EXPECT_EQ(crLf.substr(crLf.size() - 6), "\r\n\r\n\r\n");
  const std::string lf = ConvertLineBreaks(TLineBreakKind::Lf, text);
  EXPECT_EQ(lf, std::string(3'000'000, '\n'));
  EXPECT_EQ(ConvertLineBreaks(TLineBreakKind::Cr, crLf), std::string(3'000'000, '\r'));
}

// --- Case changes ---

struct TCaseCase {
  const char* Name;
  std::string Text;
  std::string Expected;
};

TEST(SentenceCase, LowersTheTextAndCapitalisesItsFirstCharacter) {
  const std::vector<TCaseCase> cases = {
      {"empty", "", ""},
      {"mixed ASCII", "hELLO wORLD. sECOND one", "Hello world. second one"},
      {"only the very first character", "ONE. TWO", "One. two"},
      {"leading space is the first character", " ABC", " abc"},
      {"leading digit", "1ST", "1st"},
      {"Latin-1 letter", "éCOLE", "École"},
      {"Greek", "σΟΦΙΑ", "Σοφια"},
      {"Cyrillic", "пРИВЕТ", "Привет"},
      {"leading invalid byte kept, rest lowered",
       "\xff"
       "ABC",
       "\xff"
       "abc"},
      {"leading cut-short sequence kept",
       "\xc3"
       "ABC",
       "\xc3"
       "abc"},
      {"NUL kept", "\0ABC\0D"s, "\0abc\0d"s},
      {"upper case that grows", "ȺȺ", "Ⱥⱥ"},
      {"dotless i upper-cases to I", "ıX", "Ix"},
  };
  for (const TCaseCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(SentenceCase(c.Text), c.Expected);
  }
}

TEST(InitialCaps, CapitalisesTheFirstCharacterOfEachWord) {
  const std::vector<TCaseCase> cases = {
      {"empty", "", ""},
      {"plain words", "hello WORLD", "Hello World"},
      {"hyphen separates", "FOO-BAR", "Foo-Bar"},
      {"digit takes the capital", "1st place", "1st Place"},
      {"letter after an opening apostrophe", "'tis", "'Tis"},
      {"several opening apostrophes", "''tis", "''Tis"},
      {"letter after an apostrophe inside a word", "DON'T", "Don't"},
      {"apostrophes on both sides", "rock 'N' ROLL", "Rock 'N' Roll"},
      {"every separator", "a!b\"c#d$e%f&g(h)i*j+k,l-m.n<o?p[q{r s", "A!B\"C#D$E%F&G(H)I*J+K,L-M.N<O?P[Q{R S"},
      {"punctuation that does not separate", "a;b:c/d=e>f@g\\h]i_j}k~l^m`n|o",
       "A;b:c/d=e>f@g\\h]i_j}k~l^m`n|o"},
      {"control characters separate",
       "a\tb\nc\rd\x1f"
       "e",
       "A\tB\nC\rD\x1f"
       "E"},
      {"NUL separates and is kept", "a\0b"s, "A\0B"s},
      {"DEL does not separate",
       "a\x7f"
       "b",
       "A\x7f"
       "b"},
      {"middle dot separates", "a·b", "A·B"},
      {"cedilla does not", "a¸b", "A¸b"},
      {"no-break space does not", "a\u00a0b", "A\u00a0b"},
      {"Latin-1 letters", "éLAN VITAL", "Élan Vital"},
      {"Greek", "ΚΑΛΗ ΜΕΡΑ", "Καλη Μερα"},
      {"Cyrillic", "ДОБРЫЙ ДЕНЬ", "Добрый День"},
      {"invalid byte at a word start takes the capital",
       "\xff"
       "ABC DEF",
       "\xff"
       "abc Def"},
      {"invalid byte inside a word kept",
       "A\xff"
       "B C",
       "A\xff"
       "b C"},
      {"stray continuation byte kept",
       "x \x80"
       "Y",
       "X \x80"
       "y"},
      {"case change that grows and shrinks", "ȺB ȺB", "Ⱥb Ⱥb"},
      {"dotless i at a word start", "ıx ı", "Ix I"},
  };
  for (const TCaseCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(InitialCaps(c.Text), c.Expected);
  }
}

// Checks the word separators one by one over the first 0x250 code points: between two letters a
// separator capitalises the second, anything else leaves it lower case.
TEST(InitialCaps, SeparatesWordsAtExactlyTheListedCharacters) {
  auto isSeparator = [](char32_t c) {
    return c <= 0x26 || (c >= 0x28 && c <= 0x2E) || c == U'<' || c == U'?' || c == U'[' || c == U'{' ||
           c == 0xB7;
  };
  for (char32_t c = 0; c < 0x250; ++c) {
    std::string text = "a";
    AppendUtf8(text, c);
    text += "b";
    std::string expected = "A";
    AppendUtf8(expected, LowerCodePoint(c));
    expected += isSeparator(c) ? "B" : "b";
    SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<uint32_t>(c));
    EXPECT_EQ(InitialCaps(text), expected);
  }
}

TEST(InvertCase, SwapsTheCaseOfEachCharacter) {
  const std::vector<TCaseCase> cases = {
      {"empty", "", ""},
      {"ASCII letters", "Hello World", "hELLO wORLD"},
      {"digits and punctuation unchanged", "123 !?.,-'_/", "123 !?.,-'_/"},
      {"Latin-1 letters", "éÉ", "Éé"},
      {"Greek", "ΑβΓ", "αΒγ"},
      {"Cyrillic", "ПрИвЕт", "пРиВеТ"},
      {"NUL and invalid bytes kept",
       "a\0\xff"
       "B"s,
       "A\0\xff"
       "b"s},
      {"cut-short sequence does not swallow the next byte",
       "\xc3"
       "A",
       "\xc3"
       "a"},
      {"overlong form kept",
       "\xc0\xaf"
       "x",
       "\xc0\xaf"
       "X"},
      {"lower case that grows", "Ⱥ", "ⱥ"},
      {"upper case that shrinks", "ⱥ", "Ⱥ"},
      {"dotless i", "ı", "I"},
      {"sharp s has no simple upper case", "ß", "ß"},
  };
  for (const TCaseCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(InvertCase(c.Text), c.Expected);
  }
}

}  // namespace
}  // namespace velmora::model
