#include "stroke.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvi::raster {
namespace {

PointF operator+(PointF a, PointF b) { return {a.x + b.x, a.y + b.y}; }
PointF operator-(PointF a, PointF b) { return {a.x - b.x, a.y - b.y}; }
PointF operator*(PointF a, double s) { return {a.x * s, a.y * s}; }
double dot(PointF a, PointF b) { return a.x * b.x + a.y * b.y; }
double cross(PointF a, PointF b) { return a.x * b.y - a.y * b.x; }
double length(PointF a) { return std::hypot(a.x, a.y); }

int segments_for(double radius) {
  if (!(radius > 0.5)) return 8;
  // Chord error below a tenth of a pixel.
  const double step = 2.0 * std::acos(std::max(-1.0, 1.0 - 0.1 / radius));
  const double n = std::ceil(2.0 * std::numbers::pi / step);
  return static_cast<int>(std::clamp(n, 8.0, 4096.0));
}

class Stroker {
 public:
  Stroker(const StrokeStyle& style, PolygonPath& out)
      : m_style(style), m_half(style.width / 2.0), m_out(out) {}

  void add(std::span<const PointF> input, bool closed) {
    m_points.clear();
    for (const PointF& p : input) {
      if (m_points.empty() || p.x != m_points.back().x || p.y != m_points.back().y) {
        m_points.push_back(p);
      }
    }
    if (closed && m_points.size() > 1 && m_points.front().x == m_points.back().x &&
        m_points.front().y == m_points.back().y) {
      m_points.pop_back();
    }
    const std::size_t n = m_points.size();
    if (n == 0) return;
    if (n == 1) {
      dot_at(m_points[0]);
      return;
    }
    const std::size_t segments = closed ? n : n - 1;
    for (std::size_t i = 0; i < segments; ++i) segment(m_points[i], m_points[(i + 1) % n]);
    const std::size_t first_join = closed ? 0 : 1;
    const std::size_t last_join = closed ? n : n - 1;
    for (std::size_t i = first_join; i < last_join; ++i) {
      join(m_points[(i + n - 1) % n], m_points[i], m_points[(i + 1) % n]);
    }
    if (!closed) {
      cap(m_points[0], m_points[0] - m_points[1]);
      cap(m_points[n - 1], m_points[n - 1] - m_points[n - 2]);
    }
  }

 private:
  PointF normal(PointF from, PointF to) const {
    const PointF d = to - from;
    const double len = length(d);
    return {-d.y / len * m_half, d.x / len * m_half};
  }

  void emit(std::vector<PointF> contour) {
    double left = contour[0].x, right = left, top = contour[0].y, bottom = top;
    for (const PointF& p : contour) {
      left = std::min(left, p.x);
      right = std::max(right, p.x);
      top = std::min(top, p.y);
      bottom = std::max(bottom, p.y);
    }
    const BoxF& k = m_style.keep;
    if (right < k.left || left > k.right || bottom < k.top || top > k.bottom) return;
    m_out.add_positive_contour(contour);
  }

  void segment(PointF a, PointF b) {
    const PointF n = normal(a, b);
    emit({a + n, b + n, b - n, a - n});
  }

  void circle(PointF c) {
    std::vector<PointF> pts;
    circle_points(c, m_half, pts);
    emit(std::move(pts));
  }

  void dot_at(PointF p) {
    if (m_style.cap == PEN_CAP_ROUND) {
      circle(p);
    } else if (m_style.cap == PEN_CAP_SQUARE) {
      emit({{p.x - m_half, p.y - m_half},
            {p.x + m_half, p.y - m_half},
            {p.x + m_half, p.y + m_half},
            {p.x - m_half, p.y + m_half}});
    }
  }

  // outward: direction pointing away from the path at this end.
  void cap(PointF p, PointF outward) {
    if (m_style.cap == PEN_CAP_ROUND) {
      circle(p);
    } else if (m_style.cap == PEN_CAP_SQUARE) {
      const double len = length(outward);
      const PointF d = outward * (m_half / len);
      const PointF n{-d.y, d.x};
      emit({p + n, p + n + d, p - n + d, p - n});
    }
  }

  void join(PointF prev, PointF at, PointF next) {
    const PointF d0 = at - prev;
    const PointF d1 = next - at;
    const double turn = cross(d0, d1);
    if (m_style.join == PEN_JOIN_ROUND) {
      if (turn == 0.0 && dot(d0, d1) > 0) return;
      circle(at);
      return;
    }
    if (turn == 0.0) {
      if (dot(d0, d1) < 0) circle(at);  // a full reversal: no corner to cut
      return;
    }
    // The outer side is opposite the turn.
    const double side = turn > 0 ? -1.0 : 1.0;
    const PointF n0 = normal(prev, at) * side;
    const PointF n1 = normal(at, next) * side;
    if (m_style.join == PEN_JOIN_MITER) {
      const double cos_turn = dot(d0, d1) / (length(d0) * length(d1));
      const double denominator = 1.0 + cos_turn;
      // Miter length over half width is 1 / cos(theta / 2) = sqrt(2 / (1 + cos theta)).
      if (denominator > 0 && 2.0 / denominator <= m_style.miter_limit * m_style.miter_limit) {
        const PointF tip = at + (n0 + n1) * (1.0 / denominator);
        emit({at, at + n0, tip, at + n1});
        return;
      }
    }
    emit({at, at + n0, at + n1});
  }

