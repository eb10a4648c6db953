// Encoding and checked decoding of the binary text block.
#include "exchange/BinaryText.h"

#include <cstdint>
#include <limits>

#include "exchange/LittleEndian.h"
#include "model/Errors.h"

namespace velmora::exchange {

namespace {

constexpr size_t kCountSize = 4;

}  // namespace

std::string EncodeBinaryText(std::string_view text) {
  if (text.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
    throw EVelmoraError(kTextTooLargeMessage);
  std::string block;
  block.reserve(kCountSize + text.size());
  detail::AppendUint32(block, static_cast<uint32_t>(text.size()));
  block.append(text);
  return block;
}

std::optional<std::string_view> DecodeBinaryText(std::string_view block) {
  if (block.size() < kCountSize)
    return std::nullopt;
  const int32_t count = detail::ReadInt32At(block, 0);
  if (count <= 0 || static_cast<size_t>(count) > block.size() - kCountSize)
    return std::nullopt;
  return block.substr(kCountSize, static_cast<size_t>(count));
}

}  // namespace velmora::exchange
