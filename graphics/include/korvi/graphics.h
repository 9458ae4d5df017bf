// korvi graphics library: a flat drawing API over a window or off-screen images.
#pragma once

#include <cstdint>

namespace korvi {

// A colour value 0x00BBGGRR: red in the lowest byte.
using Color = std::uint32_t;

// ---- Colour conversions ------------------------------------------------------
// Hue in degrees [0, 360), saturation, value and lightness in [0, 1].
void rgb_to_hsv(Color color, float* h, float* s, float* v);
void rgb_to_hsl(Color color, float* h, float* s, float* l);
Color hsv_to_rgb(float h, float s, float v);
Color hsl_to_rgb(float h, float s, float l);
// The grey of equal luminance (weights 0.299, 0.587, 0.114).
Color rgb_to_gray(Color color);

} // namespace korvi
