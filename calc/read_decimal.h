#pragma once

namespace calc {

/// Whether an exponent ("e" or "E", an optional sign, digits) may follow the digits.
enum class DecimalForm { FIXED, WITH_EXPONENT };

struct DecimalRead {
  double value;       // correctly rounded; 0 when nothing was read or out of range
  const char* end;    // after the number read; `first` when there is none
  bool out_of_range;  // the value overflows to infinity or underflows to zero
};

/// Reads the longest prefix of [first, last) of the form [-]digits[.digits], either
/// part of the digits possibly empty but not both, then for WITH_EXPONENT an optional
/// exponent (an "e" without digits after it is not read). No leading blanks, "+",
/// hexadecimal, infinity or NaN. The same under every locale: the decimal point is
/// always ".".
DecimalRead read_decimal(const char* first, const char* last, DecimalForm form);

}  // namespace calc
