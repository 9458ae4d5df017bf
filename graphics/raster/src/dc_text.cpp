// Fonts and text: output, measurement and formatted text.

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "device_point.h"
#include "glyph_paint.h"
#include "korvi/raster/device_context.h"

namespace korvi::raster {
namespace {

// Glyph ink reaches at most this far back along the baseline from the glyph's place:
// a few cell heights and some pixels. Text beyond that distance from what is visible
// is not laid out.
constexpr double REACH_CELLS = 4.0;
constexpr double REACH_PIXELS = 64.0;
// Long texts are laid out from a first piece of this many bytes, growing fourfold.
constexpr std::size_t FIRST_PIECE = 256;

bool continuation_byte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The first position from n on where a character of the text starts: a byte that is
// not a continuation byte, or one with three continuation bytes before it (no lead
// byte takes more than three).
std::size_t character_start(std::string_view text, std::size_t n) {
  for (; n < text.size(); ++n) {
    if (!continuation_byte(text[n])) return n;
    if (n >= 3 && continuation_byte(text[n - 1]) && continuation_byte(text[n - 2]) &&
        continuation_byte(text[n - 3])) {
      return n;
    }
  }
  return text.size();
}

// True when text following the run along its baseline cannot reach the visible box:
// the run is turned by right angles only, and its end, less the glyphs' reach, lies
// beyond the box. Advances never go backwards.
bool rest_is_hidden(const GlyphRun& run, DevicePoint origin, const PixelBox& visible) {
  const TextQuad& cell = run.cell;
  if (!cell.axis_aligned) return false;
  const PointF start = cell.corners[0];
  const PointF end = cell.corners[1];
  const bool along_x = start.y == end.y;
  const double across = along_x ? cell.bottom - cell.top : cell.right - cell.left;
  const double reach = REACH_CELLS * across + REACH_PIXELS;
  const double ox = static_cast<double>(origin.x);
  const double oy = static_cast<double>(origin.y);
  if (end.x > start.x) return ox + end.x - reach >= visible.right;
  if (end.x < start.x) return ox + end.x + reach <= visible.left;
  if (end.y > start.y) return oy + end.y - reach >= visible.bottom;
  if (end.y < start.y) return oy + end.y + reach <= visible.top;
  return false;
}

}  // namespace

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
  // Growing pieces of a long text until the rest could not be seen: glyphs take their
  // places from the advances before them only, so a piece lays out as the whole would.
  std::size_t piece = FIRST_PIECE;
  for (;;) {
    const std::size_t end = character_start(utf8, std::min(piece, utf8.size()));
    m_font_cache->glyph_run(*m_font, utf8.substr(0, end), text_scale(), run, mark);
    if (end == utf8.size() || rest_is_hidden(run, *origin, visible.bounds())) break;
    piece *= 4;
  }
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

std::int32_t DeviceContext::draw_text(std::string_view utf8, PixelBox& rect, std::uint32_t format) {
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
    const PixelBox bounds = m_surface->bounds();
    const PixelBox device{
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
