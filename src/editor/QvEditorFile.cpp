// Loading a file into the data block by block, converting marked UTF-16 and UTF-8 text, and saving it.
#include "editor/QvEditorFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "editor/TextFileDecoder.h"
#include "model/AtomicFile.h"
#include "model/Errors.h"

namespace velmora::editor {

namespace {

constexpr size_t kBlockSize = 65536;

[[noreturn]] void RaiseFileError(const char* what, const std::string& fileName, const std::string& reason) {
  throw EVelmoraError(std::string(what) + " \"" + fileName + "\". " + reason + ".");
}

[[noreturn]] void RaiseTooLarge(const std::string& fileName) {
  throw EVelmoraError("Cannot load file \"" + fileName + "\": an editor holds less than 2 GiB of text.");
}

int64_t AgeOf(const struct stat& info) {
  return static_cast<int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
}

// Closes the descriptor however the load ends.
class TDescriptor {
 public:
  explicit TDescriptor(int descriptor) : FDescriptor(descriptor) {}
  ~TDescriptor() {
    if (FDescriptor >= 0)
      ::close(FDescriptor);
  }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;

  int Get() const { return FDescriptor; }

 private:
  int FDescriptor;
};

// Reads until Count bytes have come or the file ends; returns how many came.
size_t ReadFully(int descriptor, char* buffer, size_t count, const std::string& fileName) {
  size_t used = 0;
  while (used < count) {
    const ssize_t got = ::read(descriptor, buffer + used, count - used);
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0)
      RaiseFileError("Cannot read file", fileName, std::strerror(errno));
    if (got == 0)
      break;
    used += static_cast<size_t>(got);
  }
  return used;
}

}  // namespace

int64_t TQvEditorFile::AgeOfFile(const std::string& fileName) {
  struct stat info {};
  if (fileName.empty() || ::stat(fileName.c_str(), &info) != 0)
    return -1;
  return AgeOf(info);
}

void TQvEditorFile::New() {
  FFileName.clear();
  FFileAge = -1;
  SetReadOnly(false);
  Clear();
}

void TQvEditorFile::LoadFromFile(const std::string& fileName, bool detectUnicode) {
  try {
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below as not a regular file.
    bool readOnly = false;
    int descriptor = ::open(fileName.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
      descriptor = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
      if (descriptor < 0)
        RaiseFileError("Cannot open file", fileName, std::strerror(errno));
      readOnly = true;
    }
    const TDescriptor file(descriptor);
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0)
      RaiseFileError("Cannot read file", fileName, std::strerror(errno));
    if (S_ISDIR(info.st_mode))
      RaiseFileError("Cannot open file", fileName, std::strerror(EISDIR));
    if (!S_ISREG(info.st_mode))
      RaiseFileError("Cannot open file", fileName, "It is not a regular file");
    if (info.st_size > MaxSize())
      RaiseTooLarge(fileName);

    std::string text = ReadText(file.Get(), static_cast<size_t>(info.st_size), detectUnicode, fileName);
    if (::fstat(file.Get(), &info) != 0)
      RaiseFileError("Cannot read file", fileName, std::strerror(errno));
    FFileName = fileName;
    FFileAge = AgeOf(info);
    SetReadOnly(readOnly);
    ReplaceContent(std::move(text));
  } catch (...) {
    New();
    throw;
  }
}

std::string TQvEditorFile::ReadText(int descriptor, size_t expectedSize, bool detectUnicode,
                                    const std::string& fileName) const {
  const size_t limit = static_cast<size_t>(MaxSize());
  std::string text(kBlockSize, '\0');
  text.resize(ReadFully(descriptor, text.data(), kBlockSize, fileName));
  const TByteOrderMark mark = detectUnicode ? DetectByteOrderMark(text) : TByteOrderMark{};

  if (mark.Encoding == TTextFileEncoding::Bytes) {
    // The size is only a hint (the file may change while it is read): read on to the end, but never
    // further than one byte past the limit, which is enough to know the file is too large.
    size_t used = text.size();
    bool atEnd = used < kBlockSize;
    text.reserve(std::min(std::max(expectedSize, used), limit) + kBlockSize);
    while (!atEnd && used <= limit) {
      const size_t wanted =
          std::min(used < expectedSize ? expectedSize - used : kBlockSize, limit + 1 - used);
      text.resize(used + wanted);
      const size_t got = ReadFully(descriptor, text.data() + used, wanted, fileName);
      used += got;
      atEnd = got < wanted;
    }
    text.resize(used);
    if (used > limit)
      RaiseTooLarge(fileName);
    return text;
  }

  // Marked text: block by block through the decoder. UTF-16 takes about half as many bytes as UTF-8 for
  // most text, so that is what is reserved; the text grows beyond it as needed.
  TTextFileDecoder decoder(mark.Encoding);
  std::string decoded;
  decoded.reserve(
      std::min(mark.Encoding == TTextFileEncoding::Utf8 ? expectedSize : expectedSize / 2, limit));
  std::string_view block = std::string_view(text).substr(mark.Length);
  for (;;) {
    decoder.Decode(block, decoded);
    if (decoded.size() > limit)
      RaiseTooLarge(fileName);
    if (text.size() < kBlockSize)
      break;
    text.resize(kBlockSize);
    text.resize(ReadFully(descriptor, text.data(), kBlockSize, fileName));
    block = text;
  }
  decoder.Finish(decoded);
  if (decoded.size() > limit)
    RaiseTooLarge(fileName);
  return decoded;
}

void TQvEditorFile::SaveToFile(const std::string& fileName) {
  const std::string_view bytes = ContiguousView();
  model::WriteFileAtomically(
      fileName, [bytes](model::TStreamWriter& writer) { writer.Write(bytes.data(), bytes.size()); });
  if (!FFileName.empty() && fileName == FFileName)
    ResetFileAge();
}

bool TQvEditorFile::FileChanged() const {
  const int64_t age = AgeOfFile(FFileName);
  return age != -1 && age != FFileAge;
}

void TQvEditorFile::ResetFileAge() {
  FFileAge = AgeOfFile(FFileName);
}

}  // namespace velmora::editor
