// Turning the bytes of a text file into UTF-8: byte-order-mark detection and block-wise conversion.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora::editor {

enum class TTextFileEncoding {
  Bytes,              // no mark: the bytes as they are
  Utf8,               // EF BB BF
  Utf16LittleEndian,  // FF FE
  Utf16BigEndian,     // FE FF
};

struct TByteOrderMark {
  TTextFileEncoding Encoding = TTextFileEncoding::Bytes;
  size_t Length = 0;  // bytes of the mark, skipped before decoding
};

// Looks at the first bytes of a file (at least three, when the file has them).
TByteOrderMark DetectByteOrderMark(std::string_view start);

// Converts a file block by block to UTF-8. A code unit, surrogate pair or UTF-8 sequence cut by the end of
// a block is carried over to the next one. Whatever is malformed (an unpaired surrogate, a bad UTF-8
// sequence, an odd byte at the end of UTF-16) becomes one U+FFFD per maximal broken part and decoding goes
// on, so nothing after it is lost; valid UTF-8 is kept byte for byte. Bytes pass through unchanged.
class TTextFileDecoder {
 public:
  explicit TTextFileDecoder(TTextFileEncoding encoding) : FEncoding(encoding) {}

  // Appends the UTF-8 of Block to Out.
  void Decode(std::string_view block, std::string& out);
  // The end of the input: an incomplete unit or sequence still carried becomes U+FFFD.
  void Finish(std::string& out);

  // The most bytes Decode can append for a block of InputSize bytes.
  static size_t MaxOutputSize(size_t inputSize) { return inputSize * 3 + 8; }

 private:
  char* DecodeUtf16(std::string_view block, char* out);
  char* DecodeUtf8(std::string_view block, char* out);

  TTextFileEncoding FEncoding;
  // UTF-16: the first byte of a unit cut by a block's end, and a high surrogate waiting for its pair.
  bool FHasOddByte = false;
  unsigned char FOddByte = 0;
  char32_t FHighSurrogate = 0;  // 0 when none waits
  // UTF-8: the sequence being read: its code point so far, how many continuation bytes are still
  // needed, and the range the next one must lie in.
  char32_t FCodePoint = 0;
  int FNeeded = 0;
  unsigned char FLower = 0x80;
  unsigned char FUpper = 0xBF;
};

}  // namespace velmora::editor
