// Events sent to the graphics window as the windowing system would send them, under
// its offscreen driver, and a wait for the UI thread to handle them.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include "state/graphics_library.h"
#include "window/ui_thread.h"

namespace korvi::test {

inline GraphicsWindow& the_window() { return library().graphics_window; }

inline void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

inline SDL_Event window_event(Uint8 which, std::uint32_t window_id = the_window().native_id()) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = window_id;
  e.window.event = which;
  return e;
}

inline SDL_Event motion(int x, int y) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = the_window().native_id();
  e.motion.x = x;
  e.motion.y = y;
  return e;
}

// Waits until everything sent to the UI thread so far has been handled.
inline void settle() {
  library().ui_thread().call([] {});
}

}  // namespace korvi::test
