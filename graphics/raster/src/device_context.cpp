#include "korvi/raster/device_context.h"

#include "device_point.h"
#include "paint.h"

namespace korvi::raster {

DeviceContext::DeviceContext() = default;

DeviceContext::DeviceContext(Surface* surface) { bind(surface); }

void DeviceContext::bind(Surface* surface) {
  m_surface = surface;
  refresh_visibility();
}

void DeviceContext::refresh_visibility() const {
  m_bound_size = m_surface ? m_surface->bounds() : PixelBox{};
  m_visible =
      m_surface && !m_surface->empty() ? Visibility(m_bound_size, clip_region()) : Visibility();
}

bool DeviceContext::drawable() const {
  if (m_surface == nullptr) return false;
  if (m_surface->bounds() != m_bound_size) refresh_visibility();
  return !m_visible.empty();
}

void DeviceContext::select_pen(const Pen& pen) { m_pen = pen; }

bool DeviceContext::select_pen(const std::optional<Pen>& pen) {
  if (!pen) return false;
  m_pen = *pen;
  return true;
}
void DeviceContext::select_brush(const Brush& brush) { m_brush = brush; }
void DeviceContext::set_background_color(Color color) { m_background = color & RGB_MASK; }
void DeviceContext::set_background_mode(BackgroundMode mode) { m_background_mode = mode; }
void DeviceContext::set_text_color(Color color) { m_text = color & RGB_MASK; }

bool DeviceContext::set_write_mode(int rop2) {
  if (rop2 < 1 || rop2 > 16) return false;
  m_rop2 = rop2;
  return true;
}

void DeviceContext::set_transform(const Transform& transform) { m_transform = transform; }

void DeviceContext::set_clip_region(const Region* region) {
  if (region) {
    m_clip = *region;
  } else {
    m_clip.reset();
  }
  refresh_visibility();
}

PenPaint DeviceContext::current_pen_paint() const {
  const PaintColors colors{pixel_from_color(m_text), pixel_from_color(m_background),
                           m_background_mode == BackgroundMode::OPAQUE, m_rop2};
  return resolve_pen(m_pen, m_transform.length_scale(), colors);
}

AreaPaint DeviceContext::current_brush_paint() const {
  const PaintColors colors{pixel_from_color(m_text), pixel_from_color(m_background),
                           m_background_mode == BackgroundMode::OPAQUE, m_rop2};
  return AreaPaint::for_brush(m_brush, colors);
}

void DeviceContext::set_pixel(std::int32_t x, std::int32_t y, Color color) {
  if (!drawable()) return;
  const auto p = map_point(m_transform, x, y);
  if (!p || !m_visible.contains(p->x, p->y)) return;
  m_surface->at(static_cast<int>(p->x), static_cast<int>(p->y)) =
      pixel_from_color(color) & RGB_MASK;
}

Color DeviceContext::get_pixel(std::int32_t x, std::int32_t y) const {
  if (!drawable()) return INVALID_COLOR;
  const auto p = map_point(m_transform, x, y);
  if (!p || !m_visible.contains(p->x, p->y)) return INVALID_COLOR;
  return color_from_pixel(m_surface->at(static_cast<int>(p->x), static_cast<int>(p->y))) & RGB_MASK;
}

}  // namespace korvi::raster
