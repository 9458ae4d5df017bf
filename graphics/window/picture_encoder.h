// Picture files written by the picture library that the windowing backend loads.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace korvi::window {

// Encodes width x height pixels 0x00RRGGBB (top-down, row pitch = width) as a PNG
// file without alpha. Nothing when the libraries cannot be loaded or the writer
// fails (out of memory included).
std::optional<std::vector<std::uint8_t>> encode_png_with_picture_library(
    const std::uint32_t* pixels, int width, int height);

}  // namespace korvi::window
