#include "number_to_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

namespace calc {

namespace {

constexpr int DECIMALS = 10;
constexpr int SIGNIFICANT_DIGITS = 17;

// The magnitude as digits D and decimal position P, rounded to DECIMALS places:
// D holds P + DECIMALS digits (none when that is not positive) and the value is
// 0.D times ten to the power P.
struct RoundedDigits {
  char digits[NUMBER_TEXT_CAPACITY];
  int count = 0;
  int point = 0;
};

RoundedDigits rounded_digits(double magnitude) {
  RoundedDigits out;
  if (magnitude == 0.0) {
    out.count = DECIMALS;
    std::memset(out.digits, '0', DECIMALS);
    return out;
  }

  // The 17-significant-digit form "d.dddddddddddddddde[+-]x", correctly rounded.
  char scientific[32];
  const auto result = std::to_chars(scientific, scientific + sizeof scientific, magnitude,
                                    std::chars_format::scientific, SIGNIFICANT_DIGITS - 1);
  char significant[SIGNIFICANT_DIGITS];
  significant[0] = scientific[0];
  std::memcpy(significant + 1, scientific + 2, SIGNIFICANT_DIGITS - 1);
  const char* exponent = scientific + SIGNIFICANT_DIGITS + 2;  // after the "e"
  int exponent_value = 0;
  std::from_chars(exponent + (*exponent == '+' ? 1 : 0), result.ptr, exponent_value);

  out.point = exponent_value + 1;
  const int wanted = out.point + DECIMALS;
  if (wanted < 0) {
    // Nothing is kept and nothing rounds. The position is that of the shortest form
    // of x, the number as written: 0.000000000001, whose double lies just below
    // 1e-12, has its first digit at the twelfth decimal, not the thirteenth.
    const auto shortest = std::to_chars(scientific, scientific + sizeof scientific, magnitude,
                                        std::chars_format::scientific);
    const char* e = std::find(scientific, shortest.ptr, 'e') + 1;
    std::from_chars(e + (*e == '+' ? 1 : 0), shortest.ptr, exponent_value);
    out.point = exponent_value + 1;
    return out;
  }

  // Keep `wanted` digits (zeros past the 17th); the first dropped one decides.
  for (int i = 0; i < wanted; ++i) out.digits[i] = i < SIGNIFICANT_DIGITS ? significant[i] : '0';
  out.count = wanted;
  if (wanted < SIGNIFICANT_DIGITS && significant[wanted] >= '5') {
    int i = wanted - 1;
    while (i >= 0 && out.digits[i] == '9') out.digits[i--] = '0';
    if (i >= 0) {
      ++out.digits[i];
    } else {
      // Carry out of the first digit: one more digit, one place further left.
      std::memmove(out.digits + 1, out.digits, static_cast<std::size_t>(out.count));
      out.digits[0] = '1';
      ++out.count;
      ++out.point;
    }
  }
  return out;
}

std::size_t write_text(char* text, std::string_view content) {
  std::memcpy(text, content.data(), content.size());
  text[content.size()] = '\0';
  return content.size();
}

}  // namespace

std::size_t number_to_text(double x, char* text) {
  if (std::isnan(x)) return write_text(text, "nan");
  if (std::isinf(x)) return write_text(text, x > 0 ? "inf" : "(-inf)");

  const bool negative = x < 0.0;
  const RoundedDigits rounded = rounded_digits(std::fabs(x));
  char* out = text;
  if (negative) {
    *out++ = '(';
    *out++ = '-';
  }
  if (rounded.point < 0) {
    *out++ = '0';
    *out++ = '.';
    std::memset(out, '0', static_cast<std::size_t>(-rounded.point));
    out += -rounded.point;
  }
  for (int m = 0; m < rounded.count; ++m) {
    if (m == rounded.point) {
      if (out == text) *out++ = '0';
      *out++ = '.';
    }
    *out++ = rounded.digits[m];
  }
  if (negative) *out++ = ')';
  *out = '\0';
  return static_cast<std::size_t>(out - text);
}

}  // namespace calc
