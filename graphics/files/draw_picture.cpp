#include "files/draw_picture.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <stdexcept>

#include "files/picture_codec.h"
#include "state/graphics_library.h"
#include "state/image_impl.h"

namespace korvi {
namespace {

bool is_translucent(const ArgbPicture& picture) {
  return std::any_of(picture.pixels.begin(), picture.pixels.end(),
                     [](std::uint32_t p) { return p >> 24 != 0xFF; });
}

// Source index of pixel i of n for a source extent of m, nearest to the pixel's
// centre, as a stretched transfer samples.
int nearest(int i, int n, int m) {
  return static_cast<int>((2 * std::int64_t{i} + 1) * m / (2 * std::int64_t{n}));
}

// Blends the picture, scaled to width x height, over `under`, which holds what lies
// beneath it in the target.
void blend_over(raster::Surface& under, const ArgbPicture& picture) {
  const int width = under.width(), height = under.height();
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* source =
        picture.pixels.data() +
        static_cast<std::size_t>(nearest(y, height, picture.height)) * picture.width;
    raster::Pixel* row = under.row(y);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t top = source[nearest(x, width, picture.width)];
      const std::uint32_t alpha = top >> 24;
      raster::Pixel mixed = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t a = top >> shift & 0xFF, b = row[x] >> shift & 0xFF;
        mixed |= ((a * alpha + b * (255 - alpha) + 127) / 255) << shift;
      }
      row[x] = mixed;
    }
  }
}

bool draw(std::vector<std::uint8_t> bytes, Image& image, int width, int height, bool resize,
          PictureFault* fault) {
  const bool scaled = width >= 1 && height >= 1;
  if (scaled && !sensible_picture_size(width, height))
    return fail_with(fault, PictureFault::size_too_large);
  auto picture = decode_and_release(std::move(bytes), fault);
  if (!picture) return false;
  if (!scaled) {
    width = picture->width;
    height = picture->height;
  }
  // Everything that can fail is made before the image changes: what lies under a
  // translucent picture goes to a surface of its own.
  const bool translucent = is_translucent(*picture);
  raster::Surface under;
  if (translucent) under = raster::Surface(width, height);
  if (image.width() == 0 || resize) {
    image.resize(width, height);
    if (image.width() != width || image.height() != height)
      return fail_with(fault, PictureFault::out_of_memory);
  }
  // The image may be the graphics window's picture, which the UI thread paints from.
  std::lock_guard lock(library().drawing_lock);
  raster::DeviceContext& target = impl_of(image).dc;
  if (translucent) {
    raster::DeviceContext under_dc(&under);
    under_dc.stretch_blt(0, 0, width, height, &target, 0, 0, width, height, raster::SRCCOPY);
    blend_over(under, *picture);
    target.stretch_blt(0, 0, width, height, &under_dc, 0, 0, width, height, raster::SRCCOPY);
  } else {
    for (std::uint32_t& pixel : picture->pixels) pixel &= 0x00FFFFFF;
    raster::Surface pixels = raster::Surface::view(picture->pixels.data(), picture->width,
                                                   picture->height, picture->width);
    const raster::DeviceContext picture_dc(&pixels);
    target.stretch_blt(0, 0, width, height, &picture_dc, 0, 0, picture->width, picture->height,
                       raster::SRCCOPY);
  }
  return true;
}

}  // namespace

bool draw_picture(std::vector<std::uint8_t> bytes, Image& image, int width, int height,
                  bool resize, PictureFault* fault) {
  try {
    return draw(std::move(bytes), image, width, height, resize, fault);
  } catch (const std::bad_alloc&) {
    return fail_with(fault, PictureFault::out_of_memory);
  } catch (const std::length_error&) {  // a size no surface can have
    return fail_with(fault, PictureFault::size_too_large);
  }
}

}  // namespace korvi
