#pragma once

#include <string>
#include <string_view>

namespace calc {

/// An input line split into the name it assigns and the expression to evaluate.
struct NamedExpression {
  std::string name;             // empty for a line without a name
  std::string_view expression;  // a view into the line
};

/// Splits at the first "=": the characters before it, less the space characters
/// (tabs and everything else are kept), are the name, and the text after it is the
/// expression. Without "=", the name is empty and the expression is the whole line.
NamedExpression split_named_expression(std::string_view line);

}  // namespace calc
