// Area fills: paths, regions, rectangles and flood fill.

#include <algorithm>

#include "device_point.h"
#include "flood_fill.h"
#include "korvi/raster/device_context.h"
#include "paint.h"
#include "pixel_ops.h"
#include "polygon_raster.h"

namespace korvi::raster {
namespace {

// The part of a device box inside rect, as a PixelBox.
PixelBox clamp_box(const Rect64& box, const PixelBox& rect) {
  return {static_cast<std::int32_t>(std::max<std::int64_t>(box.left, rect.left)),
          static_cast<std::int32_t>(std::max<std::int64_t>(box.top, rect.top)),
          static_cast<std::int32_t>(std::min<std::int64_t>(box.right, rect.right)),
          static_cast<std::int32_t>(std::min<std::int64_t>(box.bottom, rect.bottom))};
}

}  // namespace

void DeviceContext::paint_path_device(const AreaPaint& paint, const PolygonPath& path,
                                      FillRule rule) {
  if (!m_surface || paint.none() || m_visible.empty()) return;
  EdgeTable edges(m_visible.bounds());
  edges.add_path(path);
  paint_edges_device(paint, edges, rule);
}

void DeviceContext::paint_edges_device(const AreaPaint& paint, EdgeTable& edges, FillRule rule) {
  if (!m_surface || paint.none() || m_visible.empty()) return;
  Surface& surface = *m_surface;
  const Visibility& visible = m_visible;
  rasterize_edges(edges, rule, [&](std::int32_t y, const Span* spans, std::size_t count) {
    Pixel* row = surface.row(y);
    if (visible.is_rectangle()) {
      // The rasteriser already cut the spans to the visible box.
      for (std::size_t i = 0; i < count; ++i) paint.paint(row, y, spans[i].left, spans[i].right);
      return;
    }
    for (std::size_t i = 0; i < count; ++i) {
      visible.clip_span(
          y, spans[i].left, spans[i].right,
          [&](std::int32_t, std::int32_t a, std::int32_t b) { paint.paint(row, y, a, b); });
    }
  });
}

void DeviceContext::paint_region_device(const AreaPaint& paint, const Region& region) {
  if (!m_surface || paint.none() || m_visible.empty() || region.empty()) return;
  const PixelBox bounds = region.bounds().intersected(m_visible.bounds());
  if (bounds.empty()) return;
  for (const Region::Band& band : region.bands()) {
    if (band.bottom <= bounds.top) continue;
    if (band.top >= bounds.bottom) break;
    const std::int32_t top = std::max(band.top, bounds.top);
    const std::int32_t bottom = std::min(band.bottom, bounds.bottom);
    for (std::int32_t y = top; y < bottom; ++y) {
      for (const Span& s : region.spans(band)) {
        m_visible.clip_span(y, s.left, s.right,
                            [&](std::int32_t cy, std::int32_t a, std::int32_t b) {
                              paint.paint(m_surface->row(cy), cy, a, b);
                            });
      }
    }
  }
}

void DeviceContext::paint_box_device(const AreaPaint& paint, const Rect64& box) {
  if (!m_surface || paint.none() || m_visible.empty()) return;
  const PixelBox r = clamp_box(box, m_visible.bounds());
  if (r.empty()) return;
  Surface& surface = *m_surface;
  if (paint.is_uniform() && m_visible.is_rectangle() && r.left == 0 && r.right == surface.width() &&
      surface.stride() == surface.width()) {
    // Whole rows of a packed surface: one run.
    mix_run(surface.row(r.top), static_cast<std::size_t>(r.width() * r.height()),
            paint.uniform_mix());
    return;
  }
  m_visible.for_each_span(r, [&](std::int32_t y, std::int32_t x0, std::int32_t x1) {
    paint.paint(surface.row(y), y, x0, x1);
  });
}

void DeviceContext::fill_rect(const PixelBox& rect, const Brush& brush) {
  if (!drawable()) return;
  const PaintColors colors{pixel_from_color(m_text), pixel_from_color(m_background),
                           m_background_mode == BackgroundMode::OPAQUE, R2_COPYPEN};
  const AreaPaint paint = AreaPaint::for_brush(brush, colors);
  if (paint.none()) return;
  if (m_transform.is_scale_offset()) {
    const auto a = map_point(m_transform, rect.left, rect.top);
    const auto b = map_point(m_transform, rect.right, rect.bottom);
    if (!a || !b) return;
    paint_box_device(paint, {std::min(a->x, b->x), std::min(a->y, b->y), std::max(a->x, b->x),
                             std::max(a->y, b->y)});
    return;
  }
  PolygonPath path;
  const Point corners[4] = {{rect.left, rect.top},
                            {rect.right, rect.top},
                            {rect.right, rect.bottom},
                            {rect.left, rect.bottom}};
  for (const Point& c : corners) {
    const auto d = map_point(m_transform, c.x, c.y);
    if (!d) return;
    path.add_pixel_point(*d);
  }
  path.close_contour();
  paint_path_device(paint, path, FillRule::WINDING);
}

void DeviceContext::fill_region(const Region& device_region, const Brush& brush) {
  if (!drawable()) return;
  const PaintColors colors{pixel_from_color(m_text), pixel_from_color(m_background),
                           m_background_mode == BackgroundMode::OPAQUE, m_rop2};
  paint_region_device(AreaPaint::for_brush(brush, colors), device_region);
}

void DeviceContext::fill_rect_device(const PixelBox& device_rect, Color color) {
  if (!drawable()) return;
  const Pixel value = pixel_from_color(color) & RGB_MASK;
  Surface& surface = *m_surface;
  m_visible.for_each_span(device_rect, [&](std::int32_t y, std::int32_t x0, std::int32_t x1) {
    store_run(surface.row(y) + x0, static_cast<std::size_t>(x1 - x0), value);
  });
}

void DeviceContext::flood_fill(std::int32_t x, std::int32_t y, Color border) {
  if (!drawable()) return;
  const auto start = map_point(m_transform, x, y);
  if (!start || !m_visible.contains(start->x, start->y)) return;
  const Point seed{static_cast<std::int32_t>(start->x), static_cast<std::int32_t>(start->y)};
  const Pixel stop = pixel_from_color(border) & RGB_MASK;
  if ((m_surface->at(seed.x, seed.y) & RGB_MASK) == stop) return;
  flood_fill_device(*m_surface, m_visible, seed, stop, current_brush_paint());
}

}  // namespace korvi::raster
