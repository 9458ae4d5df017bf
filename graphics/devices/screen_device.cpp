#include "devices/screen_device.h"

#include <cmath>
#include <mutex>

#include "state/coordinates.h"
#include "state/graphics_library.h"
#include "state/image_impl.h"

namespace korvi {
namespace {

// A logical box with both edges included, through the transform, as a device box.
raster::PixelBox device_box(const raster::Transform& t, int left, int top, int right, int bottom) {
  const raster::PixelBox box = inclusive_box(left, top, right, bottom);
  const double x0 = box.left * double{t.m11} + t.dx, x1 = box.right * double{t.m11} + t.dx;
  const double y0 = box.top * double{t.m22} + t.dy, y1 = box.bottom * double{t.m22} + t.dy;
  return {round_to_coordinate(std::fmin(x0, x1)), round_to_coordinate(std::fmin(y0, y1)),
          round_to_coordinate(std::fmax(x0, x1)), round_to_coordinate(std::fmax(y0, y1))};
}

}  // namespace

ScreenDevice::~ScreenDevice() = default;

void ScreenDevice::apply_setting(ContextAction apply) {
  const GraphicsLibrary::LockedTarget target = library().lock_target();
  apply(*target.target_dc());
  if (raster::DeviceContext* window_dc = target.window_dc()) apply(*window_dc);
}

void ScreenDevice::draw(ContextAction draw) {
  GraphicsLibrary& lib = library();
  GraphicsWindow& window = lib.graphics_window;
  const bool showing = !lib.batch_drawing.load();
  {
    const GraphicsLibrary::LockedTarget target = lib.lock_target();
    draw(*target.target_dc());
    // While the window's picture is the back buffer, the one drawing is on both.
    raster::DeviceContext* window_dc = target.window_dc();
    if (showing && window_dc && !window.window_matches_buffer()) draw(*window_dc);
  }
  if (showing) window.show_soon();
}

void ScreenDevice::clear_device() {
  GraphicsLibrary& lib = library();
  {
    std::lock_guard lock(lib.drawing_lock);
    ImageImpl& back_buffer = impl_of(lib.graphics_window);
    back_buffer.surface.fill(raster::pixel_from_color(back_buffer.state.bk_color));
  }
  if (!lib.batch_drawing.load()) flush_batch();
  move_to(0, 0);
}

void ScreenDevice::clear_clip_region() {
  // The region is filled on both contexts, in batch drawing too: it shows at once.
  ImageDevice::clear_clip_region();
  library().graphics_window.show_soon();
}

WindowHandle ScreenDevice::open_window(int width, int height, int flags) {
  GraphicsLibrary& lib = library();
  const WindowHandle handle = lib.graphics_window.open(width, height, flags);
  lib.select_target(nullptr);
  reset_drawing_state();
  lib.graphics_window.show_soon();
  return handle;
}

void ScreenDevice::close_window() {
  GraphicsLibrary& lib = library();
  lib.graphics_window.close();
  // Without a window the target is the window's picture in memory alone.
  lib.window_closed();
}

void ScreenDevice::begin_batch() {
  GraphicsLibrary& lib = library();
  std::lock_guard lock(lib.drawing_lock);
  lib.graphics_window.separate_window_picture();
  lib.batch_drawing.store(true);
}

void ScreenDevice::flush_batch_rect(int left, int top, int right, int bottom) {
  GraphicsLibrary& lib = library();
  {
    std::lock_guard lock(lib.drawing_lock);
    lib.graphics_window.copy_buffer_to_window(
        device_box(state().transform, left, top, right, bottom));
  }
  lib.graphics_window.show_soon();
}

void ScreenDevice::flush_batch() {
  GraphicsLibrary& lib = library();
  {
    std::lock_guard lock(lib.drawing_lock);
    lib.graphics_window.show_whole_buffer();
  }
  lib.graphics_window.show_soon();
}

void ScreenDevice::end_batch_rect(int left, int top, int right, int bottom) {
  flush_batch_rect(left, top, right, bottom);
  library().batch_drawing.store(false);
}

void ScreenDevice::end_batch() {
  flush_batch();
  library().batch_drawing.store(false);
}

}  // namespace korvi