  const StrokeStyle& m_style;
  double m_half;
  PolygonPath& m_out;
  std::vector<PointF> m_points;
};

}  // namespace

void circle_points(PointF centre, double radius, std::vector<PointF>& out) {
  out.clear();
  const int n = segments_for(radius);
  // Vertices slightly outside so that the polygon's area matches the circle's.
  const double r =
      radius * std::sqrt(2.0 * std::numbers::pi / (n * std::sin(2.0 * std::numbers::pi / n)));
  for (int i = 0; i < n; ++i) {
    const double a = 2.0 * std::numbers::pi * i / n;
    out.push_back({centre.x + r * std::cos(a), centre.y - r * std::sin(a)});
  }
}

void ellipse_points(PointF centre, double rx, double ry, double a0, double a1,
                    std::vector<PointF>& out) {
  out.clear();
  const double sweep = a1 - a0;
  const int full = segments_for(std::max(rx, ry));
  const int n =
      std::max(1, static_cast<int>(std::ceil(full * std::fabs(sweep) / (2.0 * std::numbers::pi))));
  for (int i = 0; i <= n; ++i) {
    const double a = a0 + sweep * i / n;
    out.push_back({centre.x + rx * std::cos(a), centre.y - ry * std::sin(a)});
  }
}

void stroke_path(std::span<const PointF> points, bool closed, const StrokeStyle& style,
                 PolygonPath& out) {
  Stroker stroker(style, out);
  stroker.add(points, closed);
}

namespace {

// Cuts a path, segment by segment, into the pieces of its dashes and gaps. Only the
// parts of segments inside the keep box make pieces; the pattern still runs along the
// rest.
class Dasher {
 public:
  Dasher(const DashRuns& runs, const BoxF& keep, std::vector<std::vector<PointF>>& on,
         std::vector<std::vector<PointF>>* off)
      : m_runs(runs), m_keep(keep), m_on(on), m_off(off), m_left(runs.runs[0]) {}

  void add_segment(PointF a, PointF b) {
    const double len = length(b - a);
    if (len == 0.0) return;
    const PointF d = b - a;
    double t0 = 0.0;
    double t1 = 1.0;
    if (!clip_to_keep(a, d, t0, t1)) {
      flush();
      skip(len);
      return;
    }
    if (t0 > 0.0) {
      flush();
      skip(t0 * len);
    }
    double pos = t0 * len;
    const double end = t1 * len;
    if (m_piece.empty()) m_piece.push_back(a + d * (pos / len));
    while (end - pos >= m_left) {
      pos += m_left;
      m_piece.push_back(a + d * (pos / len));
      flush();
      m_piece.push_back(a + d * (pos / len));
      next_run();
      m_left = m_runs.runs[m_run];
    }
    m_left -= end - pos;
    m_piece.push_back(a + d * (end / len));
    if (t1 < 1.0) {
      flush();
      skip(len - end);
    }
  }

  // Hands over the piece in progress.
  void flush() {
    if (m_piece.size() > 1) {
      auto* target = m_run % 2 == 0 ? &m_on : m_off;
      if (target != nullptr) target->push_back(m_piece);
    }
    m_piece.clear();
  }

 private:
  void next_run() { m_run = (m_run + 1) % m_runs.runs.size(); }

  // Moves the pattern on by a distance without making pieces.
  void skip(double distance) {
    if (distance < m_left) {
      m_left -= distance;
      return;
    }
    distance -= m_left;
    next_run();
    distance = std::fmod(distance, m_runs.period);
    while (distance >= m_runs.runs[m_run]) {
      distance -= m_runs.runs[m_run];
      next_run();
    }
    m_left = m_runs.runs[m_run] - distance;
  }

  // Cuts the parameter range [t0, t1] of a + t d to the keep box (Liang-Barsky); false
  // when nothing of the segment is inside.
  bool clip_to_keep(PointF a, PointF d, double& t0, double& t1) const {
    auto clip = [&](double p, double q) {
      if (p == 0.0) return q >= 0.0;
      const double r = q / p;
      if (p < 0.0) {
        t0 = std::max(t0, r);
      } else {
        t1 = std::min(t1, r);
      }
      return true;
    };
    const BoxF& k = m_keep;
    return clip(-d.x, a.x - k.left) && clip(d.x, k.right - a.x) && clip(-d.y, a.y - k.top) &&
           clip(d.y, k.bottom - a.y) && t0 < t1;
  }

  const DashRuns& m_runs;
  const BoxF& m_keep;
  std::vector<std::vector<PointF>>& m_on;
  std::vector<std::vector<PointF>>* m_off;
  std::size_t m_run = 0;  // the current run: a dash when even
  double m_left;          // length left in the current run
  std::vector<PointF> m_piece;
};

}  // namespace

void dash_path(std::span<const PointF> points, bool closed, const DashRuns& runs, const BoxF& keep,
               std::vector<std::vector<PointF>>& on, std::vector<std::vector<PointF>>* off) {
  if (points.empty() || runs.solid()) return;
  Dasher dasher(runs, keep, on, off);
  for (std::size_t i = 0; i + 1 < points.size(); ++i) dasher.add_segment(points[i], points[i + 1]);
  if (closed) dasher.add_segment(points.back(), points.front());
  dasher.flush();
}

}  // namespace korvi::raster
