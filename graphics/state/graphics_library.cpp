#include "state/graphics_library.h"

#include <cstdio>

#include "font/font_cache.h"
#include "korvi/terminal/terminal_state.h"
#include "state/image_impl.h"
#include "window/display_loss.h"
#include "window/ui_thread.h"

namespace korvi {
namespace {

// The display went away under a window: what the program printed written out
// (unless another thread is printing), the terminal's modes and colours back as
// they were, one line, and the end, without exit-time handlers (they would wait on
// the window system).
[[noreturn]] void end_program_display_lost() {
  flush_standard_output_if_free();
  terminal::end_process("korvi: the display was lost", 1);
}

}  // namespace

GraphicsLibrary::GraphicsLibrary() = default;

GraphicsLibrary::~GraphicsLibrary() {
  // The window and its thread go first: nothing may paint from the back buffer
  // while it is being destroyed, and the UI thread's font engine outlives its use.
  graphics_window.close();
  m_ui_thread.reset();
}

GraphicsLibrary::LockedTarget::LockedTarget(GraphicsLibrary& library)
    : m_lock(library.drawing_lock), m_library(library) {}

raster::DeviceContext* GraphicsLibrary::LockedTarget::target_dc() const {
  Image* image = working_image();
  return image ? &impl_of(*image).dc : nullptr;
}

std::unique_lock<FairMutex> GraphicsLibrary::lock_if_shown(const Image& image) {
  if (&image == &graphics_window) return std::unique_lock(drawing_lock);
  return {};
}

std::unique_lock<FairMutex> GraphicsLibrary::lock_if_target_shown() {
  const Image* image = working_image();
  return image ? lock_if_shown(*image) : std::unique_lock<FairMutex>();
}

raster::FontCache& GraphicsLibrary::font_cache() {
  if (!m_font_cache) m_font_cache = std::make_unique<raster::FontCache>();
  return *m_font_cache;
}

raster::FontCache& GraphicsLibrary::ui_font_cache() {
  if (!m_ui_font_cache) m_ui_font_cache = std::make_unique<raster::FontCache>();
  return *m_ui_font_cache;
}

window::UiThread& GraphicsLibrary::ui_thread() {
  if (!m_ui_thread) {
    window::set_display_lost_action(end_program_display_lost);
    m_ui_thread = std::make_unique<window::UiThread>();
  }
  return *m_ui_thread;
}

void GraphicsLibrary::select_target(Image* image) {
  std::lock_guard lock(drawing_lock);
  if (!image) {
    m_working_image.store(&graphics_window, std::memory_order_release);
    m_current_device.store(&screen_device, std::memory_order_release);
    m_window_dc = graphics_window.is_open() ? &graphics_window.window_dc() : nullptr;
  } else {
    m_working_image.store(image, std::memory_order_release);
    m_current_device.store(&image_device, std::memory_order_release);
    m_window_dc = nullptr;
  }
}

void GraphicsLibrary::window_closed() {
  std::lock_guard lock(drawing_lock);
  if (!graphics_window.is_open()) m_window_dc = nullptr;
}

void GraphicsLibrary::forget_image(Image* image) {
  if (working_image() != image) return;
  std::lock_guard lock(drawing_lock);
  m_working_image.store(nullptr, std::memory_order_release);
  m_current_device.store(nullptr, std::memory_order_release);
  m_window_dc = nullptr;
}

GraphicsLibrary& library() {
  static GraphicsLibrary instance;
  return instance;
}

}  // namespace korvi
