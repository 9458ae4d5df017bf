#include "devices/image_device.h"

#include <array>
#include <cmath>
#include <cstring>
#include <span>
#include <string_view>

#include "font/font_cache.h"
#include "state/coordinates.h"
#include "state/graphics_library.h"
#include "state/image_impl.h"
#include "state/region_object.h"

namespace korvi {
namespace {

std::string_view text_of(const char* text) {
  return text ? std::string_view(text) : std::string_view();
}

ImageImpl& working() { return impl_of(*library().working_image()); }

// The ellipse box of a circle.
raster::PixelBox circle_box(int x, int y, int radius) {
  return {add32(x, -std::int64_t{radius}), add32(y, -std::int64_t{radius}), add32(x, radius),
          add32(y, radius)};
}

// Selects the working image's font in the device context, unless it holds it
// already. Fonts are made at the first text, so images without text never start
// the font engine.
void select_current_font(raster::DeviceContext& dc, const FontDescription& font) {
  if (dc.font() && dc.font()->description() == font) return;
  raster::FontCache& cache = library().font_cache();
  dc.select_font(cache, cache.font(font));
}

}  // namespace

ImageDevice::~ImageDevice() = default;

DrawingState& ImageDevice::state() { return working().state; }
raster::DeviceContext& ImageDevice::target() { return working().dc; }

// An image is the drawing thread's alone, unless it is the window's picture (selected
// as an image after the window closed), which the UI thread paints from when the
// window opens again.
void ImageDevice::apply_setting(ContextAction apply) {
  const auto lock = library().lock_if_target_shown();
  apply(target());
}

void ImageDevice::draw(ContextAction draw) {
  const auto lock = library().lock_if_target_shown();
  draw(target());
}

void ImageDevice::clear_device() {
  {
    ImageImpl& image = working();
    const auto lock = library().lock_if_target_shown();
    image.surface.fill(raster::pixel_from_color(image.state.bk_color));
  }
  move_to(0, 0);
}

Color ImageDevice::get_line_color() { return state().line_color; }

void ImageDevice::set_line_color(Color color) {
  DrawingState& s = state();
  s.line_color = color;
  set_line_style(s.line_style, s.line_pattern, s.line_thickness);
}

Color ImageDevice::get_bk_color() { return state().bk_color; }

void ImageDevice::set_bk_color(Color color) {
  state().bk_color = color;
  apply_setting([&](raster::DeviceContext& dc) { dc.set_background_color(color); });
}

void ImageDevice::set_bk_mode(int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return;
  apply_setting([&](raster::DeviceContext& dc) {
    dc.set_background_mode(static_cast<raster::BackgroundMode>(mode));
  });
}

void ImageDevice::set_origin(int x, int y) {
  DrawingState& s = state();
  s.transform.dx = static_cast<float>(x);
  s.transform.dy = static_cast<float>(y);
  apply_setting([&](raster::DeviceContext& dc) { dc.set_transform(s.transform); });
}

void ImageDevice::set_clip_region(RegionHandle region) {
  const raster::Region* clip = region ? &region->region : nullptr;
  apply_setting([&](raster::DeviceContext& dc) { dc.set_clip_region(clip); });
}

void ImageDevice::clear_clip_region() {
  if (!target().clip_region()) {
    clear_device();
    return;
  }
  // The clip region filled with the background colour, whatever the write mode;
  // like a setting, on every context of the target in every mode.
  const raster::Brush background = raster::Brush::solid(state().bk_color);
  apply_setting([&](raster::DeviceContext& dc) {
    const int mode = dc.write_mode();
    dc.set_write_mode(raster::R2_COPYPEN);
    dc.fill_region(*dc.clip_region(), background);
    dc.set_write_mode(mode);
  });
}

void ImageDevice::get_line_style(int* style, std::uint16_t* pattern, int* thickness) {
  const DrawingState& s = state();
  if (style) *style = s.line_style;
  if (pattern) *pattern = s.line_pattern;
  if (thickness) *thickness = s.line_thickness;
}

void ImageDevice::set_line_style(int style, std::uint16_t pattern, int thickness) {
  DrawingState& s = state();
  s.line_style = style;
  s.line_pattern = pattern;
  s.line_thickness = thickness;
  const auto pen = make_line_pen(style, pattern, thickness, s.line_color);
  apply_setting([&](raster::DeviceContext& dc) { dc.select_pen(pen); });
}

void ImageDevice::get_fill_style(Color* color, int* style, std::uint8_t* pattern) {
  const DrawingState& s = state();
  if (color) *color = s.fill_color;
  if (style) *style = s.fill_style;
  if (pattern && s.fill_style == FILL_USER)
    std::memcpy(pattern, s.fill_pattern.data(), s.fill_pattern.size());
}

void ImageDevice::set_fill_style(Color color, int style, const std::uint8_t* pattern) {
  DrawingState& s = state();
  if (!record_fill_style(s, color, style, pattern)) return;
  const raster::Brush brush = *make_fill_brush(style, color, s.fill_pattern);
  apply_setting([&](raster::DeviceContext& dc) {
    dc.select_brush(brush);
    dc.set_text_color(color);
  });
}

void ImageDevice::get_aspect_ratio(float* x_scale, float* y_scale) {
  const DrawingState& s = state();
  if (x_scale) *x_scale = s.transform.m11;
  if (y_scale) *y_scale = s.transform.m22;
}

void ImageDevice::set_aspect_ratio(float x_scale, float y_scale) {
  DrawingState& s = state();
  s.transform.m11 = x_scale;
  s.transform.m22 = y_scale;
  apply_setting([&](raster::DeviceContext& dc) { dc.set_transform(s.transform); });
}

void ImageDevice::set_write_mode(int mode) {
  apply_setting([&](raster::DeviceContext& dc) { dc.set_write_mode(mode); });
}

void ImageDevice::reset_drawing_state() { library().working_image()->reset_state(); }

Color ImageDevice::get_pixel(int x, int y) { return target().get_pixel(x, y); }

void ImageDevice::put_pixel(int x, int y, Color color) {
  draw([&](raster::DeviceContext& dc) { dc.set_pixel(x, y, color); });
}

void ImageDevice::move_to(int x, int y) {
  apply_setting([&](raster::DeviceContext& dc) { dc.move_to(x, y); });
  DrawingState& s = state();
  s.cursor_x = x;
  s.cursor_y = y;
}

void ImageDevice::move_rel(int dx, int dy) {
  const DrawingState& s = state();
  move_to(add32(s.cursor_x, dx), add32(s.cursor_y, dy));
}

void ImageDevice::draw_line(int x1, int y1, int x2, int y2) {
  draw([&](raster::DeviceContext& dc) {
    dc.move_to(x1, y1);
    dc.line_to(x2, y2);
  });
}

void ImageDevice::line_rel(int dx, int dy) {
  const DrawingState& s = state();
  line_to(add32(s.cursor_x, dx), add32(s.cursor_y, dy));
}

void ImageDevice::line_to(int x, int y) {
  DrawingState& s = state();
  draw_line(s.cursor_x, s.cursor_y, x, y);
  s.cursor_x = x;
  s.cursor_y = y;
}

void ImageDevice::draw_rectangle(int left, int top, int right, int bottom) {
  // One closed polyline: every corner drawn once, all four edges included.
  const std::array<Point, 5> outline{Point{left, top}, Point{right, top}, Point{right, bottom},
                                     Point{left, bottom}, Point{left, top}};
  draw([&](raster::DeviceContext& dc) { dc.polyline(outline); });
}

void ImageDevice::compute_arc_points(int left, int top, int right, int bottom, double start,
                                     double end, int* x1, int* y1, int* x2, int* y2) {
  const std::int64_t a = (std::int64_t{right} - left) / 2;
  const std::int64_t b = (std::int64_t{bottom} - top) / 2;
  const double cx = static_cast<double>(left + a);
  const double cy = static_cast<double>(top + b);
  const double ad = static_cast<double>(a);
  const double bd = static_cast<double>(b);
  if (x1) *x1 = round_to_coordinate(cx + ad * std::cos(start));
  if (y1) *y1 = round_to_coordinate(cy - bd * std::sin(start));
  if (x2) *x2 = round_to_coordinate(cx + ad * std::cos(end));
  if (y2) *y2 = round_to_coordinate(cy - bd * std::sin(end));
}

void ImageDevice::draw_circle_outline(int x, int y, int radius) {
  const raster::PixelBox box = circle_box(x, y, radius);
  draw_ellipse_outline(box.left, box.top, box.right, box.bottom);
}

void ImageDevice::draw_ellipse_outline(int left, int top, int right, int bottom) {
  draw([&](raster::DeviceContext& dc) {
    const raster::Brush brush = dc.brush();
    dc.select_brush(raster::Brush::hollow());
    dc.ellipse(left, top, right, bottom);
    dc.select_brush(brush);
  });
}

void ImageDevice::draw_arc(int left, int top, int right, int bottom, double start, double end) {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  compute_arc_points(left, top, right, bottom, start, end, &x1, &y1, &x2, &y2);
  draw([&](raster::DeviceContext& dc) { dc.arc(left, top, right, bottom, x1, y1, x2, y2); });
}

void ImageDevice::draw_circle(int x, int y, int radius) {
  const raster::PixelBox box = circle_box(x, y, radius);
  draw_ellipse(box.left, box.top, box.right, box.bottom);
}

void ImageDevice::draw_ellipse(int left, int top, int right, int bottom) {
  draw([&](raster::DeviceContext& dc) { dc.ellipse(left, top, right, bottom); });
}

void ImageDevice::draw_pie(int left, int top, int right, int bottom, double start, double end) {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  compute_arc_points(left, top, right, bottom, start, end, &x1, &y1, &x2, &y2);
  draw([&](raster::DeviceContext& dc) { dc.pie(left, top, right, bottom, x1, y1, x2, y2); });
}

void ImageDevice::fill_bar(int left, int top, int right, int bottom) {
  const raster::PixelBox box = inclusive_box(left, top, right, bottom);
  draw([&](raster::DeviceContext& dc) { dc.fill_rect(box, dc.brush()); });
}

void ImageDevice::draw_bar3d(int left, int top, int right, int bottom, int depth, bool top_face) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  draw([&](raster::DeviceContext& dc) { dc.rectangle(left, top, right, bottom); });
  // The side and top edges, lines of the pen through the device's own slots; the
  // position is kept.
  const int d = clamp32((std::int64_t{3} * depth) >> 2);
  DrawingState& s = state();
  const int remembered_x = s.cursor_x;
  const int remembered_y = s.cursor_y;
  move_to(right, bottom);
  line_rel(depth, -d);
  line_rel(0, clamp32(std::int64_t{top} - bottom));
  if (top_face) {
    move_to(left, top);
    line_rel(depth, -d);
    line_rel(clamp32(std::int64_t{right} - left), 0);
    line_rel(clamp32(-std::int64_t{depth}), d);
  }
  move_to(remembered_x, remembered_y);
}

