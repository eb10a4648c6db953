#include "model/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "model/Errors.h"

namespace velmora::model {

namespace {

std::string SystemError(int error) {
  return std::strerror(error);
}

[[noreturn]] void RaiseFileError(const char* what, const std::string& path, int error) {
  throw EVelmoraError(std::string(what) + " \"" + path + "\". " + SystemError(error) + ".");
}

// Buffers small writes and passes large ones straight through to the descriptor.
class TFileStreamWriter final : public TStreamWriter {
 public:
  explicit TFileStreamWriter(int descriptor) : FDescriptor(descriptor) { FBuffer.reserve(kBufferSize); }

  void Write(const void* data, size_t count) override {
    if (FBuffer.size() + count > kBufferSize) {
      Flush();
      if (count >= kBufferSize) {
        WriteAll(static_cast<const char*>(data), count);
        return;
      }
    }
    FBuffer.insert(FBuffer.end(), static_cast<const char*>(data), static_cast<const char*>(data) + count);
  }

  void Flush() {
    WriteAll(FBuffer.data(), FBuffer.size());
    FBuffer.clear();
  }

 private:
  static constexpr size_t kBufferSize = 1 << 20;

  void WriteAll(const char* data, size_t count) {
    while (count > 0) {
      const ssize_t written = ::write(FDescriptor, data, count);
      if (written < 0 && errno == EINTR)
        continue;
      if (written <= 0)
        throw EVelmoraError(kStreamWriteError);
      data += written;
      count -= static_cast<size_t>(written);
    }
  }

  int FDescriptor;
  std::vector<char> FBuffer;
};

// The file a write to Path really changes: a symbolic link is followed, so the link survives.
std::string ResolveTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    if (char* resolved = ::realpath(path.c_str(), nullptr)) {
      std::string target(resolved);
      std::free(resolved);
      return target;
    }
  }
  return path;
}

}  // namespace

void WriteFileAtomically(const std::string& path, const std::function<void(TStreamWriter&)>& produce) {
  const std::string target = ResolveTarget(path);
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temporary = folder + (slash == std::string::npos ? "/." : ".") + base + ".XXXXXX";

  const int descriptor = ::mkostemp(temporary.data(), O_CLOEXEC);  // created with mode 0600
  if (descriptor < 0)
    RaiseFileError("Cannot create file", path, errno);
  auto discard = [&] {
    ::close(descriptor);
    ::unlink(temporary.c_str());
  };
  try {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0)
      ::fchmod(descriptor, existing.st_mode & 07777);
    TFileStreamWriter writer(descriptor);
    produce(writer);
    writer.Flush();
    if (::fsync(descriptor) != 0)
      throw EVelmoraError(kStreamWriteError);
  } catch (...) {
    discard();
    throw;
  }
  if (::close(descriptor) != 0) {
    ::unlink(temporary.c_str());
    throw EVelmoraError(kStreamWriteError);
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    RaiseFileError("Cannot create file", path, error);
  }
  // Make the rename itself durable.
  const int folderDescriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderDescriptor >= 0) {
    ::fsync(folderDescriptor);
    ::close(folderDescriptor);
  }
}

}  // namespace velmora::model
