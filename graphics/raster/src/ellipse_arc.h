#pragma once
// Arcs and sectors of the ellipse inscribed in a half-open device box: the pixels a
// pie fills, the pixels a thin arc lights, and the path a wide or dashed pen follows.

#include <cstdint>
#include <vector>

#include "device_point.h"
#include "ellipse_raster.h"
#include "korvi/raster/geometry.h"
#include "korvi/raster/region.h"
#include "korvi/raster/visibility.h"

namespace korvi::raster {

// Parametric angle of the point where the ray in direction (dx, dy) (y down) leaves the
// ellipse with radii rx, ry; counter-clockwise as seen on screen.
double ray_angle(double dx, double dy, double rx, double ry);
// Sweep from a0 counter-clockwise to a1, in (0, 2 pi]; equal angles sweep everything.
double sweep_between(double a0, double a1);

class EllipseArc {
 public:
  // Counter-clockwise from the ray through start to the ray through end, both from the
  // box's centre; equal rays sweep the whole ellipse.
  EllipseArc(const Rect64& box, DevicePoint start, DevicePoint end);

  bool empty() const { return m_rows.empty(); }

  // Calls f(y, x0, x1) for the visible runs of the sector (a pie's inside), rows
  // ascending.
  template <class F>
  void for_each_sector_run(const Visibility& visible, F&& f) const {
    const PixelBox vb = visible.bounds();
    const std::int64_t top = std::max<std::int64_t>(m_rows.top(), vb.top);
    const std::int64_t bottom = std::min<std::int64_t>(m_rows.bottom(), vb.bottom);
    for (std::int64_t y = top; y < bottom; ++y) {
      std::int64_t x0 = 0;
      std::int64_t x1 = 0;
      if (m_rows.row(y, x0, x1)) swept_runs(visible, y, x0, x1, f);
    }
  }

  // The visible pixels of the thin arc: the ellipse's outline pixels inside the sweep
  // and, for a pie, its two radii; as a set, so that each is painted once.
  Region thin_pixels(const Visibility& visible, bool pie) const;

  // Points along the arc through the centres of the outline pixels; a pie's path
  // starts at the centre.
  std::vector<PointF> path(bool pie) const;

 private:
  // Calls f(y, a, b) for the runs of visible pixels of [x0, x1) on row y inside the
  // sweep (by their centres).
  template <class F>
  void swept_runs(const Visibility& visible, std::int64_t y, std::int64_t x0, std::int64_t x1,
                  F&& f) const {
    visible.clip_span(y, x0, x1, [&](std::int32_t cy, std::int32_t a, std::int32_t b) {
      const std::int64_t dy = 2 * std::int64_t{cy} + 1 - m_rows.centre_y2();
      std::int32_t run = a;
      bool inside = false;
      for (std::int32_t x = a; x < b; ++x) {
        const bool in = m_sweep.contains(2 * std::int64_t{x} + 1 - m_rows.centre_x2(), dy);
        if (in && !inside) run = x;
        if (!in && inside) f(cy, run, x);
        inside = in;
      }
      if (inside) f(cy, run, b);
    });
  }

  EllipseRows m_rows;
  AngleSweep m_sweep;
  PointF m_centre;
  double m_rx;
  double m_ry;
  double m_start_angle;
  double m_sweep_angle;
};

}  // namespace korvi::raster
