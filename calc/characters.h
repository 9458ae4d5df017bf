#pragma once

namespace calc {

/// A decimal digit; unlike std::isdigit, safe for every char value.
constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }

/// The one-character codes that stand for the functions in normalised text:
/// S sin, C cos, T tan, L ln, G log, @ sqrt, E exp.
constexpr bool is_function_code(char c) {
  switch (c) {
    case 'S':
    case 'C':
    case 'T':
    case 'L':
    case 'G':
    case '@':
    case 'E': return true;
    default: return false;
  }
}

}  // namespace calc
