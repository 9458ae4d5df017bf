#pragma once
// The pixel sizes of a font drawn at a device scale. Internal to the font engine.
// "Unrotated device space" is the text cell scaled to the device but not yet
// rotated or mirrored: x along the baseline, y downwards from the cell's top.

#include <cstdint>

namespace korvi::raster {

class Font;

// Em sizes are limited so that one glyph stays a few megabytes at most.
inline constexpr std::int32_t MAX_DEVICE_EM = 2048;
// Scales smaller than this (or not finite) draw nothing.
inline constexpr double MIN_TEXT_SCALE = 1.0 / 4096;

struct DeviceFontSize {
  bool valid = false;     // false for a degenerate scale
  std::int32_t em_x = 0;  // pixels per em horizontally and vertically
  std::int32_t em_y = 0;
  std::int32_t cell = 0;  // cell height = ascent + descent
  std::int32_t ascent = 0;
  std::int32_t descent = 0;
  std::int32_t average_width = 0;
  std::int32_t underline_top = 0;  // from the cell's top
  std::int32_t underline_thickness = 0;
  std::int32_t strike_out_top = 0;
  std::int32_t strike_out_thickness = 0;
  std::int32_t bold_strength = 1;  // pixels added by synthetic bold
};

// Sizes of the font drawn with the given (absolute) scale factors.
DeviceFontSize device_font_size(const Font& font, double scale_x, double scale_y);

// True when the scale draws something.
bool usable_scale(double scale_x, double scale_y);

}  // namespace korvi::raster
