// The drawing device of off-screen images: every drawing operation of the library,
// as virtual operations in a fixed order, acting on the working image's drawing
// state and its device context. Operations that build on others call them through
// the device's own virtual operations, so that the screen device's overrides apply.
//
// Every operation reaches a device context through one of two hooks: a setting is
// applied with apply_setting(), a primitive is drawn with draw(). On an image both
// act on the image's device context; the screen device overrides them to act on
// both of its contexts (see screen_device.h).
#pragma once

#include <korvi/graphics.h>

#include <cstdint>

#include "korvi/raster/function_ref.h"

namespace korvi {

namespace raster {
class DeviceContext;
}
struct DrawingState;

class ImageDevice {
 public:
  virtual ~ImageDevice();
  virtual void clear_device();
  virtual Color get_line_color();
  virtual void set_line_color(Color color);
  virtual Color get_bk_color();
  virtual void set_bk_color(Color color);
  virtual void set_bk_mode(int mode);
  virtual void set_origin(int x, int y);
  virtual void set_clip_region(RegionHandle region);
  virtual void clear_clip_region();
  virtual void get_line_style(int* style, std::uint16_t* pattern, int* thickness);
  virtual void set_line_style(int style, std::uint16_t pattern, int thickness);
  virtual void get_fill_style(Color* color, int* style, std::uint8_t* pattern);
  virtual void set_fill_style(Color color, int style, const std::uint8_t* pattern);
  virtual void get_aspect_ratio(float* x_scale, float* y_scale);
  virtual void set_aspect_ratio(float x_scale, float y_scale);
  virtual void set_write_mode(int mode);
  virtual void reset_drawing_state();
  virtual Color get_pixel(int x, int y);
  virtual void put_pixel(int x, int y, Color color);
  virtual void move_to(int x, int y);
  virtual void move_rel(int dx, int dy);
  virtual void draw_line(int x1, int y1, int x2, int y2);
  virtual void line_rel(int dx, int dy);
  virtual void line_to(int x, int y);
  virtual void draw_rectangle(int left, int top, int right, int bottom);
  virtual void compute_arc_points(int left, int top, int right, int bottom, double start,
                                  double end, int* x1, int* y1, int* x2, int* y2);
  virtual void draw_circle_outline(int x, int y, int radius);
  virtual void draw_ellipse_outline(int left, int top, int right, int bottom);
  virtual void draw_arc(int left, int top, int right, int bottom, double start, double end);
  virtual void draw_circle(int x, int y, int radius);
  virtual void draw_ellipse(int left, int top, int right, int bottom);
  virtual void draw_pie(int left, int top, int right, int bottom, double start, double end);
  virtual void fill_bar(int left, int top, int right, int bottom);
  virtual void draw_bar3d(int left, int top, int right, int bottom, int depth, bool top_face);
  virtual void draw_polyline(int count, const Point* points);
  virtual void draw_polygon(int count, const Point* points);
  virtual void flood_fill(int x, int y, Color border);
  virtual void write_text(const char* text);
  virtual void draw_text(int x, int y, const char* text);
  virtual int draw_text_in_rect(const char* text, Rect* rect, unsigned format);
  virtual int text_width(const char* text);
  virtual int text_height(const char* text);
  virtual void set_font(const FontDescription* font);
  // The whole record, as the free function built it from its 14 fields.
  virtual void set_text_style_full(const FontDescription& font);
  // Height, width, escapement, orientation, weight, italic, underline and strike-out
  // of the current font replaced by those of style, and its face too unless
  // keep_face.
  virtual void set_text_style_ext(const FontDescription& style, bool keep_face);
  virtual void set_text_style(int height, int width, const char* face);
  virtual void get_font(FontDescription* font);
  virtual int get_width();
  virtual int get_height();
  virtual int get_x();
  virtual int get_y();
  virtual void resize_image(Image* image, int width, int height);

  using ContextAction = raster::FunctionRef<void(raster::DeviceContext&)>;
  // Applies a setting to the target's device context.
  virtual void apply_setting(ContextAction apply);
  // Draws a primitive on the target's device context. Where a device has more than
  // one context, the first call is on the one that holds the whole picture.
  virtual void draw(ContextAction draw);

 protected:
  // The working image's drawing state and the device context drawn on first.
  static DrawingState& state();
  static raster::DeviceContext& target();
};

}  // namespace korvi
