// Waiting for input in a page: keys and mouse messages arrive in the browser's
// turns, so the wait gives it turns until one is there, the window closes or the
// time passes. A page has no terminal.
#include "screen/input_wait.h"

#include "web/browser_wait.h"

namespace korvi {

bool wait_for_keys_or_mouse(WindowKeyQueue& keys, MouseMessages& mouse, int timeout_ms) {
  const auto waiting = [&] { return !keys.empty() || mouse.any(); };
  const bool window_was_open = keys.is_open();
  if (!window_was_open && timeout_ms < 0) return waiting();  // nothing could come
  bool closed = false;
  const bool ended = web::wait_in_browser_for(
      [&] {
        if (waiting()) return true;
        closed = window_was_open && !keys.is_open();
        return closed;
      },
      timeout_ms);
  return ended && !closed;
}

void pause_calling_thread(int milliseconds) {
  web::yield_to_browser(milliseconds > 0 ? milliseconds : 0);
}

}  // namespace korvi
