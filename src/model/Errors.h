// The error types of the whole program: a failure the user is told about, and a silent cancel.
#pragma once

#include <stdexcept>
#include <string>

namespace velmora {

// A failure with a message meant for the user; the command boundary shows it.
class EVelmoraError : public std::runtime_error {
 public:
  explicit EVelmoraError(const std::string& message) : std::runtime_error(message) {}
};

// The user cancelled somewhere in a chain of questions: unwinds the command without a message.
class EAbort : public std::exception {
 public:
  const char* what() const noexcept override { return "Operation aborted"; }
};

}  // namespace velmora
