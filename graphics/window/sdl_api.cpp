#include "sdl_api.h"

#include <dlfcn.h>

#include <cstdarg>
#include <mutex>
#include <string>

namespace korvi::window {
namespace {

struct LoadedApi {
  SdlApi api;
  bool loaded = false;
  std::string error;
};

// Looks every name up in the library; false (with the error) when one is missing.
template <class Pointer>
bool bind(void* library, const char* name, Pointer& pointer, std::string& error) {
  pointer = reinterpret_cast<Pointer>(dlsym(library, name));
  if (!pointer) error = std::string("missing ") + name;
  return pointer != nullptr;
}

// The TIFF library under the picture library writes its warnings and errors to
// standard error, two lines for a file cut short; a failed load writes one line of
// its own instead, so they are turned off (nothing when that library is not there).
void silence_tiff_messages() {
  void* tiff = dlopen("libtiff.so.6", RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
  if (!tiff) return;
  using Handler = void (*)(const char*, const char*, va_list);
  using SetHandler = Handler (*)(Handler);
  for (const char* name : {"TIFFSetErrorHandler", "TIFFSetWarningHandler"})
    if (const auto set = reinterpret_cast<SetHandler>(dlsym(tiff, name))) set(nullptr);
  dlclose(tiff);  // the picture library keeps it loaded
}

LoadedApi load() {
  LoadedApi result;
  // The libraries stay loaded for the rest of the process.
  void* sdl = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
  void* image = sdl ? dlopen("libSDL2_image-2.0.so.0", RTLD_NOW | RTLD_LOCAL) : nullptr;
  if (!sdl || !image) {
    const char* reason = dlerror();
    result.error = reason ? reason : "cannot load the windowing libraries";
    return result;
  }
  bool complete = true;
#define KORVI_BIND_SDL(name) complete = bind(sdl, #name, result.api.name, result.error) && complete;
#define KORVI_BIND_IMAGE(name) \
  complete = bind(image, #name, result.api.name, result.error) && complete;
  KORVI_SDL_FUNCTIONS(KORVI_BIND_SDL)
  KORVI_IMAGE_FUNCTIONS(KORVI_BIND_IMAGE)
#undef KORVI_BIND_SDL
#undef KORVI_BIND_IMAGE
  result.loaded = complete;
  if (complete) silence_tiff_messages();
  return result;
}

const LoadedApi& loaded_api() {
  static const LoadedApi api = load();
  return api;
}

}  // namespace

const SdlApi* sdl() {
  const LoadedApi& api = loaded_api();
  return api.loaded ? &api.api : nullptr;
}

const char* sdl_load_error() { return loaded_api().error.c_str(); }

}  // namespace korvi::window
