// Shapes: polygons, rectangles, ellipses, arcs and pies. Each is a fill pass with the
// brush, then an outline pass with the pen.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "device_point.h"
#include "ellipse_arc.h"
#include "ellipse_raster.h"
#include "korvi/raster/device_context.h"
#include "paint.h"
#include "polygon_raster.h"
#include "stroke.h"

namespace korvi::raster {
namespace {

std::optional<Rect64> map_box(const Transform& t, std::int32_t left, std::int32_t top,
                              std::int32_t right, std::int32_t bottom) {
  const auto a = map_point(t, left, top);
  const auto b = map_point(t, right, bottom);
  if (!a || !b) return std::nullopt;
  return Rect64{std::min(a->x, b->x), std::min(a->y, b->y), std::max(a->x, b->x),
                std::max(a->y, b->y)};
}

PointF to_centre(DevicePoint p) {
  return {static_cast<double>(p.x) + 0.5, static_cast<double>(p.y) + 0.5};
}

}  // namespace

void DeviceContext::polygon(std::span<const Point> points) {
  if (!drawable() || points.size() < 2) return;
  const AreaPaint fill = current_brush_paint();
  const PenPaint pen = current_pen_paint();
  const PointMapper map(m_transform);
  EdgeTable edges(m_visible.bounds());
  ContourEdges contour(edges);
  if (!pen.visible) {
    // The fill streams the mapped points into its edge table.
    if (fill.none() ||
        !map.map_all(points, [&](DevicePoint d) { contour.add_point(fixed_point(d)); })) {
      return;
    }
    contour.close();
    paint_edges_device(fill, edges, m_fill_rule);
    return;
  }
  std::vector<DevicePoint> device;
  device.reserve(points.size());
  if (!map.map_all(points, [&](DevicePoint d) { device.push_back(d); })) return;
  if (!fill.none()) {
    for (const DevicePoint& d : device) contour.add_point(fixed_point(d));
    contour.close();
    paint_edges_device(fill, edges, m_fill_rule);
  }
  if (!pen.wide) {
    thin_path_device(pen, device, true, 0);
    return;
  }
  std::vector<PointF> centres;
  centres.reserve(device.size());
  for (const DevicePoint& d : device) centres.push_back(to_centre(d));
  wide_path_device(pen, centres, true, false);
}

void DeviceContext::rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                              std::int32_t bottom) {
  if (!drawable()) return;
  if (!m_transform.is_scale_offset()) {
    const Point corners[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    polygon(corners);
    return;
  }
  const auto box = map_box(m_transform, left, top, right, bottom);
  if (!box || box->empty()) return;
  const Rect64 b = *box;
  const AreaPaint fill = current_brush_paint();
  const PenPaint pen = current_pen_paint();
  if (!pen.visible || pen.wide) {
    paint_box_device(fill, b);
    if (!pen.visible) return;
    const PointF corners[4] = {{b.left + 0.5, b.top + 0.5},
                               {b.right - 0.5, b.top + 0.5},
                               {b.right - 0.5, b.bottom - 0.5},
                               {b.left + 0.5, b.bottom - 0.5}};
    wide_path_device(pen, corners, true, false);
    return;
  }
  thin_frame_device(pen, b);
  paint_box_device(fill, {b.left + 1, b.top + 1, b.right - 1, b.bottom - 1});
}

void DeviceContext::thin_frame_device(const PenPaint& pen, const Rect64& b) {
  const std::int64_t width = b.right - b.left;
  const std::int64_t height = b.bottom - b.top;
  if (width == 1 && height == 1) return;
  const std::int64_t right = b.right - 1;  // the frame's last column and row
  const std::int64_t bottom = b.bottom - 1;
  if (pen.dashes.solid()) {
    // The ring of frame pixels, as disjoint boxes.
    const AreaPaint ring = AreaPaint::uniform(pen.on);
    paint_box_device(ring, {b.left, b.top, b.right, b.top + 1});
    if (height > 1) paint_box_device(ring, {b.left, bottom, b.right, b.bottom});
    paint_box_device(ring, {b.left, b.top + 1, b.left + 1, bottom});
    if (width > 1) paint_box_device(ring, {right, b.top + 1, b.right, bottom});
    return;
  }
  if (width == 1 || height == 1) {
    // The path runs there and back over one line: its first pixel keeps the first
    // step's dash, every other pixel the dash of the way back.
    const DevicePoint first{right, b.top};
    const DevicePoint turn = width == 1 ? DevicePoint{b.left, bottom} : DevicePoint{b.left, b.top};
    const DevicePoint beyond_first =
        width == 1 ? DevicePoint{first.x, first.y + 1} : DevicePoint{first.x - 1, first.y};
    const DevicePoint start_pixel[2] = {first, beyond_first};
    thin_path_device(pen, start_pixel, false, 0);
    const DevicePoint way_back[2] = {turn, first};
    thin_path_device(pen, way_back, false, std::max(width, height) - 1);
    return;
  }
  const DevicePoint corners[4] = {
      {right, b.top}, {b.left, b.top}, {b.left, bottom}, {right, bottom}};
  thin_path_device(pen, corners, true, 0);
}

void DeviceContext::ellipse(std::int32_t left, std::int32_t top, std::int32_t right,
                            std::int32_t bottom) {
  if (!drawable()) return;
  const AreaPaint fill = current_brush_paint();
  const PenPaint pen = current_pen_paint();
  if (!m_transform.is_scale_offset()) {
    curve_by_flattening({left, top, right, bottom}, nullptr, false, true, &fill, &pen);
    return;
  }
  const auto box = map_box(m_transform, left, top, right, bottom);
  if (!box || box->empty()) return;
  ellipse_device(*box, &fill, &pen);
}

void DeviceContext::ellipse_device(const Rect64& box, const AreaPaint* fill, const PenPaint* pen) {
  const EllipseRows rows(box.left, box.top, box.right, box.bottom);
  if (rows.empty()) return;
  const PixelBox vb = m_visible.bounds();
  const std::int64_t top = std::max<std::int64_t>(rows.top(), vb.top);
  const std::int64_t bottom = std::min<std::int64_t>(rows.bottom(), vb.bottom);
  const bool do_fill = fill && !fill->none();
  const bool thin_outline = pen && pen->visible && !pen->wide && pen->dashes.solid();
  const AreaPaint ring = thin_outline ? AreaPaint::uniform(pen->on) : AreaPaint();
  Surface& surface = *m_surface;
  if (top < bottom && (do_fill || thin_outline)) {
    // Fill and outline row by row: the two passes touch each row in order, which
    // is the same as two whole passes since rows do not interact.
    for (EllipseScan scan(rows, top, bottom); !scan.done(); scan.next()) {
      std::int64_t x0 = 0;
      std::int64_t x1 = 0;
      if (!scan.fill(x0, x1)) continue;
      const std::int64_t y = scan.y();
      auto put = [&](const AreaPaint& paint) {
        return [&](std::int32_t cy, std::int32_t a, std::int32_t b) {
          paint.paint(surface.row(cy), cy, a, b);
        };
      };
      if (do_fill) m_visible.clip_span(y, x0, x1, put(*fill));
      if (thin_outline) {
        const OutlineRow o = scan.outline();
        for (int i = 0; i < o.count; ++i) m_visible.clip_span(y, o.x0[i], o.x1[i], put(ring));
      }
    }
  }
  if (pen && pen->visible && !thin_outline) {
    // Dashed or wide outlines follow the ring through the outline pixels' centres.
    const PointF centre{(static_cast<double>(box.left) + static_cast<double>(box.right)) / 2.0,
                        (static_cast<double>(box.top) + static_cast<double>(box.bottom)) / 2.0};
    const double rx = std::max(0.0, (static_cast<double>(box.right - box.left) - 1.0) / 2.0);
    const double ry = std::max(0.0, (static_cast<double>(box.bottom - box.top) - 1.0) / 2.0);
    std::vector<PointF> ring_points;
    ellipse_points(centre, rx, ry, 0.0, 2.0 * std::numbers::pi, ring_points);
    ring_points.pop_back();
    outline_points_device(*pen, ring_points, true, true);
  }
}

void DeviceContext::arc(std::int32_t left, std::int32_t top, std::int32_t right,
                        std::int32_t bottom, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                        std::int32_t y2) {
  if (!drawable()) return;
  const PenPaint pen = current_pen_paint();
  if (!pen.visible) return;
  const Point rays[2] = {{x1, y1}, {x2, y2}};
  if (!m_transform.is_scale_offset()) {
    curve_by_flattening({left, top, right, bottom}, rays, false, false, nullptr, &pen);
    return;
  }
  const auto box = map_box(m_transform, left, top, right, bottom);
  const auto a = map_point(m_transform, x1, y1);
  const auto b = map_point(m_transform, x2, y2);
  if (!box || !a || !b || box->empty()) return;
  arc_device(*box, *a, *b, false, nullptr, &pen);
}

void DeviceContext::pie(std::int32_t left, std::int32_t top, std::int32_t right,
                        std::int32_t bottom, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                        std::int32_t y2) {
  if (!drawable()) return;
  const AreaPaint fill = current_brush_paint();
  const PenPaint pen = current_pen_paint();
  const Point rays[2] = {{x1, y1}, {x2, y2}};
  if (!m_transform.is_scale_offset()) {
    curve_by_flattening({left, top, right, bottom}, rays, true, true, &fill, &pen);
    return;
  }
  const auto box = map_box(m_transform, left, top, right, bottom);
  const auto a = map_point(m_transform, x1, y1);
  const auto b = map_point(m_transform, x2, y2);
  if (!box || !a || !b || box->empty()) return;
  arc_device(*box, *a, *b, true, &fill, &pen);
}

void DeviceContext::arc_device(const Rect64& box, DevicePoint start, DevicePoint end, bool pie,
                               const AreaPaint* fill, const PenPaint* pen) {
  const EllipseArc arc(box, start, end);
  if (arc.empty()) return;
  if (pie && fill && !fill->none()) {
    Surface& surface = *m_surface;
    arc.for_each_sector_run(m_visible, [&](std::int32_t y, std::int32_t x0, std::int32_t x1) {
      fill->paint(surface.row(y), y, x0, x1);
    });
  }
  if (!pen || !pen->visible) return;
  if (!pen->wide && pen->dashes.solid()) {
    paint_region_device(AreaPaint::uniform(pen->on), arc.thin_pixels(m_visible, pie));
    return;
  }
  outline_points_device(*pen, arc.path(pie), pie, !pie);
}

void DeviceContext::curve_by_flattening(const PixelBox& box, const Point* rays, bool pie,
                                        bool closed, const AreaPaint* fill, const PenPaint* pen) {
  // Under rotation or shear: the curve as a polygon in logical space, then mapped.
  const double cx = (static_cast<double>(box.left) + box.right) / 2.0;
  const double cy = (static_cast<double>(box.top) + box.bottom) / 2.0;
  const double rx = std::fabs(static_cast<double>(box.right) - box.left) / 2.0;
  const double ry = std::fabs(static_cast<double>(box.bottom) - box.top) / 2.0;
  double a0 = 0.0;
  double sweep = 2.0 * std::numbers::pi;
  if (rays) {
    a0 = ray_angle(rays[0].x - cx, rays[0].y - cy, rx, ry);
    const double a1 = ray_angle(rays[1].x - cx, rays[1].y - cy, rx, ry);
    const double cross = (rays[0].x - cx) * (rays[1].y - cy) - (rays[0].y - cy) * (rays[1].x - cx);
    const double dot = (rays[0].x - cx) * (rays[1].x - cx) + (rays[0].y - cy) * (rays[1].y - cy);
    if (!(cross == 0.0 && dot > 0.0)) sweep = sweep_between(a0, a1);
  }
  const double scale = std::max(1.0, m_transform.length_scale());
  std::vector<PointF> logical;
  ellipse_points({cx, cy}, rx * scale, ry * scale, a0, a0 + sweep, logical);
  for (PointF& p : logical) {
    p.x = cx + (p.x - cx) / scale;
    p.y = cy + (p.y - cy) / scale;
  }
  if (!rays || sweep >= 2.0 * std::numbers::pi) logical.pop_back();
  if (pie) logical.insert(logical.begin(), PointF{cx, cy});
  std::vector<PointF> device;
  for (const PointF& p : logical) {
    const auto d = map_exact(m_transform, p.x, p.y);
    if (!d) return;
    device.push_back(*d);
  }
  if (fill && !fill->none() && closed) {
    PolygonPath path;
    for (const PointF& p : device) path.add_point(p);
    path.close_contour();
    paint_path_device(*fill, path, FillRule::WINDING);
  }
  if (pen && pen->visible) outline_points_device(*pen, device, closed, !pie);
}

}  // namespace korvi::raster
