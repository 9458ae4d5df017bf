#pragma once
// Integer points and half-open boxes of pixels.

#include <algorithm>
#include <cstdint>

#include "korvi/types.h"

namespace korvi::raster {

struct PointF {
  double x = 0.0;
  double y = 0.0;
};

// The library's own point, so that its callers' point arrays need no conversion.
using Point = korvi::Point;

// A half-open box of pixels: covers left <= x < right and top <= y < bottom, y growing
// downwards. (The public korvi::Rect is another type: its functions say which of its
// edges they include.)
struct PixelBox {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  constexpr std::int64_t width() const { return std::int64_t{right} - left; }
  constexpr std::int64_t height() const { return std::int64_t{bottom} - top; }
  constexpr bool empty() const { return right <= left || bottom <= top; }
  constexpr bool contains(std::int64_t x, std::int64_t y) const {
    return x >= left && x < right && y >= top && y < bottom;
  }
  // The common part; an empty result may have any coordinates.
  constexpr PixelBox intersected(const PixelBox& o) const {
    return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
            std::min(bottom, o.bottom)};
  }
  friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

// A device pixel position that may lie far outside any surface.
struct DevicePoint {
  std::int64_t x = 0;
  std::int64_t y = 0;
  friend bool operator==(const DevicePoint&, const DevicePoint&) = default;
};

// A half-open device box that may lie far outside any surface.
struct Rect64 {
  std::int64_t left = 0;
  std::int64_t top = 0;
  std::int64_t right = 0;
  std::int64_t bottom = 0;
  constexpr bool empty() const { return right <= left || bottom <= top; }
  friend bool operator==(const Rect64&, const Rect64&) = default;
};

}  // namespace korvi::raster
