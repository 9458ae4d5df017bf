// Moving pictures between images, the drawing target and picture files.
#include <korvi/graphics.h>

#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>

#include "file_buffer.h"
#include "image_data.h"
#include "library.h"
#include "picture_codec.h"

namespace korvi {
namespace {

Image& image_or_back_buffer(Image* image) {
  return image ? *image : static_cast<Image&>(library().graphics_window);
}

// The drawing lock: any transfer may touch the back buffer, which the UI thread
// paints from.
std::unique_lock<std::mutex> drawing_lock() { return std::unique_lock(library().drawing_lock); }

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

// Draws a picture file's bytes into an image at (0, 0), scaled to width x height
// when both are at least 1, else at the picture's size.
bool render_picture(const FileBuffer& buffer, Image& image, int width, int height, bool resize) {
  const auto decoded = decode_picture(buffer.bytes());
  if (!decoded) return false;
  if (width < 1 || height < 1) {
    width = decoded->width;
    height = decoded->height;
  }
  if (image.width() == 0 || resize) image.resize(width, height);
  bool translucent = false;
  raster::Surface picture = surface_of(*decoded, translucent);
  const auto lock = drawing_lock();
  raster::DeviceContext& target = image.data().dc;
  if (translucent) blend_over_target(picture, *decoded, target, width, height);
  const raster::DeviceContext picture_dc(&picture);
  target.stretch_blt(0, 0, width, height, &picture_dc, 0, 0, picture.width(), picture.height(),
                     raster::SRCCOPY);
  return true;
}

bool load_into(Image* image, const FileBuffer& buffer, int width, int height, bool resize) {
  if (!render_picture(buffer, image_or_back_buffer(image), width, height, resize)) return false;
  if (!image) flush_batch();
  return true;
}

}  // namespace

void resize_image(Image* image, int width, int height) {
  image_or_back_buffer(image).resize(width, height);
}

DeviceContextHandle get_image_dc(Image* image) { return &image_or_back_buffer(image).data().dc; }

std::uint32_t* get_image_buffer(Image* image) {
  return image_or_back_buffer(image).data().surface.pixels();
}

void get_image(Image* image, int x, int y, int width, int height) {
  GraphicsLibrary& lib = library();
  if (!image || width <= 0 || height <= 0 || !lib.target_dc) return;
  raster::Surface copy;
  try {
    copy = raster::Surface(width, height);  // black where the target has nothing
  } catch (const std::exception&) {
    return;
  }
  {
    raster::DeviceContext copy_dc(&copy);
    const auto lock = drawing_lock();
    copy_dc.bit_blt(0, 0, width, height, lib.target_dc, x, y, raster::SRCCOPY);
  }
  Image::Data& data = image->data();
  data.surface = std::move(copy);
  data.dc.bind(&data.surface);
}

void put_image(int x, int y, const Image* image, std::uint32_t rop) {
  if (image) put_image_part(x, y, image->width(), image->height(), image, 0, 0, rop);
}

void put_image_part(int x, int y, int width, int height, const Image* image, int source_x,
                    int source_y, std::uint32_t rop) {
  GraphicsLibrary& lib = library();
  if (!image || !lib.target_dc) return;
  const raster::DeviceContext& source = image->data().dc;
  const bool showing = lib.window_dc && !lib.batch_drawing.load();
  {
    const auto lock = drawing_lock();
    if (showing && !lib.graphics_window.window_matches_buffer())
      lib.window_dc->bit_blt(x, y, width, height, &source, source_x, source_y, rop);
    lib.target_dc->bit_blt(x, y, width, height, &source, source_x, source_y, rop);
  }
  if (showing) lib.graphics_window.show_soon();
}

bool load_image(Image* image, const char* file_name, int width, int height, bool resize) {
  FileBuffer buffer;
  return buffer.load_file(file_name) && load_into(image, buffer, width, height, resize);
}

bool load_image_resource(Image* image, const char* type, const char* name, int width, int height,
                         bool resize) {
  FileBuffer buffer;
  return buffer.load_resource(type, name) && load_into(image, buffer, width, height, resize);
}

bool save_image(const char* file_name, const Image* image) {
  const Image& source = image ? *image : static_cast<const Image&>(library().graphics_window);
  const raster::Surface& surface = source.data().surface;
  if (!file_name || surface.empty()) return false;
  const std::vector<std::uint8_t> bytes =
      encode_bmp(surface.pixels(), surface.width(), surface.height());
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(file_name, "wb"), std::fclose);
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  return std::fclose(file.release()) == 0 && written;
}

}  // namespace korvi
