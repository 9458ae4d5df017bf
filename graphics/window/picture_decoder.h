// Picture files decoded by the picture library that the windowing backend loads.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace korvi::window {

// A decoded picture, top-down rows of 0xAARRGGBB pixels (alpha 255 = opaque).
struct DecodedPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// Decodes a picture file held in memory (BMP, GIF, JPEG, PNG, icons, ...); the
// format is found from the bytes. Nothing when the libraries cannot be loaded or
// the bytes are no picture they read.
std::optional<DecodedPicture> decode_with_picture_library(std::span<const std::uint8_t> bytes);

}  // namespace korvi::window
