#pragma once

#include "plot_console.h"

namespace calc {

/// The "tu" command. Asks for an expression in x (its first two characters, a head
/// such as "y=", are skipped), a range of x and a point count, samples the function
/// and hands the samples to render_plot. Input that cannot be used (an expression
/// line under three characters or over 999, a range that is not two finite numbers,
/// a count that is not an integer from 2 to 10000, a substituted expression over
/// 999 characters) gets a one-line message; the rest of that input line is dropped
/// and nothing is plotted. At the end of input the plot is dropped silently.
/// EvaluationAbandoned and QuitRequested from the evaluator pass through.
void plot_function(PlotConsole& console);

}  // namespace calc
