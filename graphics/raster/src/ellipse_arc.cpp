#include "ellipse_arc.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "stroke.h"
#include "thin_line.h"

namespace korvi::raster {

double ray_angle(double dx, double dy, double rx, double ry) {
  if (dx == 0.0 && dy == 0.0) return 0.0;
  return std::atan2(-dy * rx, dx * ry);
}

double sweep_between(double a0, double a1) {
  double s = a1 - a0;
  while (s <= 0.0) s += 2.0 * std::numbers::pi;
  return s;
}

namespace {

// A ray's direction in doubled units around the doubled centre.
std::int64_t doubled(std::int64_t v, std::int64_t centre2) { return 2 * v - centre2; }

}  // namespace

EllipseArc::EllipseArc(const Rect64& box, DevicePoint start, DevicePoint end)
    : m_rows(box.left, box.top, box.right, box.bottom),
      m_sweep(doubled(start.x, m_rows.centre_x2()), doubled(start.y, m_rows.centre_y2()),
              doubled(end.x, m_rows.centre_x2()), doubled(end.y, m_rows.centre_y2())),
      m_centre{static_cast<double>(m_rows.centre_x2()) / 2.0,
               static_cast<double>(m_rows.centre_y2()) / 2.0},
      m_rx(std::max(0.0, (static_cast<double>(box.right - box.left) - 1.0) / 2.0)),
      m_ry(std::max(0.0, (static_cast<double>(box.bottom - box.top) - 1.0) / 2.0)) {
  const auto cx2 = static_cast<double>(m_rows.centre_x2());
  const auto cy2 = static_cast<double>(m_rows.centre_y2());
  m_start_angle = ray_angle(2.0 * static_cast<double>(start.x) - cx2,
                            2.0 * static_cast<double>(start.y) - cy2, m_rx, m_ry);
  const double end_angle = ray_angle(2.0 * static_cast<double>(end.x) - cx2,
                                     2.0 * static_cast<double>(end.y) - cy2, m_rx, m_ry);
  m_sweep_angle = m_sweep.full() ? 2.0 * std::numbers::pi : sweep_between(m_start_angle, end_angle);
}

Region EllipseArc::thin_pixels(const Visibility& visible, bool pie) const {
  std::vector<RowSpan> pixels;
  const PixelBox vb = visible.bounds();
  const std::int64_t top = std::max<std::int64_t>(m_rows.top(), vb.top);
  const std::int64_t bottom = std::min<std::int64_t>(m_rows.bottom(), vb.bottom);
  auto add = [&](std::int32_t y, std::int32_t a, std::int32_t b) { pixels.push_back({y, a, b}); };
  if (top < bottom) {
    for (EllipseScan scan(m_rows, top, bottom); !scan.done(); scan.next()) {
      const OutlineRow o = scan.outline();
      for (int i = 0; i < o.count; ++i) swept_runs(visible, scan.y(), o.x0[i], o.x1[i], add);
    }
  }
  if (pie) {
    // Each radius from the centre pixel to the outline pixel its angle points at, the
    // tip included.
    const DevicePoint centre{floor_div(m_rows.centre_x2() - 1, 2),
                             floor_div(m_rows.centre_y2() - 1, 2)};
    for (const double angle : {m_start_angle, m_start_angle + m_sweep_angle}) {
      const DevicePoint tip{
          static_cast<std::int64_t>(std::floor(m_centre.x + m_rx * std::cos(angle))),
          static_cast<std::int64_t>(std::floor(m_centre.y - m_ry * std::sin(angle)))};
      const ThinLine line(centre, tip);
      const auto [first, last] = line.visible_steps(vb);
      auto add_pixel = [&](DevicePoint p) {
        if (!visible.contains(p.x, p.y)) return;
        const auto x = static_cast<std::int32_t>(p.x);
        add(static_cast<std::int32_t>(p.y), x, x + 1);
      };
      for (std::int64_t i = first; i < last; ++i) add_pixel(line.pixel(i));
      add_pixel(tip);
    }
  }
  return Region::from_spans(std::move(pixels));
}

std::vector<PointF> EllipseArc::path(bool pie) const {
  std::vector<PointF> points;
  ellipse_points(m_centre, m_rx, m_ry, m_start_angle, m_start_angle + m_sweep_angle, points);
  if (pie) points.insert(points.begin(), m_centre);
  return points;
}

}  // namespace korvi::raster
