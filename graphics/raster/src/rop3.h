#pragma once
// Ternary raster operations over runs of pixels. Callers clip.

#include <cstddef>
#include <cstdint>

#include "korvi/raster/color.h"

namespace korvi::raster {

// dst[i] = op(pattern[(x + i) & 7], source[i], dst[i]) for i in [0, count), the
// result's top byte cleared. source may be null when the operation does not read it;
// it may overlap dst only when it equals dst.
void rop3_run(std::uint8_t table, Pixel* dst, const Pixel* source, const Pixel* pattern_row,
              std::int64_t x, std::size_t count);

}  // namespace korvi::raster
