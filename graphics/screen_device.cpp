#include "screen_device.h"

#include <cmath>
#include <mutex>
#include <string_view>

#include "coordinates.h"
#include "device_helpers.h"
#include "image_data.h"
#include "library.h"
#include "region_object.h"

namespace korvi {
namespace {

std::string_view text_of(const char* text) {
  return text ? std::string_view(text) : std::string_view();
}

// A logical box with both edges included, through the transform, as a device box.
raster::Rect device_box(const raster::Transform& t, int left, int top, int right, int bottom) {
  const raster::Rect box = inclusive_box(left, top, right, bottom);
  const double x0 = box.left * double{t.m11} + t.dx, x1 = box.right * double{t.m11} + t.dx;
  const double y0 = box.top * double{t.m22} + t.dy, y1 = box.bottom * double{t.m22} + t.dy;
  return {round_to_coordinate(std::fmin(x0, x1)), round_to_coordinate(std::fmin(y0, y1)),
          round_to_coordinate(std::fmax(x0, x1)), round_to_coordinate(std::fmax(y0, y1))};
}

}  // namespace

ScreenDevice::~ScreenDevice() = default;

template <class Apply>
void ScreenDevice::both(Apply apply) {
  GraphicsLibrary& lib = library();
  std::lock_guard lock(lib.drawing_lock);
  apply(*lib.target_dc);
  if (lib.window_dc) apply(*lib.window_dc);
}

template <class Draw>
void ScreenDevice::drawn(Draw draw) {
  GraphicsLibrary& lib = library();
  GraphicsWindow& window = lib.graphics_window;
  const bool showing = !lib.batch_drawing.load();
  {
    std::lock_guard lock(lib.drawing_lock);
    draw(*lib.target_dc);
    // While the window's picture is the back buffer, the one drawing is on both.
    if (showing && lib.window_dc && !window.window_matches_buffer()) draw(*lib.window_dc);
  }
  if (showing) window.show_soon();
}

void ScreenDevice::clear_device() {
  GraphicsLibrary& lib = library();
  {
    std::lock_guard lock(lib.drawing_lock);
    Image::Data& image = working();
    image.surface.fill(raster::pixel_from_color(image.state.bk_color));
  }
  if (!lib.batch_drawing.load()) flush_batch();
  move_to(0, 0);
}

void ScreenDevice::set_bk_color(Color color) {
  state().bk_color = color;
  both([&](raster::DeviceContext& dc) { dc.set_background_color(color); });
}

void ScreenDevice::set_bk_mode(int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return;
  both([&](raster::DeviceContext& dc) {
    dc.set_background_mode(static_cast<raster::BackgroundMode>(mode));
  });
}

void ScreenDevice::set_origin(int x, int y) {
  DrawingState& s = state();
  s.transform.dx = static_cast<float>(x);
  s.transform.dy = static_cast<float>(y);
  both([&](raster::DeviceContext& dc) { dc.set_transform(s.transform); });
}

void ScreenDevice::set_clip_region(RegionHandle region) {
  both([&](raster::DeviceContext& dc) { dc.set_clip_region(region ? &region->region : nullptr); });
}

void ScreenDevice::clear_clip_region() {
  GraphicsLibrary& lib = library();
  if (!lib.target_dc->clip_region()) {
    clear_device();
    return;
  }
  const Color background = state().bk_color;
  {
    std::lock_guard lock(lib.drawing_lock);
    fill_region_plainly(*lib.target_dc, *lib.target_dc->clip_region(), background);
    // In batch mode too: the window shows the cleared region at once.
    if (lib.window_dc && !lib.graphics_window.window_matches_buffer())
      fill_region_plainly(*lib.window_dc, *lib.window_dc->clip_region(), background);
  }
  lib.graphics_window.show_soon();
}

void ScreenDevice::set_line_style(int style, std::uint16_t pattern, int thickness) {
  DrawingState& s = state();
  s.line_style = style;
  s.line_pattern = pattern;
  s.line_thickness = thickness;
  const auto pen = make_line_pen(style, pattern, thickness, s.line_color);
  both([&](raster::DeviceContext& dc) { dc.select_pen(pen); });
}

void ScreenDevice::set_fill_style(Color color, int style, const std::uint8_t* pattern) {
  DrawingState& s = state();
  if (!record_fill_style(s, color, style, pattern)) return;
  const raster::Brush brush = *make_fill_brush(style, color, s.fill_pattern);
  both([&](raster::DeviceContext& dc) {
    dc.select_brush(brush);
    dc.set_text_color(color);
  });
}

void ScreenDevice::set_aspect_ratio(float x_scale, float y_scale) {
  DrawingState& s = state();
  s.transform.m11 = x_scale;
  s.transform.m22 = y_scale;
  both([&](raster::DeviceContext& dc) { dc.set_transform(s.transform); });
}

void ScreenDevice::set_write_mode(int mode) {
  both([&](raster::DeviceContext& dc) { dc.set_write_mode(mode); });
}

void ScreenDevice::put_pixel(int x, int y, Color color) {
  drawn([&](raster::DeviceContext& dc) { dc.set_pixel(x, y, color); });
}

void ScreenDevice::draw_line(int x1, int y1, int x2, int y2) {
  drawn([&](raster::DeviceContext& dc) {
    dc.move_to(x1, y1);
    dc.line_to(x2, y2);
  });
}

void ScreenDevice::draw_rectangle(int left, int top, int right, int bottom) {
  const auto outline = rectangle_outline(left, top, right, bottom);
  drawn([&](raster::DeviceContext& dc) { dc.polyline(outline); });
}

void ScreenDevice::draw_circle_outline(int x, int y, int radius) {
  draw_ellipse_outline(add32(x, -std::int64_t{radius}), add32(y, -std::int64_t{radius}),
                       add32(x, radius), add32(y, radius));
}

void ScreenDevice::draw_ellipse_outline(int left, int top, int right, int bottom) {
  drawn([&](raster::DeviceContext& dc) { ellipse_outline_only(dc, left, top, right, bottom); });
}

void ScreenDevice::draw_arc(int left, int top, int right, int bottom, double start, double end) {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  compute_arc_points(left, top, right, bottom, start, end, &x1, &y1, &x2, &y2);
  drawn([&](raster::DeviceContext& dc) { dc.arc(left, top, right, bottom, x1, y1, x2, y2); });
}

void ScreenDevice::draw_circle(int x, int y, int radius) {
  draw_ellipse(add32(x, -std::int64_t{radius}), add32(y, -std::int64_t{radius}), add32(x, radius),
               add32(y, radius));
}

void ScreenDevice::draw_ellipse(int left, int top, int right, int bottom) {
  drawn([&](raster::DeviceContext& dc) { dc.ellipse(left, top, right, bottom); });
}

void ScreenDevice::draw_pie(int left, int top, int right, int bottom, double start, double end) {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  compute_arc_points(left, top, right, bottom, start, end, &x1, &y1, &x2, &y2);
  drawn([&](raster::DeviceContext& dc) { dc.pie(left, top, right, bottom, x1, y1, x2, y2); });
}

void ScreenDevice::fill_bar(int left, int top, int right, int bottom) {
  const raster::Rect box = inclusive_box(left, top, right, bottom);
  // The brush of the back buffer's context serves both.
  const raster::Brush brush = library().target_dc->brush();
  drawn([&](raster::DeviceContext& dc) { dc.fill_rect(box, brush); });
}

void ScreenDevice::draw_bar3d(int left, int top, int right, int bottom, int depth, bool top_face) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  drawn([&](raster::DeviceContext& dc) { dc.rectangle(left, top, right, bottom); });
  draw_bar3d_edges(left, top, right, bottom, depth, top_face);
}

