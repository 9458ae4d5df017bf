#pragma once

#include <cstddef>

namespace calc {

/// Capacity of a number-text buffer. The longest text, that of the smallest
/// negative subnormal, is "(-0." followed by 323 zeros and ")": 328 characters.
inline constexpr std::size_t NUMBER_TEXT_CAPACITY = 330;

/// Writes x as decimal text with ten digits after the point, the way the plotter
/// substitutes it for x: the magnitude's 17-significant-digit form rounded half-up at
/// the tenth decimal; "0." and -P zeros first when the magnitude is below 0.1 (P is the
/// decimal position of the first digit; for a value that keeps no digit, that of its
/// shortest form); a negative value in parentheses, "(-...)", with no "0" before its
/// point when the magnitude rounds into [0.1, 1). Examples: 0 "0.0000000000",
/// -2 "(-2.0000000000)", -0.5 "(-.5000000000)", 0.000000000001 "0.00000000000".
/// A non-finite x gives "nan", "inf" or "(-inf)".
/// `text` holds NUMBER_TEXT_CAPACITY bytes; returns the length written.
std::size_t number_to_text(double x, char* text);

}  // namespace calc
