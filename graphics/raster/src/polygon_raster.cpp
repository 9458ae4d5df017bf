#include "polygon_raster.h"

#include <algorithm>
#include <cmath>

namespace korvi::raster {

void PolygonPath::add_point(PointF p) {
  // Saturated (a pen's reach beyond the device limit changes nothing visible).
  const double limit = static_cast<double>(DEVICE_LIMIT) * 2.0;
  auto fixed = [&](double v) {
    if (!(v == v)) v = 0.0;
    return static_cast<std::int64_t>(std::llround(std::clamp(v, -limit, limit) * FIXED_ONE));
  };
  add_point(fixed(p.x), fixed(p.y));
}

void PolygonPath::close_contour() {
  const std::size_t begin = m_ends.empty() ? 0 : m_ends.back();
  if (m_points.size() - begin < 3) {
    m_points.resize(begin);
    return;
  }
  m_ends.push_back(m_points.size());
}

void PolygonPath::add_positive_contour(const std::vector<PointF>& points) {
  double area = 0.0;
  for (std::size_t i = 0, n = points.size(); i < n; ++i) {
    const PointF& a = points[i];
    const PointF& b = points[(i + 1) % n];
    area += a.x * b.y - b.x * a.y;
  }
  if (area >= 0) {
    for (const PointF& p : points) add_point(p);
  } else {
    for (auto it = points.rbegin(); it != points.rend(); ++it) add_point(*it);
  }
  close_contour();
}

void PolygonPath::clear() {
  m_points.clear();
  m_ends.clear();
}

namespace {

constexpr std::int64_t HALF = FIXED_ONE / 2;

// The first row whose centre line lies at or below the fixed-point height y.
std::int64_t row_at_or_below(std::int64_t y) {
  return (y - HALF + FIXED_ONE - 1) >> FIXED_SHIFT;  // an arithmetic shift floors
}

}  // namespace

EdgeTable::EdgeTable(PixelBox clip)
    : m_clip(clip),
      m_clip_left_fixed(std::int64_t{clip.left} * FIXED_ONE + HALF),
      m_clip_right_fixed(std::int64_t{clip.right} * FIXED_ONE + HALF) {}

void EdgeTable::add_sloped_edge(DevicePoint a, DevicePoint b) {
  int winding = 1;
  if (a.y > b.y) {
    std::swap(a, b);
    winding = -1;
  }
  const std::int64_t first_row = std::max<std::int64_t>(row_at_or_below(a.y), m_clip.top);
  const std::int64_t end_row = std::min<std::int64_t>(row_at_or_below(b.y), m_clip.bottom);
  if (first_row >= end_row) return;
  // Crossings right of the clip change nothing visible; crossings left of it only
  // count, so such an edge becomes a vertical one just at the clip's left.
  if (std::min(a.x, b.x) >= m_clip_right_fixed) return;
  const bool left_of_clip = std::max(a.x, b.x) <= m_clip_left_fixed;
  m_edges.push_back({.x0 = left_of_clip ? m_clip_left_fixed : a.x,
                     .y0 = a.y,
                     .dx = left_of_clip ? 0 : b.x - a.x,
                     .dy = b.y - a.y,
                     .first_row = static_cast<std::int32_t>(first_row),
                     .end_row = static_cast<std::int32_t>(end_row),
                     .winding = winding});
}

void EdgeTable::add_path(const PolygonPath& path) {
  const auto& points = path.points();
  std::size_t begin = 0;
  for (const std::size_t end : path.ends()) {
    for (std::size_t i = begin; i < end; ++i)
      add_edge(points[i], points[i + 1 < end ? i + 1 : begin]);
    begin = end;
  }
}

namespace {

// An edge crossing the current row, stepped with an exact integer DDA: e is the first
// pixel whose centre is on or right of the edge's crossing with the row's centre line.
struct ActiveEdge {
  std::int64_t e;
  std::int64_t rem;     // e * den - numerator, in [0, den)
  std::int64_t den;     // FIXED_ONE * dy
  std::int64_t step_q;  // floor(FIXED_ONE * dx / den)
  std::int64_t step_r;  // remainder of that division, in [0, den)
  std::int32_t end_row;
  int winding;