void ImageDevice::draw_polyline(int count, const Point* points) {
  if (count <= 0 || !points) return;
  const std::span<const Point> vertices(points, static_cast<std::size_t>(count));
  draw([&](raster::DeviceContext& dc) { dc.polyline(vertices); });
}

void ImageDevice::draw_polygon(int count, const Point* points) {
  if (count <= 0 || !points) return;
  const std::span<const Point> vertices(points, static_cast<std::size_t>(count));
  draw([&](raster::DeviceContext& dc) { dc.polygon(vertices); });
}

void ImageDevice::flood_fill(int x, int y, Color border) {
  // Each context fills by the border pixels it holds itself.
  draw([&](raster::DeviceContext& dc) { dc.flood_fill(x, y, border); });
}

void ImageDevice::write_text(const char* text) {
  DrawingState& s = state();
  draw_text(s.cursor_x, s.cursor_y, text);
  s.cursor_x = add32(s.cursor_x, text_width(text));
}

void ImageDevice::draw_text(int x, int y, const char* text) {
  const ImageImpl& image = working();
  draw([&](raster::DeviceContext& dc) {
    select_current_font(dc, image.font);
    dc.set_text_color(image.state.line_color);
    dc.text_out(x, y, text_of(text));
  });
}

int ImageDevice::draw_text_in_rect(const char* text, Rect* rect, unsigned format) {
  if (!rect) return 0;
  const ImageImpl& image = working();
  const raster::PixelBox asked{rect->left, rect->top, rect->right, rect->bottom};
  bool first = true;
  int height = 0;
  draw([&](raster::DeviceContext& dc) {
    select_current_font(dc, image.font);
    dc.set_text_color(image.state.line_color);
    raster::PixelBox box = asked;
    const int drawn_height = dc.draw_text(text_of(text), box, format);
    if (!first) return;
    // The result and the measured rectangle come from the whole picture's context.
    first = false;
    height = drawn_height;
    if (format & DT_CALCRECT) *rect = {box.left, box.top, box.right, box.bottom};
  });
  return height;
}

