// What a picture file says about itself before it is decoded: its format and size.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "window/picture_decoder.h"

namespace korvi {

using window::PictureFormat;

struct PictureHeader {
  PictureFormat format;
  // The largest width and height that any part of the file asks the decoder to
  // allocate (the picture, a frame, an icon entry, a tile); 0 or less when a side
  // is missing.
  std::int64_t width = 0;
  std::int64_t height = 0;
  // How much of the file that size covers: all of it but for a GIF, whose frames
  // after the first are never decoded.
  std::size_t checked_length = 0;
};

// The format found from the leading bytes and the size read from the header.
// Nothing when the bytes are no format the decoder is given, or when the header
// is cut short or does not say the size (such a file is never decoded).
std::optional<PictureHeader> read_picture_header(std::span<const std::uint8_t> bytes);

// Cuts the file to the part the header covers (a GIF then ends after its first
// frame), so that a decoder never reaches a part whose size was not checked.
void keep_checked_part(std::vector<std::uint8_t>& bytes, const PictureHeader& header);

}  // namespace korvi
