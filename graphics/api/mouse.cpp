// Mouse messages of the graphics window as the free functions offer them.
#include <korvi/graphics.h>

#include "state/graphics_library.h"

namespace korvi {

bool mouse_hit() { return library().graphics_window.mouse_messages().any(); }

MouseMessage get_mouse_message() { return library().graphics_window.mouse_messages().wait(); }

void flush_mouse_messages() { library().graphics_window.mouse_messages().clear(); }

}  // namespace korvi
