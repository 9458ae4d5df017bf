#include "files/draw_picture.h"

#include <mutex>

#include "files/picture_codec.h"
#include "state/graphics_library.h"
#include "state/image_impl.h"

namespace korvi {
namespace {

// A surface holding a decoded picture's colours, and whether any pixel is not
// fully opaque.
raster::Surface surface_of(const DecodedPicture& picture, bool& translucent) {
  raster::Surface surface(picture.width, picture.height);
  translucent = false;
  const std::uint32_t* source = picture.pixels.data();
  for (int y = 0; y < picture.height; ++y) {
    raster::Pixel* row = surface.row(y);
    for (int x = 0; x < picture.width; ++x, ++source) {
      row[x] = *source & 0x00FFFFFF;
      translucent |= (*source >> 24) != 0xFF;
    }
  }
  return surface;
}

// Blends the picture over what lies under it, in the picture's own pixels: the
// destination is read back into the picture's size through the target's transform.
void blend_over_target(raster::Surface& picture, const DecodedPicture& decoded,
                       raster::DeviceContext& target, int width, int height) {
  raster::Surface under(width, height);
  raster::DeviceContext under_dc(&under);
  under_dc.stretch_blt(0, 0, width, height, &target, 0, 0, width, height, raster::SRCCOPY);
  raster::Surface scaled(width, height);
  raster::DeviceContext scaled_dc(&scaled);
  raster::DeviceContext picture_dc(&picture);
  scaled_dc.stretch_blt(0, 0, width, height, &picture_dc, 0, 0, picture.width(), picture.height(),
                        raster::SRCCOPY);
  for (int y = 0; y < height; ++y) {
    const int sy = static_cast<int>((y + 0.5) * decoded.height / height);
    for (int x = 0; x < width; ++x) {
      const int sx = static_cast<int>((x + 0.5) * decoded.width / width);
      const std::uint32_t alpha =
          decoded.pixels[static_cast<std::size_t>(sy) * decoded.width + sx] >> 24;
      const raster::Pixel top = scaled.row(y)[x];
      const raster::Pixel bottom = under.row(y)[x];
      raster::Pixel mixed = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t a = top >> shift & 0xFF, b = bottom >> shift & 0xFF;
        mixed |= ((a * alpha + b * (255 - alpha) + 127) / 255) << shift;
      }
      scaled.row(y)[x] = mixed;
    }
  }
  picture = std::move(scaled);
}

}  // namespace

bool draw_picture(std::span<const std::uint8_t> bytes, Image& image, int width, int height,
                  bool resize) {
  const auto decoded = decode_picture(bytes);
  if (!decoded) return false;
  if (width < 1 || height < 1) {
    width = decoded->width;
    height = decoded->height;
  }
  if (image.width() == 0 || resize) image.resize(width, height);
  bool translucent = false;
  raster::Surface picture = surface_of(*decoded, translucent);
  // The image may be the graphics window's picture, which the UI thread paints from.
  std::lock_guard lock(library().drawing_lock);
  raster::DeviceContext& target = impl_of(image).dc;
  if (translucent) blend_over_target(picture, *decoded, target, width, height);
  const raster::DeviceContext picture_dc(&picture);
  target.stretch_blt(0, 0, width, height, &picture_dc, 0, 0, picture.width(), picture.height(),
                     raster::SRCCOPY);
  return true;
}

}  // namespace korvi
