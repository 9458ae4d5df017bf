#include "input_box/dialog_paint.h"

#include <algorithm>

namespace korvi::dialog {

raster::PixelBox inset(const raster::PixelBox& rect, int by) {
  return {rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}

void fill(raster::DeviceContext& dc, const raster::PixelBox& rect, raster::Color color) {
  if (!rect.empty()) dc.fill_rect_device(rect, color);
}

void frame(raster::DeviceContext& dc, const raster::PixelBox& rect, raster::Color top_left,
           raster::Color bottom_right) {
  if (rect.empty()) return;
  fill(dc, {rect.left, rect.top, rect.right, rect.top + 1}, top_left);
  fill(dc, {rect.left, rect.top, rect.left + 1, rect.bottom}, top_left);
  fill(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottom_right);
  fill(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, bottom_right);
}

void sunken_edge(raster::DeviceContext& dc, const raster::PixelBox& rect) {
  frame(dc, rect, SHADOW, HIGHLIGHT);
  frame(dc, inset(rect, 1), DARK_SHADOW, LIGHT);
}

void raised_panel(raster::DeviceContext& dc, const raster::PixelBox& rect) {
  fill(dc, rect, BUTTON_FACE);
  frame(dc, rect, HIGHLIGHT, DARK_SHADOW);
  frame(dc, inset(rect, 1), LIGHT, SHADOW);
}

void focus_rect(raster::DeviceContext& dc, const raster::PixelBox& rect) {
  if (rect.empty()) return;
  // Every other pixel along the edge, starting at the top-left corner.
  const auto dot = [&](int x, int y) {
    if ((x + y) % 2 == 0) fill(dc, {x, y, x + 1, y + 1}, TEXT);
  };
  for (int x = rect.left; x < rect.right; ++x) {
    dot(x, rect.top);
    dot(x, rect.bottom - 1);
  }
  for (int y = rect.top; y < rect.bottom; ++y) {
    dot(rect.left, y);
    dot(rect.right - 1, y);
  }
}

void push_button(raster::DeviceContext& dc, const raster::PixelBox& rect, std::string_view label,
                 const ButtonState& state) {
  if (rect.empty()) return;
  raster::PixelBox face = rect;
  if (state.is_default || state.pressed) {
    frame(dc, face, DEFAULT_FRAME, DEFAULT_FRAME);
    face = inset(face, 1);
  }
  int shift = 0;
  if (state.pressed) {
    fill(dc, face, BUTTON_FACE);
    frame(dc, face, SHADOW, SHADOW);
    shift = 1;
  } else {
    raised_panel(dc, face);
  }
  raster::PixelBox text_box{face.left + shift, face.top + shift, face.right + shift,
                            face.bottom + shift};
  dc.set_background_mode(raster::BackgroundMode::TRANSPARENT);
  dc.set_text_color(TEXT);
  dc.draw_text(label, text_box,
               raster::FORMAT_CENTER | raster::FORMAT_VCENTER | raster::FORMAT_SINGLELINE |
                   raster::FORMAT_NOPREFIX);
  if (state.focused) focus_rect(dc, inset(face, 3));
}

void arrow(raster::DeviceContext& dc, const raster::PixelBox& rect, bool up) {
  const int size = static_cast<int>(std::min<std::int64_t>(rect.width() / 4, rect.height() / 3));
  const int rows = std::max(1, size);
  const int center_x = rect.left + static_cast<int>(rect.width() / 2);
  const int top = rect.top + static_cast<int>((rect.height() - rows) / 2);
  for (int row = 0; row < rows; ++row) {
    const int half = up ? row : rows - 1 - row;
    fill(dc, {center_x - half - 1, top + row, center_x + half, top + row + 1}, TEXT);
  }
}

}  // namespace korvi::dialog
