#include "plot_function.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "calc/evaluate_expression.h"
#include "calc/read_decimal.h"
#include "render_plot.h"
#include "sample_function.h"

namespace calc {

namespace {

constexpr std::string_view EXPRESSION_PROMPT = "请输入表达式：\n";
constexpr std::string_view RANGE_PROMPT = "请输入x的变化范围:\n";
constexpr std::string_view COUNT_PROMPT = "请输入点的个数：";

constexpr std::string_view EXPRESSION_TOO_SHORT = "\n表达式太短!\n\n";
constexpr std::string_view EXPRESSION_TOO_LONG = "\n表达式太长!\n\n";
constexpr std::string_view RANGE_INVALID = "\nx的变化范围不合法!\n\n";
constexpr std::string_view COUNT_INVALID = "\n点的个数必须是2到10000之间的整数!\n\n";
constexpr std::string_view SUBSTITUTED_TOO_LONG = "\n代入x的值后表达式太长!\n\n";
constexpr std::string_view NO_WINDOW = "\n无法打开图形窗口!\n\n";

constexpr std::size_t HEAD_LENGTH = 2;
constexpr int MIN_POINTS = 2;
constexpr int MAX_POINTS = 10000;

// A leading "+" is allowed, as in a formatted read.
std::string_view without_plus(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  return text;
}

// The token as a finite double, taken whole; nullopt when it is cut, does not read
// as a number, is out of range or has characters left over.
std::optional<double> parse_finite(const InputText& token) {
  const std::string_view text = without_plus(token.text);
  const char* last = text.data() + text.size();
  const DecimalRead read = read_decimal(text.data(), last, DecimalForm::WITH_EXPONENT);
  if (token.too_long || read.end == text.data() || read.end != last || read.out_of_range) {
    return std::nullopt;
  }
  return read.value;
}

// The token as a point count from MIN_POINTS to MAX_POINTS, taken whole.
std::optional<int> parse_point_count(const InputText& token) {
  const std::string_view text = without_plus(token.text);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (token.too_long || error != std::errc() || end != text.data() + text.size() ||
      value < MIN_POINTS || value > MAX_POINTS) {
    return std::nullopt;
  }
  return value;
}

void refuse(PlotConsole& console, std::string_view message) {
  console.show_text(message);
  console.skip_line_rest();
}

}  // namespace

void plot_function(PlotConsole& console) {
  console.show_text(EXPRESSION_PROMPT);
  const std::optional<InputText> line = console.read_line();
  if (!line) return;
  if (line->too_long || line->text.size() >= EXPRESSION_CAPACITY) {
    return refuse(console, EXPRESSION_TOO_LONG);
  }
  if (line->text.size() <= HEAD_LENGTH) return refuse(console, EXPRESSION_TOO_SHORT);
  const std::string_view expression = std::string_view(line->text).substr(HEAD_LENGTH);

  console.show_text(RANGE_PROMPT);
  double range[2] = {};
  for (double& end : range) {
    const std::optional<InputText> token = console.read_token();
    if (!token) return;
    const std::optional<double> value = parse_finite(*token);
    if (!value) return refuse(console, RANGE_INVALID);
    end = *value;
  }
  if (!std::isfinite(range[1] - range[0])) return refuse(console, RANGE_INVALID);

  console.show_text(COUNT_PROMPT);
  const std::optional<InputText> token = console.read_token();
  if (!token) return;
  const std::optional<int> count = parse_point_count(*token);
  if (!count) return refuse(console, COUNT_INVALID);

  PlotSamples samples;
  if (sample_function(expression, range[0], range[1], *count, console, samples) ==
      SamplingOutcome::TEXT_TOO_LONG) {
    return refuse(console, SUBSTITUTED_TOO_LONG);
  }
  if (!render_plot(samples.xs.data(), samples.ys.data(), *count)) console.show_text(NO_WINDOW);
}

}  // namespace calc
