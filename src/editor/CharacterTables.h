// The character classes the editors share: word characters, and the byte tables for ASCII text.
#pragma once

#include <array>
#include <bitset>

namespace velmora::editor {

// A set of byte values, for FindCharInSet.
using TByteSet = std::bitset<256>;

// Letters and digits of any script, and "_": what a word is made of for word moves, double-click
// selection and whole-word search.
bool IsWordChar(char32_t codePoint);

// The ASCII bytes that are word characters. Bytes 0x80-0xFF are in neither this set nor NonWordChars: each
// is part of a multi-byte character (or an invalid byte), which only IsWordChar on the decoded character
// can classify.
const TByteSet& WordChars();
// The ASCII bytes that are not word characters.
const TByteSet& NonWordChars();

// Byte n lower-cased when it is an ASCII letter, itself otherwise: bytes of multi-byte characters are never
// mapped one by one. Case-insensitive search folds whole code points instead (see TextSearch.h).
const std::array<unsigned char, 256>& LowerCaseTable();

}  // namespace velmora::editor
