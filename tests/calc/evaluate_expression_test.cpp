#include "calc/evaluate_expression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "calc/evaluation_abandoned.h"
#include "calc/quit_requested.h"
#include "recording_reports.h"

namespace calc {
namespace {

struct Outcome {
  double value = 0.0;
  std::vector<Report> reports;
  bool abandoned = false;
};

Outcome evaluate(const std::string& text) {
  std::vector<char> buffer(EXPRESSION_CAPACITY, '\0');
  std::memcpy(buffer.data(), text.c_str(), text.size() + 1);
  RecordingReports reports;
  Outcome outcome;
  try {
    outcome.value = evaluate_expression(buffer.data(), buffer.size(), reports);
  } catch (const EvaluationAbandoned&) {
    outcome.abandoned = true;
  }
  outcome.reports = reports.reports;
  return outcome;
}

TEST(EvaluateExpression, ComputesValues) {
  const struct {
    const char* text;
    double expected;
  } cases[] = {
      // precedence and grouping: every binary operator groups from the left
      {"1+2*3", 7},
      {"1-2*3+4", -1},
      {"(2+3)*log(100)", 10},
      {"2^3^2", 64},
      {"8/4/2", 1},
      {"2*3^2", 18},
      {"((7))", 7},
      {"(1+2", 3},
      // signs
      {"-2^2", 4},
      {"2^-1", 0.5},
      {"2*-3", -6},
      {"--5", 5},
      {"---5", -5},
      {"--(5)", -5},
      {"2--1", 3},
      {"(1)-2", -1},
      {"(-1.5)+1", -0.5},
      {"2*(+3)", 6},
      {"2*-(1+2)", -6},
      {"+++4", 4},
      {"+-4", -4},
      {"(-.5)*2", -1},
      // a sign after "pi" or a number's final "." is a binary operator
      {"pi-1", 3.1415926 - 1},
      {"pi+1", 3.1415926 + 1},
      {"3.-1", 2},
      // numbers and pi
      {"pi*2", 6.2831852},
      {"2pi", 3.1415926},
      {"1.5.3", 1.5},
      {"12.", 12},
      {"0.1+0.2", 0.1 + 0.2},
      {"1E5", std::exp(5.0)},
      {"1000000000000000000000000000000", 1e30},
      // remainder: operands truncated toward zero, sign of the dividend
      {"7%3", 1},
      {"-7%3", -1},
      {"7%-3", 1},
      {"7.9%2.5", 1},
      {"10000000000%7", std::fmod(1e10, 7)},
      {"5%0.5+1", std::nan("")},
      // functions; a power after a function's argument applies to the argument
      {"sqrt(0)", 0},
      {"ln(1)", 0},
      {"sin(1)^2", std::sin(1.0)},
      {"2^(sin(1))", std::pow(2.0, std::sin(1.0))},
      {"exp(1)", std::exp(1.0)},
      {"2sqrt(16)", 8},
      {"tan(1)", std::tan(1.0)},
  };
  for (const auto& c : cases) {
    const Outcome outcome = evaluate(c.text);
    if (std::isnan(c.expected)) continue;  // checked with the reports below
    EXPECT_FALSE(outcome.abandoned) << c.text;
    EXPECT_TRUE(outcome.reports.empty()) << c.text;
    EXPECT_DOUBLE_EQ(outcome.value, c.expected) << c.text;
  }
}

TEST(EvaluateExpression, ArgumentErrorsReportTheFirstRankedFlagAndReturnNegativeNaN) {
  const struct {
    const char* text;
    Report report;
  } cases[] = {
      {"5/0", Report::DIVISION_BY_ZERO},       {"5/-0", Report::DIVISION_BY_ZERO},
      {"5%0.5", Report::DIVISION_BY_ZERO},     {"1/(0/0)", Report::DIVISION_BY_ZERO},
      {"ln(0)", Report::LN_ARGUMENT},          {"log(-1)", Report::LOG_ARGUMENT},
      {"sqrt(-4)", Report::SQRT_ARGUMENT},     {"(log(-1))", Report::LOG_ARGUMENT},
      {"ln((-8)^0.5)", Report::LN_ARGUMENT},   {"1/0+ln(0)", Report::DIVISION_BY_ZERO},
      {"sqrt(-1)+ln(0)", Report::LN_ARGUMENT}, {"tan(exp(1000))", Report::TAN_ARGUMENT},
      {"tan(1/0)", Report::DIVISION_BY_ZERO},  {"sqrt(ln(0))", Report::LN_ARGUMENT},
  };
  for (const auto& c : cases) {
    const Outcome outcome = evaluate(c.text);
    EXPECT_FALSE(outcome.abandoned) << c.text;
    EXPECT_EQ(outcome.reports, std::vector<Report>{c.report}) << c.text;
    EXPECT_TRUE(std::isnan(outcome.value) && std::signbit(outcome.value)) << c.text;
  }
  EXPECT_EQ(evaluate("0/5").value, 0.0);
}

TEST(EvaluateExpression, StructuralErrorsAbandonWithOneReport) {
  const char* cases[] = {"3+",   "",    "()",       "2)",         "x+1",          "1e5",     "qq",
                         "*2",   "   ", "2^sin(1)", "sin cos(1)", "1;+2",         ".5",      "-.5",
                         "5/0+", "pi+", "#",        "3)+(4",      "\xe4\xb8\x80", "(ln(0)))"};
  for (const char* text : cases) {
    const Outcome outcome = evaluate(text);
    EXPECT_TRUE(outcome.abandoned) << text;
    EXPECT_EQ(outcome.reports, std::vector<Report>{Report::MISSING_OPERATOR}) << text;
  }
}

TEST(EvaluateExpression, QuitsOnTheOneLetterQ) {
  RecordingReports reports;
  for (const char* text : {"q", "Q", " q ", "q;"}) {
    char buffer[EXPRESSION_CAPACITY];
    std::strcpy(buffer, text);
    EXPECT_THROW(evaluate_expression(buffer, sizeof buffer, reports), QuitRequested) << text;
  }
  EXPECT_TRUE(reports.reports.empty());
}

TEST(EvaluateExpression, AgreesWithTheMathLibrary) {
  for (double x = -5.0; x <= 5.0; x += 0.37) {
    char number[64];
    std::snprintf(number, sizeof number, "(%.17g)", x);
    const std::string n = number;
    const struct {
      std::string text;
      double expected;
    } cases[] = {
        {"sin" + n, std::sin(x)},
        {"cos" + n, std::cos(x)},
        {"tan" + n, std::tan(x)},
        {"exp" + n, std::exp(x)},
        {"sqrt(" + n + "^2)", std::fabs(x)},
        {"ln(exp" + n + ")", std::log(std::exp(x))},
        {"log(10^" + n + ")", std::log10(std::pow(10.0, x))},
        {n + "^3", std::pow(x, 3.0)},
        {"2^" + n, std::pow(2.0, x)},
        {n + "%2", std::fmod(std::trunc(x), 2.0)},
        // the power binds to the argument: sin(x)^2 is sin(x^2)
        {"sin" + n + "^2+cos" + n, std::sin(std::pow(x, 2.0)) + std::cos(x)},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(evaluate(c.text).value, c.expected) << c.text;
  }
}

TEST(EvaluateExpression, LongTextsWhoseNormalFormOutgrowsTheBuffer) {
  // Each normal form below is longer than the 1000-byte buffer the text came in.
  const std::string nested = std::string(600, '(') + "1";  // gains 600 ")"
  EXPECT_EQ(evaluate(nested).value, 1.0);

  std::string product;  // "1(1(1(...7": every "(" gains a "*" and a ")"
  for (int i = 0; i < 300; ++i) product += "1(";
  EXPECT_EQ(evaluate(product + "7").value, 7.0);

  std::string sum;
  for (int i = 0; i < 499; ++i) sum += "1+";
  EXPECT_EQ(evaluate(sum + "1").value, 500.0);
}

}  // namespace
}  // namespace calc
