// Mouse messages of the graphics window as the free functions offer them.
#include <korvi/graphics.h>

#include "state/graphics_library.h"

namespace korvi {

bool mouse_hit() { return !library().graphics_window.mouse_queue().is_empty(); }

MouseMessage get_mouse_message() { return library().graphics_window.wait_for_mouse_message(); }

void flush_mouse_messages() { library().graphics_window.mouse_queue().clear(); }

}  // namespace korvi
