#include "plot/substitute_x.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace calc {
namespace {

TEST(SubstituteX, ReplacesEveryLowerCaseX) {
  const struct {
    const char* source;
    const char* replacement;
    const char* expected;
  } cases[] = {
      {"x*x", "(-1.0000000000)", "(-1.0000000000)*(-1.0000000000)"},
      {"2x", "0.5000000000", "20.5000000000"},
      {"exp(x)", "1.0000000000", "e1.0000000000p(1.0000000000)"},
      {"X+x", "2", "X+2"},
      {"1+2", "7", "1+2"},
      {"", "7", ""},
      {"xx", "", ""},
  };
  for (const auto& c : cases) {
    char dest[1000];
    ASSERT_TRUE(substitute_x(c.source, dest, sizeof dest, c.replacement)) << c.source;
    EXPECT_STREQ(dest, c.expected) << c.source;
  }
}

TEST(SubstituteX, RefusesResultsThatDoNotFit) {
  std::vector<char> dest(8);  // exactly sized, so that the sanitizer sees any overrun
  EXPECT_TRUE(substitute_x("x+x", dest.data(), dest.size(), "123"));
  EXPECT_STREQ(dest.data(), "123+123");
  EXPECT_FALSE(substitute_x("x+x+", dest.data(), dest.size(), "123"));
  EXPECT_STREQ(dest.data(), "");
  EXPECT_TRUE(substitute_x("1+x", dest.data(), dest.size(), "12345"));
  EXPECT_FALSE(substitute_x("1+x", dest.data(), dest.size(), "123456"));
  EXPECT_FALSE(substitute_x("12345678", dest.data(), dest.size(), ""));
  EXPECT_FALSE(substitute_x("x", dest.data(), 0, ""));
}

}  // namespace
}  // namespace calc
