// The functions of the windowing system and the picture decoder, loaded when they
// are first needed: programs that never open a window or decode a picture do not
// pay for loading the libraries (and the many they depend on) at start.
#pragma once

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_syswm.h>

namespace korvi::window {

// clang-format off
#define KORVI_SDL_FUNCTIONS(X) \
  X(SDL_SetHint) \
  X(SDL_Init) \
  X(SDL_Quit) \
  X(SDL_GetError) \
  X(SDL_RegisterEvents) \
  X(SDL_WaitEvent) \
  X(SDL_PollEvent) \
  X(SDL_PushEvent) \
  X(SDL_CreateWindow) \
  X(SDL_DestroyWindow) \
  X(SDL_GetWindowID) \
  X(SDL_ShowWindow) \
  X(SDL_HideWindow) \
  X(SDL_RaiseWindow) \
  X(SDL_SetWindowInputFocus) \
  X(SDL_SetWindowIcon) \
  X(SDL_SetWindowTitle) \
  X(SDL_GetWindowPosition) \
  X(SDL_SetWindowPosition) \
  X(SDL_GetWindowSize) \
  X(SDL_SetWindowSize) \
  X(SDL_GetWindowBordersSize) \
  X(SDL_GetWindowSurface) \
  X(SDL_UpdateWindowSurface) \
  X(SDL_CreateRGBSurfaceWithFormatFrom) \
  X(SDL_FreeSurface) \
  X(SDL_LockSurface) \
  X(SDL_UnlockSurface) \
  X(SDL_ConvertSurfaceFormat) \
  X(SDL_HasColorKey) \
  X(SDL_ConvertPixels) \
  X(SDL_GetModState) \
  X(SDL_RWFromConstMem) \
  X(SDL_AllocRW) \
  X(SDL_FreeRW) \
  X(SDL_GetDisplayBounds) \
  X(SDL_GetWindowDisplayIndex) \
  X(SDL_StartTextInput) \
  X(SDL_StopTextInput) \
  X(SDL_SetTextInputRect) \
  X(SDL_GetClipboardText) \
  X(SDL_SetClipboardText) \
  X(SDL_free) \
  X(SDL_SetWindowModalFor) \
  X(SDL_GetTicks) \
  X(SDL_GetCurrentVideoDriver) \
  X(SDL_GetWindowFromID) \
  X(SDL_GetWindowTitle) \
  X(SDL_GetWindowWMInfo) \
  X(SDL_CreateRenderer) \
  X(SDL_DestroyRenderer) \
  X(SDL_GetRendererInfo) \
  X(SDL_GetRendererOutputSize) \
  X(SDL_CreateTexture) \
  X(SDL_DestroyTexture) \
  X(SDL_LockTexture) \
  X(SDL_UnlockTexture) \
  X(SDL_SetTextureBlendMode) \
  X(SDL_SetTextureScaleMode) \
  X(SDL_RenderCopy) \
  X(SDL_RenderClear) \
  X(SDL_SetRenderDrawColor) \
  X(SDL_RenderPresent) \
  X(SDL_GetDisplayMode) \
  X(SDL_GetDesktopDisplayMode)

#define KORVI_IMAGE_FUNCTIONS(X) \
  X(IMG_Load_RW) \
  X(IMG_LoadBMP_RW) \
  X(IMG_LoadGIF_RW) \
  X(IMG_LoadJPG_RW) \
  X(IMG_LoadICO_RW) \
  X(IMG_LoadCUR_RW) \
  X(IMG_LoadWEBP_RW) \
  X(IMG_LoadTIF_RW) \
  X(IMG_LoadQOI_RW) \
  X(IMG_LoadPNM_RW) \
  X(IMG_LoadPCX_RW) \
  X(IMG_LoadLBM_RW) \
  X(IMG_LoadSizedSVG_RW) \
  X(IMG_SavePNG_RW)
// clang-format on

// One pointer per function, of the function's own type.
struct SdlApi {
#define KORVI_SDL_POINTER(name) decltype(&::name) name = nullptr;
  KORVI_SDL_FUNCTIONS(KORVI_SDL_POINTER)
  KORVI_IMAGE_FUNCTIONS(KORVI_SDL_POINTER)
#undef KORVI_SDL_POINTER
};

// The loaded functions, or null when the libraries cannot be loaded; then
// sdl_load_error() says why. Loaded once, from any thread; never changed after.
const SdlApi* sdl();
const char* sdl_load_error();

}  // namespace korvi::window
