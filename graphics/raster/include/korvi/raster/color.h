#pragma once
// Colour values of the library and pixels of surfaces.

#include <cstdint>

namespace korvi::raster {

// A colour value of the library: 0x00BBGGRR, red in the lowest byte.
using Color = std::uint32_t;
// A surface pixel: 0x00RRGGBB, blue in the lowest byte.
using Pixel = std::uint32_t;

// What reading a pixel outside the surface or the clip region gives.
inline constexpr Color INVALID_COLOR = 0xFFFFFFFFu;
// The bits of a pixel or colour that carry red, green and blue.
inline constexpr std::uint32_t RGB_MASK = 0x00FFFFFFu;

// Exchanges the lowest and the third byte; the top byte passes unchanged.
constexpr std::uint32_t swap_red_blue(std::uint32_t v) {
  return ((v & 0xFFu) << 16) | (v & 0xFF00FF00u) | ((v >> 16) & 0xFFu);
}
constexpr Pixel pixel_from_color(Color c) { return swap_red_blue(c); }
constexpr Color color_from_pixel(Pixel p) { return swap_red_blue(p); }

constexpr Color rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return Color{r} | (Color{g} << 8) | (Color{b} << 16);
}

}  // namespace korvi::raster
