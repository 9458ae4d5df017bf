// Picture files decoded by the picture library that the windowing backend loads.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace korvi::window {

// The picture file formats the decoder is asked for by name: each goes to its own
// reader, so that bytes are never read as a format other than the one named.
enum class PictureFormat { bmp, gif, png, jpeg, ico, cur, webp, tiff, qoi, pnm, pcx, lbm, svg };

// A decoded picture: top-down, packed rows (stride = width) of 0xAARRGGBB pixels
// (alpha 255 = opaque), writable, held in the picture library's own memory.
struct ArgbPicture {
  int width = 0;
  int height = 0;
  std::span<std::uint32_t> pixels;
  std::unique_ptr<void, void (*)(void*)> storage{nullptr, nullptr};
};

// Why the picture library cannot be loaded, or null when it can (it is then
// loaded, once for the process).
const char* picture_library_error();

// Decodes a picture file of that format whose header gives width x height; a
// drawing (SVG) is drawn to fit in that size, so that it never comes out larger.
// The bytes are released as soon as the reader is done with them, before the
// pixels are converted, so that no more than two copies of the picture are alive at
// once. Nothing when the libraries cannot be loaded, the bytes are no such picture
// or memory runs out, and for PNG, which is read by libspng instead (its reader here
// does not end on some files cut short).
std::optional<ArgbPicture> decode_with_picture_library(std::vector<std::uint8_t> bytes,
                                                       PictureFormat format, int width, int height);

}  // namespace korvi::window
