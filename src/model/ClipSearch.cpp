#include "model/ClipSearch.h"

#include "model/CaseMapping.h"
#include "model/Utf8.h"

namespace velmora::model {

namespace {

// An invalid byte is a character of its own; it only ever matches the same byte.
constexpr char32_t kInvalidByteBase = 0x110000;

struct TAsciiFold {
  char32_t Table[128];
  TAsciiFold() {
    for (char32_t c = 0; c < 128; ++c)
      Table[c] = FoldCodePoint(c);
  }
};

const TAsciiFold& AsciiFold() {
  static const TAsciiFold fold;
  return fold;
}

// The folded character at Pos, and its length.
inline char32_t FoldedCharAt(std::string_view text, size_t pos, size_t& length) {
  const auto byte = static_cast<unsigned char>(text[pos]);
  if (byte < 0x80) {
    length = 1;
    return AsciiFold().Table[byte];
  }
  const TUtf8Char c = DecodeUtf8At(text, pos);
  length = c.Length;
  return c.Valid ? FoldCodePoint(c.CodePoint) : kInvalidByteBase + byte;
}

}  // namespace

TClipSearch::TClipSearch(std::string_view searchText) {
  for (size_t pos = 0, length = 0; pos < searchText.size(); pos += length) {
    FNeedle.push_back(FoldedCharAt(searchText, pos, length));
  }
  if (FNeedle.empty())
    return;
  const char32_t first = FNeedle.front();
  for (unsigned byte = 0; byte < 256; ++byte) {
    if (byte < 0x80) {
      FAsciiStart[byte] = AsciiFold().Table[byte] == first;
    } else {
      // A lead byte may begin any character, including one that folds to an ASCII letter (the Kelvin
      // sign folds to k); a stray continuation byte begins only itself.
      FAsciiStart[byte] = (byte >= 0xC2 && byte <= 0xF4) || first == kInvalidByteBase + byte;
    }
  }
}

bool TClipSearch::FoundIn(std::string_view text) const {
  if (FNeedle.empty())
    return true;
  const size_t size = text.size();
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  for (size_t pos = 0; pos < size;) {
    if (!FAsciiStart[bytes[pos]]) {
      ++pos;
      continue;
    }
    size_t firstLength = 0;
    size_t at = pos;
    bool matched = true;
    for (size_t i = 0; i < FNeedle.size(); ++i) {
      if (at >= size)
        return false;  // the rest of the text is shorter than the search text
      size_t length = 0;
      if (FoldedCharAt(text, at, length) != FNeedle[i]) {
        matched = false;
        if (i == 0)
          firstLength = length;
        break;
      }
      if (i == 0)
        firstLength = length;
      at += length;
    }
    if (matched)
      return true;
    pos += firstLength;
  }
  return false;
}

}  // namespace velmora::model
