// Keys as the free functions offer them: from the terminal or the graphics window.
#include <korvi/graphics.h>

#include "state/graphics_library.h"

namespace korvi {

int read_key() {
  GraphicsWindow& window = library().graphics_window;
  return wait_for_key(window.is_open() ? &window.keys() : nullptr);
}

bool key_hit() {
  GraphicsWindow& window = library().graphics_window;
  return key_waiting(window.is_open() ? &window.keys() : nullptr);
}

}  // namespace korvi
