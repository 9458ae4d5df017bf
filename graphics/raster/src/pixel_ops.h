#pragma once
// Inner pixel loops over one row. Callers clip: every pixel addressed exists.

#include <cstddef>
#include <cstdint>

#include "korvi/raster/color.h"
#include "mix.h"

namespace korvi::raster {

// dst[0..count) = value, vectorised.
void store_run(Pixel* dst, std::size_t count, Pixel value);
// dst[i] = mix(dst[i]) for i in [0, count).
void mix_run(Pixel* dst, std::size_t count, Mix mix);
// Pattern run: dst[i] = tile[(x + i) & 7](dst[i]), the 8-entry row of an 8x8 tile
// aligned to device x = 0.
void mix_tile_run(Pixel* dst, std::int64_t x, std::size_t count, const Mix* tile_row);

}  // namespace korvi::raster
