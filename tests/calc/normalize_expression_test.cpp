#include "calc/normalize_expression.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace calc {
namespace {

// Normalises `input` in a buffer of `capacity` bytes; returns the meaningful text.
std::string normalised(const std::string& input, std::size_t capacity = 1000) {
  std::vector<char> buffer(capacity, '\0');
  std::memcpy(buffer.data(), input.c_str(), input.size() + 1);
  const int length = normalize_expression(buffer.data(), buffer.size());
  return length < 0 ? "<overflow>" : std::string(buffer.data(), static_cast<std::size_t>(length));
}

TEST(NormalizeExpression, RewritesByTheRules) {
  const struct {
    const char* input;
    const char* expected;
  } cases[] = {
      // function names, tried in table order, without word boundaries
      {"ln(2)+log(100)", "L(2)+G(100)"},
      {"sqrt(4", "@(4)"},
      {"exp(1)", "E(1)"},
      {"tan(1)*cos(2)", "T(1)*C(2)"},
      {"cosh(1)", "Ch(1)"},
      {"asin(1)", "aS(1)"},
      {"SIN(1)", "SIN(1)"},
      {"sinsin", "SS"},
      // implicit multiplication before a code or "(" only
      {"2sin(30)", "2*S(30)"},
      {"3(1+2);", "3*(1+2)"},
      {")(", ")*("},
      {"(1)sin(2)", "(1)*S(2)"},
      {"2S(1)", "2*S(1)"},
      {"1E5", "1*E5"},
      {"2pi", "2pi"},
      {"(2)3", "(2)3"},
      {"pi", "pi"},
      // spaces, with the character after a removed space examined once
      {"( 1+2)*3", "(1+2)*3"},
      {"2 (3)", "2*(3)"},
      {"2 3", "23"},
      {"s i n(1)", "sin(1)"},  // each position is examined once
      {"   ", ""},
      {"", ""},
      // one trailing ";" dropped before the missing ")" are counted and appended
      {"(1+2;", "(1+2)"},
      {"1;;", "1;"},
      {"1;+2", "1;+2"},
      {"((1", "((1))"},
      {"1)", "1)"},
  };
  for (const auto& c : cases) EXPECT_EQ(normalised(c.input), c.expected) << c.input;
}

TEST(NormalizeExpression, FillsVacatedPositionsAndKeepsTheTerminator) {
  char text[16] = "sin(1)";
  ASSERT_EQ(normalize_expression(text, sizeof text), 4);
  EXPECT_EQ(std::memcmp(text, "S(1)##", 7), 0);  // the seventh byte is the old terminator

  char spaced[16] = "1 + 2;";
  ASSERT_EQ(normalize_expression(spaced, sizeof spaced), 3);
  EXPECT_EQ(std::memcmp(spaced, "1+2###", 7), 0);
}

TEST(NormalizeExpression, NeverWritesPastItsBuffer) {
  // Exactly sized heap buffers, so that the address sanitizer sees any overrun.
  EXPECT_EQ(normalised("((1", 6), "((1))");
  EXPECT_EQ(normalised("((1", 5), "<overflow>");
  EXPECT_EQ(normalised("2(3)", 6), "2*(3)");
  EXPECT_EQ(normalised("2(3)", 5), "<overflow>");
  EXPECT_EQ(normalised(std::string(999, '('), 1000), "<overflow>");
  EXPECT_EQ(normalised(std::string(499, '('), 1000), std::string(499, '(') + std::string(499, ')'));
  std::string growing;  // the worst case: the text doubles
  for (int i = 0; i < 333; ++i) growing += "1(";
  EXPECT_EQ(normalised(growing, 2 * growing.size() + 1).size(), 2 * growing.size());
  EXPECT_EQ(normalised(growing, 2 * growing.size()), "<overflow>");

  char unterminated[3] = {'1', '+', '2'};
  EXPECT_EQ(normalize_expression(unterminated, sizeof unterminated), -1);
}

}  // namespace
}  // namespace calc
