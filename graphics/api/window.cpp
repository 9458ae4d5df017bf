// The graphics window as the free functions offer it: opening, closing, moving,
// and the library's own description.
#include <korvi/graphics.h>

#include "state/graphics_library.h"

namespace korvi {

WindowHandle open_graphics(int width, int height, int flags) {
  return library().screen_device.open_window(width, height, flags);
}

WindowHandle open_graphics_default() { return open_graphics(640, 480, 0); }

void close_graphics() { library().screen_device.close_window(); }

WindowHandle get_window_handle() { return library().graphics_window.handle(); }

bool move_window(WindowHandle window, int x, int y, int width, int height, bool repaint) {
  GraphicsWindow& graphics_window = library().graphics_window;
  if (!graphics_window.move(window, x, y, width, height)) return false;
  if (repaint) graphics_window.show_soon();
  return true;
}

const char* get_library_version() { return "v20111031(beta)"; }

const char* get_library_credits() {
  return "korvi graphics library: drawing on a software raster, fonts through fontconfig "
         "and FreeType, windows through SDL2.";
}

}  // namespace korvi
