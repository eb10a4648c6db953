#include "model/CaseMapping.h"

#include <unicode/uchar.h>

#include "model/Utf8.h"

namespace velmora::model {

char32_t LowerCodePoint(char32_t codePoint) {
  return static_cast<char32_t>(u_tolower(codePoint));
}
char32_t UpperCodePoint(char32_t codePoint) {
  return static_cast<char32_t>(u_toupper(codePoint));
}
char32_t FoldCodePoint(char32_t codePoint) {
  return static_cast<char32_t>(u_foldCase(codePoint, U_FOLD_CASE_DEFAULT));
}

namespace {

template <class Map>
std::string MapEachCodePoint(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const TUtf8Char c = DecodeUtf8At(text, pos);
    if (c.Valid) {
      AppendUtf8(out, map(c.CodePoint));
    } else {
      out.push_back(text[pos]);
    }
    pos += c.Length;
  }
  return out;
}

}  // namespace

std::string LowerCaseUtf8(std::string_view text) {
  return MapEachCodePoint(text, LowerCodePoint);
}
std::string UpperCaseUtf8(std::string_view text) {
  return MapEachCodePoint(text, UpperCodePoint);
}

bool SameTextIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i]))
      return false;
  }
  return true;
}

}  // namespace velmora::model
