#include "ellipse_raster.h"

#include <algorithm>
#include <cmath>

namespace korvi::raster {

EllipseRows::EllipseRows(std::int64_t left, std::int64_t top, std::int64_t right,
                         std::int64_t bottom)
    : m_left(left),
      m_top(top),
      m_right(right),
      m_bottom(bottom),
      m_width(right - left),
      m_height(bottom - top) {
  constexpr std::int64_t EXACT_LIMIT = std::int64_t{1} << 31;
  m_exact = m_width < EXACT_LIMIT && m_height < EXACT_LIMIT;
}

// Below this width and height every product fits in 64 bits.
constexpr std::int64_t SMALL = std::int64_t{1} << 15;
// Steps a search from a hint may take before falling back to a square root.
constexpr int HINT_STEPS = 6;

std::int64_t EllipseRows::estimate(std::int64_t yy) const {
  const std::int64_t w = m_width;
  const std::int64_t h = m_height;
  std::int64_t xx = 0;
  if (m_exact) {
    const double ratio = static_cast<double>(yy) / static_cast<double>(h);
    xx = static_cast<std::int64_t>(static_cast<double>(w) *
                                   std::sqrt(std::max(0.0, 1.0 - ratio * ratio)));
  } else {
    const long double ratio = static_cast<long double>(yy) / static_cast<long double>(h);
    xx = static_cast<std::int64_t>(
        std::floor(static_cast<long double>(w) * std::sqrt(std::max(0.0L, 1.0L - ratio * ratio))));
  }
  if (((xx - (w + 1)) & 1) != 0) --xx;
  return xx;
}

std::int64_t EllipseRows::half_width(std::int64_t y, std::int64_t hint) const {
  if (empty() || y < m_top || y >= m_bottom) return -1;
  // Every row keeps its middle pixel(s) and the middle rows span the whole box, so that
  // even a very thin ellipse touches all four sides of its box.
  const std::int64_t yy = 2 * y + 1 - (m_top + m_bottom);
  if (yy >= -1 && yy <= 1) return m_width - 1;
  return std::max(search_half_width(yy, hint), (m_width + 1) % 2);
}

std::int64_t EllipseRows::search_half_width(std::int64_t yy, std::int64_t hint) const {
  const std::int64_t w = m_width;
  const std::int64_t h = m_height;
  // Largest X of the parity of w + 1 with X^2 h^2 <= w^2 (h^2 - Y^2).
  if (w < SMALL && h < SMALL) {
    const std::int64_t limit = w * w * (h * h - yy * yy);
    const std::int64_t h2 = h * h;
    auto fits = [&](std::int64_t v) { return v * v * h2 <= limit; };
    std::int64_t xx = hint;
    if (hint < 0) xx = (w + 1) % 2 == 0 ? 0 : -1;  // the narrowest row of this parity
    int steps = 0;
    while (steps < HINT_STEPS && fits(xx + 2)) {
      xx += 2;
      ++steps;
    }
    while (steps < HINT_STEPS && xx >= 0 && !fits(xx)) {
      xx -= 2;
      ++steps;
    }
    if (steps == HINT_STEPS) {
      xx = estimate(yy);
      while (fits(xx + 2)) xx += 2;
      while (xx >= 0 && !fits(xx)) xx -= 2;
    }
    return xx < 0 ? -1 : xx;
  }
  std::int64_t xx = estimate(yy);
  if (m_exact) {
    const Int128 limit = Int128{w} * w * (Int128{h} * h - Int128{yy} * yy);
    const Int128 h2 = Int128{h} * h;
    auto fits = [&](std::int64_t v) { return Int128{v} * v * h2 <= limit; };
    while (fits(xx + 2)) xx += 2;
    while (xx >= 0 && !fits(xx)) xx -= 2;
  }
  return xx < 0 ? -1 : xx;
}

EllipseScan::EllipseScan(const EllipseRows& rows, std::int64_t first, std::int64_t last)
    : m_rows(rows), m_first(first), m_last(last), m_y(first) {
  const std::int64_t count = std::max<std::int64_t>(last - first, 0) + 2;
  m_half.resize(static_cast<std::size_t>(count));
  const std::int64_t mirror = rows.top() + rows.bottom() - 1;  // y + y' for mirror rows
  std::int64_t previous = -1;
  for (std::int64_t i = 0; i < count; ++i) {
    const std::int64_t y = first - 1 + i;
    const std::int64_t twin = mirror - y;
    std::int64_t half;
    if (twin < y && twin >= first - 1) {
      half = m_half[static_cast<std::size_t>(twin - (first - 1))];
    } else {
      half = rows.half_width(y, previous);
    }
    m_half[static_cast<std::size_t>(i)] = half;
    previous = half;
  }
}

OutlineRow EllipseScan::outline() const {
  OutlineRow out;
  std::int64_t x0 = 0;
  std::int64_t x1 = 0;
  if (!m_rows.span_of(at(0), x0, x1)) return out;
  // Interior: the row without its ends, also covered by the rows above and below.
  std::int64_t lo = x0 + 1;
  std::int64_t hi = x1 - 1;
  std::int64_t a0 = 0, a1 = 0, b0 = 0, b1 = 0;
  if (m_rows.span_of(at(-1), a0, a1) && m_rows.span_of(at(1), b0, b1)) {
    lo = std::max({lo, a0, b0});
    hi = std::min({hi, a1, b1});
  } else {
    hi = lo;
  }
  if (lo >= hi) {
    out.count = 1;
    out.x0[0] = x0;
    out.x1[0] = x1;
  } else {
    out.count = 2;
    out.x0[0] = x0;
    out.x1[0] = lo;
    out.x0[1] = hi;
    out.x1[1] = x1;
  }
  return out;
}

AngleSweep::AngleSweep(std::int64_t start_x, std::int64_t start_y, std::int64_t end_x,
                       std::int64_t end_y)
    // Flip y so that counter-clockwise on screen is the positive sense.
    : m_sx(start_x), m_sy(-start_y), m_ex(end_x), m_ey(-end_y) {
  if (m_sx == 0 && m_sy == 0) m_sx = 1;
  if (m_ex == 0 && m_ey == 0) m_ex = 1;
  const Int128 cross = Int128{m_sx} * m_ey - Int128{m_sy} * m_ex;
  const Int128 dot = Int128{m_sx} * m_ex + Int128{m_sy} * m_ey;
  m_full = cross == 0 && dot > 0;
}

int AngleSweep::half(std::int64_t x, std::int64_t y) const {
  const Int128 cross = Int128{m_sx} * y - Int128{m_sy} * x;
  if (cross > 0) return 0;
  if (cross < 0) return 1;
  const Int128 dot = Int128{m_sx} * x + Int128{m_sy} * y;
  return dot > 0 ? 0 : 1;
}

bool AngleSweep::not_after(std::int64_t ax, std::int64_t ay, std::int64_t bx,
                           std::int64_t by) const {
  const int ha = half(ax, ay);
  const int hb = half(bx, by);
  if (ha != hb) return ha < hb;
  return Int128{ax} * by - Int128{ay} * bx >= 0;
}

bool AngleSweep::contains(std::int64_t x, std::int64_t y) const {
  if (m_full || (x == 0 && y == 0)) return true;
  return not_after(x, -y, m_ex, m_ey);
}

}  // namespace korvi::raster
