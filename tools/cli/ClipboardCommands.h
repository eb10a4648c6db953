// The clipboard subcommands of velmora-cli: reading, copying and watching the real X11 clipboard.
#pragma once

namespace velmora::cli {

// Runs "clipboard SUBCOMMAND ..."; Argv[0] is the program, Argv[1] "clipboard". Returns the exit code.
int RunClipboard(int argc, char** argv);

}  // namespace velmora::cli
