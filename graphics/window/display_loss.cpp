#include "display_loss.h"

#include <X11/Xlib.h>
#include <dlfcn.h>
#include <unistd.h>

#include <atomic>

namespace korvi::window {
namespace {

std::atomic<DisplayLostAction> g_action{nullptr};

[[noreturn]] void say_and_end() {
  static const char LINE[] = "korvi: the display was lost\n";
  (void)!write(STDERR_FILENO, LINE, sizeof LINE - 1);
  _exit(1);
}

// Called by the X library when a connection breaks; returning would let it end the
// process by exit(), whose handlers would wait on the dead connection.
int connection_broken(Display*) { end_process_display_lost(); }

}  // namespace

void end_process_display_lost() {
  static std::atomic<bool> ending{false};
  if (ending.exchange(true)) {
    for (;;) pause();  // another thread found it first and is ending the process
  }
  if (const DisplayLostAction action = g_action.load()) action();
  say_and_end();
}

void set_display_lost_action(DisplayLostAction action) { g_action.store(action); }

void end_process_on_display_loss() {
  // Loaded at run time like the windowing system, which uses the same library; it
  // stays loaded for the rest of the process.
  void* x11 = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
  if (!x11) return;
  using IoErrorHandler = int (*)(Display*);
  using SetHandler = IoErrorHandler (*)(IoErrorHandler);
  if (auto set_handler = reinterpret_cast<SetHandler>(dlsym(x11, "XSetIOErrorHandler")))
    set_handler(connection_broken);
}

}  // namespace korvi::window
