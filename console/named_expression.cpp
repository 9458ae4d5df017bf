#include "named_expression.h"

namespace calc {

NamedExpression split_named_expression(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {std::string(), line};
  NamedExpression parts{std::string(), line.substr(equals + 1)};
  for (const char c : line.substr(0, equals)) {
    if (c != ' ') parts.name += c;
  }
  return parts;
}

}  // namespace calc