  ActiveEdge(const PolygonEdge& edge, std::int64_t row)
      : end_row(edge.end_row), winding(edge.winding) {
    const std::int64_t centre = row * FIXED_ONE + HALF;
    const Int128 numerator = Int128{edge.x0 - HALF} * edge.dy + Int128{centre - edge.y0} * edge.dx;
    den = FIXED_ONE * edge.dy;
    e = ceil_div(numerator, den);
    rem = static_cast<std::int64_t>(Int128{e} * den - numerator);
    const std::int64_t step = FIXED_ONE * edge.dx;
    step_q = floor_div(step, den);
    step_r = step - step_q * den;
  }
  // Branch-free: the carry is as good as random, so a branch would mispredict.
  void advance() {
    const std::int64_t carry = (rem - step_r) >> 63;  // -1 when the remainder wraps
    e += step_q - carry;
    rem += (den & carry) - step_r;
  }
};

bool by_crossing(const ActiveEdge& a, const ActiveEdge& b) { return a.e < b.e; }

// Restores the crossing order of a list that stepping has left almost sorted, by
// insertion; a list far from sorted is sorted outright instead.
void restore_order(std::vector<ActiveEdge>::iterator first,
                   std::vector<ActiveEdge>::iterator last) {
  std::size_t budget = 4 * static_cast<std::size_t>(last - first) + 64;  // moves
  for (auto i = first; i != last; ++i) {
    if (i == first || (i - 1)->e <= i->e) continue;
    const ActiveEdge moving = *i;
    auto j = i;
    for (; j != first && (j - 1)->e > moving.e; --j) {
      *j = *(j - 1);
      if (--budget == 0) {
        *j = moving;  // keep every edge in the list
        std::sort(first, last, by_crossing);
        return;
      }
    }
    *j = moving;
  }
}

// The spans of a row as maximal runs of covered pixels.
class RowSpans {
 public:
  void clear() { m_spans.clear(); }
  bool empty() const { return m_spans.empty(); }
  const std::vector<Span>& spans() const { return m_spans; }
  void add(std::int64_t x0, std::int64_t x1) {
    if (x0 >= x1) return;
    if (!m_spans.empty() && m_spans.back().right == x0) {
      m_spans.back().right = static_cast<std::int32_t>(x1);
    } else {
      m_spans.push_back({static_cast<std::int32_t>(x0), static_cast<std::int32_t>(x1)});
    }
  }

 private:
  std::vector<Span> m_spans;
};

// A fill rule is a test on the winding number: the sum of the windings of the edges
// crossing a row at or left of a pixel.
bool inside_alternate(int winding) { return (winding & 1) != 0; }
bool inside_winding(int winding) { return winding != 0; }

// The spans of a row whose crossings are sorted. Crossings beyond the clip were cut to
// its sides; a run still open at the end reaches the clip's right side.
template <bool INSIDE(int)>
void spans_from_sorted(const std::vector<ActiveEdge>& active, PixelBox clip, RowSpans& out) {
  int winding = 0;
  std::int64_t start = 0;
  for (const ActiveEdge& edge : active) {
    const bool was_inside = INSIDE(winding);
    winding += edge.winding;
    const std::int64_t x = std::clamp<std::int64_t>(edge.e, clip.left, clip.right);
    if (!was_inside && INSIDE(winding)) {
      start = x;
    } else if (was_inside && !INSIDE(winding)) {
      out.add(start, x);
    }
  }
  if (INSIDE(winding)) out.add(start, clip.right);
}

// The spans of a row from its crossings counted per pixel column over [lo, hi], in any
// order: for rows that many edges cross within a short stretch.
template <bool INSIDE(int)>
void spans_from_counts(const std::vector<ActiveEdge>& active, PixelBox clip, std::int64_t lo,
                       std::int64_t hi, std::vector<int>& sums, RowSpans& out) {
  sums.assign(static_cast<std::size_t>(hi - lo + 1), 0);
  for (const ActiveEdge& edge : active) {
    const std::int64_t x = std::clamp<std::int64_t>(edge.e, clip.left, clip.right);
    sums[static_cast<std::size_t>(x - lo)] += edge.winding;
  }
  int winding = 0;
  std::int64_t start = 0;
  for (std::int64_t x = lo; x <= hi; ++x) {
    const bool was_inside = INSIDE(winding);
    winding += sums[static_cast<std::size_t>(x - lo)];
    if (!was_inside && INSIDE(winding)) {
      start = x;
    } else if (was_inside && !INSIDE(winding)) {
      out.add(start, x);
    }
  }
  if (INSIDE(winding)) out.add(start, clip.right);
}

// The active edge list of a scanline fill and the spans of its current row.
class ScanlineFill {
 public:
  ScanlineFill(PixelBox clip, FillRule rule) : m_clip(clip), m_rule(rule) {}

