#include "evaluate_expression.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "characters.h"
#include "evaluation_abandoned.h"
#include "evaluation_stacks.h"
#include "normalize_expression.h"
#include "operator_priority.h"
#include "quit_requested.h"
#include "read_decimal.h"

namespace calc {

namespace {

constexpr char BOTTOM_MARKER = '#';
constexpr double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();

// Argument-error flags, in the order in which their reports rank.
enum ErrorFlag : unsigned {
  DIVISION_FLAG = 1U << 0,
  TAN_FLAG = 1U << 1,
  LN_FLAG = 1U << 2,
  LOG_FLAG = 1U << 3,
  SQRT_FLAG = 1U << 4,
};

constexpr bool is_binary_operator(char c) {
  switch (c) {
    case '+':
    case '-':
    case '*':
    case '/':
    case '%':
    case '^': return true;
    default: return false;
  }
}

// The value of a decimal text of the form digits[.digits], either part possibly
// empty; a text without any digit is 0. Correctly rounded; overflow gives infinity
// and underflow zero.
double decimal_value(const char* first, const char* last) {
  const DecimalRead read = read_decimal(first, last, DecimalForm::FIXED);
  if (read.out_of_range) {
    // Out of range: huge when the integer part has a non-zero digit, else tiny.
    for (const char* p = first; p != last && *p != '.'; ++p) {
      if (*p != '0') return std::numeric_limits<double>::infinity();
    }
    return 0.0;
  }
  return read.value;
}

struct NumberRead {
  double value;
  std::size_t end;  // position after the whole run of digits and "."
};

// One evaluation over normalised text: the two stacks, the position and the flags.
class Evaluation {
 public:
  Evaluation(const char* text, std::size_t length, ReportSink& reports)
      : m_text(text), m_length(length), m_reports(reports), m_operands(reports) {}

  double run();

 private:
  [[noreturn]] void abandon() {
    m_reports.print_report(Report::MISSING_OPERATOR);
    throw EvaluationAbandoned();
  }

  bool at(std::size_t position, char c) const {
    return position < m_length && m_text[position] == c;
  }
  bool digit_at(std::size_t position) const {
    return position < m_length && is_digit(m_text[position]);
  }

  NumberRead read_number(std::size_t start) const;
  std::size_t read_leading_signs();
  bool follows_operand(std::size_t position) const;
  void reduce();
  double apply_binary(char code, double a, double b);
  double apply_function(char code, double b);
  double finish();

