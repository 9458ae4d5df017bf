// Steps shared by the image device and the screen device: each takes the device
// context it acts on, so the screen device can run it on both of its contexts.
#pragma once

#include <korvi/graphics.h>

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "drawing_state.h"
#include "font/font_description.h"
#include "korvi/raster/device_context.h"
#include "korvi/raster/region.h"

namespace korvi {

// Records a fill style in the state (its colour always, the 8 pattern bytes for
// the user style when given). Returns whether the style is one of 1..25, that is,
// whether a brush is to be made.
bool record_fill_style(DrawingState& state, Color color, int style, const std::uint8_t* pattern);

// The five points of a rectangle outline drawn as one closed polyline.
std::array<raster::Point, 5> rectangle_outline(int left, int top, int right, int bottom);

// The box from (left, top) to (right, bottom) with both edges included, corners in
// any order, as a half-open rectangle.
raster::Rect inclusive_box(int left, int top, int right, int bottom);

// The ellipse outline alone: the brush is set aside while it is drawn.
void ellipse_outline_only(raster::DeviceContext& dc, int left, int top, int right, int bottom);

// Fills a device-space region with a colour, whatever the write mode.
void fill_region_plainly(raster::DeviceContext& dc, const raster::Region& region, Color color);

std::vector<raster::Point> as_raster_points(const Point* points, int count);

// Makes the font of a description and selects it, unless that is done already.
void select_font_if_needed(raster::DeviceContext& dc, const raster::FontDescription& font,
                           bool& selected);

// Formats text in a rectangle (logical coordinates); returns the text's height and,
// with DT_CALCRECT, sets the rectangle to what the text needs.
int format_text(raster::DeviceContext& dc, std::string_view text, Rect& rect, unsigned format);

// Stores a face name in a font record, cut to 31 bytes at a character boundary.
void set_face_name(FontDescription& font, const char* face);

}  // namespace korvi
