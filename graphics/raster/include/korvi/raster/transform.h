#pragma once
// World transforms: device = logical x M + offset.

#include <cmath>

namespace korvi::raster {

struct Transform {
  // device x = x * m11 + y * m21 + dx; device y = x * m12 + y * m22 + dy.
  float m11 = 1.0f;
  float m12 = 0.0f;
  float m21 = 0.0f;
  float m22 = 1.0f;
  float dx = 0.0f;
  float dy = 0.0f;

  static constexpr Transform identity() { return {}; }
  static constexpr Transform scale_offset(float sx, float sy, float ox, float oy) {
    return {sx, 0.0f, 0.0f, sy, ox, oy};
  }
  // No rotation or shear: axis-aligned boxes stay axis-aligned.
  bool is_scale_offset() const { return m12 == 0.0f && m21 == 0.0f; }
  bool is_finite() const {
    return std::isfinite(m11) && std::isfinite(m12) && std::isfinite(m21) && std::isfinite(m22) &&
           std::isfinite(dx) && std::isfinite(dy);
  }
  // Factor by which lengths (pen widths, dashes) grow: the square root of |det M|.
  double length_scale() const {
    return std::sqrt(std::fabs(double{m11} * m22 - double{m12} * m21));
  }
  friend bool operator==(const Transform&, const Transform&) = default;
};

}  // namespace korvi::raster
