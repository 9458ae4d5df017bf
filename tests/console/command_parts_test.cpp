#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "console/named_expression.h"
#include "console/result_format.h"

namespace calc {
namespace {

TEST(NamedExpression, SplitsAtTheFirstEquals) {
  const struct {
    const char* line;
    const char* name;
    const char* expression;
  } cases[] = {
      {"a = 3", "a", " 3"},  {"a b = 1+1", "ab", " 1+1"}, {"=5", "", "5"},
      {"a=b=3", "a", "b=3"}, {" 1 + 2", "", " 1 + 2"},    {"a\tb=1", "a\tb", "1"},
      {"x=7;", "x", "7;"},
  };
  for (const auto& c : cases) {
    const NamedExpression parts = split_named_expression(c.line);
    EXPECT_EQ(parts.name, c.name) << c.line;
    EXPECT_EQ(parts.expression, c.expression) << c.line;
  }
}

TEST(ResultFormat, IntegerFormOnlyForIntegralValuesIn32Bits) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    double value;
    const char* shown;
  } cases[] = {
      {3, "3"},
      {-0.0, "0"},
      {-2147483648.0, "-2147483648"},
      {2147483647.0, "2147483647"},
      {2147483648.0, "2147483648.000000"},
      {-2147483649.0, "-2147483649.000000"},
      {3.5, "3.500000"},
      {1.0 / 3, "0.333333"},
      {-1e-9, "-0.000000"},
      {1e20, "100000000000000000000.000000"},
      {std::numeric_limits<double>::infinity(), "inf"},
      {std::copysign(nan, -1.0), "-nan"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(format_result("ans", c.value), std::string("ans =\n\t") + c.shown + "\n\n")
        << c.shown;
  }
}

}  // namespace
}  // namespace calc
