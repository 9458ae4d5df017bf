#include "dialog_window.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "native_window.h"
#include "presenter.h"
#include "sdl_api.h"
#include "window_class.h"

namespace korvi::window {
namespace {

// Dialogs exist only while the UI thread runs, which has loaded the functions.
const SdlApi& api() { return *sdl(); }

SDL_Window* sdl_window_of(const NativeWindow* window) {
  return window ? api().SDL_GetWindowFromID(window->id()) : nullptr;
}

DialogKey dialog_key(SDL_Keycode key) {
  switch (key) {
    case SDLK_TAB: return DialogKey::TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return DialogKey::ENTER;
    case SDLK_ESCAPE: return DialogKey::ESCAPE;
    case SDLK_SPACE: return DialogKey::SPACE;
    case SDLK_LEFT: return DialogKey::LEFT;
    case SDLK_RIGHT: return DialogKey::RIGHT;
    case SDLK_UP: return DialogKey::UP;
    case SDLK_DOWN: return DialogKey::DOWN;
    case SDLK_HOME: return DialogKey::HOME;
    case SDLK_END: return DialogKey::END;
    case SDLK_PAGEUP: return DialogKey::PAGE_UP;
    case SDLK_PAGEDOWN: return DialogKey::PAGE_DOWN;
    case SDLK_BACKSPACE: return DialogKey::BACKSPACE;
    case SDLK_DELETE: return DialogKey::DELETE;
    case SDLK_INSERT: return DialogKey::INSERT;
    case SDLK_a: return DialogKey::A;
    case SDLK_c: return DialogKey::C;
    case SDLK_v: return DialogKey::V;
    case SDLK_x: return DialogKey::X;
    case SDLK_z: return DialogKey::Z;
    default: return DialogKey::OTHER;
  }
}

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

DialogWindow::DialogWindow(UiThread& ui, DialogClient& client, const std::string& title,
                           int client_width, int client_height, const NativeWindow* owner_window)
    : m_ui(ui), m_client(client) {
  SDL_Window* owner = sdl_window_of(owner_window);
  const int scale = ui.scale();
  // The frame is not known before the window is shown: take the owner's, which the
  // same window manager draws (none for the screen).
  const Borders frame = borders_of(owner);
  const int outer_width = client_width * scale + frame.left + frame.right;
  const int outer_height = client_height * scale + frame.top + frame.bottom;
  const SDL_Rect area = owner_area(owner);
  // Centred, the halves truncated toward zero.
  const int x = area.x + (area.w - outer_width) / 2;
  const int y = area.y + (area.h - outer_height) / 2;
  m_window = api().SDL_CreateWindow(title.c_str(), x + frame.left, y + frame.top,
                                    client_width * scale, client_height * scale,
                                    SDL_WINDOW_HIDDEN | presented_window_flags());
  if (!m_window)
    throw std::runtime_error(std::string("cannot make a window: ") + api().SDL_GetError());
  try {
    m_presenter = std::make_unique<Presenter>(m_window);
  } catch (...) {
    api().SDL_DestroyWindow(m_window);
    throw;
  }
  // As the graphics window: fewer window units per pixel at a higher density.
  const int density = m_presenter->density();
  m_unit = scale % density == 0 ? scale / density : scale;
  if (m_unit != scale)
    api().SDL_SetWindowSize(m_window, client_width * m_unit, client_height * m_unit);
  m_id = api().SDL_GetWindowID(m_window);
  set_window_class(m_window, "Korvi_InputBox");
  if (owner) api().SDL_SetWindowModalFor(m_window, owner);
  m_ui.add_handler(m_id, this);
}

DialogWindow::~DialogWindow() {
  m_ui.remove_handler(m_id);
  m_presenter.reset();
  api().SDL_DestroyWindow(m_window);
}

void DialogWindow::show() {
  api().SDL_ShowWindow(m_window);
  api().SDL_RaiseWindow(m_window);
  api().SDL_SetWindowInputFocus(m_window);
  api().SDL_StartTextInput();
}

void DialogWindow::present(const std::uint32_t* pixels, int width, int height,
                           std::ptrdiff_t pitch) {
  m_presenter->present(width, height, m_unit * m_presenter->density(),
                       [&](std::uint32_t* dst, int dst_pitch) {
                         for (int y = 0; y < height; ++y)
                           std::memcpy(dst + static_cast<std::ptrdiff_t>(y) * dst_pitch,
                                       pixels + y * pitch,
                                       static_cast<std::size_t>(width) * sizeof *dst);
                       });
}

int DialogWindow::to_picture(int window_coordinate) const {
  const int q = window_coordinate / m_unit;
  return q * m_unit > window_coordinate ? q - 1 : q;
}

void DialogWindow::set_text_input_rect(int x, int y, int width, int height) {
  // The rectangle is relative to the window that has the keyboard.
  SDL_Rect caret{x * m_unit, y * m_unit, width * m_unit, height * m_unit};
  api().SDL_SetTextInputRect(&caret);
}

void DialogWindow::handle_event(const SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) m_client.close_requested();
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
          event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
          event.window.event == SDL_WINDOWEVENT_SHOWN)
        m_client.exposed();
      return;
    case SDL_KEYDOWN: {
      const SDL_Keysym& key = event.key.keysym;
      m_client.key_down({dialog_key(key.sym), (key.mod & KMOD_SHIFT) != 0,
                         (key.mod & KMOD_CTRL) != 0, (key.mod & KMOD_ALT) != 0,
                         event.key.repeat != 0});
      return;
    }
    case SDL_TEXTINPUT: m_client.text_typed(event.text.text); return;
    case SDL_TEXTEDITING: m_client.text_composed(event.edit.text); return;
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button == SDL_BUTTON_LEFT)
        m_client.button_down(to_picture(event.button.x), to_picture(event.button.y),
                             event.button.clicks,
                             (api().SDL_GetModState() & KMOD_SHIFT) != 0);
      return;
    case SDL_MOUSEBUTTONUP:
      if (event.button.button == SDL_BUTTON_LEFT)
        m_client.button_up(to_picture(event.button.x), to_picture(event.button.y));
      return;
    case SDL_MOUSEMOTION:
      m_client.mouse_moved(to_picture(event.motion.x), to_picture(event.motion.y));
      return;
    case SDL_MOUSEWHEEL: {
      int notches = event.wheel.y;
      if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
      m_client.wheel_turned(notches);
      return;
    }
    default: return;
  }
}

std::string clipboard_text() {
  const std::unique_ptr<char, void (*)(void*)> text(api().SDL_GetClipboardText(), api().SDL_free);
  return text ? std::string(text.get()) : std::string();
}

void set_clipboard_text(const std::string& text) { api().SDL_SetClipboardText(text.c_str()); }

std::string window_title(const NativeWindow* window) {
  SDL_Window* sdl_window = sdl_window_of(window);
  const char* title = sdl_window ? api().SDL_GetWindowTitle(sdl_window) : nullptr;
  return title ? std::string(title) : std::string();
}

}  // namespace korvi::window
