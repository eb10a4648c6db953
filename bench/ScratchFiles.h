// The scratch folder the benchmarks write their files to, and plain whole-file writes.
#pragma once

#include <string>
#include <string_view>

namespace velmora::bench {

// A new folder under $TMPDIR (or /tmp), made on first use and removed with its contents when the program
// ends.
const std::string& ScratchFolder();

// ScratchFolder() + "/" + Name.
std::string ScratchPath(std::string_view name);

// Creates or truncates Path and writes Bytes to it, with plain write calls; raises std::runtime_error.
void WriteBytes(const std::string& path, std::string_view bytes);

// Writes everything with as few write calls as the system allows; raises std::runtime_error.
void WriteAll(int descriptor, std::string_view bytes);

}  // namespace velmora::bench
