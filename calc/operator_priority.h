#pragma once

#include "calc/characters.h"

namespace calc {

/// Binding strength of an operator-stack character: "(" 1, "+" "-" 2, "*" "/" "%" 3,
/// function codes 4, "^" 5; anything else, the bottom marker "#" and ")" among them, 0.
constexpr int operator_priority(char code) {
  switch (code) {
    case '(': return 1;
    case '+':
    case '-': return 2;
    case '*':
    case '/':
    case '%': return 3;
    case '^': return 5;
    default: return is_function_code(code) ? 4 : 0;
  }
}

}  // namespace calc
