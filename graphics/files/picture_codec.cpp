#include "files/picture_codec.h"

#include "window/picture_decoder.h"
#include "window/picture_encoder.h"

namespace korvi {
namespace {

void put_le16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put_le32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  put_le16(out, value & 0xFFFF);
  put_le16(out, value >> 16);
}

}  // namespace

std::optional<DecodedPicture> decode_picture(std::span<const std::uint8_t> bytes) {
  return window::decode_with_picture_library(bytes);
}

std::optional<std::vector<std::uint8_t>> encode_png(const std::uint32_t* pixels, int width,
                                                    int height) {
  return window::encode_png_with_picture_library(pixels, width, height);
}

std::vector<std::uint8_t> encode_bmp(const std::uint32_t* pixels, int width, int height) {
  constexpr std::uint32_t FILE_HEADER_SIZE = 14;
  constexpr std::uint32_t INFO_HEADER_SIZE = 40;
  const std::size_t row_size = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  const std::size_t image_size = row_size * static_cast<std::size_t>(height);
  const std::size_t file_size = FILE_HEADER_SIZE + INFO_HEADER_SIZE + image_size;

  std::vector<std::uint8_t> out;
  out.reserve(file_size);
  out.push_back('B');
  out.push_back('M');
  put_le32(out, static_cast<std::uint32_t>(file_size));
  put_le32(out, 0);                                    // reserved
  put_le32(out, FILE_HEADER_SIZE + INFO_HEADER_SIZE);  // offset of the pixels
  put_le32(out, INFO_HEADER_SIZE);
  put_le32(out, static_cast<std::uint32_t>(width));
  put_le32(out, static_cast<std::uint32_t>(height));  // positive: rows bottom-up
  put_le16(out, 1);                                   // planes
  put_le16(out, 24);                                  // bits per pixel
  put_le32(out, 0);                                   // no compression
  put_le32(out, static_cast<std::uint32_t>(image_size));
  put_le32(out, 3780);  // 96 dots per inch
  put_le32(out, 3780);
  put_le32(out, 0);  // no palette
  put_le32(out, 0);

  for (int y = height - 1; y >= 0; --y) {
    const std::uint32_t* row =
        pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    for (int x = 0; x < width; ++x) {
      out.push_back(static_cast<std::uint8_t>(row[x]));        // blue
      out.push_back(static_cast<std::uint8_t>(row[x] >> 8));   // green
      out.push_back(static_cast<std::uint8_t>(row[x] >> 16));  // red
    }
    out.resize(out.size() + (row_size - static_cast<std::size_t>(width) * 3), 0);
  }
  return out;
}

}  // namespace korvi
