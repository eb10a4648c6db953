// Runs the built velmora-cli as a separate process and collects its exit code and output, and gives each
// test a scratch folder for the files it passes to the tool.
#pragma once

#include <string>
#include <vector>

namespace velmora::tests {

struct TToolResult {
  int ExitCode = -1;  // the exit status, or minus the signal number for a process that was killed
  std::string Out;
  std::string Err;
};

// Runs velmora-cli with Args, Input on its standard input, without a shell.
TToolResult RunTool(const std::vector<std::string>& args, const std::string& input = {});

// A fresh folder removed with its contents at the end of the test.
class TScratchFolder {
 public:
  TScratchFolder();
  ~TScratchFolder();
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  std::string Path(const std::string& name) const { return FPath + "/" + name; }

 private:
  std::string FPath;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

}  // namespace velmora::tests
