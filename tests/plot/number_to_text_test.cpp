#include "plot/number_to_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace calc {
namespace {

std::string text_of(double x) {
  char text[NUMBER_TEXT_CAPACITY];
  const std::size_t length = number_to_text(x, text);
  EXPECT_EQ(length, std::string(text).size());
  return text;
}

// Reference: the 17-significant-digit form from printf, rounded half-up at the
// tenth decimal by decimal string arithmetic, then written by the five steps. (For
// values that keep no digit and lie just below a power of ten the position differs;
// the table covers those.)
std::string reference_text(double x) {
  char form[64];
  std::snprintf(form, sizeof form, "%.16e", std::fabs(x));
  std::string significant = std::string(1, form[0]) + std::string(form + 2, 16);
  int point = std::atoi(form + 19) + 1;
  std::string digits;
  if (x == 0.0) {
    digits = "0000000000";
    point = 0;
  } else if (point + 10 >= 0) {
    const auto wanted = static_cast<std::size_t>(point + 10);
    significant.resize(std::max<std::size_t>(wanted + 1, 17), '0');
    digits = significant.substr(0, wanted);
    if (significant[wanted] >= '5') {
      std::size_t i = digits.size();
      while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
      if (i > 0) {
        ++digits[i - 1];
      } else {
        digits.insert(digits.begin(), '1');
        ++point;
      }
    }
  }
  std::string out = x < 0 ? "(-" : "";
  if (point < 0) out += "0." + std::string(static_cast<std::size_t>(-point), '0');
  for (int m = 0; m < static_cast<int>(digits.size()); ++m) {
    if (m == point) out += out.empty() ? "0." : ".";
    out += digits[static_cast<std::size_t>(m)];
  }
  return x < 0 ? out + ")" : out;
}

TEST(NumberToText, WritesTheDocumentedForms) {
  const struct {
    double x;
    const char* text;
  } cases[] = {
      {0, "0.0000000000"},
      {-0.0, "0.0000000000"},
      {0.5, "0.5000000000"},
      {2, "2.0000000000"},
      {-2, "(-2.0000000000)"},
      {123.25, "123.2500000000"},
      {0.001, "0.0010000000"},
      {-0.5, "(-.5000000000)"},
      {-0.05, "(-0.0500000000)"},
      {0.000000000001, "0.00000000000"},
      {-0.000000000001, "(-0.00000000000)"},
      {1e-15, "0.00000000000000"},
      {3e-13, "0.000000000000"},
      // rounding on the 17-digit form, with carries out of the first digit
      {9.99999999999, "10.0000000000"},
      {-0.99999999999, "(-1.0000000000)"},
      {0.099999999999, "0.1000000000"},
      {0.00000000005, "0.0000000001"},
      {0.00000000004, "0.0000000000"},
      {1.00000000005, "1.0000000001"},
      {0.1 + 0.2, "0.3000000000"},
      {1e20, "100000000000000000000.0000000000"},
      // non-finite values, which no range the plotter accepts produces
      {NAN, "nan"},
      {INFINITY, "inf"},
      {-INFINITY, "(-inf)"},
  };
  for (const auto& c : cases) EXPECT_EQ(text_of(c.x), c.text) << c.x;
}

TEST(NumberToText, MatchesThePrintfReference) {
  std::mt19937_64 random(20240611);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-14, 22);
  std::uniform_int_distribution<long long> ticks(-99999999999LL, 99999999999LL);
  for (int i = 0; i < 20000; ++i) {
    const double wide = mantissa(random) * std::pow(10.0, exponent(random));
    // values near a rounding boundary of the tenth decimal
    const double boundary = (static_cast<double>(ticks(random)) + 0.5) / 1e10;
    for (const double x : {wide, boundary}) ASSERT_EQ(text_of(x), reference_text(x)) << x;
  }
}

TEST(NumberToText, ExtremeMagnitudesFitTheBuffer) {
  for (const double x :
       {DBL_MAX, -DBL_MAX, DBL_MIN, -DBL_MIN, DBL_TRUE_MIN, -DBL_TRUE_MIN, 1e100, -1e-100}) {
    const std::string text = text_of(x);
    EXPECT_LT(text.size(), NUMBER_TEXT_CAPACITY) << x;
    EXPECT_EQ(text, reference_text(x)) << x;
  }
  EXPECT_EQ(text_of(-DBL_TRUE_MIN).size(), 328U);
}

}  // namespace
}  // namespace calc
