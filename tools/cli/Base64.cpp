// Standard base64 encoding and strict decoding.
#include "Base64.h"

#include <array>
#include <cstdint>

namespace velmora::cli {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int8_t kNotInAlphabet = -1;

constexpr std::array<int8_t, 256> MakeDecodeTable() {
  std::array<int8_t, 256> table{};
  table.fill(kNotInAlphabet);
  for (int8_t i = 0; i < 64; ++i)
    table[static_cast<unsigned char>(kAlphabet[i])] = i;
  return table;
}

constexpr std::array<int8_t, 256> kDecodeTable = MakeDecodeTable();

}  // namespace

std::string EncodeBase64(std::string_view bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  size_t pos = 0;
  for (; pos + 3 <= bytes.size(); pos += 3) {
    const uint32_t group = static_cast<uint32_t>(static_cast<unsigned char>(bytes[pos])) << 16 |
                           static_cast<uint32_t>(static_cast<unsigned char>(bytes[pos + 1])) << 8 |
                           static_cast<uint32_t>(static_cast<unsigned char>(bytes[pos + 2]));
    text.push_back(kAlphabet[(group >> 18) & 63]);
    text.push_back(kAlphabet[(group >> 12) & 63]);
    text.push_back(kAlphabet[(group >> 6) & 63]);
    text.push_back(kAlphabet[group & 63]);
  }
  const size_t rest = bytes.size() - pos;
  if (rest > 0) {
    uint32_t group = static_cast<uint32_t>(static_cast<unsigned char>(bytes[pos])) << 16;
    if (rest == 2)
      group |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[pos + 1])) << 8;
    text.push_back(kAlphabet[(group >> 18) & 63]);
    text.push_back(kAlphabet[(group >> 12) & 63]);
    text.push_back(rest == 2 ? kAlphabet[(group >> 6) & 63] : '=');
    text.push_back('=');
  }
  return text;
}

std::optional<std::string> DecodeBase64(std::string_view text) {
  if (text.size() % 4 != 0)
    return std::nullopt;
  size_t padding = 0;
  if (!text.empty() && text.back() == '=')
    padding = text[text.size() - 2] == '=' ? 2 : 1;
  std::string bytes;
  bytes.reserve(text.size() / 4 * 3);
  for (size_t pos = 0; pos < text.size(); pos += 4) {
    const bool last = pos + 4 == text.size();
    const size_t digits = last ? 4 - padding : 4;
    uint32_t group = 0;
    for (size_t i = 0; i < 4; ++i) {
      int8_t value = 0;
      if (i < digits) {
        value = kDecodeTable[static_cast<unsigned char>(text[pos + i])];
        if (value == kNotInAlphabet)
          return std::nullopt;  // includes '=' before the padding
      }
      group = group << 6 | static_cast<uint32_t>(value);
    }
    bytes.push_back(static_cast<char>(group >> 16));
    if (digits >= 3)
      bytes.push_back(static_cast<char>(group >> 8));
    if (digits == 4)
      bytes.push_back(static_cast<char>(group));
    // The bits below the last whole byte must be clear, or two texts would decode to the same bytes.
    if (digits == 3 && (group & 0xFF) != 0)
      return std::nullopt;
    if (digits == 2 && (group & 0xFFFF) != 0)
      return std::nullopt;
  }
  return bytes;
}

}  // namespace velmora::cli
