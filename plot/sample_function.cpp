#include "sample_function.h"

#include <algorithm>
#include <array>

#include "calc/evaluate_expression.h"
#include "number_to_text.h"
#include "substitute_x.h"

namespace calc {

SamplingOutcome sample_function(std::string_view expression, double x_start, double x_end,
                                int count, ReportSink& reports, PlotSamples& samples) {
  const auto n = static_cast<std::size_t>(count);
  samples.xs.resize(n);
  samples.ys.resize(n);
  const double step = (x_end - x_start) / static_cast<double>(count - 1);
  const auto x_count =
      static_cast<std::size_t>(std::count(expression.begin(), expression.end(), 'x'));
  const std::size_t other_count = expression.size() - x_count;

  std::array<char, NUMBER_TEXT_CAPACITY> number{};
  for (std::size_t i = 0; i < n; ++i) {
    samples.xs[i] = i == 0 ? x_start : samples.xs[i - 1] + step;
    const std::size_t number_length = number_to_text(samples.xs[i], number.data());
    if (other_count + x_count * number_length >= EXPRESSION_CAPACITY) {
      return SamplingOutcome::TEXT_TOO_LONG;
    }
  }

  std::array<char, EXPRESSION_CAPACITY> substituted{};
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t number_length = number_to_text(samples.xs[i], number.data());
    substitute_x(expression, substituted.data(), substituted.size(),
                 std::string_view(number.data(), number_length));
    samples.ys[i] = evaluate_expression(substituted.data(), substituted.size(), reports);
  }
  return SamplingOutcome::SAMPLED;
}

}  // namespace calc
