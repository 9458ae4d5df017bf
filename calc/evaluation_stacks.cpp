#include "evaluation_stacks.h"

#include "evaluation_abandoned.h"

namespace calc {

void OperandStack::abandon() {
  m_reports.print_report(Report::MISSING_OPERATOR);
  throw EvaluationAbandoned();
}

}  // namespace calc
