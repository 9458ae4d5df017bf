// The graphics window, keys and mouse messages as the free functions offer them.
#include <korvi/graphics.h>

#include "library.h"

namespace korvi {

WindowHandle open_graphics(int width, int height, int flags) {
  return library().screen_device.open_window_slot(width, height, flags);
}

WindowHandle open_graphics_default() { return open_graphics(640, 480, 0); }

void close_graphics() { library().screen_device.close_window_slot(); }

WindowHandle get_window_handle() { return library().graphics_window.handle(); }

bool move_window(WindowHandle window, int x, int y, int width, int height, bool repaint) {
  GraphicsWindow& graphics_window = library().graphics_window;
  if (!window || window != graphics_window.handle()) return false;
  if (!graphics_window.move(x, y, width, height)) return false;
  if (repaint) graphics_window.show_soon();
  return true;
}

const char* get_library_version() { return "v20111031(beta)"; }

const char* get_library_credits() {
  return "korvi graphics library: drawing on a software raster, fonts through fontconfig "
         "and FreeType, windows through SDL2.";
}

int read_key() {
  GraphicsWindow& window = library().graphics_window;
  return wait_for_key(window.is_open() ? &window.keys() : nullptr);
}

bool key_hit() {
  GraphicsWindow& window = library().graphics_window;
  return key_waiting(window.is_open() ? &window.keys() : nullptr);
}

bool mouse_hit() { return !library().graphics_window.mouse_queue().is_empty(); }

MouseMessage get_mouse_message() { return library().graphics_window.wait_for_mouse_message(); }

void flush_mouse_messages() { library().graphics_window.mouse_queue().clear(); }

}  // namespace korvi
