#include "model/Utf8.h"

namespace velmora::model {

TUtf8Char DecodeUtf8At(std::string_view text, size_t pos) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t size = text.size();
  const unsigned char lead = bytes[pos];
  if (lead < 0x80)
    return {lead, 1, true};

  size_t length;
  char32_t codePoint;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, codePoint = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, codePoint = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, codePoint = lead & 0x07, minimum = 0x10000;
  } else {
    return {lead, 1, false};
  }
  if (size - pos < length)
    return {lead, 1, false};
  for (size_t i = 1; i < length; ++i) {
    const unsigned char next = bytes[pos + i];
    if ((next & 0xC0) != 0x80)
      return {lead, 1, false};
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return {lead, 1, false};
  }
  return {codePoint, static_cast<uint8_t>(length), true};
}

bool IsValidUtf8(std::string_view text) {
  for (size_t pos = 0; pos < text.size();) {
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      ++pos;
      continue;
    }
    const TUtf8Char c = DecodeUtf8At(text, pos);
    if (!c.Valid)
      return false;
    pos += c.Length;
  }
  return true;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out.push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
}

size_t Utf8CharStart(std::string_view text, size_t pos) {
  if (pos >= text.size())
    return text.size();
  auto isContinuation = [&](size_t at) { return (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80; };
  if (!isContinuation(pos))
    return pos;
  // A character is at most 4 bytes: the lead can be at most 3 bytes back, and only a valid sequence that
  // reaches past Pos claims it; otherwise the byte at Pos is a character of its own.
  for (size_t back = 1; back <= 3 && back <= pos; ++back) {
    const size_t lead = pos - back;
    if (isContinuation(lead))
      continue;
    const TUtf8Char c = DecodeUtf8At(text, lead);
    return c.Valid && lead + c.Length > pos ? lead : pos;
  }
  return pos;
}

}  // namespace velmora::model
