#include "glyph_paint.h"

#include <algorithm>

#include "coverage_blend.h"
#include "korvi/raster/region.h"
#include "pixel_ops.h"
#include "polygon_raster.h"

namespace korvi::raster {
namespace {

// A box of run coordinates moved to the device, cut to 32 bits by the visible bounds.
Rect64 device_box(DevicePoint origin, std::int32_t left, std::int32_t top, std::int32_t right,
                  std::int32_t bottom) {
  return {origin.x + left, origin.y + top, origin.x + right, origin.y + bottom};
}

bool disjoint(const Rect64& box, const PixelBox& bounds) {
  return box.empty() || box.right <= bounds.left || box.left >= bounds.right ||
         box.bottom <= bounds.top || box.top >= bounds.bottom;
}

PixelBox cut(const Rect64& box, const PixelBox& bounds) {
  return {static_cast<std::int32_t>(std::max<std::int64_t>(box.left, bounds.left)),
          static_cast<std::int32_t>(std::max<std::int64_t>(box.top, bounds.top)),
          static_cast<std::int32_t>(std::min<std::int64_t>(box.right, bounds.right)),
          static_cast<std::int32_t>(std::min<std::int64_t>(box.bottom, bounds.bottom))};
}

void store_span(Surface& surface, std::int32_t y, std::int32_t x0, std::int32_t x1, Pixel value) {
  // Glyph spans are short: a plain loop beats the vectorised run's call.
  std::fill(surface.row(y) + x0, surface.row(y) + x1, value);
}

// Fills a quad of the run (cell, underline, strike-out, mark) by the pixel-centre rule.
void paint_quad(Surface& surface, const Visibility& visible, const TextQuad& quad,
                DevicePoint origin, Pixel value) {
  if (quad.empty()) return;
  const Rect64 box = device_box(origin, quad.left, quad.top, quad.right, quad.bottom);
  if (disjoint(box, visible.bounds())) return;
  if (quad.axis_aligned) {
    visible.for_each_span(
        cut(box, visible.bounds()), [&](std::int32_t y, std::int32_t x0, std::int32_t x1) {
          store_run(surface.row(y) + x0, static_cast<std::size_t>(x1 - x0), value);
        });
    return;
  }
  PolygonPath path;
  for (const PointF& corner : quad.corners) {
    path.add_point(
        PointF{static_cast<double>(origin.x) + corner.x, static_cast<double>(origin.y) + corner.y});
  }
  path.close_contour();
  rasterize_polygon(path, FillRule::WINDING, visible.bounds(),
                    [&](std::int32_t y, const Span* spans, std::size_t count) {
                      for (std::size_t i = 0; i < count; ++i) {
                        visible.clip_span(y, spans[i].left, spans[i].right,
                                          [&](std::int32_t row, std::int32_t x0, std::int32_t x1) {
                                            store_run(surface.row(row) + x0,
                                                      static_cast<std::size_t>(x1 - x0), value);
                                          });
                      }
                    });
}

void paint_one_bit(Surface& surface, const Visibility& visible, const GlyphBitmap& bitmap,
                   std::int64_t gx, std::int64_t gy, Pixel value) {
  for (const GlyphSpan& span : bitmap.spans) {
    visible.clip_span(gy + span.y, gx + span.x_begin, gx + span.x_end,
                      [&](std::int32_t y, std::int32_t x0, std::int32_t x1) {
                        store_span(surface, y, x0, x1, value);
                      });
  }
}

void paint_coverage(Surface& surface, const Visibility& visible, const GlyphBitmap& bitmap,
                    std::int64_t gx, std::int64_t gy, Pixel value) {
  const PixelBox bounds = visible.bounds();
  const std::int64_t first = std::max<std::int64_t>(0, bounds.top - gy);
  const std::int64_t last = std::min<std::int64_t>(bitmap.height, bounds.bottom - gy);
  const auto width = static_cast<std::size_t>(bitmap.width);
  for (std::int64_t r = first; r < last; ++r) {
    const std::uint8_t* coverage = bitmap.coverage.data() + static_cast<std::size_t>(r) * width;
    visible.clip_span(gy + r, gx, gx + bitmap.width,
                      [&](std::int32_t y, std::int32_t x0, std::int32_t x1) {
                        Pixel* out = surface.row(y);
                        const std::uint8_t* c = coverage + (x0 - gx);
                        for (std::int32_t x = x0; x < x1; ++x, ++c) {
                          const std::uint32_t a = *c;
                          if (a == 0) continue;
                          out[x] = a == 255 ? value : blend_pixel(out[x], value, a);
                        }
                      });
  }
}

}  // namespace

void paint_glyph_run(Surface& surface, const Visibility& visible, const GlyphRun& run,
                     DevicePoint origin, const TextColors& colors) {
  const PixelBox bounds = visible.bounds();
  if (disjoint(
          device_box(origin, run.bounds_left, run.bounds_top, run.bounds_right, run.bounds_bottom),
          bounds)) {
    return;
  }
  const Pixel text = colors.text & RGB_MASK;
  if (colors.opaque) paint_quad(surface, visible, run.cell, origin, colors.background & RGB_MASK);
  for (const PlacedGlyph& glyph : run.glyphs) {
    const GlyphBitmap& bitmap = *glyph.bitmap;
    if (bitmap.empty()) continue;
    const std::int64_t gx = origin.x + glyph.x;
    const std::int64_t gy = origin.y + glyph.y;
    if (disjoint({gx, gy, gx + bitmap.width, gy + bitmap.height}, bounds)) continue;
    if (bitmap.antialiased) {
      paint_coverage(surface, visible, bitmap, gx, gy, text);
    } else {
      paint_one_bit(surface, visible, bitmap, gx, gy, text);
    }
  }
  if (run.has_underline) paint_quad(surface, visible, run.underline, origin, text);
  if (run.has_strike_out) paint_quad(surface, visible, run.strike_out, origin, text);
  if (run.has_mark) paint_quad(surface, visible, run.mark, origin, text);
}

}  // namespace korvi::raster
