#include "x11_error_filter.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <dlfcn.h>

#include <mutex>

namespace korvi::window {
namespace {

using ErrorHandler = int (*)(Display*, XErrorEvent*);

ErrorHandler g_previous_handler = nullptr;  // set once, before the filter is in place

int filter_errors(Display* display, XErrorEvent* error) {
  // The window a wake-up (or a reply to another program) was sent to is gone: the
  // event has nobody to reach, which is no harm.
  if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
  return g_previous_handler ? g_previous_handler(display, error) : 0;
}

}  // namespace

void ignore_sends_to_destroyed_windows() {
  static std::once_flag once;
  std::call_once(once, [] {
    // Loaded at run time like the windowing system, which uses the same library;
    // it stays loaded for the rest of the process.
    void* x11 = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    if (!x11) return;
    using SetHandler = ErrorHandler (*)(ErrorHandler);
    if (auto set_handler = reinterpret_cast<SetHandler>(dlsym(x11, "XSetErrorHandler")))
      g_previous_handler = set_handler(filter_errors);
  });
}

}  // namespace korvi::window
