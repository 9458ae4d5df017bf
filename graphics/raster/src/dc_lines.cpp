// Lines and paths: thin (one pixel, stepped) and wide (stroked to polygons).

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "device_point.h"
#include "korvi/raster/device_context.h"
#include "paint.h"
#include "region_shapes.h"
#include "stroke.h"
#include "thin_line.h"

namespace korvi::raster {
namespace {

// Pixels of a thin path gathered instead of painted, dashes and gaps apart.
struct PixelRecord {
  std::vector<RowSpan> on;
  std::vector<RowSpan> off;
};

// Paints the steps of one thin line, dashes counted from `phase` steps before its start;
// or, with a record, notes their pixels.
class ThinLinePainter {
 public:
  ThinLinePainter(Surface& surface, const PenPaint& pen, const ThinLine& line, std::int64_t phase,
                  PixelRecord* record)
      : m_base(surface.pixels()),
        m_stride(surface.stride()),
        m_pen(pen),
        m_line(line),
        m_phase(phase),
        m_record(record) {}

  // Callers clip: every step in [first, last) is visible.
  void paint(std::int64_t first, std::int64_t last) const {
    if (m_pen.dashes.solid()) {
      walk(first, last - first, m_pen.on);
      return;
    }
    const auto& runs = m_pen.dashes.runs;
    const auto period = static_cast<std::int64_t>(m_pen.dashes.period);
    std::int64_t pos = (m_phase + first) % period;
    std::size_t run = 0;
    while (pos >= static_cast<std::int64_t>(runs[run])) {
      pos -= static_cast<std::int64_t>(runs[run]);
      run = (run + 1) % runs.size();
    }
    std::int64_t left = static_cast<std::int64_t>(runs[run]) - pos;
    for (std::int64_t i = first; i < last;) {
      const std::int64_t n = std::min(left, last - i);
      if (n > 0) walk(i, n, run % 2 == 0 ? m_pen.on : m_pen.off);
      i += n;
      run = (run + 1) % runs.size();
      left = static_cast<std::int64_t>(runs[run]);
    }
  }

 private:
  void walk(std::int64_t first, std::int64_t count, Mix mix) const {
    if (mix.is_noop() || count <= 0) return;
    if (m_record) {
      auto& to = mix == m_pen.on ? m_record->on : m_record->off;
      const Pixel* base = m_base;
      const std::ptrdiff_t stride = m_stride;
      m_line.walk(m_base, m_stride, first, count, [&](Pixel& p) {
        const std::ptrdiff_t offset = &p - base;
        const auto y = static_cast<std::int32_t>(offset / stride);
        const auto x = static_cast<std::int32_t>(offset % stride);
        to.push_back({y, x, x + 1});
      });
      return;
    }
    if (mix.is_store()) {
      const Pixel v = mix.xor_mask;
      m_line.walk(m_base, m_stride, first, count, [v](Pixel& p) { p = v; });
    } else {
      m_line.walk(m_base, m_stride, first, count, [mix](Pixel& p) { p = mix.apply(p); });
    }
  }

