// The drawing device of the graphics window. It draws every primitive into the
// back buffer, which always holds the whole picture, and, outside batch drawing,
// into the window's picture, which the window shows. Settings go to both pictures'
// device contexts in every mode. Every use of the two device contexts holds the
// drawing lock, which the UI thread takes to paint the window.
#pragma once

#include "image_device.h"

namespace korvi {

namespace raster {
class DeviceContext;
}

class ScreenDevice final : public ImageDevice {
 public:
  ~ScreenDevice() override;
  void clear_device() override;
  void set_bk_color(Color color) override;
  void set_bk_mode(int mode) override;
  void set_origin(int x, int y) override;
  void set_clip_region(RegionHandle region) override;
  void clear_clip_region() override;
  void set_line_style(int style, std::uint16_t pattern, int thickness) override;
  void set_fill_style(Color color, int style, const std::uint8_t* pattern) override;
  void set_aspect_ratio(float x_scale, float y_scale) override;
  void set_write_mode(int mode) override;
  void put_pixel(int x, int y, Color color) override;
  void draw_line(int x1, int y1, int x2, int y2) override;
  void draw_rectangle(int left, int top, int right, int bottom) override;
  void draw_circle_outline(int x, int y, int radius) override;
  void draw_ellipse_outline(int left, int top, int right, int bottom) override;
  void draw_arc(int left, int top, int right, int bottom, double start, double end) override;
  void draw_circle(int x, int y, int radius) override;
  void draw_ellipse(int left, int top, int right, int bottom) override;
  void draw_pie(int left, int top, int right, int bottom, double start, double end) override;
  void fill_bar(int left, int top, int right, int bottom) override;
  void draw_bar3d(int left, int top, int right, int bottom, int depth, bool top_face) override;
  void draw_polyline(int count, const Point* points) override;
  void draw_polygon(int count, const Point* points) override;
  void flood_fill(int x, int y, Color border) override;
  void draw_text(int x, int y, const char* text) override;
  int draw_text_in_rect(const char* text, Rect* rect, unsigned format) override;
  void set_font(const FontDescription* font) override;

  virtual WindowHandle open_window_slot(int width, int height, int flags);
  virtual void close_window_slot();
  virtual void begin_batch();
  virtual void flush_batch_rect(int left, int top, int right, int bottom);
  virtual void flush_batch();
  virtual void end_batch_rect(int left, int top, int right, int bottom);
  virtual void end_batch();

 private:
  // Applies a setting to the back buffer's device context and the window's.
  template <class Apply>
  void both(Apply apply);
  // Draws on the back buffer and, outside batch drawing, on the window's picture,
  // then has the window show it.
  template <class Draw>
  void drawn(Draw draw);
};

}  // namespace korvi
