// The inspector's subcommands; each returns the process exit code.
#pragma once

#include <optional>
#include <string>

namespace velmora::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;   // a file could not be read or written
inline constexpr int kExitBadInput = 2;  // bad JSON or a bad command line

// Prints the collection at Path as JSON on standard output.
int RunDump(const std::string& path);
// Writes the collection described by the JSON in InputPath (standard input when absent) to OutputPath.
int RunBuild(const std::string& outputPath, const std::optional<std::string>& inputPath);
// Loads the collection at Path; prints its counts, or the load error on standard error.
int RunCheck(const std::string& path);

}  // namespace velmora::cli
