#pragma once
// Device-space points of the drawing pipeline. Device coordinates can lie far outside
// any surface, so they are 64-bit (or double) and saturate at +-DEVICE_LIMIT, which
// keeps every product of two coordinates inside 128 bits.

#include <cmath>
#include <cstdint>
#include <optional>

#include "korvi/raster/geometry.h"
#include "korvi/raster/transform.h"

namespace korvi::raster {

__extension__ typedef __int128 Int128;

inline constexpr std::int64_t DEVICE_LIMIT = std::int64_t{1} << 40;

inline double saturate_device(double v) {
  const auto limit = static_cast<double>(DEVICE_LIMIT);
  return v < -limit ? -limit : (v > limit ? limit : v);
}

// The unrounded device position of a logical point; empty when not finite.
inline std::optional<PointF> map_exact(const Transform& t, double x, double y) {
  const double dx = x * t.m11 + y * t.m21 + t.dx;
  const double dy = x * t.m12 + y * t.m22 + t.dy;
  if (!std::isfinite(dx) || !std::isfinite(dy)) return std::nullopt;
  return PointF{saturate_device(dx), saturate_device(dy)};
}

// Rounds to the nearest integer, halves upwards, so that whole-pixel offsets never
// change how a shape rounds.
inline std::int64_t round_device(double v) {
  return static_cast<std::int64_t>(std::floor(saturate_device(v) + 0.5));
}

// The device pixel of a logical point; empty when not finite.
inline std::optional<DevicePoint> map_point(const Transform& t, double x, double y) {
  const auto p = map_exact(t, x, y);
  if (!p) return std::nullopt;
  return DevicePoint{round_device(p->x), round_device(p->y)};
}

// Floor division for a positive divisor; 64-bit arithmetic when the operands fit.
inline std::int64_t floor_div(Int128 n, Int128 d) {
  constexpr Int128 LIMIT = Int128{1} << 62;
  if (n > -LIMIT && n < LIMIT && d < LIMIT) {
    const auto n64 = static_cast<std::int64_t>(n);
    const auto d64 = static_cast<std::int64_t>(d);
    std::int64_t q = n64 / d64;
    if (n64 % d64 != 0 && n64 < 0) --q;
    return q;
  }
  Int128 q = n / d;
  if ((n % d != 0) && (n < 0)) --q;
  return static_cast<std::int64_t>(q);
}
inline std::int64_t ceil_div(Int128 n, Int128 d) { return -floor_div(-n, d); }

}  // namespace korvi::raster
