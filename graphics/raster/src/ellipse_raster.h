#pragma once
// Rows of the ellipse inscribed in a half-open box, at pixel centres.
//
// In doubled units around the box centre (X = 2x + 1 - (left + right), likewise Y),
// pixel (x, y) is inside when X^2 H^2 + Y^2 W^2 <= W^2 H^2, W and H being the box's
// width and height. Exact in 128-bit integers while W and H are below 2^31; larger
// boxes use long double. Every row also keeps its middle pixel(s), and the middle
// row(s) span the whole width, so that thin ellipses still reach their box's sides.

#include <cstdint>
#include <vector>

#include "device_point.h"

namespace korvi::raster {

class EllipseRows {
 public:
  EllipseRows(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

  bool empty() const { return m_width <= 0 || m_height <= 0; }
  std::int64_t top() const { return m_top; }
  std::int64_t bottom() const { return m_bottom; }
  // Doubled centre: left + right and top + bottom.
  std::int64_t centre_x2() const { return m_left + m_right; }
  std::int64_t centre_y2() const { return m_top + m_bottom; }
  // The pixels [x0, x1) of row y; false when the row has none.
  bool row(std::int64_t y, std::int64_t& x0, std::int64_t& x1) const {
    return span_of(half_width(y, -1), x0, x1);
  }
  // Doubled half-width of row y (the largest |X| inside), or -1 when the row is empty.
  // hint: the value of a nearby row, or -1; it only makes the search shorter.
  std::int64_t half_width(std::int64_t y, std::int64_t hint) const;
  bool span_of(std::int64_t half, std::int64_t& x0, std::int64_t& x1) const {
    if (half < 0) return false;
    const std::int64_t centre = m_left + m_right - 1;
    x0 = (centre - half) / 2;
    x1 = (centre + half) / 2 + 1;
    return true;
  }

 private:
  std::int64_t estimate(std::int64_t yy) const;
  std::int64_t search_half_width(std::int64_t yy, std::int64_t hint) const;
  std::int64_t m_left, m_top, m_right, m_bottom;
  std::int64_t m_width, m_height;
  bool m_exact;
};

// Pixels of the thin outline: pixels of the ellipse with a 4-neighbour outside it.
// Each row has up to two runs.
struct OutlineRow {
  int count = 0;
  std::int64_t x0[2]{};
  std::int64_t x1[2]{};
};

// Walks rows [first, last) ascending, with the rows above and below for the outline.
// Rows come from their mirror images where possible and otherwise from a search that
// starts at the neighbouring row.
class EllipseScan {
 public:
  EllipseScan(const EllipseRows& rows, std::int64_t first, std::int64_t last);
  bool done() const { return m_y >= m_last; }
  std::int64_t y() const { return m_y; }
  // The filled pixels of the current row; false when there are none.
  bool fill(std::int64_t& x0, std::int64_t& x1) const { return m_rows.span_of(at(0), x0, x1); }
  OutlineRow outline() const;
  void next() { ++m_y; }

 private:
  std::int64_t at(std::int64_t offset) const {
    return m_half[static_cast<std::size_t>(m_y + offset - m_first + 1)];
  }
  const EllipseRows& m_rows;
  std::int64_t m_first, m_last, m_y;
  std::vector<std::int64_t> m_half;  // rows first - 1 .. last
};

// A counter-clockwise sweep (as seen on screen, y down) from one ray to another, both
// from the same centre; equal rays sweep the whole turn. Directions are given with y
// pointing down, in any common unit.
class AngleSweep {
 public:
  AngleSweep(std::int64_t start_x, std::int64_t start_y, std::int64_t end_x, std::int64_t end_y);
  bool full() const { return m_full; }
  bool contains(std::int64_t x, std::int64_t y) const;

 private:
  // Angle order counter-clockwise from the start ray: half 0 is [0, pi).
  int half(std::int64_t x, std::int64_t y) const;
  bool not_after(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by) const;
  std::int64_t m_sx, m_sy, m_ex, m_ey;
  bool m_full = false;
};

}  // namespace korvi::raster
