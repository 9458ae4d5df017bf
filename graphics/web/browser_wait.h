// Waiting in a page: a program that waits gives the browser its turn (events,
// painting) until what it waits for has come. Built with emscripten's ASYNCIFY,
// which suspends the program's stack while the browser runs.
#pragma once

namespace korvi::web {

// Gives the browser its turn for about ms milliseconds (0: one turn).
void yield_to_browser(int ms);

// Gives the browser turns until ready() holds; ready is checked first.
template <class Ready>
void wait_in_browser(Ready ready) {
  while (!ready()) yield_to_browser(4);
}

// Gives the browser turns until ready() holds or timeout_ms have passed (negative:
// no limit). Returns whether ready() held.
template <class Ready>
bool wait_in_browser_for(Ready ready, int timeout_ms);

double now_ms();

template <class Ready>
bool wait_in_browser_for(Ready ready, int timeout_ms) {
  const double end = now_ms() + timeout_ms;
  while (!ready()) {
    if (timeout_ms >= 0 && now_ms() >= end) return false;
    yield_to_browser(4);
  }
  return true;
}

}  // namespace korvi::web