  const char* m_text;
  std::size_t m_length;
  ReportSink& m_reports;
  OperandStack m_operands;
  OperatorStack m_operators;
  unsigned m_flags = 0;
};

// The value is that of the longest prefix digits[.digits]; the whole run of digits
// and "." is consumed, so "1.5.3" reads as 1.5.
NumberRead Evaluation::read_number(std::size_t start) const {
  std::size_t position = start;
  while (digit_at(position)) ++position;
  if (at(position, '.')) {
    ++position;
    while (digit_at(position)) ++position;
  }
  const double value = decimal_value(m_text + start, m_text + position);
  while (digit_at(position) || at(position, '.')) ++position;
  return {value, position};
}

// Signs at position 0. A run of n "-" before a digit negates the number when n is
// odd; before anything else it counts as one sign (0 and "-" are pushed) and a run
// of digits and "." right after it is skipped. A run of "+" is skipped.
std::size_t Evaluation::read_leading_signs() {
  std::size_t position = 0;
  if (at(0, '-')) {
    while (at(position, '-')) ++position;
    if (digit_at(position)) {
      const NumberRead number = read_number(position);
      push_operand(m_operands, position % 2 == 1 ? -number.value : number.value);
      return number.end;
    }
    push_operand(m_operands, 0.0);
    push_operator(m_operators, '-');
    while (digit_at(position) || at(position, '.')) ++position;
  } else {
    while (at(position, '+')) ++position;
  }
  return position;
}

// A sign right after an operand is a binary operator; anywhere else it belongs to
// what follows. The operands end in a digit, the "." of a number such as "3.", the
// "i" of "pi" (an "i" is read nowhere else) or ")".
bool Evaluation::follows_operand(std::size_t position) const {
  if (position == 0) return false;
  const char previous = m_text[position - 1];
  return is_digit(previous) || previous == '.' || previous == 'i' || previous == ')';
}

double Evaluation::apply_binary(char code, double a, double b) {
  switch (code) {
    case '+': return a + b;
    case '-': return a - b;
    case '*': return a * b;
    case '/':
      if (b == 0.0 || std::isnan(b)) {
        m_flags |= DIVISION_FLAG;
        return NOT_A_NUMBER;
      }
      return a / b;
    case '%': {
      // Both operands truncated toward zero; fmod is exact on them and so equals
      // the integer remainder wherever that fits in 32 bits, without overflow.
      const double dividend = std::trunc(a);
      const double divisor = std::trunc(b);
      if (divisor == 0.0 || std::isnan(divisor)) {
        m_flags |= DIVISION_FLAG;
        return NOT_A_NUMBER;
      }
      return std::fmod(dividend, divisor);
    }
    case '^': return std::pow(a, b);
    default: abandon();  // "(" or the bottom marker: not reachable by well-formed reductions
  }
}

double Evaluation::apply_function(char code, double b) {
  switch (code) {
    case 'S': return std::sin(b);
    case 'C': return std::cos(b);
    case 'T':
      if (!std::isfinite(b)) {
        m_flags |= TAN_FLAG;
        return NOT_A_NUMBER;
      }
      return std::tan(b);
    case 'L':
      if (!(b > 0.0)) {
        m_flags |= LN_FLAG;
        return NOT_A_NUMBER;
      }
      return std::log(b);
    case 'G':
      if (!(b > 0.0)) {
        m_flags |= LOG_FLAG;
        return NOT_A_NUMBER;
      }
      return std::log10(b);
    case '@':
      if (b < 0.0 || std::isnan(b)) {
        m_flags |= SQRT_FLAG;
        return NOT_A_NUMBER;
      }
      return std::sqrt(b);
    default:  // 'E'
      return std::exp(b);
  }
}

// One reduction: the top operator applied to its operand(s), replaced by the result.
void Evaluation::reduce() {
  const double b = pop_operand(m_operands);
  const char code = top_operator(m_operators);
  double result;
  if (is_function_code(code)) {
    result = apply_function(code, b);
  } else {
    const double a = pop_operand(m_operands);
    result = apply_binary(code, a, b);
  }
  pop_operator(m_operators);
  push_operand(m_operands, result);
}

double Evaluation::finish() {
  for (char code = top_operator(m_operators); code != BOTTOM_MARKER;
       code = top_operator(m_operators)) {
    if (code == '(') abandon();  // cannot happen after normalisation
    reduce();
  }
  if (m_flags != 0) {
    static constexpr struct {
      unsigned flag;
      Report report;
    } RANKED[] = {{DIVISION_FLAG, Report::DIVISION_BY_ZERO},
                  {TAN_FLAG, Report::TAN_ARGUMENT},
                  {LN_FLAG, Report::LN_ARGUMENT},
                  {LOG_FLAG, Report::LOG_ARGUMENT},
                  {SQRT_FLAG, Report::SQRT_ARGUMENT}};
    for (const auto& entry : RANKED) {
      if ((m_flags & entry.flag) != 0) {
        m_reports.print_report(entry.report);
        break;
      }
    }
    return std::copysign(NOT_A_NUMBER, -1.0);
  }
  return pop_operand(m_operands);  // operands left below the top are discarded
}

double Evaluation::run() {
  if (m_length == 1 && (m_text[0] == 'q' || m_text[0] == 'Q')) throw QuitRequested();
  push_operator(m_operators, BOTTOM_MARKER);

  std::size_t position = read_leading_signs();
  while (position < m_length) {
    const char c = m_text[position];
    if (is_digit(c)) {
      const NumberRead number = read_number(position);
      push_operand(m_operands, number.value);
      position = number.end;
      continue;
    }
    if (c == 'p' && at(position + 1, 'i')) {
      push_operand(m_operands, PI);
      position += 2;
      continue;
    }
    if ((c == '-' || c == '+') && !follows_operand(position)) {
      if (c == '+') {
        ++position;  // a unary plus changes nothing
      } else if (digit_at(position + 1) || at(position + 1, '.')) {
        const NumberRead number = read_number(position + 1);
        push_operand(m_operands, -number.value);
        position = number.end;
      } else {
        push_operand(m_operands, 0.0);  // "-" before a non-number: 0 - what follows
        push_operator(m_operators, '-');
        ++position;
      }
      continue;
    }
    if (!is_binary_operator(c) && !is_function_code(c) && c != '(' && c != ')') abandon();

    const int priority = operator_priority(c);
    if (priority > operator_priority(top_operator(m_operators)) || c == '(') {
      push_operator(m_operators, c);
    } else if (c == ')') {
      while (top_operator(m_operators) != '(') {
        if (top_operator(m_operators) == BOTTOM_MARKER) abandon();  // ")" without "("
        reduce();
      }
      pop_operator(m_operators);
    } else {
      // Equal priorities reduce first, so every binary operator groups from the left.
      while (operator_priority(top_operator(m_operators)) >= priority) reduce();
      push_operator(m_operators, c);
    }
    ++position;
  }
  return finish();
}

}  // namespace

double evaluate_expression(char* text, std::size_t capacity, ReportSink& reports) {
  const std::size_t length = strnlen(text, capacity);
  // Normalisation at most doubles the length; when that might not fit the caller's
  // buffer, the text is normalised and evaluated in a buffer of its own.
  if (length < capacity / 2) {
    const int normalised = normalize_expression(text, capacity);
    return Evaluation(text, static_cast<std::size_t>(normalised), reports).run();
  }
  std::vector<char> scratch(2 * length + 1, '\0');
  std::memcpy(scratch.data(), text, length);
  const auto normalised =
      static_cast<std::size_t>(normalize_expression(scratch.data(), scratch.size()));
  if (capacity > 0) {
    const std::size_t kept = normalised < capacity ? normalised : capacity - 1;
    std::memcpy(text, scratch.data(), kept);
    text[kept] = '\0';
  }
  return Evaluation(scratch.data(), normalised, reports).run();
}

}  // namespace calc
