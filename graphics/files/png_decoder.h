// PNG files decoded by libspng, a reader made for untrusted input.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "window/picture_decoder.h"

namespace korvi {

// Decodes a PNG file held in memory to 0xAARRGGBB pixels, with its transparency
// applied (an alpha table, or the one colour the file marks transparent) and no
// gamma: the pixels the common reader gives. Every read is checked against the
// bytes, so a file cut short or damaged gives nothing, as do a picture beyond
// MAX_PICTURE_SIDE and optional chunks that would take more than 16 MB; an
// optional chunk that is damaged is passed over, as the common reader does.
// Throws std::bad_alloc when memory runs out.
std::optional<window::ArgbPicture> decode_png(std::span<const std::uint8_t> bytes);

}  // namespace korvi
