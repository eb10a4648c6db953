#include "model/CollectionStream.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "model/Errors.h"

namespace velmora::model {

namespace {

// Bytes taken from a source at a time; larger strings are read straight into their destination.
constexpr size_t kReadWindow = 1 << 20;

}  // namespace

void TStreamReader::Need(uint64_t count) const {
  if (count > Remaining())
    throw EVelmoraError(kStreamReadError);
}

void TStreamReader::Refill() {
  FWindowStart += FWindow.size();
  FWindowPosition = 0;
  FWindow = {};
  if (!FSource)
    throw EVelmoraError(kStreamReadError);
  if (FBuffer.size() < kReadWindow)
    FBuffer.resize(kReadWindow);
  const size_t wanted = static_cast<size_t>(std::min<uint64_t>(kReadWindow, Remaining()));
  const size_t got = FSource->ReadSome(FBuffer.data(), wanted);
  if (got == 0)
    throw EVelmoraError(kStreamReadError);  // the source ended before its announced size
  FWindow = std::string_view(FBuffer.data(), got);
}

void TStreamReader::ReadInto(char* into, size_t count) {
  Need(count);
  while (count > 0) {
    size_t available = FWindow.size() - FWindowPosition;
    if (available == 0) {
      if (FSource && count >= kReadWindow) {
        // Straight into the destination: a large text is copied once.
        FWindowStart += FWindow.size();
        FWindowPosition = 0;
        FWindow = {};
        while (count > 0) {
          const size_t got = FSource->ReadSome(into, count);
          if (got == 0)
            throw EVelmoraError(kStreamReadError);
          FWindowStart += got;
          into += got;
          count -= got;
        }
        return;
      }
      Refill();
      available = FWindow.size();
    }
    const size_t piece = std::min(available, count);
    std::memcpy(into, FWindow.data() + FWindowPosition, piece);
    FWindowPosition += piece;
    into += piece;
    count -= piece;
  }
}

uint8_t TStreamReader::ReadByte() {
  Need(1);
  if (FWindowPosition == FWindow.size())
    Refill();
  return static_cast<uint8_t>(FWindow[FWindowPosition++]);
}

int32_t TStreamReader::ReadInt32() {
  unsigned char bytes[4];
  ReadInto(reinterpret_cast<char*>(bytes), 4);
  const uint32_t value = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
                         (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
  return static_cast<int32_t>(value);
}

std::string TStreamReader::ReadString() {
  const int32_t length = ReadInt32();
  if (length <= 0)
    return {};
  const auto count = static_cast<size_t>(length);
  Need(count);  // before allocating: a lying length costs nothing
  if (FWindow.size() - FWindowPosition >= count) {
    std::string text(FWindow.substr(FWindowPosition, count));
    FWindowPosition += count;
    return text;
  }
  std::string text(count, '\0');
  ReadInto(text.data(), count);
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
