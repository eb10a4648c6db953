// Standard base64 (RFC 4648, with padding) for collection strings that are not valid UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora::cli {

std::string EncodeBase64(std::string_view bytes);

// The bytes, or nothing when Text is not canonical padded base64: a length that is not a multiple of 4, a
// character outside the alphabet, padding anywhere but at the end, or set bits after the last byte.
std::optional<std::string> DecodeBase64(std::string_view text);

}  // namespace velmora::cli
