#pragma once
// Helpers for pixel-exact raster tests.

#include <cstdint>
#include <string>

#include "korvi/raster/device_context.h"

namespace korvi::raster::testing {

// Writes a 24-bit BMP of the surface (for people to look at) under the build tree's
// test-pictures folder (or the temporary folder outside ctest); returns the path.
std::string write_picture(const Surface& surface, const std::string& name);

// Number of pixels equal to value.
std::int64_t count_pixels(const Surface& surface, Pixel value);
// Number of pixels different from value.
std::int64_t count_other(const Surface& surface, Pixel value);
// Bounding box of the pixels different from value (empty when none).
PixelBox changed_box(const Surface& surface, Pixel background);
bool same_pixels(const Surface& a, const Surface& b);
// A surface of the size, every pixel set to value.
Surface filled(int width, int height, Pixel value);

}  // namespace korvi::raster::testing
