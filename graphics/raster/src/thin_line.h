#pragma once
// One-pixel lines between device pixels, the end pixel not drawn.
//
// Step i in [0, steps) lights the pixel i steps from the start along the major axis;
// on the minor axis it takes the ideal position rounded to the nearest pixel, an exact
// half going to the smaller coordinate whichever way the line runs. So a line and its
// reverse light the same pixels but for their end points. Clipping picks the visible
// steps; the end points never move, so a clipped line is exactly the crop of the
// unclipped one.

#include <cstdint>
#include <utility>

#include "device_point.h"
#include "korvi/raster/color.h"
#include "korvi/raster/geometry.h"

namespace korvi::raster {

class ThinLine {
 public:
  ThinLine(DevicePoint from, DevicePoint to);

  std::int64_t steps() const { return m_major; }
  bool x_major() const { return m_x_major; }
  int step_x() const { return m_sx; }
  DevicePoint pixel(std::int64_t step) const;
  DevicePoint from() const { return m_from; }
  // The steps [first, last) whose pixels lie in clip.
  std::pair<std::int64_t, std::int64_t> visible_steps(PixelBox clip) const;
  // The steps [first, last) that light row y (a run for x-major lines, otherwise at
  // most one step).
  std::pair<std::int64_t, std::int64_t> steps_on_row(std::int64_t y) const;

  // Applies write to each pixel of steps [first, first + count). Callers clip.
  template <class Write>
  void walk(Pixel* base, std::ptrdiff_t stride, std::int64_t first, std::int64_t count,
            Write write) const {
    const DevicePoint p = first == 0 ? m_from : pixel(first);
    std::int64_t err = first == 0 ? m_bias : error_at(first);
    std::ptrdiff_t offset = p.y * stride + p.x;
    const std::ptrdiff_t major_step = m_x_major ? m_sx : m_sy * stride;
    const std::ptrdiff_t minor_step = m_x_major ? m_sy * stride : m_sx;
    const std::int64_t rise = 2 * m_minor;
    const std::int64_t span = 2 * m_major;
    for (std::int64_t i = 0; i < count; ++i) {
      write(base[offset]);
      offset += major_step;
      err += rise;
      if (err >= span) {
        err -= span;
        offset += minor_step;
      }
    }
  }

 private:
  // Smallest step whose minor offset is at least k (steps() when none).
  std::int64_t first_step_with_minor(std::int64_t k) const;
  std::int64_t minor_offset(std::int64_t step) const;
  std::int64_t error_at(std::int64_t step) const;

  DevicePoint m_from;
  std::int64_t m_major = 0;
  std::int64_t m_minor = 0;
  // Added to the doubled minor numerator before flooring: major - 1 rounds halves
  // toward the start, major away from it.
  std::int64_t m_bias = 0;
  int m_sx = 1;
  int m_sy = 1;
  bool m_x_major = true;
};

}  // namespace korvi::raster
