#pragma once

#include <string>
#include <string_view>

namespace calc {

/// True when a result is shown in integer form: finite, integral, and within the
/// signed 32-bit range.
bool has_integer_form(double value);

/// The value in "%lf" form: an optional "-", the integer digits, "." and six
/// decimals; "inf", "-inf", "nan" or "-nan" for values that are not finite.
std::string format_fixed(double value);

/// A result as the command loop prints it: "name =\n\t" followed by the value in
/// integer form ("%d") or fixed form ("%lf"), then "\n\n".
std::string format_result(std::string_view name, double value);

}  // namespace calc