  Pixel* m_base;
  std::ptrdiff_t m_stride;
  const PenPaint& m_pen;
  const ThinLine& m_line;
  std::int64_t m_phase;
  PixelRecord* m_record;
};

void draw_thin_line(Surface& surface, const Visibility& visible, const PenPaint& pen,
                    const ThinLine& line, std::int64_t phase, PixelRecord* record) {
  const ThinLinePainter painter(surface, pen, line, phase, record);
  if (line.steps() == 0) return;
  if (visible.is_rectangle()) {
    // Common case first: both ends inside, every step visible.
    const PixelBox& r = visible.bounds();
    const DevicePoint a = line.from();
    const DevicePoint b = line.pixel(line.steps() - 1);
    if (r.contains(a.x, a.y) && r.contains(b.x, b.y)) {
      painter.paint(0, line.steps());
      return;
    }
    const auto [first, last] = line.visible_steps(visible.bounds());
    if (first < last) painter.paint(first, last);
    return;
  }
  // A region clip: row by row through the visible rows of the line.
  const PixelBox bounds = visible.bounds();
  const auto [first, last] = line.visible_steps(bounds);
  if (first >= last) return;
  const DevicePoint a = line.pixel(first);
  const DevicePoint b = line.pixel(last - 1);
  const std::int64_t top = std::min(a.y, b.y);
  const std::int64_t bottom = std::max(a.y, b.y) + 1;
  for (std::int64_t y = top; y < bottom; ++y) {
    // Plain variables: the lambda below captures them (clang 14 cannot capture
    // structured bindings).
    const auto steps = line.steps_on_row(y);
    const std::int64_t s0 = std::max(steps.first, first);
    const std::int64_t s1 = std::min(steps.second, last);
    if (s0 >= s1) continue;
    const std::int64_t xa = line.pixel(s0).x;
    const std::int64_t xb = xa + line.step_x() * (line.x_major() ? s1 - 1 - s0 : 0);
    visible.clip_span(y, std::min(xa, xb), std::max(xa, xb) + 1,
                      [&](std::int32_t, std::int32_t x0, std::int32_t x1) {
                        if (!line.x_major()) {
                          painter.paint(s0, s1);
                        } else if (line.step_x() > 0) {
                          painter.paint(s0 + (x0 - xa), s0 + (x1 - xa));
                        } else {
                          painter.paint(s0 + (xa - x1 + 1), s0 + (xa - x0 + 1));
                        }
                      });
  }
}

// The box of device space worth stroking: what is visible plus the pen's reach.
BoxF keep_box(const Visibility& visible, double width) {
  const PixelBox b = visible.bounds();
  const double margin = width + 4.0;
  return {b.left - margin, b.top - margin, b.right + margin, b.bottom + margin};
}

}  // namespace

void DeviceContext::thin_path_device(const PenPaint& pen, std::span<const DevicePoint> points,
                                     bool closed, std::int64_t phase) {
  if (!m_surface || !pen.visible || m_visible.empty() || points.size() < 2) return;
  const std::size_t n = points.size();
  const std::size_t segments = closed ? n : n - 1;
  const auto period = static_cast<std::int64_t>(pen.dashes.period);
  phase = period > 0 ? phase % period : 0;
  // Segments may cross or run back over each other. Where writing a pixel twice would
  // show (exclusive-or and the like), the pixels are gathered first and then written
  // once each, dashes before gaps.
  auto idempotent = [](Mix m) { return (m.and_mask & m.xor_mask) == 0; };
  PixelRecord record;
  const bool gather = segments > 1 && !(idempotent(pen.on) && idempotent(pen.off));
  for (std::size_t i = 0; i < segments; ++i) {
    const ThinLine line(points[i], points[(i + 1) % n]);
    draw_thin_line(*m_surface, m_visible, pen, line, phase, gather ? &record : nullptr);
    if (period > 0) phase = (phase + line.steps() % period) % period;
  }
  if (!gather) return;
  const Region on = Region::from_spans(std::move(record.on));
  paint_region_device(AreaPaint::uniform(pen.on), on);
  if (!record.off.empty()) {
    paint_region_device(
        AreaPaint::uniform(pen.off),
        Region::combine(Region::from_spans(std::move(record.off)), on, CombineMode::DIFF));
  }
}

void DeviceContext::wide_path_device(const PenPaint& pen, std::span<const PointF> points,
                                     bool closed, bool smooth) {
  if (!m_surface || !pen.visible || m_visible.empty() || points.empty()) return;
  StrokeStyle style{pen.width, pen.cap, smooth ? PEN_JOIN_MITER : pen.join, 10.0};
  style.keep = keep_box(m_visible, pen.width);
  if (pen.dashes.solid()) {
    PolygonPath path;
    stroke_path(points, closed, style, path);
    paint_path_device(AreaPaint::uniform(pen.on), path, FillRule::WINDING);
    return;
  }
  std::vector<std::vector<PointF>> dashes;
  dash_path(points, closed, pen.dashes, style.keep, dashes, nullptr);
  PolygonPath dash_outline;
  for (const auto& piece : dashes) stroke_path(piece, false, style, dash_outline);
  if (pen.off.is_noop()) {
    paint_path_device(AreaPaint::uniform(pen.on), dash_outline, FillRule::WINDING);
    return;
  }
  // Opaque gaps: the whole stroke less the dashes takes the background colour.
  PolygonPath whole;
  stroke_path(points, closed, style, whole);
  const PixelBox bounds = m_visible.bounds();
  const Region on = region_from_path(dash_outline, FillRule::WINDING, bounds);
  const Region gaps =
      Region::combine(region_from_path(whole, FillRule::WINDING, bounds), on, CombineMode::DIFF);
  paint_region_device(AreaPaint::uniform(pen.on), on);
  paint_region_device(AreaPaint::uniform(pen.off), gaps);
}

void DeviceContext::outline_points_device(const PenPaint& pen, std::span<const PointF> points,
                                          bool closed, bool smooth) {
  if (pen.wide) {
    wide_path_device(pen, points, closed, smooth);
    return;
  }
  std::vector<DevicePoint> pixels;
  pixels.reserve(points.size());
  for (const PointF& p : points) {
    const DevicePoint d{static_cast<std::int64_t>(std::floor(p.x)),
                        static_cast<std::int64_t>(std::floor(p.y))};
    if (pixels.empty() || !(pixels.back() == d)) pixels.push_back(d);
  }
  if (closed && pixels.size() > 1 && pixels.front() == pixels.back()) pixels.pop_back();
  thin_path_device(pen, pixels, closed, 0);
}

void DeviceContext::line_to(std::int32_t x, std::int32_t y) {
  const Point points[2] = {m_position, {x, y}};
  m_position = {x, y};
  polyline(points);
}

void DeviceContext::polyline(std::span<const Point> points) {
  if (!drawable() || points.size() < 2) return;
  const PenPaint pen = current_pen_paint();
  if (!pen.visible) return;
  // Short polylines (every line_to) map into a buffer on the stack.
  constexpr std::size_t SHORT = 16;
  std::array<DevicePoint, SHORT> small;
  std::vector<DevicePoint> large;
  if (points.size() > SHORT) large.resize(points.size());
  const std::span<DevicePoint> device = points.size() > SHORT
                                            ? std::span<DevicePoint>(large)
                                            : std::span<DevicePoint>(small.data(), points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    const auto d = map_point(m_transform, points[i].x, points[i].y);
    if (!d) return;
    device[i] = *d;
  }
  if (!pen.wide) {
    thin_path_device(pen, device, false, 0);
    return;
  }
  std::vector<PointF> centres;
  centres.reserve(device.size());
  for (const DevicePoint& d : device) {
    centres.push_back({static_cast<double>(d.x) + 0.5, static_cast<double>(d.y) + 0.5});
  }
  wide_path_device(pen, centres, false, false);
}

}  // namespace korvi::raster
