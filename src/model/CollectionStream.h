// The primitives of the collection byte layout: little-endian integers and counted strings, read from a
// block of bytes and written to a sink. Every read checks what is left before it takes or allocates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora::model {

inline constexpr char kStreamReadError[] = "Stream read error";
inline constexpr char kStreamWriteError[] = "Stream write error";

// Reads from a block of bytes that outlives the reader. A read past the end raises "Stream read error".
class TStreamReader {
 public:
  explicit TStreamReader(std::string_view data) : FData(data) {}

  uint8_t ReadByte();
  int32_t ReadInt32();
  // A signed 32-bit length, then that many bytes; a length of 0 or less is the empty string.
  std::string ReadString();

  size_t Position() const { return FPosition; }
  size_t Remaining() const { return FData.size() - FPosition; }
  bool AtEnd() const { return FPosition == FData.size(); }

 private:
  void Need(size_t count) const;

  std::string_view FData;
  size_t FPosition = 0;  // invariant: FPosition <= FData.size()
};

// Writes to a sink chosen by the subclass. A failed write raises "Stream write error".
class TStreamWriter {
 public:
  virtual ~TStreamWriter() = default;
  virtual void Write(const void* data, size_t count) = 0;

  void WriteByte(uint8_t value) { Write(&value, 1); }
  void WriteInt32(int32_t value);
  // Writes the exact length and the bytes; a text of 2 GiB or more cannot be counted and is refused.
  void WriteString(std::string_view text);
};

// Collects everything written in memory.
class TStringStreamWriter final : public TStreamWriter {
 public:
  void Write(const void* data, size_t count) override;
  const std::string& Data() const { return FData; }
  std::string TakeData() { return std::move(FData); }

 private:
  std::string FData;
};

}  // namespace velmora::model
