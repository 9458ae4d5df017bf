// The look of the input box: a light grey face, sunken fields, raised buttons,
// dotted focus rectangles. Everything is drawn with plain copies into a device
// context bound to the box's picture; rectangles are half-open client pixels.
#pragma once

#include <string_view>

#include "korvi/raster/color.h"
#include "korvi/raster/device_context.h"
#include "korvi/raster/geometry.h"

namespace korvi::dialog {

inline constexpr raster::Color FACE = raster::rgb(240, 240, 240);
inline constexpr raster::Color BUTTON_FACE = raster::rgb(225, 225, 225);
inline constexpr raster::Color HIGHLIGHT = raster::rgb(255, 255, 255);
inline constexpr raster::Color LIGHT = raster::rgb(227, 227, 227);
inline constexpr raster::Color SHADOW = raster::rgb(160, 160, 160);
inline constexpr raster::Color DARK_SHADOW = raster::rgb(105, 105, 105);
inline constexpr raster::Color TEXT = raster::rgb(0, 0, 0);
inline constexpr raster::Color FIELD = raster::rgb(255, 255, 255);
inline constexpr raster::Color SELECTION = raster::rgb(0, 120, 215);
inline constexpr raster::Color SELECTED_TEXT = raster::rgb(255, 255, 255);
inline constexpr raster::Color DEFAULT_FRAME = raster::rgb(0, 0, 0);
inline constexpr raster::Color TRACK = raster::rgb(232, 232, 232);

// The width of a sunken field's edge.
inline constexpr int EDGE = 2;

raster::PixelBox inset(const raster::PixelBox& rect, int by);

// Plain rectangle fill.
void fill(raster::DeviceContext& dc, const raster::PixelBox& rect, raster::Color color);
// A one-pixel frame: top and left in one colour, bottom and right in another.
void frame(raster::DeviceContext& dc, const raster::PixelBox& rect, raster::Color top_left,
           raster::Color bottom_right);
// The two-pixel sunken edge of an edit field around rect's inside.
void sunken_edge(raster::DeviceContext& dc, const raster::PixelBox& rect);
// A raised panel: the face of a button or of a scroll bar's arrow or thumb.
void raised_panel(raster::DeviceContext& dc, const raster::PixelBox& rect);
// The dotted rectangle that marks the focused control.
void focus_rect(raster::DeviceContext& dc, const raster::PixelBox& rect);

struct ButtonState {
  bool is_default = false;  // framed: Enter presses it
  bool focused = false;
  bool pressed = false;  // held down by the mouse
};
// A push button with its label centred.
void push_button(raster::DeviceContext& dc, const raster::PixelBox& rect, std::string_view label,
                 const ButtonState& state);

// A small solid triangle pointing up or down, centred in rect (a scroll bar arrow).
void arrow(raster::DeviceContext& dc, const raster::PixelBox& rect, bool up);

}  // namespace korvi::dialog
