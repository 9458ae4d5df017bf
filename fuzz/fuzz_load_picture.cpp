// libFuzzer target: draws arbitrary bytes as a picture file into an image, with a
// target size and the resize flag taken from the input. A load either gives the
// image the size asked or fails leaving the image exactly as it was; a picture the
// decoder makes is never larger than its header said.
#include <korvi/graphics.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "files/draw_picture.h"
#include "files/picture_codec.h"
#include "files/picture_header.h"

namespace {

// Input: flags (bit 0: resize), asked width and height (16-bit signed each), the
// image's side before (0 to 63, 0: no pixels), then the file.
constexpr std::size_t CONTROL_BYTES = 6;

// Pictures and sizes asked above this many pixels are passed over: drawing them
// takes seconds under the sanitizers, which the time limit for one input would take
// for a load that never ends. The limits above them are tested by the unit tests.
constexpr std::int64_t MOST_PIXELS = std::int64_t{1} << 20;

int signed16(const std::uint8_t* p) { return static_cast<std::int16_t>(p[0] | p[1] << 8); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < CONTROL_BYTES) return 0;
  const bool resize = data[0] & 1;
  const int width = signed16(data + 1), height = signed16(data + 3);
  const int side = data[5] & 0x3F;
  std::vector<std::uint8_t> file(data + CONTROL_BYTES, data + size);
  auto large = [](std::int64_t w, std::int64_t h) {
    return korvi::sensible_picture_size(w, h) && w * h > MOST_PIXELS;
  };
  const auto stated = korvi::read_picture_header(file);
  if ((stated && large(stated->width, stated->height)) || large(width, height)) return 0;

  korvi::Image image(side, side);
  std::uint32_t* pixels = korvi::get_image_buffer(&image);
  for (int i = 0; i < side * side; ++i) pixels[i] = 0x00123456u * static_cast<std::uint32_t>(i);
  const std::vector<std::uint32_t> before(pixels, pixels + side * side);

  if (const auto decoded = korvi::decode_and_release(file)) {
    const auto header = korvi::read_picture_header(file);
    if (!header || decoded->width > header->width || decoded->height > header->height) std::abort();
  }

  const bool loaded = korvi::draw_picture(std::move(file), image, width, height, resize);
  if (!loaded) {
    if (image.width() != side || image.height() != side) std::abort();
    if (side && std::memcmp(korvi::get_image_buffer(&image), before.data(),
                            before.size() * sizeof(std::uint32_t)) != 0)
      std::abort();
  } else if (image.width() == 0) {
    std::abort();
  } else if ((side == 0 || resize) && width >= 1 && height >= 1 &&
             (image.width() != width || image.height() != height)) {
    std::abort();
  } else if (side != 0 && !resize && (image.width() != side || image.height() != side)) {
    std::abort();
  }
  return 0;
}
