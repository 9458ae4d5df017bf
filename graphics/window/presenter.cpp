#include "presenter.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "sdl_api.h"

namespace korvi::window {
namespace {

// Presenters exist only while the UI thread runs, which has loaded the functions.
const SdlApi& api() { return *sdl(); }

// Wayland gives windows no framebuffer of their own: pictures reach it through an
// accelerated renderer (Mesa's software rasteriser where there is no GPU).
bool needs_accelerated_renderer() {
  const char* driver = api().SDL_GetCurrentVideoDriver();
  return driver && std::strcmp(driver, "wayland") == 0;
}

}  // namespace

std::uint32_t presented_window_flags() {
  return needs_accelerated_renderer() ? SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI : 0;
}

Presenter::Presenter(SDL_Window* window) : m_window(window) {
  if (needs_accelerated_renderer()) {
    m_renderer = api().SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (!m_renderer) m_renderer = api().SDL_CreateRenderer(window, -1, 0);
  } else {
    // The window's own framebuffer: no graphics driver is loaded for it.
    m_renderer = api().SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  }
  if (!m_renderer)
    throw std::runtime_error(std::string("cannot draw in the window: ") + api().SDL_GetError());
}

Presenter::~Presenter() {
  if (m_texture) api().SDL_DestroyTexture(m_texture);
  api().SDL_DestroyRenderer(m_renderer);  // before the window goes
}

int Presenter::density() const {
  int output_width = 0, output_height = 0, width = 0, height = 0;
  api().SDL_GetWindowSize(m_window, &width, &height);
  if (api().SDL_GetRendererOutputSize(m_renderer, &output_width, &output_height) != 0 ||
      width <= 0)
    return 1;
  return std::max(1, output_width / width);
}

bool Presenter::ensure_texture(int width, int height) {
  if (m_texture && m_texture_width == width && m_texture_height == height) return true;
  if (m_texture) api().SDL_DestroyTexture(m_texture);
  m_texture_width = m_texture_height = 0;
  // 0x00RRGGBB words as they are: no conversion, no alpha, no filtering.
  m_texture = api().SDL_CreateTexture(m_renderer, SDL_PIXELFORMAT_RGB888,
                                      SDL_TEXTUREACCESS_STREAMING, width, height);
  if (!m_texture) return false;
  api().SDL_SetTextureBlendMode(m_texture, SDL_BLENDMODE_NONE);
  api().SDL_SetTextureScaleMode(m_texture, SDL_ScaleModeNearest);
  m_texture_width = width;
  m_texture_height = height;
  return true;
}

void Presenter::present(int width, int height, int scale,
                        const std::function<void(std::uint32_t*, int)>& fill) {
  if (width <= 0 || height <= 0 || !ensure_texture(width, height)) return;
  void* pixels = nullptr;
  int pitch = 0;
  if (api().SDL_LockTexture(m_texture, nullptr, &pixels, &pitch) != 0) return;
  fill(static_cast<std::uint32_t*>(pixels), pitch / 4);
  api().SDL_UnlockTexture(m_texture);
  // Only the scale decides the size: the picture is never stretched to the window.
  const int pixel = std::max(1, scale);
  const SDL_Rect area{0, 0, width * pixel, height * pixel};
  api().SDL_SetRenderDrawColor(m_renderer, 0, 0, 0, 255);
  api().SDL_RenderClear(m_renderer);
  api().SDL_RenderCopy(m_renderer, m_texture, nullptr, &area);
  api().SDL_RenderPresent(m_renderer);
}

}  // namespace korvi::window
