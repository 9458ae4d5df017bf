#pragma once

namespace calc {

/// Draws the n samples (xs[i], ys[i]) in an 800 by 600 graphics window and waits for
/// a key. The graphics window does not exist yet: for now this draws nothing and
/// returns at once.
void render_plot(const double* xs, const double* ys, int n);

}  // namespace calc
