#include "model/CollectionStream.h"

#include <cstring>
#include <limits>

#include "model/Errors.h"

namespace velmora::model {

void TStreamReader::Need(size_t count) const {
  if (count > Remaining())
    throw EVelmoraError(kStreamReadError);
}

uint8_t TStreamReader::ReadByte() {
  Need(1);
  return static_cast<uint8_t>(FData[FPosition++]);
}

int32_t TStreamReader::ReadInt32() {
  Need(4);
  const auto* bytes = reinterpret_cast<const unsigned char*>(FData.data() + FPosition);
  FPosition += 4;
  const uint32_t value = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
                         (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
  return static_cast<int32_t>(value);
}

std::string TStreamReader::ReadString() {
  const int32_t length = ReadInt32();
  if (length <= 0)
    return {};
  Need(static_cast<size_t>(length));
  std::string text(FData.substr(FPosition, static_cast<size_t>(length)));
  FPosition += static_cast<size_t>(length);
  return text;
}

void TStreamWriter::WriteInt32(int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  const unsigned char bytes[4] = {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
                                  static_cast<unsigned char>(bits >> 16),
                                  static_cast<unsigned char>(bits >> 24)};
  Write(bytes, 4);
}

void TStreamWriter::WriteString(std::string_view text) {
  if (text.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    throw EVelmoraError(kStreamWriteError);
  }
  WriteInt32(static_cast<int32_t>(text.size()));
  if (!text.empty())
    Write(text.data(), text.size());
}

void TStringStreamWriter::Write(const void* data, size_t count) {
  FData.append(static_cast<const char*>(data), count);
}

}  // namespace velmora::model
