// Keys as the free functions offer them: from the terminal or the graphics window.
#include <korvi/graphics.h>

#include "state/graphics_library.h"

namespace korvi {

int read_key() { return wait_for_key(library().graphics_window.keys()); }

bool key_hit() { return key_waiting(library().graphics_window.keys()); }

}  // namespace korvi
