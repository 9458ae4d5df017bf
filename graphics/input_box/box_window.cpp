#include "input_box/box_window.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "window/sdl_api.h"
#include "window/window_class.h"

namespace korvi::dialog {
namespace {

// Boxes exist only while the UI thread runs, which has loaded the functions.
const window::SdlApi& api() { return *window::sdl(); }

struct Borders {
  int top = 0, left = 0, bottom = 0, right = 0;
};

Borders borders_of(SDL_Window* window) {
  Borders b;
  if (!window || api().SDL_GetWindowBordersSize(window, &b.top, &b.left, &b.bottom, &b.right) != 0)
    return {};
  return b;
}

// The owner's outer rectangle, or the first screen's bounds.
SDL_Rect owner_area(SDL_Window* owner) {
  SDL_Rect area{0, 0, 0, 0};
  if (owner) {
    const Borders b = borders_of(owner);
    api().SDL_GetWindowPosition(owner, &area.x, &area.y);
    api().SDL_GetWindowSize(owner, &area.w, &area.h);
    area.x -= b.left;
    area.y -= b.top;
    area.w += b.left + b.right;
    area.h += b.top + b.bottom;
  } else if (api().SDL_GetDisplayBounds(0, &area) != 0) {
    area = {0, 0, 0, 0};
  }
  return area;
}

}  // namespace

BoxWindow::BoxWindow(const std::string& title, int client_width, int client_height,
                     SDL_Window* owner) {
  // The frame is not known before the window is shown: take the owner's, which the
  // same window manager draws (none for the screen).
  const Borders frame = borders_of(owner);
  const int outer_width = client_width + frame.left + frame.right;
  const int outer_height = client_height + frame.top + frame.bottom;
  const SDL_Rect area = owner_area(owner);
  // Centred, the halves truncated toward zero.
  const int x = area.x + (area.w - outer_width) / 2;
  const int y = area.y + (area.h - outer_height) / 2;
  m_window = api().SDL_CreateWindow(title.c_str(), x + frame.left, y + frame.top, client_width,
                                    client_height, SDL_WINDOW_HIDDEN);
  if (!m_window)
    throw std::runtime_error(std::string("cannot make a window: ") + api().SDL_GetError());
  m_id = api().SDL_GetWindowID(m_window);
  window::set_window_class(m_window, "Korvi_InputBox");
  if (owner) api().SDL_SetWindowModalFor(m_window, owner);
}

BoxWindow::~BoxWindow() { api().SDL_DestroyWindow(m_window); }

void BoxWindow::show() {
  api().SDL_ShowWindow(m_window);
  api().SDL_RaiseWindow(m_window);
  api().SDL_SetWindowInputFocus(m_window);
  api().SDL_StartTextInput();
}

void BoxWindow::present(const raster::Surface& picture) {
  SDL_Surface* surface = api().SDL_GetWindowSurface(m_window);
  if (!surface) return;
  if (SDL_MUSTLOCK(surface) && api().SDL_LockSurface(surface) != 0) return;
  const int width = std::min(surface->w, picture.width());
  const int height = std::min(surface->h, picture.height());
  const Uint32 format = surface->format->format;
  if (format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888) {
    for (int y = 0; y < height; ++y)
      std::memcpy(static_cast<std::uint8_t*>(surface->pixels) +
                      static_cast<std::ptrdiff_t>(y) * surface->pitch,
                  picture.row(y), static_cast<std::size_t>(width) * sizeof(std::uint32_t));
  } else if (width > 0 && height > 0) {
    m_scratch.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
      std::memcpy(m_scratch.data() + static_cast<std::ptrdiff_t>(y) * width, picture.row(y),
                  static_cast<std::size_t>(width) * sizeof(std::uint32_t));
    api().SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_RGB888, m_scratch.data(), width * 4,
                            format, surface->pixels, surface->pitch);
  }
  if (SDL_MUSTLOCK(surface)) api().SDL_UnlockSurface(surface);
  api().SDL_UpdateWindowSurface(m_window);
}

void BoxWindow::set_text_input_rect(const raster::Rect& rect) {
  // The rectangle is relative to the window that has the keyboard.
  SDL_Rect caret{rect.left, rect.top, static_cast<int>(rect.width()),
                 static_cast<int>(rect.height())};
  api().SDL_SetTextInputRect(&caret);
}

}  // namespace korvi::dialog
