// The picture library's functions in a page: linked into the program (built from
// Debian's sources by scripts/web), not loaded at run time. Only what the picture
// decoder and encoder call is filled in; the page has no SDL windows.
#include "sdl_api.h"

namespace korvi::window {

const SdlApi* sdl() {
  static const SdlApi api = [] {
    SdlApi table;
    table.SDL_GetError = &::SDL_GetError;
    table.SDL_CreateRGBSurfaceWithFormatFrom = &::SDL_CreateRGBSurfaceWithFormatFrom;
    table.SDL_FreeSurface = &::SDL_FreeSurface;
    table.SDL_ConvertSurfaceFormat = &::SDL_ConvertSurfaceFormat;
    table.SDL_HasColorKey = &::SDL_HasColorKey;
    table.SDL_RWFromConstMem = &::SDL_RWFromConstMem;
    table.SDL_AllocRW = &::SDL_AllocRW;
    table.SDL_FreeRW = &::SDL_FreeRW;
    table.SDL_free = &::SDL_free;
#define KORVI_IMAGE_POINTER(name) table.name = &::name;
    KORVI_IMAGE_FUNCTIONS(KORVI_IMAGE_POINTER)
#undef KORVI_IMAGE_POINTER
    return table;
  }();
  return &api;
}

const char* sdl_load_error() { return ""; }

}  // namespace korvi::window
