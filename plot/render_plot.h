#pragma once

namespace calc {

/// Draws the n samples (xs[i], ys[i]) in an 800 by 600 graphics window: circles of
/// radius 2 joined by lines, both axes through the origin with the labels "O", "x"
/// and "y". Waits for a key, then closes the window. Samples whose y is not finite
/// are left out and break the curve. Returns false, drawing nothing, when the window
/// cannot be opened.
bool render_plot(const double* xs, const double* ys, int n);

/// The first half of render_plot: opens the window and draws the plot, leaving the
/// window open. Returns false when the window cannot be opened.
bool draw_plot(const double* xs, const double* ys, int n);

}  // namespace calc
