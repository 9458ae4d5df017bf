// Whether the windowing system can start on the Wayland display without taking the
// process down: on some compositors (those without input devices) it crashes while
// starting. Found out by starting it in a child process first.
#pragma once

#include <string>

namespace korvi::window {

// Empty unless starting the windowing system on the Wayland display crashed (or
// hung) in a child process; otherwise why it cannot be started. Waits at most a few seconds. Any thread.
std::string probe_wayland();

}  // namespace korvi::window
