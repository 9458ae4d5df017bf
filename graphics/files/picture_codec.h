// Picture files: decoding any format the picture decoder reads, writing BMP and PNG.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "files/picture_fault.h"
#include "window/picture_decoder.h"

namespace korvi {

// The largest picture loaded: no side above MAX_PICTURE_SIDE pixels and no more
// than MAX_PICTURE_BYTES of 32-bit pixels (8192 x 8192, for instance).
inline constexpr int MAX_PICTURE_SIDE = 16384;
inline constexpr std::int64_t MAX_PICTURE_BYTES = std::int64_t{1} << 28;

// Whether a picture of width x height pixels is within those limits (and not empty).
bool sensible_picture_size(std::int64_t width, std::int64_t height);

// A decoded picture in the decoder's memory: top-down packed rows of 0xAARRGGBB.
using window::ArgbPicture;

// Why the backend's picture library (every format but PNG, and the PNG writer)
// cannot be loaded, or null when it can.
using window::picture_library_error;

// Decodes a picture file held in memory (BMP, GIF, JPEG, PNG, icons, WebP, TIFF and
// a few more); the format is found from the bytes, never from a file name. PNG is
// read by a decoder made for untrusted input, the rest by the backend's picture
// library. A file whose header gives no sensible size is refused before decoding, a
// picture that turns out larger after it. Nothing for those, for data no decoder
// reads, when the picture library cannot be loaded and when memory runs out, with
// the reason in *fault when fault is not null. The bytes are released once decoded.
std::optional<ArgbPicture> decode_and_release(std::vector<std::uint8_t> bytes,
                                              PictureFault* fault = nullptr);

// A decoded picture as plain values: top-down rows of 0xAARRGGBB pixels.
struct DecodedPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// The same for bytes the caller keeps, as plain values.
std::optional<DecodedPicture> decode_picture(std::span<const std::uint8_t> bytes);

// Encodes width x height pixels 0x00RRGGBB (top-down, row pitch = width) as a
// 24-bit uncompressed BMP file.
std::vector<std::uint8_t> encode_bmp(const std::uint32_t* pixels, int width, int height);

// Encodes the same pixels as a PNG file (through the picture library, loaded when
// first needed); nothing when that library cannot be loaded or fails to write.
std::optional<std::vector<std::uint8_t>> encode_png(const std::uint32_t* pixels, int width,
                                                    int height);

}  // namespace korvi