int ImageDevice::text_width(const char* text) {
  raster::DeviceContext& dc = target();
  select_current_font(dc, working().font);
  return dc.text_extent(text_of(text)).width;
}

int ImageDevice::text_height(const char* text) {
  raster::DeviceContext& dc = target();
  select_current_font(dc, working().font);
  return dc.text_extent(text_of(text)).height;
}

void ImageDevice::set_font(const FontDescription* font) {
  if (font) working().font = raster::normalized(*font);
}

void ImageDevice::set_text_style_full(const FontDescription& font) { set_font(&font); }

void ImageDevice::set_text_style_ext(const FontDescription& style, bool keep_face) {
  FontDescription font;
  get_font(&font);
  font.height = style.height;
  font.width = style.width;
  font.escapement = style.escapement;
  font.orientation = style.orientation;
  font.weight = style.weight;
  font.italic = style.italic;
  font.underline = style.underline;
  font.strike_out = style.strike_out;
  if (!keep_face) std::memcpy(font.face_name, style.face_name, sizeof font.face_name);
  set_font(&font);
}

void ImageDevice::set_text_style(int height, int width, const char* face) {
  FontDescription font;
  get_font(&font);
  font.height = height;
  font.width = width;
  if (face) raster::set_face_name(font, face);
  set_font(&font);
}

void ImageDevice::get_font(FontDescription* font) {
  if (font) *font = working().font;
}

int ImageDevice::get_width() { return working().width(); }
int ImageDevice::get_height() { return working().height(); }
int ImageDevice::get_x() { return state().cursor_x; }
int ImageDevice::get_y() { return state().cursor_y; }

void ImageDevice::resize_image(Image* image, int width, int height) {
  if (image) image->resize(width, height);
}

}  // namespace korvi
