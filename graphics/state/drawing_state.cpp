#include "state/drawing_state.h"

#include <cstring>

namespace korvi {
namespace {

// The 8 x 8 patterns of the fill styles that are patterns, row 0 on top.
struct FillPattern {
  std::int32_t style;
  std::array<std::uint8_t, 8> rows;
};

constexpr FillPattern FILL_PATTERNS[] = {
    {FILL_SPARSE_DOTS, {0x80, 0x00, 0x08, 0x00, 0x80, 0x00, 0x08, 0x00}},
    {FILL_THIN_RISING, {0x44, 0x88, 0x11, 0x22, 0x44, 0x88, 0x11, 0x22}},
    {FILL_GRID, {0xFF, 0x11, 0x11, 0x11, 0xFF, 0x11, 0x11, 0x11}},
    {FILL_INTERLEAVE, {0x55, 0x88, 0x55, 0x22, 0x55, 0x88, 0x55, 0x22}},
    {FILL_WIDE_DOTS, {0x88, 0x00, 0x22, 0x00, 0x88, 0x00, 0x22, 0x00}},
    {FILL_THIN_FALLING, {0x22, 0x11, 0x88, 0x44, 0x22, 0x11, 0x88, 0x44}},
    {FILL_HORIZONTAL_LINES, {0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00}},
    {FILL_VERTICAL_LINES, {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11}},
    {FILL_THICK_RISING, {0xE0, 0xC1, 0x83, 0x07, 0x0E, 0x1C, 0x38, 0x70}},
    {FILL_THICK_GRID, {0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0xFF, 0xFF}},
    {FILL_WEAVE, {0xC7, 0x83, 0xC7, 0xEE, 0x7C, 0x38, 0x7C, 0xEE}},
    {FILL_SMALL_BLOCKS, {0xC0, 0xC0, 0x0C, 0x0C, 0xC0, 0xC0, 0x0C, 0x0C}},
    {FILL_THICK_FALLING, {0x07, 0x83, 0xC1, 0xE0, 0x70, 0x38, 0x1C, 0x0E}},
    {FILL_THICK_HORIZONTAL, {0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00}},
    {FILL_THICK_VERTICAL, {0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33}},
    {FILL_CHECKER, {0xCC, 0x33, 0xCC, 0x33, 0xCC, 0x33, 0xCC, 0x33}},
};

// The hatch code of the fill styles that are hatches, or -1.
int hatch_of_fill_style(std::int32_t style) {
  switch (style) {
    case FILL_HATCH_RISING: return HS_BDIAGONAL;
    case FILL_HATCH_CROSS: return HS_CROSS;
    case FILL_HATCH_DIAGONAL_CROSS: return HS_DIAGCROSS;
    case FILL_HATCH_FALLING: return HS_FDIAGONAL;
    case FILL_HATCH_HORIZONTAL: return HS_HORIZONTAL;
    case FILL_HATCH_VERTICAL: return HS_VERTICAL;
    default: return -1;
  }
}

}  // namespace

void reset_drawing_state_fields(DrawingState& state) {
  state.cursor_x = 0;
  state.cursor_y = 0;
  state.transform = raster::Transform::identity();
  state.line_color = DEFAULT_DRAWING_COLOR;
  state.bk_color = 0x000000;
  state.line_style = PS_SOLID;
  state.line_thickness = 1;
  state.fill_style = FILL_SOLID;
  state.fill_color = DEFAULT_DRAWING_COLOR;
}

bool record_fill_style(DrawingState& state, Color color, int style, const std::uint8_t* pattern) {
  state.fill_style = style;
  if (style == FILL_USER && pattern)
    std::memcpy(state.fill_pattern.data(), pattern, state.fill_pattern.size());
  state.fill_color = color;
  return style >= FILL_HOLLOW && style <= FILL_USER;
}

std::vector<std::uint32_t> dash_array_from_pattern(std::uint16_t pattern) {
  std::vector<std::uint32_t> dashes;
  if (pattern == 0) return dashes;
  unsigned bits = pattern;
  while ((bits & 1) == 0) bits >>= 1;
  bool in_dash = true;  // bit 0 is set: the first run is a dash
  std::uint32_t run = 0;
  for (int position = 0; position < 16; ++position) {
    const bool set = (bits >> position & 1) != 0;
    if (set != in_dash) {
      dashes.push_back(in_dash ? run - 1 : run + 1);
      in_dash = set;
      run = 0;
    }
    ++run;
  }
  dashes.push_back(in_dash ? run - 1 : run + 1);
  if (in_dash) dashes.push_back(1);
  return dashes;
}

std::optional<raster::Pen> make_line_pen(std::int32_t style, std::uint16_t pattern,
                                         std::int32_t thickness, Color color) {
  std::uint32_t kind = static_cast<std::uint32_t>(style) | raster::PEN_GEOMETRIC;
  std::vector<std::uint32_t> dashes;
  if (style == PS_USERSTYLE) {
    if (pattern == 0)
      kind = static_cast<std::uint32_t>(PS_NULL) | raster::PEN_GEOMETRIC;
    else
      dashes = dash_array_from_pattern(pattern);
  }
  return raster::Pen::geometric(kind, thickness, color, dashes);
}

std::optional<raster::Brush> make_fill_brush(std::int32_t style, Color color,
                                             const std::array<std::uint8_t, 8>& user_pattern) {
  if (style < FILL_HOLLOW || style > FILL_USER) return std::nullopt;
  if (style == FILL_HOLLOW) return raster::Brush::hollow();
  if (style == FILL_SOLID) return raster::Brush::solid(color);
  if (style == FILL_USER) return raster::Brush::pattern(user_pattern);
  if (const int hatch = hatch_of_fill_style(style); hatch >= 0)
    return raster::Brush::hatched(hatch, color);
  for (const FillPattern& entry : FILL_PATTERNS)
    if (entry.style == style) return raster::Brush::pattern(entry.rows);
  return std::nullopt;
}

void apply_default_dc_settings(raster::DeviceContext& dc, const DrawingState& state) {
  dc.set_background_mode(raster::BackgroundMode::OPAQUE);
  dc.set_background_color(state.bk_color);
  dc.move_to(0, 0);
  dc.select_pen(raster::Pen::cosmetic(raster::DashKind::SOLID, DEFAULT_DRAWING_COLOR));
  dc.select_brush(raster::Brush::solid(DEFAULT_DRAWING_COLOR));
  dc.set_text_color(DEFAULT_DRAWING_COLOR);
  dc.set_transform(state.transform);
  dc.set_clip_region(nullptr);
}

}  // namespace korvi
