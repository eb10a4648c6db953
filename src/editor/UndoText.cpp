// Filling and shortening the texts that undo items show in menus and hints.
#include "editor/UndoText.h"

#include "model/Utf8.h"

namespace velmora::editor {

std::string Format(std::string_view pattern, std::string_view argument) {
  std::string result;
  result.reserve(pattern.size() + argument.size());
  for (size_t pos = 0; pos < pattern.size(); ++pos) {
    const char c = pattern[pos];
    if (c == '%' && pos + 1 < pattern.size()) {
      if (pattern[pos + 1] == 's') {
        result += argument;
        ++pos;
        continue;
      }
      if (pattern[pos + 1] == '%') {
        result += '%';
        ++pos;
        continue;
      }
    }
    result += c;
  }
  return result;
}

std::string ShortenUndoText(std::string_view text) {
  size_t cut = 0;
  size_t chars = 0;
  while (cut < text.size() && chars < kUndoTextMaxChars) {
    cut = model::Utf8NextCharStart(text, cut);
    ++chars;
  }
  const bool shortened = cut < text.size();
  std::string result;
  result.reserve(cut + 3);
  // Bytes below 32 never occur inside a multi-byte sequence, so removing them keeps the rest intact.
  for (const char c : text.substr(0, cut))
    if (static_cast<unsigned char>(c) >= 32)
      result += c;
  if (shortened)
    result += "...";
  return result;
}

}  // namespace velmora::editor
