// Builds the shared character tables once, on first use.
#include "editor/CharacterTables.h"

#include <unicode/uchar.h>

namespace velmora::editor {

bool IsWordChar(char32_t codePoint) {
  return codePoint == U'_' || u_isalnum(static_cast<UChar32>(codePoint));
}

const TByteSet& WordChars() {
  static const TByteSet set = [] {
    TByteSet made;
    for (char32_t c = 0; c < 0x80; ++c)
      made[c] = IsWordChar(c);
    return made;
  }();
  return set;
}

const TByteSet& NonWordChars() {
  static const TByteSet set = [] {
    TByteSet made;
    for (char32_t c = 0; c < 0x80; ++c)
      made[c] = !WordChars()[c];
    return made;
  }();
  return set;
}

const std::array<unsigned char, 256>& LowerCaseTable() {
  static const std::array<unsigned char, 256> table = [] {
    std::array<unsigned char, 256> made{};
    for (unsigned n = 0; n < 256; ++n)
      made[n] = static_cast<unsigned char>(n >= 'A' && n <= 'Z' ? n + ('a' - 'A') : n);
    return made;
  }();
  return table;
}

}  // namespace velmora::editor
