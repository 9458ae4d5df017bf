// Integer helpers for logical coordinates: sums that cannot overflow, the
// conversion of doubles to coordinates, and boxes with both edges included.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "korvi/raster/geometry.h"

namespace korvi {

// The value limited to the 32-bit range.
constexpr std::int32_t clamp32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// a + b without overflow, limited to the 32-bit range.
constexpr std::int32_t add32(std::int32_t a, std::int64_t b) { return clamp32(a + b); }

// Rounds halves away from zero and limits the result to the 32-bit range; a value
// that is not a number gives 0.
inline std::int32_t round_to_coordinate(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = value >= 0 ? std::trunc(value + 0.5) : std::trunc(value - 0.5);
  if (rounded <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
    return std::numeric_limits<std::int32_t>::min();
  if (rounded >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(rounded);
}

// The box from (left, top) to (right, bottom) with both edges included, corners in
// any order, as a half-open rectangle.
constexpr raster::PixelBox inclusive_box(int left, int top, int right, int bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  return {left, top, add32(right, 1), add32(bottom, 1)};
}

}  // namespace korvi
