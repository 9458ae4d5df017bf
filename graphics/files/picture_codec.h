// Picture files: decoding any format the picture decoder reads, writing BMP and PNG.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "window/picture_decoder.h"

namespace korvi {

// A decoded picture, top-down rows of 0xAARRGGBB pixels (alpha 255 = opaque).
using DecodedPicture = window::DecodedPicture;

// Decodes a picture file held in memory (BMP, GIF, JPEG, PNG, icons, ...); the
// format is found from the bytes, never from a file name. Empty or undecodable
// data gives nothing.
std::optional<DecodedPicture> decode_picture(std::span<const std::uint8_t> bytes);

// Encodes width x height pixels 0x00RRGGBB (top-down, row pitch = width) as a
// 24-bit uncompressed BMP file.
std::vector<std::uint8_t> encode_bmp(const std::uint32_t* pixels, int width, int height);

// Encodes the same pixels as a PNG file (through the picture library, loaded when
// first needed); nothing when that library cannot be loaded or fails to write.
std::optional<std::vector<std::uint8_t>> encode_png(const std::uint32_t* pixels, int width,
                                                    int height);

}  // namespace korvi
