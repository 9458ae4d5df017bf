// Drawing a picture file into an image.
#pragma once

#include <korvi/graphics.h>

#include <cstdint>
#include <vector>

#include "files/picture_fault.h"

namespace korvi {

// Decodes a picture file's bytes (released once decoded) and draws the picture into
// the image at (0, 0), scaled to width x height when both are at least 1, else at
// its own size; pixels that are not fully opaque blend over what is there. The
// image first takes that size when it has no pixels or when resize is true. False,
// with the image unchanged, when the bytes are no picture, the picture or the size
// asked is beyond the limits of picture_codec.h, or memory runs out; the reason in
// *fault when fault is not null.
bool draw_picture(std::vector<std::uint8_t> bytes, Image& image, int width, int height,
                  bool resize, PictureFault* fault = nullptr);

}  // namespace korvi
