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
  if (ftrylockfile(stdout) == 0) {
    fflush_unlocked(stdout);
    funlockfile(stdout);
  }
  terminal::end_process("korvi: the display was lost", 1);
}

}  // namespace

GraphicsLibrary::GraphicsLibrary() = default;

GraphicsLibrary::~GraphicsLibrary() {
  // The window and its thread go first: nothing may paint from the back buffer
  // while it is being destroyed.
  graphics_window.close();
  m_ui_thread.reset();
}

raster::FontCache& GraphicsLibrary::font_cache() {
  if (!m_font_cache) m_font_cache = std::make_unique<raster::FontCache>();
  return *m_font_cache;
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
    working_image = &graphics_window;
    current_device = &screen_device;
    window_dc = graphics_window.is_open() ? &graphics_window.window_dc() : nullptr;
    target_dc = &impl_of(graphics_window).dc;
  } else {
    working_image = image;
    current_device = &image_device;
    window_dc = nullptr;
    target_dc = &impl_of(*image).dc;
  }
}

void GraphicsLibrary::forget_image(Image* image) {
  if (working_image != image) return;
  std::lock_guard lock(drawing_lock);
  working_image = nullptr;
  current_device = nullptr;
  window_dc = nullptr;
  target_dc = nullptr;
}

GraphicsLibrary& library() {
  static GraphicsLibrary instance;
  return instance;
}

}  // namespace korvi
