// Drawing a picture file into an image.
#pragma once

#include <korvi/graphics.h>

#include <cstdint>
#include <span>

namespace korvi {

// Decodes a picture file's bytes and draws the picture into the image at (0, 0),
// scaled to width x height when both are at least 1, else at its own size; pixels
// that are not fully opaque blend over what is there. The image first takes that
// size when it has no pixels or when resize is true. False, with the image
// unchanged, when the bytes are no picture.
bool draw_picture(std::span<const std::uint8_t> bytes, Image& image, int width, int height,
                  bool resize);

}  // namespace korvi
