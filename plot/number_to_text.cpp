#include "number_to_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "calc/characters.h"

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

  // The 17 significant digits and the exponent of the correctly rounded form
  // "d.dddddddddddddddde[+-]x". The decimal point is whatever the locale writes.
  char scientific[64];
  std::snprintf(scientific, sizeof scientific, "%.*e", SIGNIFICANT_DIGITS - 1, magnitude);
  const char* exponent = std::strchr(scientific, 'e');
  char significant[SIGNIFICANT_DIGITS];
  int count = 0;
  for (const char* p = scientific; p != exponent && count < SIGNIFICANT_DIGITS; ++p) {
    if (is_digit(*p)) significant[count++] = *p;
  }
  const int exponent_value = std::atoi(exponent + 1);

  out.point = exponent_value + 1;
  const int wanted = out.point + DECIMALS;
  if (wanted < 0) {
    // Nothing is kept and nothing rounds. The position is that of the shortest form
    // of x, the number as written: 0.000000000001, whose double lies just below
    // 1e-12, has its first digit at the twelfth decimal, not the thirteenth. That
    // form has the 17-digit form's exponent, or one more when x reads back from the
    // next power of ten.
    if (std::strtod(("1e" + std::to_string(exponent_value + 1)).c_str(), nullptr) == magnitude) {
      ++out.point;
    }
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
