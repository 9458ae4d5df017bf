#include "render_plot.h"

#include <korvi/graphics.h>

#include <cmath>
#include <cstdint>

namespace calc {

namespace {

constexpr double NO_MAXIMUM = -10000000000.0;
constexpr double NO_MINIMUM = 10000000000.0;

// A screen coordinate from a double: truncated toward zero to 64 bits, of which the
// low 32 bits are kept; a value that is not finite or lies beyond the 64-bit range
// gives 0.
std::int32_t to_screen(double value) {
  if (!std::isfinite(value) || value >= 9223372036854775808.0 || value < -9223372036854775808.0) {
    return 0;
  }
  const auto truncated = static_cast<std::uint64_t>(static_cast<std::int64_t>(value));
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(truncated));
}

struct Range {
  double x_max = NO_MAXIMUM, x_min = NO_MINIMUM;
  double y_max = NO_MAXIMUM, y_min = NO_MINIMUM;
};

// The extremes of the drawable samples, four strict tests each.
Range range_of(const double* xs, const double* ys, int n) {
  Range r;
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(ys[i])) continue;
    if (xs[i] > r.x_max) r.x_max = xs[i];
    if (xs[i] < r.x_min) r.x_min = xs[i];
    if (ys[i] > r.y_max) r.y_max = ys[i];
    if (ys[i] < r.y_min) r.y_min = ys[i];
  }
  return r;
}

// Waits for one whole key, so that nothing of it is left to end the next plot's
// wait at once: both codes of a key without a character, every byte of a UTF-8
// character. Which key, and from the window or the terminal, does not matter.
void wait_for_whole_key() {
  const int first = korvi::read_key();
  if (first == korvi::KEY_PREFIX_FUNCTION) {
    korvi::read_key();
    return;
  }
  int following = first >= 0xF0 ? 3 : first >= 0xE0 ? 2 : first >= 0xC0 ? 1 : 0;
  if (first == korvi::KEY_PREFIX_EXTENDED) {
    if (korvi::read_key() < 0xA0) return;  // a key's code; a UTF-8 byte is 0xA0 or more here
    --following;
  }
  while (following-- > 0 && korvi::key_hit()) korvi::read_key();
}

}  // namespace

bool draw_plot(const double* xs, const double* ys, int n) {
  const korvi::WindowHandle window = korvi::open_graphics(800, 600, 0);
  if (!window) return false;
  korvi::clear_device();
  korvi::move_window(window, 1, 1, 800, 600, true);

  const Range r = range_of(xs, ys, n);
  // One span scales both directions: the larger of the two.
  const double span =
      (r.y_max - r.y_min) < (r.x_max - r.x_min) ? r.x_max - r.x_min : r.y_max - r.y_min;
  const auto screen_x = [&](double u) { return 600.0 / span * (u - r.x_min) + 100.0; };
  const auto screen_y = [&](double v) { return 350.0 - 400.0 / span * (v - r.y_min); };

  if (n > 0) korvi::move_to(to_screen(screen_x(xs[0])), to_screen(screen_y(ys[0])));
  const double origin_x = screen_x(0.0);
  const double origin_y = screen_y(0.0);

  bool broken = false;
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(ys[i])) {
      broken = true;  // the curve is not joined through a missing value
      continue;
    }
    const std::int32_t px = to_screen(screen_x(xs[i]));
    const std::int32_t py = to_screen(screen_y(ys[i]));
    if (broken) korvi::move_to(px, py);
    broken = false;
    korvi::draw_circle(px, py, 2);
    korvi::line_to(px, py);
  }

  korvi::draw_line(to_screen(origin_x - 10000), to_screen(origin_y), to_screen(origin_x + 10000),
                   to_screen(origin_y));
  korvi::draw_line(to_screen(origin_x), to_screen(origin_y - 10000), to_screen(origin_x),
                   to_screen(origin_y + 10000));
  korvi::draw_text(to_screen(origin_x + 3), to_screen(origin_y + 4), "O");
  korvi::draw_text(785, to_screen(origin_y + 3), "x");
  korvi::draw_text(to_screen(origin_x + 3), 3, "y");
  return true;
}

bool render_plot(const double* xs, const double* ys, int n) {
  if (!draw_plot(xs, ys, n)) return false;
  wait_for_whole_key();
  korvi::close_graphics();
  return true;
}

}  // namespace calc
