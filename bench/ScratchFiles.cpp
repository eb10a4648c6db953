// The benchmarks' scratch folder and its file helpers.
#include "ScratchFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace velmora::bench {

namespace {

class TScratchFolder {
 public:
  TScratchFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/velmora-bench.XXXXXX";
    if (!::mkdtemp(pattern.data()))
      throw std::runtime_error("Cannot create a scratch folder: " + std::string(std::strerror(errno)));
    FPath = pattern;
  }
  ~TScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
  }
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  const std::string& Path() const { return FPath; }

 private:
  std::string FPath;
};

}  // namespace

const std::string& ScratchFolder() {
  static const TScratchFolder folder;
  return folder.Path();
}

std::string ScratchPath(std::string_view name) {
  return ScratchFolder() + "/" + std::string(name);
}

void WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0)
      throw std::runtime_error("write failed: " + std::string(std::strerror(errno)));
    bytes.remove_prefix(static_cast<size_t>(written));
  }
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (descriptor < 0)
    throw std::runtime_error("Cannot create " + path + ": " + std::strerror(errno));
  WriteAll(descriptor, bytes);
  if (::close(descriptor) != 0)
    throw std::runtime_error("Cannot close " + path + ": " + std::strerror(errno));
}

}  // namespace velmora::bench
