// The text helpers of the undo captions: filling "%s" into a caption and shortening quoted text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora::editor {

// Quoted text longer than this many characters is cut.
inline constexpr size_t kUndoTextMaxChars = 50;

// Replaces every "%s" in Pattern with Argument and every "%%" with "%"; any other "%" stays as it is. The
// argument is inserted as it is, so a "%s" inside it is not filled again.
std::string Format(std::string_view pattern, std::string_view argument);

// The text an item quotes in its description. Text is UTF-8: when it holds more than 50 characters (code
// points, an invalid byte counting as one) it is cut after the 50th, never inside a sequence, and "..." is
// appended; then every byte below 32 (line breaks, tabs, other control characters) is removed.
std::string ShortenUndoText(std::string_view text);

}  // namespace velmora::editor