  bool empty() const { return m_active.empty(); }
  // Adds edges starting on row y (after the edges already there).
  void enter(const PolygonEdge& edge, std::int64_t y) { m_active.emplace_back(edge, y); }

  // The spans of the current row; `entered` edges at the end of the list are new.
  const RowSpans& row_spans(std::size_t entered) {
    m_spans.clear();
    if (m_active.empty()) return m_spans;
    std::int64_t lo = m_clip.right;
    std::int64_t hi = m_clip.left;
    for (const ActiveEdge& edge : m_active) {
      lo = std::min(lo, edge.e);
      hi = std::max(hi, edge.e);
    }
    lo = std::clamp<std::int64_t>(lo, m_clip.left, m_clip.right);
    hi = std::clamp<std::int64_t>(hi, m_clip.left, m_clip.right);
    // Counting costs the width of the stretch; sorting, more than the number of edges.
    const auto count = static_cast<std::int64_t>(m_active.size());
    const bool dense = count >= 16 && hi - lo <= 4 * count;
    if (dense) {
      if (m_rule == FillRule::ALTERNATE) {
        spans_from_counts<inside_alternate>(m_active, m_clip, lo, hi, m_sums, m_spans);
      } else {
        spans_from_counts<inside_winding>(m_active, m_clip, lo, hi, m_sums, m_spans);
      }
      return m_spans;
    }
    sort(entered);
    if (m_rule == FillRule::ALTERNATE) {
      spans_from_sorted<inside_alternate>(m_active, m_clip, m_spans);
    } else {
      spans_from_sorted<inside_winding>(m_active, m_clip, m_spans);
    }
    return m_spans;
  }

  // Steps every edge to the next row, dropping those that end above it.
  void advance(std::int64_t next_row) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_active.size(); ++i) {
      if (m_active[i].end_row <= next_row) continue;
      if (kept != i) m_active[kept] = m_active[i];
      m_active[kept++].advance();
    }
    m_active.erase(m_active.begin() + static_cast<std::ptrdiff_t>(kept), m_active.end());
  }

 private:
  // The edges that were there before are nearly in order; the new ones are sorted
  // apart and merged in.
  void sort(std::size_t entered) {
    const auto old_end = m_active.end() - static_cast<std::ptrdiff_t>(entered);
    restore_order(m_active.begin(), old_end);
    if (entered == 0) return;
    std::sort(old_end, m_active.end(), by_crossing);
    std::inplace_merge(m_active.begin(), old_end, m_active.end(), by_crossing);
  }

  PixelBox m_clip;
  FillRule m_rule;
  std::vector<ActiveEdge> m_active;
  std::vector<int> m_sums;
  RowSpans m_spans;
};

}  // namespace

void rasterize_edges(EdgeTable& table, FillRule rule, RowFn out) {
  std::vector<PolygonEdge>& edges = table.edges();
  const PixelBox clip = table.clip();
  if (clip.empty() || edges.empty()) return;
  std::sort(edges.begin(), edges.end(),
            [](const PolygonEdge& a, const PolygonEdge& b) { return a.first_row < b.first_row; });
  ScanlineFill fill(clip, rule);
  std::size_t next = 0;
  std::int64_t y = edges.front().first_row;
  while (y < clip.bottom) {
    if (fill.empty()) {
      if (next == edges.size()) break;
      y = std::max<std::int64_t>(y, edges[next].first_row);
    }
    std::size_t entered = 0;
    for (; next < edges.size() && edges[next].first_row <= y; ++next, ++entered)
      fill.enter(edges[next], y);
    const RowSpans& spans = fill.row_spans(entered);
    if (!spans.empty())
      out(static_cast<std::int32_t>(y), spans.spans().data(), spans.spans().size());
    ++y;
    fill.advance(y);
  }
}

void rasterize_polygon(const PolygonPath& path, FillRule rule, PixelBox clip, RowFn out) {
  if (clip.empty() || path.empty()) return;
  EdgeTable table(clip);
  table.add_path(path);
  rasterize_edges(table, rule, out);
}

}  // namespace korvi::raster
