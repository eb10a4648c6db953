// Case mapping of UTF-8 text per code point (simple case mapping, so one code point stays one code point).
// Bytes that are not valid UTF-8 are kept as they are.
#pragma once

#include <string>
#include <string_view>

namespace velmora::model {

char32_t LowerCodePoint(char32_t codePoint);
char32_t UpperCodePoint(char32_t codePoint);
// Simple case folding: the form two texts are compared in when case does not matter.
char32_t FoldCodePoint(char32_t codePoint);

std::string LowerCaseUtf8(std::string_view text);
std::string UpperCaseUtf8(std::string_view text);

// Equal lengths and equal bytes, ASCII letters compared without case.
bool SameTextIgnoringAsciiCase(std::string_view a, std::string_view b);

inline char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

}  // namespace velmora::model
