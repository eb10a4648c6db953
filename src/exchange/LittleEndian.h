// Little-endian 32-bit integers in a byte string, for the clipboard blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora::exchange::detail {

// Reads the four bytes at Pos, which the caller has checked lie inside Bytes.
inline uint32_t ReadUint32At(std::string_view bytes, size_t pos) {
  return static_cast<uint32_t>(static_cast<unsigned char>(bytes[pos])) |
         (static_cast<uint32_t>(static_cast<unsigned char>(bytes[pos + 1])) << 8) |
         (static_cast<uint32_t>(static_cast<unsigned char>(bytes[pos + 2])) << 16) |
         (static_cast<uint32_t>(static_cast<unsigned char>(bytes[pos + 3])) << 24);
}

inline int32_t ReadInt32At(std::string_view bytes, size_t pos) {
  return static_cast<int32_t>(ReadUint32At(bytes, pos));
}

inline void AppendUint32(std::string& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

}  // namespace velmora::exchange::detail
