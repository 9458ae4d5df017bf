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

  // Many values, beyond any initial reservation, and the stack stays usable.
  for (int i = 0; i < 1000; ++i) push_operand(operands, i);
  for (int i = 999; i >= 0; --i) ASSERT_EQ(pop_operand(operands), i);
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
  const struct {
    char code;
    int priority;
  } cases[] = {{'(', 1}, {'+', 2}, {'-', 2}, {'*', 3}, {'/', 3}, {'%', 3},
               {'S', 4}, {'C', 4}, {'T', 4}, {'L', 4}, {'G', 4}, {'@', 4},
               {'E', 4}, {'^', 5}, {'#', 0}, {')', 0}, {'x', 0}, {'.', 0},
               {'s', 0}, {'\0', 0}, {'\xff', 0}};
  for (const auto& c : cases) EXPECT_EQ(operator_priority(c.code), c.priority) << c.code;
}

}  // namespace
}  // namespace calc