void ScreenDevice::draw_polyline(int count, const Point* points) {
  if (count <= 0 || !points) return;
  const auto converted = as_raster_points(points, count);
  drawn([&](raster::DeviceContext& dc) { dc.polyline(converted); });
}

void ScreenDevice::draw_polygon(int count, const Point* points) {
  if (count <= 0 || !points) return;
  const auto converted = as_raster_points(points, count);
  drawn([&](raster::DeviceContext& dc) { dc.polygon(converted); });
}

void ScreenDevice::flood_fill(int x, int y, Color border) {
  // On the window's own picture the fill follows the border pixels found there.
  drawn([&](raster::DeviceContext& dc) { dc.flood_fill(x, y, border); });
}

void ScreenDevice::draw_text(int x, int y, const char* text) {
  GraphicsLibrary& lib = library();
  Image::Data& image = working();
  const Color color = image.state.line_color;
  drawn([&](raster::DeviceContext& dc) {
    if (&dc == lib.window_dc)
      select_font_if_needed(dc, image.font, lib.graphics_window.window_font_selected());
    else
      select_font_if_needed(dc, image.font, image.font_selected);
    dc.set_text_color(color);
    dc.text_out(x, y, text_of(text));
  });
}

int ScreenDevice::draw_text_in_rect(const char* text, Rect* rect, unsigned format) {
  if (!rect) return 0;
  GraphicsLibrary& lib = library();
  Image::Data& image = working();
  const Color color = image.state.line_color;
  const Rect asked = *rect;
  int height = 0;
  drawn([&](raster::DeviceContext& dc) {
    dc.set_text_color(color);
    if (&dc == lib.window_dc) {
      select_font_if_needed(dc, image.font, lib.graphics_window.window_font_selected());
      Rect window_rect = asked;
      format_text(dc, text_of(text), window_rect, format);
    } else {
      select_font_if_needed(dc, image.font, image.font_selected);
      height = format_text(dc, text_of(text), *rect, format);
    }
  });
  return height;
}

void ScreenDevice::set_font(const FontDescription* font) {
  ImageDevice::set_font(font);
  library().graphics_window.window_font_selected() = false;
}

WindowHandle ScreenDevice::open_window_slot(int width, int height, int flags) {
  GraphicsLibrary& lib = library();
  const WindowHandle handle = lib.graphics_window.open(width, height, flags);
  lib.select_target(nullptr);
  reset_drawing_state();
  lib.graphics_window.show_soon();
  return handle;
}

void ScreenDevice::close_window_slot() { library().graphics_window.close(); }

void ScreenDevice::begin_batch() {
  GraphicsLibrary& lib = library();
  std::lock_guard lock(lib.drawing_lock);
  lib.graphics_window.separate_window_picture();
  lib.batch_drawing.store(true);
}

void ScreenDevice::flush_batch_rect(int left, int top, int right, int bottom) {
  GraphicsLibrary& lib = library();
  {
    std::lock_guard lock(lib.drawing_lock);
    lib.graphics_window.copy_buffer_to_window(
        device_box(state().transform, left, top, right, bottom));
  }
  lib.graphics_window.show_soon();
}

void ScreenDevice::flush_batch() {
  GraphicsLibrary& lib = library();
  {
    std::lock_guard lock(lib.drawing_lock);
    lib.graphics_window.show_whole_buffer();
  }
  lib.graphics_window.show_soon();
}

void ScreenDevice::end_batch_rect(int left, int top, int right, int bottom) {
  flush_batch_rect(left, top, right, bottom);
  library().batch_drawing.store(false);
}

void ScreenDevice::end_batch() {
  flush_batch();
  library().batch_drawing.store(false);
}

}  // namespace korvi
