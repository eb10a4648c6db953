// Reading files: an open file as a byte source for a stream reader, and a whole file at once.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "model/CollectionStream.h"

namespace velmora::model {

// An open regular file, read from its start. Raises "Cannot open file ..." with the system's reason
// when it cannot be opened (or is a folder), and "Cannot read file ..." when a read fails.
class TFileSource final : public TByteSource {
 public:
  explicit TFileSource(const std::string& path);
  ~TFileSource() override;
  TFileSource(const TFileSource&) = delete;  // owns the descriptor
  TFileSource& operator=(const TFileSource&) = delete;

  // The size and last-write time when the file was opened.
  uint64_t Size() const { return FSize; }
  std::time_t ModifiedSeconds() const { return FModifiedSeconds; }
  long ModifiedNanoseconds() const { return FModifiedNanoseconds; }

  size_t ReadSome(char* into, size_t count) override;

 private:
  std::string FPath;
  int FDescriptor = -1;
  uint64_t FSize = 0;
  std::time_t FModifiedSeconds = 0;
  long FModifiedNanoseconds = 0;
};

struct TFileContents {
  std::string Bytes;
  std::time_t ModifiedSeconds = 0;
  long ModifiedNanoseconds = 0;
};

// The whole file, read to its end (also when it grew since it was opened).
TFileContents ReadWholeFile(const std::string& path);

}  // namespace velmora::model
