#include "font/text_orientation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvi::raster {

namespace {

constexpr double FIXED_ONE = 65536.0;
// Device coordinates are kept within this range, far outside any surface, so that
// they always fit 32-bit integers.
constexpr double COORDINATE_LIMIT = 1 << 30;

std::int32_t to_pixel(double v) {
  return static_cast<std::int32_t>(std::clamp(v, -COORDINATE_LIMIT, COORDINATE_LIMIT));
}

void exact_rotation(std::int32_t escapement, double& cosine, double& sine) {
  switch (escapement) {
    case 0:
      cosine = 1;
      sine = 0;
      return;
    case 900:
      cosine = 0;
      sine = 1;
      return;
    case 1800:
      cosine = -1;
      sine = 0;
      return;
    case 2700:
      cosine = 0;
      sine = -1;
      return;
    default: {
      const double angle = escapement * std::numbers::pi / 1800.0;
      cosine = std::cos(angle);
      sine = std::sin(angle);
    }
  }
}

}  // namespace

Orientation make_orientation(std::int32_t escapement, double scale_x, double scale_y) {
  const double sx = scale_x;
  const double sy = scale_y;
  double c = 1, s = 0;
  exact_rotation(escapement, c, s);
  const double ax = std::abs(sx);
  const double ay = std::abs(sy);
  // y grows downwards, so a counter-clockwise turn takes the baseline direction
  // (1, 0) to (cos, -sin).
  const std::array<double, 4> exact{std::copysign(1.0, sx) * c, sx * s / ay, -sy * s / ax,
                                    std::copysign(1.0, sy) * c};
  Orientation o;
  bool permutation = true;
  for (std::size_t i = 0; i < 4; ++i) {
    const double clamped = std::clamp(exact[i], -32767.0, 32767.0);
    o.fixed[i] = static_cast<FT_Fixed>(std::lround(clamped * FIXED_ONE));
    o.t[i] = static_cast<double>(o.fixed[i]) / FIXED_ONE;
    permutation = permutation && (o.t[i] == 0 || o.t[i] == 1 || o.t[i] == -1);
  }
  o.axis_aligned = permutation && (o.t[0] == 0) == (o.t[3] == 0) &&
                   (o.t[1] == 0) == (o.t[2] == 0) && (o.t[0] == 0) != (o.t[1] == 0);
  return o;
}

std::int32_t round_to_pixel(double v) { return to_pixel(std::round(v)); }

TextQuad make_quad(const Orientation& o, double x0, double y0, double x1, double y1) {
  TextQuad q;
  q.corners = {o.apply(x0, y0), o.apply(x1, y0), o.apply(x1, y1), o.apply(x0, y1)};
  q.axis_aligned = o.axis_aligned;
  double min_x = q.corners[0].x, max_x = min_x, min_y = q.corners[0].y, max_y = min_y;
  for (const PointF& p : q.corners) {
    min_x = std::min(min_x, p.x);
    max_x = std::max(max_x, p.x);
    min_y = std::min(min_y, p.y);
    max_y = std::max(max_y, p.y);
  }
  q.left = to_pixel(std::floor(min_x));
  q.top = to_pixel(std::floor(min_y));
  q.right = to_pixel(std::ceil(max_x));
  q.bottom = to_pixel(std::ceil(max_y));
  return q;
}

}  // namespace korvi::raster
