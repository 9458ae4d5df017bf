// The drawing state every image carries, its defaults, and the pens, brushes and
// fonts made from it.
#pragma once

#include <korvi/graphics.h>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "korvi/raster/brush.h"
#include "korvi/raster/device_context.h"
#include "korvi/raster/pen.h"
#include "korvi/raster/transform.h"

namespace korvi {

// Line and fill colour of a fresh drawing state (not pure white).
constexpr Color DEFAULT_DRAWING_COLOR = 0xFCFCFC;

struct DrawingState {
  std::int32_t cursor_x = 0;
  std::int32_t cursor_y = 0;
  raster::Transform transform;
  Color line_color = DEFAULT_DRAWING_COLOR;
  Color bk_color = 0x000000;
  std::int32_t line_style = PS_SOLID;
  std::uint16_t line_pattern = 0;
  std::int32_t line_thickness = 1;
  std::int32_t fill_style = FILL_SOLID;
  std::array<std::uint8_t, 8> fill_pattern{};
  Color fill_color = DEFAULT_DRAWING_COLOR;
};

// Resets the fields a reset touches; line_pattern and fill_pattern are kept.
void reset_drawing_state_fields(DrawingState& state);

// Records a fill style in the state (its colour always, the 8 pattern bytes for
// the user style when given). Returns whether the style is one of 1..25, that is,
// whether a brush is to be made.
bool record_fill_style(DrawingState& state, Color color, int style, const std::uint8_t* pattern);

// The dash lengths of a 16-bit user pattern, dash first: the pattern is shifted
// down to its first set bit and cut into runs; a dash of n bits gives n - 1, a gap
// of n bits gives n + 1, and a trailing dash is followed by a gap of 1. Empty for a
// zero pattern.
std::vector<std::uint32_t> dash_array_from_pattern(std::uint16_t pattern);

// The geometric pen for a line style, pattern, thickness and colour, or nothing
// when the style is one the platform refuses (user dashes with cap or join bits).
std::optional<raster::Pen> make_line_pen(std::int32_t style, std::uint16_t pattern,
                                         std::int32_t thickness, Color color);

// The brush of a fill style 1..25 (user pattern for 25), or nothing for others.
std::optional<raster::Brush> make_fill_brush(std::int32_t style, Color color,
                                             const std::array<std::uint8_t, 8>& user_pattern);

// The pen, brush, colours, background mode, transform and clip region a reset
// gives a device context (everything but the font and the write mode).
void apply_default_dc_settings(raster::DeviceContext& dc, const DrawingState& state);

}  // namespace korvi
