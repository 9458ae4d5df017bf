#include "image_device.h"

#include <cmath>
#include <cstring>
#include <string_view>
#include <vector>

#include "coordinates.h"
#include "device_helpers.h"
#include "font/font_cache.h"
#include "image_data.h"
#include "library.h"
#include "region_object.h"

namespace korvi {
namespace {

std::string_view text_of(const char* text) {
  return text ? std::string_view(text) : std::string_view();
}

// The ellipse box of a circle.
raster::Rect circle_box(int x, int y, int radius) {
  return {add32(x, -std::int64_t{radius}), add32(y, -std::int64_t{radius}), add32(x, radius),
          add32(y, radius)};
}

}  // namespace

ImageDevice::~ImageDevice() = default;

DrawingState& ImageDevice::state() { return library().working_image->data().state; }
raster::DeviceContext& ImageDevice::target() { return *library().target_dc; }
Image::Data& ImageDevice::working() { return library().working_image->data(); }

void ImageDevice::clear_device() {
  Image::Data& image = working();
  image.surface.fill(raster::pixel_from_color(image.state.bk_color));
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
  target().set_background_color(color);
}

void ImageDevice::set_bk_mode(int mode) {
  if (mode == TRANSPARENT || mode == OPAQUE)
    target().set_background_mode(static_cast<raster::BackgroundMode>(mode));
}

void ImageDevice::set_origin(int x, int y) {
  DrawingState& s = state();
  s.transform.dx = static_cast<float>(x);
  s.transform.dy = static_cast<float>(y);
  target().set_transform(s.transform);
}

void ImageDevice::set_clip_region(RegionHandle region) {
  target().set_clip_region(region ? &region->region : nullptr);
}

void ImageDevice::clear_clip_region() {
  raster::DeviceContext& dc = target();
  if (const raster::Region* clip = dc.clip_region()) {
    fill_region_plainly(dc, *clip, state().bk_color);
    return;
  }
  clear_device();
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
  target().select_pen(make_line_pen(style, pattern, thickness, s.line_color));
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
  raster::DeviceContext& dc = target();
  dc.select_brush(*make_fill_brush(style, color, s.fill_pattern));
  dc.set_text_color(color);
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
  target().set_transform(s.transform);
}

void ImageDevice::set_write_mode(int mode) { target().set_write_mode(mode); }

void ImageDevice::reset_drawing_state() { library().working_image->reset_state(); }

Color ImageDevice::get_pixel(int x, int y) { return target().get_pixel(x, y); }

void ImageDevice::put_pixel(int x, int y, Color color) { target().set_pixel(x, y, color); }

void ImageDevice::move_to(int x, int y) {
  target().move_to(x, y);
  DrawingState& s = state();
  s.cursor_x = x;
  s.cursor_y = y;
}

void ImageDevice::move_rel(int dx, int dy) {
  const DrawingState& s = state();
  move_to(add32(s.cursor_x, dx), add32(s.cursor_y, dy));
}

void ImageDevice::draw_line(int x1, int y1, int x2, int y2) {
  raster::DeviceContext& dc = target();
  dc.move_to(x1, y1);
  dc.line_to(x2, y2);
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
  const auto outline = rectangle_outline(left, top, right, bottom);
  target().polyline(outline);
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
  const raster::Rect box = circle_box(x, y, radius);
  draw_ellipse_outline(box.left, box.top, box.right, box.bottom);
}

void ImageDevice::draw_ellipse_outline(int left, int top, int right, int bottom) {
  ellipse_outline_only(target(), left, top, right, bottom);
}

void ImageDevice::draw_arc(int left, int top, int right, int bottom, double start, double end) {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  compute_arc_points(left, top, right, bottom, start, end, &x1, &y1, &x2, &y2);
  target().arc(left, top, right, bottom, x1, y1, x2, y2);
}

void ImageDevice::draw_circle(int x, int y, int radius) {
  const raster::Rect box = circle_box(x, y, radius);
  draw_ellipse(box.left, box.top, box.right, box.bottom);
}

void ImageDevice::draw_ellipse(int left, int top, int right, int bottom) {
  target().ellipse(left, top, right, bottom);
}

void ImageDevice::draw_pie(int left, int top, int right, int bottom, double start, double end) {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  compute_arc_points(left, top, right, bottom, start, end, &x1, &y1, &x2, &y2);
  target().pie(left, top, right, bottom, x1, y1, x2, y2);
}

void ImageDevice::fill_bar(int left, int top, int right, int bottom) {
  raster::DeviceContext& dc = target();
  dc.fill_rect(inclusive_box(left, top, right, bottom), dc.brush());
}

void ImageDevice::draw_bar3d(int left, int top, int right, int bottom, int depth, bool top_face) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  target().rectangle(left, top, right, bottom);
  draw_bar3d_edges(left, top, right, bottom, depth, top_face);
}

