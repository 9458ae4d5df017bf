#pragma once
// Blending a colour over a pixel by an 8-bit coverage, as antialiased glyphs paint.

#include <cstdint>

#include "korvi/raster/color.h"

namespace korvi::raster {

// Per channel (d (255 - a) + c a + 127) / 255, exactly (the top byte of the result is
// 0): the three channels are spread into 16-bit lanes of one 64-bit word, and the
// division by 255 uses x / 255 == (x + 1 + (x >> 8)) >> 8, exact for x < 65535.
inline Pixel blend_pixel(Pixel dst, Pixel color, std::uint32_t coverage) {
  constexpr std::uint64_t LANES = 0x000000FF00FF00FFull;
  auto spread = [](Pixel p) {
    return (std::uint64_t{p} & 0xFF00FFu) | ((std::uint64_t{p} & 0xFF00u) << 24);
  };
  std::uint64_t x =
      spread(dst) * (255u - coverage) + spread(color) * coverage + 0x0000007F007F007Full;
  x = ((x + 0x0000000100010001ull + ((x >> 8) & LANES)) >> 8) & LANES;
  return static_cast<Pixel>((x & 0xFF00FFu) | ((x >> 24) & 0xFF00u));
}

}  // namespace korvi::raster
