#include "calc/evaluation_stacks.h"

#include <gtest/gtest.h>

#include "calc/evaluation_abandoned.h"
#include "calc/operator_priority.h"
#include "recording_reports.h"

namespace calc {
namespace {

TEST(EvaluationStacks, OperandsComeBackInReverseAndAnEmptyPopAbandons) {
  RecordingReports reports;
  OperandStack operands(reports);
  for (const double value : {1.0, 2.0, 3.0}) push_operand(operands, value);
  EXPECT_EQ(pop_operand(operands), 3.0);
  EXPECT_EQ(pop_operand(operands), 2.0);
  EXPECT_EQ(pop_operand(operands), 1.0);
  EXPECT_TRUE(reports.reports.empty());
  EXPECT_THROW(pop_operand(operands), EvaluationAbandoned);
  EXPECT_EQ(reports.reports, std::vector<Report>{Report::MISSING_OPERATOR});
}

TEST(EvaluationStacks, OperatorsKeepTheirTop) {
  OperatorStack operators;
  push_operator(operators, '#');
  push_operator(operators, '(');
  push_operator(operators, 'S');
  EXPECT_EQ(top_operator(operators), 'S');
  EXPECT_EQ(top_operator(operators), 'S');
  pop_operator(operators);
  EXPECT_EQ(top_operator(operators), '(');
  pop_operator(operators);
  EXPECT_EQ(top_operator(operators), '#');
}

TEST(OperatorPriority, FollowsTheTable) {
  const char* by_priority[] = {"#)x.s\xff", "(", "+-", "*/%", "SCTLG@E", "^"};
  for (int priority = 0; priority < 6; ++priority) {
    for (const char* c = by_priority[priority]; *c != '\0'; ++c) {
      EXPECT_EQ(operator_priority(*c), priority) << *c;
    }
  }
}

}  // namespace
}  // namespace calc
