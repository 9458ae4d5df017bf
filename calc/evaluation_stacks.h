#pragma once

#include <vector>

#include "report.h"

namespace calc {

/// The numbers of one evaluation. Backed by a vector rather than linked nodes: the
/// same operations, without an allocation per push.
class OperandStack {
 public:
  /// Reports go to `reports`, which must outlive the stack.
  explicit OperandStack(ReportSink& reports) : m_reports(reports) { m_values.reserve(8); }

  friend void push_operand(OperandStack& stack, double value) { stack.m_values.push_back(value); }

  /// Removes and returns the top value. On an empty stack an operator lacks an
  /// operand: prints the missing-operator report and throws EvaluationAbandoned.
  friend double pop_operand(OperandStack& stack) {
    if (stack.m_values.empty()) stack.abandon();
    const double value = stack.m_values.back();
    stack.m_values.pop_back();
    return value;
  }

 private:
  [[noreturn]] void abandon();

  std::vector<double> m_values;
  ReportSink& m_reports;
};

/// The operator characters of one evaluation. The evaluator keeps the bottom
/// marker "#" on it throughout, so top and pop are never called on an empty stack.
class OperatorStack {
 public:
  OperatorStack() { m_codes.reserve(8); }

  friend void push_operator(OperatorStack& stack, char code) { stack.m_codes.push_back(code); }

  /// Removes the top character; the stack must not be empty.
  friend void pop_operator(OperatorStack& stack) { stack.m_codes.pop_back(); }

  /// The top character, left in place; the stack must not be empty.
  friend char top_operator(const OperatorStack& stack) { return stack.m_codes.back(); }

 private:
  std::vector<char> m_codes;
};

}  // namespace calc
