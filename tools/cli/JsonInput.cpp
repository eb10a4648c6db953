// Depth-bounded JSON parsing.
#include "JsonInput.h"

#include <string_view>

namespace velmora::cli {

namespace {

// The deepest point of nested arrays and objects is measured on the raw text, strings skipped, so that a
// hostile input is refused before anything is built from it.
void CheckNestingDepth(std::string_view text, size_t maxDepth) {
  size_t depth = 0;
  size_t line = 1;
  size_t column = 0;
  bool inString = false;
  bool escaped = false;
  for (char c : text) {
    ++column;
    if (c == '\n') {
      ++line;
      column = 0;
    }
    if (inString) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        inString = false;
      }
      continue;
    }
    switch (c) {
      case '"':
        inString = true;
        break;
      case '[':
      case '{':
        if (++depth > maxDepth) {
          throw EBadJson("line " + std::to_string(line) + ", column " + std::to_string(column) +
                         ": arrays and objects are nested deeper than " + std::to_string(maxDepth) +
                         " levels");
        }
        break;
      case ']':
      case '}':
        if (depth > 0)
          --depth;  // an unbalanced text is the parser's to report
        break;
      default:
        break;
    }
  }
}

// The parser's message without its "[json.exception.parse_error.101] " tag.
std::string ParserMessage(const nlohmann::ordered_json::parse_error& error) {
  std::string_view message = error.what();
  if (message.starts_with("[json.exception.")) {
    const size_t end = message.find("] ");
    if (end != std::string_view::npos)
      message.remove_prefix(end + 2);
  }
  return std::string(message);
}

}  // namespace

nlohmann::ordered_json ParseJsonBounded(std::string_view text, size_t maxDepth) {
  CheckNestingDepth(text, maxDepth);
  try {
    return nlohmann::ordered_json::parse(text);
  } catch (const nlohmann::ordered_json::parse_error& error) {
    throw EBadJson(ParserMessage(error));
  }
}

}  // namespace velmora::cli