void ImageDevice::draw_bar3d_edges(int left, int top, int right, int bottom, int depth,
                                   bool top_face) {
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
  if (count > 0 && points) target().polyline(as_raster_points(points, count));
}

void ImageDevice::draw_polygon(int count, const Point* points) {
  if (count > 0 && points) target().polygon(as_raster_points(points, count));
}

void ImageDevice::flood_fill(int x, int y, Color border) { target().flood_fill(x, y, border); }

void ImageDevice::write_text(const char* text) {
  DrawingState& s = state();
  draw_text(s.cursor_x, s.cursor_y, text);
  s.cursor_x = add32(s.cursor_x, text_width(text));
}

void ImageDevice::draw_text(int x, int y, const char* text) {
  Image::Data& image = working();
  raster::DeviceContext& dc = target();
  select_font_if_needed(dc, image.font, image.font_selected);
  dc.set_text_color(image.state.line_color);
  dc.text_out(x, y, text_of(text));
}

int ImageDevice::draw_text_in_rect(const char* text, Rect* rect, unsigned format) {
  if (!rect) return 0;
  Image::Data& image = working();
  raster::DeviceContext& dc = target();
  select_font_if_needed(dc, image.font, image.font_selected);
  dc.set_text_color(image.state.line_color);
  return format_text(dc, text_of(text), *rect, format);
}

int ImageDevice::text_width(const char* text) {
  Image::Data& image = working();
  raster::DeviceContext& dc = target();
  select_font_if_needed(dc, image.font, image.font_selected);
  return dc.text_extent(text_of(text)).width;
}

int ImageDevice::text_height(const char* text) {
  Image::Data& image = working();
  raster::DeviceContext& dc = target();
  select_font_if_needed(dc, image.font, image.font_selected);
  return dc.text_extent(text_of(text)).height;
}

void ImageDevice::set_font(const FontDescription* font) {
  if (!font) return;
  Image::Data& image = working();
  image.font = raster::normalized(to_raster(*font));
  image.font_selected = false;
}

namespace {

// The fields both long text-style forms set.
void set_style_fields(FontDescription& font, int height, int width, const char* face,
                      int escapement, int orientation, int weight, bool italic, bool underline,
                      bool strike_out) {
  font.height = height;
  font.width = width;
  font.escapement = escapement;
  font.orientation = orientation;
  font.weight = weight;
  font.italic = italic;
  font.underline = underline;
  font.strike_out = strike_out;
  if (face) set_face_name(font, face);
}

}  // namespace

void ImageDevice::set_text_style_full(int height, int width, const char* face, int escapement,
                                      int orientation, int weight, bool italic, bool underline,
                                      bool strike_out, std::uint8_t char_set,
                                      std::uint8_t out_precision, std::uint8_t clip_precision,
                                      std::uint8_t quality, std::uint8_t pitch_and_family) {
  FontDescription font;
  set_style_fields(font, height, width, face, escapement, orientation, weight, italic, underline,
                   strike_out);
  font.char_set = char_set;
  font.out_precision = out_precision;
  font.clip_precision = clip_precision;
  font.quality = quality;
  font.pitch_and_family = pitch_and_family;
  set_font(&font);
}

void ImageDevice::set_text_style_ext(int height, int width, const char* face, int escapement,
                                     int orientation, int weight, bool italic, bool underline,
                                     bool strike_out) {
  FontDescription font;
  get_font(&font);
  set_style_fields(font, height, width, face, escapement, orientation, weight, italic, underline,
                   strike_out);
  set_font(&font);
}

void ImageDevice::set_text_style(int height, int width, const char* face) {
  FontDescription font;
  get_font(&font);
  font.height = height;
  font.width = width;
  if (face) set_face_name(font, face);
  set_font(&font);
}

void ImageDevice::get_font(FontDescription* font) {
  if (font) *font = from_raster(working().font);
}

int ImageDevice::get_width() { return working().width(); }
int ImageDevice::get_height() { return working().height(); }
int ImageDevice::get_x() { return state().cursor_x; }
int ImageDevice::get_y() { return state().cursor_y; }

void ImageDevice::resize_image_slot(Image* image, int width, int height) {
  if (image) image->resize(width, height);
}

}  // namespace korvi
