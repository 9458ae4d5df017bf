#include "window_class.h"

#include <SDL_syswm.h>
#include <X11/Xutil.h>
#include <dlfcn.h>
#include <unistd.h>

#include "sdl_api.h"

namespace korvi::window {

void set_window_class(SDL_Window* window, const char* class_name) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!sdl()->SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  // The windowing system has loaded the library already; this only finds it.
  static const auto set_class_hint = [] {
    using SetClassHint = int (*)(Display*, Window, XClassHint*);
    void* x11 = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    return x11 ? reinterpret_cast<SetClassHint>(dlsym(x11, "XSetClassHint")) : nullptr;
  }();
  if (!set_class_hint) return;
  std::string instance = program_name();
  std::string klass = class_name;
  XClassHint hint{instance.data(), klass.data()};
  set_class_hint(info.info.x11.display, info.info.x11.window, &hint);
}

std::string program_name() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  std::string name = length > 0 ? std::string(path, static_cast<std::size_t>(length)) : "korvi";
  if (const std::size_t slash = name.rfind('/'); slash != std::string::npos)
    name.erase(0, slash + 1);
  if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

}  // namespace korvi::window
