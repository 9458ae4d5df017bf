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

// One non-horizontal edge, as found in the path.
struct Edge {
  std::int64_t first_row;
  std::int64_t end_row;  // exclusive
  std::int64_t x0, y0;   // upper end, fixed point
  std::int64_t dx, dy;   // dy > 0
  int winding;
};

// An edge crossing the current row, stepped with an exact integer DDA: e is the first
// pixel whose centre is on or right of the edge's crossing with the row's centre line.
struct ActiveEdge {
  std::int64_t e;
  std::int64_t rem;     // e * den - numerator, in [0, den)
  std::int64_t den;     // FIXED_ONE * dy
  std::int64_t step_q;  // floor(FIXED_ONE * dx / den)
  std::int64_t step_r;  // remainder of that division, in [0, den)
  std::int64_t end_row;
  int winding;

  ActiveEdge(const Edge& edge, std::int64_t row) : end_row(edge.end_row), winding(edge.winding) {
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

}  // namespace

void rasterize_polygon(const PolygonPath& path, FillRule rule, Rect clip, RowFn out) {
  if (clip.empty() || path.empty()) return;
  const auto& pts = path.points();
  const std::int64_t clip_left_fixed = std::int64_t{clip.left} * FIXED_ONE + HALF;
  const std::int64_t clip_right_fixed = std::int64_t{clip.right} * FIXED_ONE + HALF;
  std::vector<Edge> edges;
  std::size_t begin = 0;
  for (std::size_t end : path.ends()) {
    for (std::size_t i = begin; i < end; ++i) {
      DevicePoint a = pts[i];
      DevicePoint b = pts[i + 1 < end ? i + 1 : begin];
      if (a.y == b.y) continue;
      int winding = 1;
      if (a.y > b.y) {
        std::swap(a, b);
        winding = -1;
      }
      Edge edge{};
      edge.first_row = std::max<std::int64_t>(ceil_div(a.y - HALF, FIXED_ONE), clip.top);
      edge.end_row = std::min<std::int64_t>(ceil_div(b.y - HALF, FIXED_ONE), clip.bottom);
      if (edge.first_row >= edge.end_row) continue;
      // Crossings right of the clip change nothing visible; crossings left of it
      // only count, so such an edge becomes a vertical one just at the clip's left.
      if (std::min(a.x, b.x) >= clip_right_fixed) continue;
      edge.winding = winding;
      edge.y0 = a.y;
      edge.dy = b.y - a.y;
      if (std::max(a.x, b.x) <= clip_left_fixed) {
        edge.x0 = clip_left_fixed;
        edge.dx = 0;
      } else {
        edge.x0 = a.x;
        edge.dx = b.x - a.x;
      }
      edges.push_back(edge);
    }
    begin = end;
  }
  if (edges.empty()) return;
  std::sort(edges.begin(), edges.end(),
            [](const Edge& p, const Edge& q) { return p.first_row < q.first_row; });

  std::vector<Span> row_spans;
  std::vector<ActiveEdge> active;
  active.reserve(edges.size());
  std::size_t next = 0;
  std::int64_t y = edges.front().first_row;
  while (y < clip.bottom) {
    if (active.empty()) {
      if (next == edges.size()) break;
      y = std::max(y, edges[next].first_row);
    }
    for (; next < edges.size() && edges[next].first_row <= y; ++next)
      active.emplace_back(edges[next], y);
    // Insertion sort: the order changes little from row to row.
    for (std::size_t i = 1; i < active.size(); ++i) {
      if (active[i - 1].e <= active[i].e) continue;
      const ActiveEdge moving = active[i];
      std::size_t j = i;
      for (; j > 0 && active[j - 1].e > moving.e; --j) active[j] = active[j - 1];
      active[j] = moving;
    }
    // At most one span per two crossings.
    if (row_spans.size() < active.size() / 2 + 1) row_spans.resize(active.size() / 2 + 1);
    std::size_t spans = 0;
    const auto emit = [&](std::int64_t x0, std::int64_t x1) {
      x0 = std::max<std::int64_t>(x0, clip.left);
      x1 = std::min<std::int64_t>(x1, clip.right);
      if (x0 < x1)
        row_spans[spans++] = {static_cast<std::int32_t>(x0), static_cast<std::int32_t>(x1)};
    };
    // Edges right of the clip were dropped: a span left open runs to the clip's right.
    if (rule == FillRule::ALTERNATE) {
      for (std::size_t i = 0; i + 1 < active.size(); i += 2) emit(active[i].e, active[i + 1].e);
      if (active.size() % 2 == 1) emit(active.back().e, clip.right);
    } else {
      int winding = 0;
      std::int64_t start = 0;
      for (const ActiveEdge& edge : active) {
        const int before = winding;
        winding += edge.winding;
        if (before == 0 && winding != 0) {
          start = edge.e;
        } else if (before != 0 && winding == 0) {
          emit(start, edge.e);
        }
      }
      if (winding != 0) emit(start, clip.right);
    }
    if (spans > 0) out(static_cast<std::int32_t>(y), row_spans.data(), spans);
    ++y;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < active.size(); ++i) {
      if (active[i].end_row <= y) continue;
      if (kept != i) active[kept] = active[i];
      active[kept++].advance();
    }
    active.erase(active.begin() + static_cast<std::ptrdiff_t>(kept), active.end());
  }
}

}  // namespace korvi::raster
