// The free functions of the drawing state, the shapes and batch drawing: each
// forwards to the current device. Before any target exists they do nothing and
// getters give the defaults of a fresh state.
#include <korvi/graphics.h>

#include "api/forward_to_device.h"
#include "state/drawing_state.h"

namespace korvi {
namespace {

// Batch drawing belongs to the window; while an image is the target it does nothing.
ScreenDevice* screen() {
  GraphicsLibrary& lib = library();
  return lib.current_device() == &lib.screen_device ? &lib.screen_device : nullptr;
}

}  // namespace

void clear_device() {
  on_current_device([](ImageDevice& d) { d.clear_device(); });
}
Color get_line_color() {
  return on_current_device(DEFAULT_DRAWING_COLOR,
                           [](ImageDevice& d) { return d.get_line_color(); });
}
void set_line_color(Color color) {
  on_current_device([&](ImageDevice& d) { d.set_line_color(color); });
}
Color get_bk_color() {
  return on_current_device(Color{0}, [](ImageDevice& d) { return d.get_bk_color(); });
}
void set_bk_color(Color color) {
  on_current_device([&](ImageDevice& d) { d.set_bk_color(color); });
}
void set_bk_mode(int mode) {
  on_current_device([&](ImageDevice& d) { d.set_bk_mode(mode); });
}
void set_origin(int x, int y) {
  on_current_device([&](ImageDevice& d) { d.set_origin(x, y); });
}
void set_clip_region(RegionHandle region) {
  on_current_device([&](ImageDevice& d) { d.set_clip_region(region); });
}
void clear_clip_region() {
  on_current_device([](ImageDevice& d) { d.clear_clip_region(); });
}

void get_line_style(int* style, std::uint16_t* pattern, int* thickness) {
  if (ImageDevice* d = library().current_device())
    return d->get_line_style(style, pattern, thickness);
  if (style) *style = PS_SOLID;
  if (pattern) *pattern = 0;
  if (thickness) *thickness = 1;
}

void set_line_style(int style, std::uint16_t pattern, int thickness) {
  on_current_device([&](ImageDevice& d) { d.set_line_style(style, pattern, thickness); });
}

void get_fill_style(Color* color, int* style, std::uint8_t* pattern) {
  if (ImageDevice* d = library().current_device()) return d->get_fill_style(color, style, pattern);
  if (color) *color = DEFAULT_DRAWING_COLOR;
  if (style) *style = FILL_SOLID;
}

void set_fill_style(Color color, int style, const std::uint8_t* pattern) {
  on_current_device([&](ImageDevice& d) { d.set_fill_style(color, style, pattern); });
}

void get_aspect_ratio(float* x_scale, float* y_scale) {
  if (ImageDevice* d = library().current_device()) return d->get_aspect_ratio(x_scale, y_scale);
  if (x_scale) *x_scale = 1.0f;
  if (y_scale) *y_scale = 1.0f;
}

void set_aspect_ratio(float x_scale, float y_scale) {
  on_current_device([&](ImageDevice& d) { d.set_aspect_ratio(x_scale, y_scale); });
}
void set_write_mode(int mode) {
  on_current_device([&](ImageDevice& d) { d.set_write_mode(mode); });
}
void reset_drawing_state() {
  on_current_device([](ImageDevice& d) { d.reset_drawing_state(); });
}

Color get_pixel(int x, int y) {
  return on_current_device(CLR_INVALID, [&](ImageDevice& d) { return d.get_pixel(x, y); });
}
void put_pixel(int x, int y, Color color) {
  on_current_device([&](ImageDevice& d) { d.put_pixel(x, y, color); });
}
void move_to(int x, int y) {
  on_current_device([&](ImageDevice& d) { d.move_to(x, y); });
}
void move_rel(int dx, int dy) {
  on_current_device([&](ImageDevice& d) { d.move_rel(dx, dy); });
}
void draw_line(int x1, int y1, int x2, int y2) {
  on_current_device([&](ImageDevice& d) { d.draw_line(x1, y1, x2, y2); });
}
void line_rel(int dx, int dy) {
  on_current_device([&](ImageDevice& d) { d.line_rel(dx, dy); });
}
void line_to(int x, int y) {
  on_current_device([&](ImageDevice& d) { d.line_to(x, y); });
}
void draw_rectangle(int left, int top, int right, int bottom) {
  on_current_device([&](ImageDevice& d) { d.draw_rectangle(left, top, right, bottom); });
}
void draw_circle_outline(int x, int y, int radius) {
  on_current_device([&](ImageDevice& d) { d.draw_circle_outline(x, y, radius); });
}
void draw_ellipse_outline(int left, int top, int right, int bottom) {
  on_current_device([&](ImageDevice& d) { d.draw_ellipse_outline(left, top, right, bottom); });
}
void draw_arc(int left, int top, int right, int bottom, double start, double end) {
  on_current_device([&](ImageDevice& d) { d.draw_arc(left, top, right, bottom, start, end); });
}
void draw_circle(int x, int y, int radius) {
  on_current_device([&](ImageDevice& d) { d.draw_circle(x, y, radius); });
}
void draw_ellipse(int left, int top, int right, int bottom) {
  on_current_device([&](ImageDevice& d) { d.draw_ellipse(left, top, right, bottom); });
}
void draw_pie(int left, int top, int right, int bottom, double start, double end) {
  on_current_device([&](ImageDevice& d) { d.draw_pie(left, top, right, bottom, start, end); });
}
void fill_bar(int left, int top, int right, int bottom) {
  on_current_device([&](ImageDevice& d) { d.fill_bar(left, top, right, bottom); });
}
void draw_bar3d(int left, int top, int right, int bottom, int depth, bool top_face) {
  on_current_device(
      [&](ImageDevice& d) { d.draw_bar3d(left, top, right, bottom, depth, top_face); });
}
void draw_polyline(int count, const Point* points) {
  on_current_device([&](ImageDevice& d) { d.draw_polyline(count, points); });
}
void draw_polygon(int count, const Point* points) {
  on_current_device([&](ImageDevice& d) { d.draw_polygon(count, points); });
}
void flood_fill(int x, int y, Color border) {
  on_current_device([&](ImageDevice& d) { d.flood_fill(x, y, border); });
}

int get_width() {
  return on_current_device(0, [](ImageDevice& d) { return d.get_width(); });
}
int get_height() {
  return on_current_device(0, [](ImageDevice& d) { return d.get_height(); });
}
int get_x() {
  return on_current_device(0, [](ImageDevice& d) { return d.get_x(); });
}
int get_y() {
  return on_current_device(0, [](ImageDevice& d) { return d.get_y(); });
}

void begin_batch() {
  if (ScreenDevice* s = screen()) s->begin_batch();
}
void flush_batch() {
  if (ScreenDevice* s = screen()) s->flush_batch();
}
void flush_batch_rect(int left, int top, int right, int bottom) {
  if (ScreenDevice* s = screen()) s->flush_batch_rect(left, top, right, bottom);
}
void end_batch() {
  if (ScreenDevice* s = screen()) s->end_batch();
}
void end_batch_rect(int left, int top, int right, int bottom) {
  if (ScreenDevice* s = screen()) s->end_batch_rect(left, top, right, bottom);
}

}  // namespace korvi
