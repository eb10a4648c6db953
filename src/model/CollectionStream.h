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

// Delivers bytes to a reader in pieces, e.g. from an open file.
class TByteSource {
 public:
  virtual ~TByteSource() = default;
  // Reads up to Count bytes into Into; 0 only at the end (an error raises).
  virtual size_t ReadSome(char* into, size_t count) = 0;
};

// Reads from a block of bytes that outlives the reader, or from a source known to hold Size bytes,
// through a window so that no copy of the whole source is made. A read past the end raises
// "Stream read error".
class TStreamReader {
 public:
  explicit TStreamReader(std::string_view data) : FWindow(data), FSize(data.size()) {}
  TStreamReader(TByteSource& source, uint64_t size) : FSize(size), FSource(&source) {}
  TStreamReader(const TStreamReader&) = delete;  // the window may point into its own buffer
  TStreamReader& operator=(const TStreamReader&) = delete;

  uint8_t ReadByte();
  int32_t ReadInt32();
  // A signed 32-bit length, then that many bytes; a length of 0 or less is the empty string.
  std::string ReadString();

  uint64_t Position() const { return FWindowStart + FWindowPosition; }
  uint64_t Remaining() const { return FSize - Position(); }
  bool AtEnd() const { return Remaining() == 0; }

 private:
  void Need(uint64_t count) const;
  void Refill();
  void ReadInto(char* into, size_t count);

  std::string_view FWindow;    // the bytes at hand
  size_t FWindowPosition = 0;  // invariant: FWindowPosition <= FWindow.size()
  uint64_t FWindowStart = 0;   // position of FWindow's first byte in the whole stream
  uint64_t FSize;              // invariant: Position() <= FSize
  TByteSource* FSource = nullptr;
  std::string FBuffer;  // backs FWindow when reading from a source
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
