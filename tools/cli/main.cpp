// velmora-cli: prints, builds and checks Velmora collection files, and reads, copies and watches the
// clipboard, from the command line.
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "ClipboardCommands.h"
#include "Commands.h"

namespace {

constexpr char kUsage[] =
    "Usage: velmora-cli COMMAND ARGUMENTS\n"
    "Prints, builds and checks Velmora collection files (.vmc).\n"
    "\n"
    "  dump FILE.vmc             print the collection as JSON\n"
    "  build OUT.vmc [IN.json]   write a collection from JSON read from IN.json or standard input\n"
    "  check FILE.vmc            exit 0 if the file can be read; otherwise print why and exit 1\n"
    "  clipboard read|copy|watch read, copy or watch the X11 clipboard (clipboard --help for more)\n"
    "  --help                    show this text\n"
    "\n"
    "Exit codes: 0 success, 1 a file could not be read or written, 2 bad JSON or bad arguments.\n";

int Usage(std::string_view problem) {
  std::cerr << "velmora-cli: " << problem << "\n\n" << kUsage;
  return velmora::cli::kExitBadInput;
}

int Run(int argc, char** argv) {
  using namespace velmora::cli;
  if (argc < 2) {
    std::cerr << kUsage;
    return kExitBadInput;
  }
  const std::string_view command = argv[1];
  const int operands = argc - 2;
  if (command == "--help" || command == "-h" || command == "help") {
    std::cout << kUsage;
    return kExitOk;
  }
  if (command == "dump") {
    if (operands != 1)
      return Usage("dump takes one collection file");
    return RunDump(argv[2]);
  }
  if (command == "build") {
    if (operands < 1 || operands > 2)
      return Usage("build takes an output file and, optionally, a JSON file");
    return RunBuild(argv[2], operands == 2 ? std::optional<std::string>(argv[3]) : std::nullopt);
  }
  if (command == "check") {
    if (operands != 1)
      return Usage("check takes one collection file");
    return RunCheck(argv[2]);
  }
  if (command == "clipboard")
    return RunClipboard(argc, argv);
  return Usage("unknown command \"" + std::string(command) + "\"");
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& error) {
    // Nothing the commands expect gets here; still end with a message rather than an abort.
    std::cerr << "velmora-cli: " << error.what() << '\n';
    return velmora::cli::kExitFailure;
  }
}
