#include "report.h"

namespace calc {

std::string_view report_text(Report report) {
  switch (report) {
    case Report::MISSING_OPERATOR: return "\nError: Missing operator, comma, or semicolon.\n\n";
    case Report::DIVISION_BY_ZERO: return "\n除以0!!!\n\n";
    case Report::TAN_ARGUMENT: return "\ntan的数值不合法!!!!!!\n\n";
    case Report::LN_ARGUMENT: return "\nln的数值不合法!!!!\n\n";
    case Report::LOG_ARGUMENT: return "\nlog的数值不合法!!!!\n\n";
    case Report::SQRT_ARGUMENT: return "\nsqrt的数值不合法!!!!!\n\n";
  }
  return {};
}

}  // namespace calc
