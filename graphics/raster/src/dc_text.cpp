// Fonts and text: output, measurement and formatted text.

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "device_point.h"
#include "glyph_paint.h"
#include "korvi/raster/device_context.h"

namespace korvi::raster {

void DeviceContext::select_font(FontCache& cache, std::shared_ptr<const Font> font) {
  if (font && !cache.owns(*font)) {
    throw std::invalid_argument("select_font: the font was made by another font cache");
  }
  m_font_cache = &cache;
  m_font = std::move(font);
}

TextScale DeviceContext::text_scale() const {
  const Transform& t = m_transform;
  if (t.is_scale_offset()) return {t.m11, t.m22};
  // Rotation and shear do not turn the glyphs: only the lengths of the images of the
  // axes count, each mirrored when its diagonal entry is negative.
  const double sx = std::hypot(double{t.m11}, double{t.m12});
  const double sy = std::hypot(double{t.m21}, double{t.m22});
  return {t.m11 < 0 ? -sx : sx, t.m22 < 0 ? -sy : sy};
}

void DeviceContext::paint_text(std::int32_t x, std::int32_t y, std::string_view utf8,
                               MarkedRange mark, const Visibility& visible) {
  const auto origin = map_point(m_transform, x, y);
  if (!origin) return;
  GlyphRun& run = m_scratch.run;
  m_font_cache->glyph_run(*m_font, utf8, text_scale(), run, mark);
  const TextColors colors{pixel_from_color(m_text), pixel_from_color(m_background),
                          m_background_mode == BackgroundMode::OPAQUE};
  paint_glyph_run(*m_surface, visible, run, *origin, colors);
}

void DeviceContext::text_out(std::int32_t x, std::int32_t y, std::string_view utf8) {
  if (!m_font || !drawable()) return;
  paint_text(x, y, utf8, {}, m_visible);
}

TextExtent DeviceContext::text_extent(std::string_view utf8) {
  if (!m_font) return {};
  return m_font_cache->text_extent(*m_font, utf8, text_scale());
}

std::int32_t DeviceContext::draw_text(std::string_view utf8, Rect& rect, std::uint32_t format) {
  if (!m_font) {
    if (format & FORMAT_CALCRECT) rect = {rect.left, rect.top, rect.left, rect.top};
    return 0;
  }
  const FontMeasurer measurer(*m_font_cache, *m_font, text_scale());
  TextLayout layout =
      layout_text(utf8, {rect.left, rect.top, rect.right, rect.bottom}, format, measurer);
  if (!layout.draws) {
    rect = {layout.bounds.left, layout.bounds.top, layout.bounds.right, layout.bounds.bottom};
    return layout.height;
  }
  if (!drawable() || layout.pieces.empty()) return layout.height;

  Visibility clipped;
  const Visibility* visible = &m_visible;
  if (layout.clips) {
    // The rectangle on the device: the bounding box of its mapped corners.
    const TextRect& r = layout.clip;
    const auto corners = {
        map_point(m_transform, r.left, r.top), map_point(m_transform, r.right, r.top),
        map_point(m_transform, r.right, r.bottom), map_point(m_transform, r.left, r.bottom)};
    Rect64 box{INT64_MAX, INT64_MAX, INT64_MIN, INT64_MIN};
    for (const auto& corner : corners) {
      if (!corner) return layout.height;
      box = {std::min(box.left, corner->x), std::min(box.top, corner->y),
             std::max(box.right, corner->x), std::max(box.bottom, corner->y)};
    }
    const Rect bounds = m_surface->bounds();
    const Rect device{
        static_cast<std::int32_t>(std::clamp<std::int64_t>(box.left, 0, bounds.right)),
        static_cast<std::int32_t>(std::clamp<std::int64_t>(box.top, 0, bounds.bottom)),
        static_cast<std::int32_t>(std::clamp<std::int64_t>(box.right, 0, bounds.right)),
        static_cast<std::int32_t>(std::clamp<std::int64_t>(box.bottom, 0, bounds.bottom))};
    if (device.empty()) return layout.height;
    clipped = Visibility(device, clip_region());
    if (clipped.empty()) return layout.height;
    visible = &clipped;
  }
  for (const TextPiece& piece : layout.pieces)
    paint_text(piece.x, piece.y, piece.text, piece.mark, *visible);
  return layout.height;
}

}  // namespace korvi::raster
