#include "desktop_scale.h"

#include <X11/Xlib.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "sdl_api.h"

namespace korvi::window {
namespace {

// The resource database of the X display the windowing system uses, read over a
// short connection of its own (the windowing system's is not shared).
std::string x_resources() {
  void* x11 = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
  if (!x11) return {};
  using Open = Display* (*)(const char*);
  using Close = int (*)(Display*);
  using Resources = char* (*)(Display*);
  const auto open = reinterpret_cast<Open>(dlsym(x11, "XOpenDisplay"));
  const auto close = reinterpret_cast<Close>(dlsym(x11, "XCloseDisplay"));
  const auto resources = reinterpret_cast<Resources>(dlsym(x11, "XResourceManagerString"));
  std::string text;
  if (open && close && resources) {
    if (Display* display = open(nullptr)) {
      if (const char* database = resources(display)) text = database;
      close(display);
    }
  }
  dlclose(x11);  // the windowing system keeps it loaded
  return text;
}

}  // namespace

std::optional<int> parse_scale(const char* text) {
  if (!text) return std::nullopt;
  std::istringstream in(text);
  int scale = 0;
  if (!(in >> scale) || scale < 1 || scale > MAX_SCALE) return std::nullopt;
  in >> std::ws;
  if (!in.eof()) return std::nullopt;
  return scale;
}

int scale_of_x_resources(const std::string& resources) {
  std::istringstream lines(resources);
  for (std::string line; std::getline(lines, line);) {
    constexpr const char* NAME = "Xft.dpi:";
    if (line.rfind(NAME, 0) != 0) continue;
    const double dpi = std::strtod(line.c_str() + std::char_traits<char>::length(NAME), nullptr);
    return dpi >= 192 ? 2 : 1;
  }
  return 1;
}

int window_scale(const std::string& driver, int output_scale) {
  if (const char* asked = std::getenv("KORVI_SCALE"); asked && *asked) {
    if (const auto scale = parse_scale(asked)) return *scale;
    std::fprintf(stderr, "korvi: KORVI_SCALE must be a whole number from 1 to %d; ignored\n",
                 MAX_SCALE);
  }
  if (driver == "x11") {
    if (const auto scale = parse_scale(std::getenv("GDK_SCALE"))) return *scale;
    return scale_of_x_resources(x_resources());
  }
  if (driver == "wayland") return output_scale >= 1 && output_scale <= MAX_SCALE ? output_scale : 1;
  return 1;
}

int wayland_output_scale() {
  // The largest mode is the output's pixels; the desktop mode its logical size.
  SDL_DisplayMode pixels{}, logical{};
  if (sdl()->SDL_GetDisplayMode(0, 0, &pixels) != 0 ||
      sdl()->SDL_GetDesktopDisplayMode(0, &logical) != 0 || logical.w <= 0 ||
      pixels.w % logical.w != 0)
    return 1;
  return pixels.w / logical.w;
}

}  // namespace korvi::window
