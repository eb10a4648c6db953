// The block of the "Text with binary characters" format: a signed 32-bit little-endian byte count, then
// that many bytes, so that a text may hold NUL bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora::exchange {

inline constexpr char kTextTooLargeMessage[] = "The text is too large for the clipboard";

// The count and the bytes; a text whose count does not fit the signed field is refused.
std::string EncodeBinaryText(std::string_view text);

// The text inside Block, without copying it. None when the block cannot hold its count, or the count is 0
// or less, or the count runs past the block: the reader then falls back to the standard text. Bytes after
// the counted ones are ignored.
std::optional<std::string_view> DecodeBinaryText(std::string_view block);

}  // namespace velmora::exchange
