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

// map_point for many points of one transform: a whole-pixel offset without scale,
// the usual case, is a plain addition.
class PointMapper {
 public:
  explicit PointMapper(const Transform& t) : m_transform(t) {
    constexpr float OFFSET_LIMIT = 2147483648.0f;  // sums stay exact and inside the limit
    m_offset_only = t.m11 == 1.0f && t.m22 == 1.0f && t.m12 == 0.0f && t.m21 == 0.0f &&
                    std::floor(t.dx) == t.dx && std::floor(t.dy) == t.dy &&
                    std::fabs(t.dx) <= OFFSET_LIMIT && std::fabs(t.dy) <= OFFSET_LIMIT;
    m_dx = m_offset_only ? static_cast<std::int64_t>(t.dx) : 0;
    m_dy = m_offset_only ? static_cast<std::int64_t>(t.dy) : 0;
  }
  std::optional<DevicePoint> operator()(Point p) const {
    if (m_offset_only) return DevicePoint{p.x + m_dx, p.y + m_dy};
    return map_point(m_transform, p.x, p.y);
  }
  // Calls f with the device pixel of each point in order; stops and returns false at
  // the first point that has none.
  template <class Span, class F>
  bool map_all(const Span& points, F&& f) const {
    if (m_offset_only) {
      for (const Point& p : points) f(DevicePoint{p.x + m_dx, p.y + m_dy});
      return true;
    }
    for (const Point& p : points) {
      const auto d = map_point(m_transform, p.x, p.y);
      if (!d) return false;
      f(*d);
    }
    return true;
  }

 private:
  Transform m_transform;
  bool m_offset_only;
  std::int64_t m_dx;
  std::int64_t m_dy;
};

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
