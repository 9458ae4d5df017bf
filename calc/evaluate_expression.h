#pragma once

#include <cstddef>

#include "report.h"

namespace calc {

/// Capacity of the buffers that hold an input line or an expression: at most 999
/// characters and the terminator.
inline constexpr std::size_t EXPRESSION_CAPACITY = 1000;

/// The constant "pi" of the expression language: the double nearest 3.1415926.
inline constexpr double PI = 3.1415926;

/// Evaluates the arithmetic expression in `text`, a zero-terminated string in a
/// writable buffer of `capacity` bytes, which is left in its normalised form (cut to
/// the buffer if the normal form does not fit in it). Outcomes:
/// - the value of a well-formed expression;
/// - after an argument error (division by zero, ln, log or sqrt out of its domain,
///   tan of a non-finite value): one report to `reports` and a quiet NaN with its
///   sign bit set;
/// - after a structural error: the missing-operator report and EvaluationAbandoned;
/// - for the one-letter expression "q" or "Q": QuitRequested, nothing reported.
double evaluate_expression(char* text, std::size_t capacity, ReportSink& reports);

}  // namespace calc
