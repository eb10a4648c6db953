// Running grep -c -i -F as the baseline that case-insensitive searches are measured against.
#pragma once

#include <string>
#include <vector>

namespace velmora::bench {

// The environment with LC_ALL=C.UTF-8, so that grep folds case per UTF-8 character as our searches do.
std::vector<std::string> GrepEnvironment();

// Runs grep -c -i -F Needle Path with its output sent to /dev/null; returns its exit status, or -1.
int RunGrep(const std::string& needle, const std::string& path, const std::vector<std::string>& environment);

}  // namespace velmora::bench
