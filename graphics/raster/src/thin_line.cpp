#include "thin_line.h"

#include <algorithm>

namespace korvi::raster {

ThinLine::ThinLine(DevicePoint from, DevicePoint to) : m_from(from) {
  const std::int64_t dx = to.x - from.x;
  const std::int64_t dy = to.y - from.y;
  m_sx = dx < 0 ? -1 : 1;
  m_sy = dy < 0 ? -1 : 1;
  const std::int64_t adx = dx < 0 ? -dx : dx;
  const std::int64_t ady = dy < 0 ? -dy : dy;
  m_x_major = adx >= ady;
  m_major = m_x_major ? adx : ady;
  m_minor = m_x_major ? ady : adx;
  // Halves go to the smaller coordinate: toward the start when the minor axis grows.
  const int minor_direction = m_x_major ? m_sy : m_sx;
  m_bias = minor_direction > 0 ? m_major - 1 : m_major;
}

// minor(i) = floor((2 i minor + bias) / (2 major)).
std::int64_t ThinLine::minor_offset(std::int64_t step) const {
  return floor_div(Int128{2} * step * m_minor + m_bias, Int128{2} * m_major);
}

std::int64_t ThinLine::error_at(std::int64_t step) const {
  const Int128 n = Int128{2} * step * m_minor + m_bias;
  const Int128 d = Int128{2} * m_major;
  return static_cast<std::int64_t>(n - Int128{floor_div(n, d)} * d);
}

DevicePoint ThinLine::pixel(std::int64_t step) const {
  const std::int64_t m = minor_offset(step);
  if (m_x_major) return {m_from.x + m_sx * step, m_from.y + m_sy * m};
  return {m_from.x + m_sx * m, m_from.y + m_sy * step};
}

std::int64_t ThinLine::first_step_with_minor(std::int64_t k) const {
  if (k <= 0) return 0;
  if (m_minor == 0) return m_major;
  // 2 i minor + bias >= 2 k major.
  const std::int64_t i = ceil_div(Int128{2} * k * m_major - m_bias, Int128{2} * m_minor);
  return std::min(i, m_major);
}

std::pair<std::int64_t, std::int64_t> ThinLine::visible_steps(PixelBox clip) const {
  if (clip.empty() || m_major == 0) return {0, 0};
  // Range of steps whose coordinate along an axis through `start` with direction
  // `dir` lies in [lo, hi), when that coordinate is start + dir * f(i).
  auto axis_range = [](std::int64_t start, int dir, std::int64_t lo, std::int64_t hi) {
    // Offsets k = f(i) with start + dir * k in [lo, hi).
    if (dir > 0) return std::pair<std::int64_t, std::int64_t>{lo - start, hi - start};
    return std::pair<std::int64_t, std::int64_t>{start - hi + 1, start - lo + 1};
  };
  const auto [major_lo, major_hi] = m_x_major ? axis_range(m_from.x, m_sx, clip.left, clip.right)
                                              : axis_range(m_from.y, m_sy, clip.top, clip.bottom);
  const auto [minor_lo, minor_hi] = m_x_major ? axis_range(m_from.y, m_sy, clip.top, clip.bottom)
                                              : axis_range(m_from.x, m_sx, clip.left, clip.right);
  std::int64_t first = std::max<std::int64_t>({0, major_lo, first_step_with_minor(minor_lo)});
  std::int64_t last = std::min<std::int64_t>({m_major, major_hi, first_step_with_minor(minor_hi)});
  if (minor_hi <= 0) last = 0;
  if (first >= last) return {0, 0};
  return {first, last};
}

std::pair<std::int64_t, std::int64_t> ThinLine::steps_on_row(std::int64_t y) const {
  const std::int64_t k = (y - m_from.y) * m_sy;  // offset along y from the start
  if (k < 0 || m_major == 0) return {0, 0};
  if (!m_x_major) {
    if (k >= m_major) return {0, 0};
    return {k, k + 1};
  }
  const std::int64_t first = first_step_with_minor(k);
  const std::int64_t last = first_step_with_minor(k + 1);
  return {first, std::max(first, last)};
}

}  // namespace korvi::raster
