// Reading JSON text from outside: the nesting depth is bounded before the text is parsed, and every
// problem is raised as one error that names where it is.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace velmora::cli {

// JSON the inspector cannot take: the message names the place (a line and column, or a path such as
// children[2].kind) and what is wrong there.
class EBadJson : public std::runtime_error {
 public:
  explicit EBadJson(const std::string& message) : std::runtime_error(message) {}
};

// Arrays and objects nested deeper than MaxDepth are refused without parsing; a text that is not JSON is
// refused with the parser's line and column.
nlohmann::ordered_json ParseJsonBounded(std::string_view text, size_t maxDepth);

}  // namespace velmora::cli
