#include "read_decimal.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "characters.h"

namespace calc {

namespace {

// Exponents are kept within this bound while read: far beyond where every text of
// realistic length overflows or underflows, and far from overflowing a long long.
constexpr long long EXPONENT_BOUND = 1'000'000'000;

}  // namespace

DecimalRead read_decimal(const char* first, const char* last, DecimalForm form) {
  const char* p = first;
  const bool negative = p != last && *p == '-';
  if (negative) ++p;

  // The digits without the point, then "e" and the exponent moved by the number of
  // fraction digits: a text without a decimal point, which strtod reads the same
  // under every locale, correctly rounded.
  std::string text;
  while (p != last && is_digit(*p)) text += *p++;
  long long fraction_digits = 0;
  if (p != last && *p == '.') {
    const char* q = p + 1;
    for (; q != last && is_digit(*q); ++q, ++fraction_digits) text += *q;
    if (!text.empty()) p = q;
  }
  if (text.empty()) return {0.0, first, false};

  long long exponent = 0;
  if (form == DecimalForm::WITH_EXPONENT && p != last && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    const bool exponent_negative = q != last && *q == '-';
    if (q != last && (*q == '-' || *q == '+')) ++q;
    if (q != last && is_digit(*q)) {
      for (; q != last && is_digit(*q); ++q) {
        if (exponent < EXPONENT_BOUND) exponent = exponent * 10 + (*q - '0');
      }
      if (exponent_negative) exponent = -exponent;
      p = q;
    }
  }
  text += 'e';
  text += std::to_string(exponent - fraction_digits);

  const double magnitude = std::strtod(text.c_str(), nullptr);
  const bool overflow = std::isinf(magnitude);
  const bool underflow = magnitude == 0.0 && text.find_first_of("123456789") < text.find('e');
  if (overflow || underflow) return {0.0, p, true};
  return {negative ? -magnitude : magnitude, p, false};
}

}  // namespace calc
