#include "result_format.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace calc {

bool has_integer_form(double value) {
  return std::isfinite(value) && value >= INT32_MIN && value <= INT32_MAX &&
         value == std::trunc(value);
}

std::string format_fixed(double value) {
  // The longest form, -DBL_MAX, has 309 integer digits, a sign, "." and 6 decimals.
  char text[320];
  const int size = std::snprintf(text, sizeof text, "%f", value);
  return std::string(text, static_cast<std::size_t>(size));
}

std::string format_result(std::string_view name, double value) {
  std::string text(name);
  text += " =\n\t";
  if (has_integer_form(value)) {
    text += std::to_string(static_cast<std::int32_t>(value));
  } else {
    text += format_fixed(value);
  }
  text += "\n\n";
  return text;
}

}  // namespace calc
