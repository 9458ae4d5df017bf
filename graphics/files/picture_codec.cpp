#include "files/picture_codec.h"

#include <new>

#include "files/picture_header.h"
#include "files/png_decoder.h"
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

bool sensible_picture_size(std::int64_t width, std::int64_t height) {
  return width >= 1 && height >= 1 && width <= MAX_PICTURE_SIDE && height <= MAX_PICTURE_SIDE &&
         width * height * 4 <= MAX_PICTURE_BYTES;
}

std::optional<ArgbPicture> decode_and_release(std::vector<std::uint8_t> bytes,
                                              PictureFault* fault) {
  auto failed = [fault](PictureFault why) -> std::optional<ArgbPicture> {
    fail_with(fault, why);
    return std::nullopt;
  };
  const auto header = read_picture_header(bytes);
  if (!header) return failed(PictureFault::not_a_picture);
  if (!sensible_picture_size(header->width, header->height))
    return failed(PictureFault::picture_too_large);
  keep_checked_part(bytes, *header);
  try {
    std::optional<ArgbPicture> picture;
    if (header->format == PictureFormat::png) {
      picture = decode_png(bytes);
      std::vector<std::uint8_t>().swap(bytes);
    } else if (window::picture_library_error()) {
      return failed(PictureFault::no_picture_library);
    } else {
      picture = window::decode_with_picture_library(std::move(bytes), header->format,
                                                    static_cast<int>(header->width),
                                                    static_cast<int>(header->height));
    }
    if (!picture) return failed(PictureFault::not_a_picture);
    if (!sensible_picture_size(picture->width, picture->height))
      return failed(PictureFault::picture_too_large);
    return picture;
  } catch (const std::bad_alloc&) {
    return failed(PictureFault::out_of_memory);
  }
}

std::optional<DecodedPicture> decode_picture(std::span<const std::uint8_t> bytes) {
  try {
    auto decoded = decode_and_release(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    if (!decoded) return std::nullopt;
    return DecodedPicture{
        decoded->width, decoded->height,
        std::vector<std::uint32_t>(decoded->pixels.begin(), decoded->pixels.end())};
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
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
