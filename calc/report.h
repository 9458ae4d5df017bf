#pragma once

#include <string_view>

namespace calc {

/// The fixed reports of the expression evaluator. The argument errors are listed
/// in their rank: when several are raised in one evaluation, only the first is shown.
enum class Report {
  MISSING_OPERATOR,
  DIVISION_BY_ZERO,
  TAN_ARGUMENT,
  LN_ARGUMENT,
  LOG_ARGUMENT,
  SQRT_ARGUMENT,
};

/// The exact console text of a report, in UTF-8.
std::string_view report_text(Report report);

/// Where an evaluation sends its reports; the console prints them in its encoding.
class ReportSink {
 public:
  virtual void print_report(Report report) = 0;

 protected:
  ~ReportSink() = default;
};

}  // namespace calc
