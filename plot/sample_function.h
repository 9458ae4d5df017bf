#pragma once

#include <string_view>
#include <vector>

#include "calc/report.h"

namespace calc {

/// The samples of one plot: sample i is the pair (xs[i], ys[i]).
struct PlotSamples {
  std::vector<double> xs;
  std::vector<double> ys;
};

enum class SamplingOutcome {
  SAMPLED,
  /// Some sample's substituted expression would exceed 999 characters; nothing
  /// was evaluated.
  TEXT_TOO_LONG,
};

/// Samples `expression` (the text after its two-character head) at `count` >= 2
/// values of x: x_start, then each previous value plus (x_end - x_start)/(count - 1).
/// For every sample the number text of x replaces each "x" of the expression and the
/// result is evaluated once. All substituted texts are checked to fit before the
/// first evaluation. EvaluationAbandoned and QuitRequested pass through.
SamplingOutcome sample_function(std::string_view expression, double x_start, double x_end,
                                int count, ReportSink& reports, PlotSamples& samples);

}  // namespace calc
