// Selecting the drawing target, and moving pictures between images and the target.
#include <korvi/graphics.h>

#include <exception>
#include <mutex>

#include "state/graphics_library.h"
#include "state/image_impl.h"

namespace korvi {
namespace {

Image& image_or_back_buffer(Image* image) {
  return image ? *image : static_cast<Image&>(library().graphics_window);
}

}  // namespace

void set_working_image(Image* image) { library().select_target(image); }

Image* get_working_image() {
  GraphicsLibrary& lib = library();
  return lib.window_dc ? nullptr : lib.working_image;
}

void resize_image(Image* image, int width, int height) {
  image_or_back_buffer(image).resize(width, height);
}

DeviceContextHandle get_image_dc(Image* image) {
  return reinterpret_cast<DeviceContextHandle>(&impl_of(image_or_back_buffer(image)).dc);
}

std::uint32_t* get_image_buffer(Image* image) {
  return impl_of(image_or_back_buffer(image)).surface.pixels();
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
    // The target may be the window's picture, which the UI thread paints from.
    raster::DeviceContext copy_dc(&copy);
    std::lock_guard lock(lib.drawing_lock);
    copy_dc.bit_blt(0, 0, width, height, lib.target_dc, x, y, raster::SRCCOPY);
  }
  ImageImpl& impl = impl_of(*image);
  impl.surface = std::move(copy);
  impl.dc.bind(&impl.surface);
}

void put_image(int x, int y, const Image* image, std::uint32_t rop) {
  if (image) put_image_part(x, y, image->width(), image->height(), image, 0, 0, rop);
}

void put_image_part(int x, int y, int width, int height, const Image* image, int source_x,
                    int source_y, std::uint32_t rop) {
  ImageDevice* device = library().current_device;
  if (!image || !device) return;
  const raster::DeviceContext& source = impl_of(*image).dc;
  device->draw([&](raster::DeviceContext& dc) {
    dc.bit_blt(x, y, width, height, &source, source_x, source_y, rop);
  });
}

}  // namespace korvi
