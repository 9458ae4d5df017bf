#pragma once

#include <exception>

namespace calc {

/// Raised by the evaluator for the one-letter expression "q" or "Q": the program
/// ends with status 0 through its normal exit path, printing nothing.
class QuitRequested : public std::exception {
 public:
  const char* what() const noexcept override { return "quit requested"; }
};

}  // namespace calc
