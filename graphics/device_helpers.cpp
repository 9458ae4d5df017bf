#include "device_helpers.h"

#include <cstring>

#include "coordinates.h"
#include "font/font_cache.h"
#include "library.h"

namespace korvi {

bool record_fill_style(DrawingState& state, Color color, int style, const std::uint8_t* pattern) {
  state.fill_style = style;
  if (style == FILL_USER && pattern)
    std::memcpy(state.fill_pattern.data(), pattern, state.fill_pattern.size());
  state.fill_color = color;
  return style >= FILL_HOLLOW && style <= FILL_USER;
}

std::array<raster::Point, 5> rectangle_outline(int left, int top, int right, int bottom) {
  return {raster::Point{left, top}, raster::Point{right, top}, raster::Point{right, bottom},
          raster::Point{left, bottom}, raster::Point{left, top}};
}

raster::Rect inclusive_box(int left, int top, int right, int bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  return {left, top, add32(right, 1), add32(bottom, 1)};
}

void ellipse_outline_only(raster::DeviceContext& dc, int left, int top, int right, int bottom) {
  const raster::Brush brush = dc.brush();
  dc.select_brush(raster::Brush::hollow());
  dc.ellipse(left, top, right, bottom);
  dc.select_brush(brush);
}

void fill_region_plainly(raster::DeviceContext& dc, const raster::Region& region, Color color) {
  const int mode = dc.write_mode();
  dc.set_write_mode(raster::R2_COPYPEN);
  dc.fill_region(region, raster::Brush::solid(color));
  dc.set_write_mode(mode);
}

std::vector<raster::Point> as_raster_points(const Point* points, int count) {
  std::vector<raster::Point> converted(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    converted[static_cast<std::size_t>(i)] = {points[i].x, points[i].y};
  return converted;
}

void select_font_if_needed(raster::DeviceContext& dc, const raster::FontDescription& font,
                           bool& selected) {
  if (selected) return;
  raster::FontCache& cache = library().font_cache();
  dc.select_font(cache, cache.font(font));
  selected = true;
}

int format_text(raster::DeviceContext& dc, std::string_view text, Rect& rect, unsigned format) {
  raster::Rect box{rect.left, rect.top, rect.right, rect.bottom};
  const int height = dc.draw_text(text, box, format);
  if (format & DT_CALCRECT) rect = {box.left, box.top, box.right, box.bottom};
  return height;
}

void set_face_name(FontDescription& font, const char* face) {
  raster::FontDescription converted = to_raster(font);
  raster::set_face_name(converted, face);
  font = from_raster(converted);
}

}  // namespace korvi
