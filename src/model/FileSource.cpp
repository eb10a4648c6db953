#include "model/FileSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "model/Errors.h"

namespace velmora::model {

namespace {

[[noreturn]] void RaiseFileError(const char* what, const std::string& path, int error) {
  throw EVelmoraError(std::string(what) + " \"" + path + "\". " + std::strerror(error) + ".");
}

}  // namespace

TFileSource::TFileSource(const std::string& path) : FPath(path) {
  FDescriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (FDescriptor < 0)
    RaiseFileError("Cannot open file", path, errno);
  struct stat info {};
  if (::fstat(FDescriptor, &info) != 0 || S_ISDIR(info.st_mode)) {
    const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
    ::close(FDescriptor);
    RaiseFileError("Cannot open file", path, error);
  }
  FSize = info.st_size > 0 ? static_cast<uint64_t>(info.st_size) : 0;
  FModifiedSeconds = info.st_mtim.tv_sec;
  FModifiedNanoseconds = info.st_mtim.tv_nsec;
}

TFileSource::~TFileSource() {
  ::close(FDescriptor);
}

size_t TFileSource::ReadSome(char* into, size_t count) {
  for (;;) {
    const ssize_t got = ::read(FDescriptor, into, count);
    if (got >= 0)
      return static_cast<size_t>(got);
    if (errno != EINTR)
      RaiseFileError("Cannot read file", FPath, errno);
  }
}

TFileContents ReadWholeFile(const std::string& path) {
  TFileSource source(path);
  TFileContents contents;
  contents.ModifiedSeconds = source.ModifiedSeconds();
  contents.ModifiedNanoseconds = source.ModifiedNanoseconds();
  // Read into a buffer of the file's size; only a file that grew meanwhile needs more room.
  contents.Bytes.resize(source.Size());
  size_t used = 0;
  for (;;) {
    if (used == contents.Bytes.size()) {
      char probe[65536];
      const size_t got = source.ReadSome(probe, sizeof probe);
      if (got == 0)
        break;
      contents.Bytes.append(probe, got);
      used += got;
      continue;
    }
    const size_t got = source.ReadSome(contents.Bytes.data() + used, contents.Bytes.size() - used);
    if (got == 0)
      break;
    used += got;
  }
  contents.Bytes.resize(used);
  return contents;
}

}  // namespace velmora::model
