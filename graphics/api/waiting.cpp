// Pausing and waiting for input: what paces a program's loop without using the
// processor. The window stays live meanwhile: the UI thread keeps painting and
// taking in keys and mouse messages.
#include <korvi/graphics.h>

#include "screen/input_wait.h"
#include "state/graphics_library.h"

namespace korvi {

void delay_ms(int milliseconds) { pause_calling_thread(milliseconds); }

bool wait_for_input(int timeout_ms) {
  GraphicsWindow& window = library().graphics_window;
  return wait_for_keys_or_mouse(window.keys(), window.mouse_messages(), timeout_ms);
}

}  // namespace korvi
