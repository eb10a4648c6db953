// UTF-8 decoding and boundary helpers. Text is held as bytes; a byte that starts no valid sequence is a
// character of its own, so nothing is ever dropped or split.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora::model {

// One character of a byte string: a code point of a valid sequence, or a single byte that is not one.
struct TUtf8Char {
  char32_t CodePoint = 0;  // for an invalid byte: the byte's value
  uint8_t Length = 1;      // bytes taken, 1 to 4
  bool Valid = true;       // false for a byte that starts no well-formed sequence
};

// Decodes the character starting at Pos (which must be inside Text). Overlong forms, surrogates and values
// above U+10FFFF are invalid, as is a sequence cut short.
TUtf8Char DecodeUtf8At(std::string_view text, size_t pos);

bool IsValidUtf8(std::string_view text);

// Appends the UTF-8 encoding of a code point (which must be a scalar value).
void AppendUtf8(std::string& out, char32_t codePoint);

// Start of the character that holds byte Pos (Pos itself when it starts one). Pos may equal Text's size.
size_t Utf8CharStart(std::string_view text, size_t pos);

// The largest cut at or below MaxBytes that does not split a valid sequence.
inline size_t Utf8CutPoint(std::string_view text, size_t maxBytes) {
  return maxBytes >= text.size() ? text.size() : Utf8CharStart(text, maxBytes);
}

// Start of the character after the one at Pos.
inline size_t Utf8NextCharStart(std::string_view text, size_t pos) {
  return pos >= text.size() ? text.size() : pos + DecodeUtf8At(text, pos).Length;
}

}  // namespace velmora::model
