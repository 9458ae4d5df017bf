#pragma once
// Shared helpers of the font tests.

#include <string_view>

#include "font/font_cache.h"

namespace korvi::raster::testing {

// One cache for the whole test program (starting fontconfig takes milliseconds).
FontCache& shared_font_cache();

// A description with the given face, height and quality, the rest zero.
FontDescription describe(std::string_view face, std::int32_t height, std::uint8_t quality = 0);

}  // namespace korvi::raster::testing
