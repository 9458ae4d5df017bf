#include "font/font_scaling.h"

#include <algorithm>
#include <cmath>

#include "font/face.h"
#include "font/font.h"

namespace korvi::raster {

namespace {

// Rounds a pixel size (already bounded by the em limit) to whole pixels.
std::int32_t round_pixels(double value) { return static_cast<std::int32_t>(std::lround(value)); }

std::int32_t clamp_em(double em) {
  if (!(em >= 1)) return 1;
  return static_cast<std::int32_t>(std::min<double>(std::lround(std::min(em, 1e9)), MAX_DEVICE_EM));
}

}  // namespace

bool usable_scale(double scale_x, double scale_y) {
  const double ax = std::abs(scale_x);
  const double ay = std::abs(scale_y);
  return std::isfinite(ax) && std::isfinite(ay) && ax >= MIN_TEXT_SCALE && ay >= MIN_TEXT_SCALE;
}

DeviceFontSize device_font_size(const Font& font, double scale_x, double scale_y) {
  DeviceFontSize size;
  if (!usable_scale(scale_x, scale_y)) return size;
  const double ax = std::abs(scale_x);
  const double ay = std::abs(scale_y);
  const FaceMetrics design = font.face() ? font.face()->metrics() : FaceMetrics{};
  const double upem = design.units_per_em;

  size.valid = true;
  const double em_y = font.em_y() * ay;
  size.em_x = clamp_em(font.em_x() * ax);
  size.em_y = clamp_em(em_y);
  const double per_unit = size.em_y / upem;

  size.ascent = round_pixels(design.ascent * per_unit);
  const double requested_cell = font.requested_cell() * ay;
  if (requested_cell > 0 && em_y <= MAX_DEVICE_EM) {
    size.cell = std::max<std::int32_t>(1, round_pixels(requested_cell));
  } else {
    size.cell = std::max<std::int32_t>(1, size.ascent + round_pixels(design.descent * per_unit));
  }
  if (requested_cell > 0 && em_y <= MAX_DEVICE_EM) {
    // The cell is the height asked for, and the em is rounded to whole pixels:
    // the face's ascent and descent rarely add up to whole pixels in it. Glyph
    // bitmaps reach down to whole pixels, so the descent is taken whole and the
    // ascent gets the rest; descenders then stay inside the cell.
    size.ascent =
        size.cell - std::min<std::int32_t>(
                        size.cell, static_cast<std::int32_t>(std::ceil(design.descent * per_unit)));
  }
  size.ascent = std::clamp(size.ascent, 0, size.cell);
  size.descent = size.cell - size.ascent;
  size.average_width =
      std::max<std::int32_t>(1, round_pixels(design.average_width * size.em_x / upem));

  size.underline_thickness =
      std::clamp(round_pixels(design.underline_thickness * per_unit), 1, size.cell);
  const std::int32_t underline_centre =
      size.ascent - round_pixels(design.underline_position * per_unit);
  size.underline_top = std::clamp(underline_centre - size.underline_thickness / 2, 0,
                                  size.cell - size.underline_thickness);

  size.strike_out_thickness =
      std::clamp(round_pixels(design.strike_out_thickness * per_unit), 1, size.cell);
  size.strike_out_top =
      std::clamp(size.ascent - round_pixels(design.strike_out_position * per_unit), 0,
                 size.cell - size.strike_out_thickness);

  size.bold_strength = std::max<std::int32_t>(1, round_pixels(size.em_x / 24.0));
  return size;
}

}  // namespace korvi::raster
