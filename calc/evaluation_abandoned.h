#pragma once

#include <exception>

namespace calc {

/// Ends an evaluation at once after the missing-operator report has been printed.
/// Only the command loop catches it: the line (or the whole plot) is dropped.
class EvaluationAbandoned : public std::exception {
 public:
  const char* what() const noexcept override { return "evaluation abandoned"; }
};

}  // namespace calc
