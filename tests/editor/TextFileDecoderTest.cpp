// Tests of byte-order-mark detection and of the block-wise UTF-16 and UTF-8 conversion: malformed input,
// units and sequences cut at every possible block boundary, and every scalar value round the trip.
#include "editor/TextFileDecoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Utf8.h"

namespace velmora::editor {
namespace {

using namespace std::string_literals;

const std::string kReplacement = "\xEF\xBF\xBD";

// Decodes Input in blocks of BlockSize bytes (the last one shorter).
std::string DecodeInBlocks(TTextFileEncoding encoding, std::string_view input, size_t blockSize) {
  TTextFileDecoder decoder(encoding);
  std::string out;
  for (size_t at = 0; at < input.size(); at += blockSize)
    decoder.Decode(input.substr(at, blockSize), out);
  decoder.Finish(out);
  return out;
}

TEST(DetectByteOrderMark, RecognisesTheThreeMarksAndNothingElse) {
  struct TCase {
    std::string Start;
    TTextFileEncoding Encoding;
    size_t Length;
  };
  const std::vector<TCase> cases = {
      {"", TTextFileEncoding::Bytes, 0},
      {"\xFE", TTextFileEncoding::Bytes, 0},
      {"\xFE\xFF", TTextFileEncoding::Utf16BigEndian, 2},
      {"\xFF\xFE", TTextFileEncoding::Utf16LittleEndian, 2},
      {"\xFF\xFE\0\0"s, TTextFileEncoding::Utf16LittleEndian, 2},  // UTF-32 is not told apart
      {"\xEF\xBB", TTextFileEncoding::Bytes, 0},
      {"\xEF\xBB\xBF", TTextFileEncoding::Utf8, 3},
      {"\xEF\xBB\xBFtext", TTextFileEncoding::Utf8, 3},
      {"text\xFF\xFE", TTextFileEncoding::Bytes, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.Start));
    const TByteOrderMark mark = DetectByteOrderMark(c.Start);
    EXPECT_EQ(mark.Encoding, c.Encoding);
    EXPECT_EQ(mark.Length, c.Length);
  }
}

// Every case is decoded whole, cut in two at every place, and byte by byte: the result never depends on
// where the blocks end.
TEST(TextFileDecoder, DecodesTheSameWhereverTheBlocksEnd) {
  struct TCase {
    const char* Name;
    TTextFileEncoding Encoding;
    std::string Input;
    std::string Expected;
  };
  const auto le = TTextFileEncoding::Utf16LittleEndian;
  const auto be = TTextFileEncoding::Utf16BigEndian;
  const auto utf8 = TTextFileEncoding::Utf8;
  const std::string grin = "\xF0\x9F\x98\x80";  // U+1F600
  const std::string r = kReplacement;
  const std::vector<TCase> cases = {
      {"LE, BMP characters", le, "A\0\xE9\0\xAC\x20"s, "A\xC3\xA9\xE2\x82\xAC"},
      {"BE, BMP characters", be, "\0A\0\xE9\x20\xAC"s, "A\xC3\xA9\xE2\x82\xAC"},
      {"LE, a surrogate pair", le, "\x3D\xD8\x00\xDE"s, grin},
      {"BE, a surrogate pair", be, "\xD8\x3D\xDE\x00"s, grin},
      {"LE, the highest code point", le, "\xFF\xDB\xFF\xDF"s, "\xF4\x8F\xBF\xBF"},
      {"LE, NUL is a character", le, "\0\0x\0"s, "\0x"s},
      {"LE, a high surrogate before text", le, "\x00\xD8x\0"s, r + "x"},
      {"LE, a low surrogate alone", le, "\x00\xDCx\0"s, r + "x"},
      {"LE, two high surrogates, then a pair", le, "\x00\xD8\x3D\xD8\x00\xDE"s, r + grin},
      {"LE, a high surrogate at the end", le, "x\0\x00\xD8"s, "x" + r},
      {"LE, an odd byte at the end", le, "x\0y"s, "x" + r},
      {"LE, a high surrogate and an odd byte at the end", le, "\x00\xD8y"s, r + r},
      {"UTF-8, valid text byte for byte", utf8, "a\xC3\xA9\xE2\x82\xAC" + grin,
       "a\xC3\xA9\xE2\x82\xAC" + grin},
      {"UTF-8, a stray byte", utf8,
       "a\xFF"
       "b",
       "a" + r + "b"},
      {"UTF-8, a stray continuation byte", utf8,
       "a\x80"
       "b",
       "a" + r + "b"},
      {"UTF-8, a sequence cut short is one character", utf8, "\xE2\x82x", r + "x"},
      {"UTF-8, cut short at the end", utf8, "x\xF0\x9F\x98", "x" + r},
      {"UTF-8, a lead after a lead", utf8, "\xC3\xC3\xA9", r + "\xC3\xA9"},
      {"UTF-8, an overlong form", utf8, "\xC0\xAF", r + r},
      {"UTF-8, an overlong three-byte form", utf8, "\xE0\x80\x80", r + r + r},
      {"UTF-8, an encoded surrogate", utf8, "\xED\xA0\x80", r + r + r},
      {"UTF-8, above U+10FFFF", utf8, "\xF4\x90\x80\x80", r + r + r + r},
      {"UTF-8, the replacement character itself", utf8, r, r},
      {"bytes pass unchanged", TTextFileEncoding::Bytes, "\0\xFF\xFE\xC3"s, "\0\xFF\xFE\xC3"s},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(DecodeInBlocks(c.Encoding, c.Input, c.Input.size() + 1), c.Expected);
    EXPECT_EQ(DecodeInBlocks(c.Encoding, c.Input, 1), c.Expected);
    for (size_t cut = 0; cut <= c.Input.size(); ++cut) {
      TTextFileDecoder decoder(c.Encoding);
      std::string out;
      decoder.Decode(std::string_view(c.Input).substr(0, cut), out);
      decoder.Decode(std::string_view(c.Input).substr(cut), out);
      decoder.Finish(out);
      EXPECT_EQ(out, c.Expected) << "cut at " << cut;
    }
  }
}

// Every scalar value, in both byte orders, in blocks that cut units and surrogate pairs in every way.
TEST(TextFileDecoder, ConvertsEveryScalarValueLosslessly) {
  std::string little;
  std::string big;
  std::string expected;
  auto putUnit = [&](char16_t unit) {
    little.push_back(static_cast<char>(unit & 0xFF));
    little.push_back(static_cast<char>(unit >> 8));
    big.push_back(static_cast<char>(unit >> 8));
    big.push_back(static_cast<char>(unit & 0xFF));
  };
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF)
      continue;
    if (c < 0x10000) {
      putUnit(static_cast<char16_t>(c));
    } else {
      putUnit(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      putUnit(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
    model::AppendUtf8(expected, c);
  }
  for (const size_t blockSize : {size_t{65536}, size_t{65535}, size_t{4093}}) {
    SCOPED_TRACE(blockSize);
    EXPECT_TRUE(DecodeInBlocks(TTextFileEncoding::Utf16LittleEndian, little, blockSize) == expected);
    EXPECT_TRUE(DecodeInBlocks(TTextFileEncoding::Utf16BigEndian, big, blockSize) == expected);
    EXPECT_TRUE(DecodeInBlocks(TTextFileEncoding::Utf8, expected, blockSize) == expected);
  }
}

}  // namespace
}  // namespace velmora::editor
