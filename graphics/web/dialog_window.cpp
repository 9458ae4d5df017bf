// A dialog in a page: a canvas with a title bar floating over the page, centred on
// its owner's canvas (or the page), taking the keyboard while it shows. Its picture
// is shown at once, at the page's display scale.
#include "dialog_window.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "native_window.h"
#include "page_bridge.h"
#include "window_class.h"

namespace korvi::window {
namespace {

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

// What the dialogs copied; the page's own clipboard is written too, but reading it
// back needs the user's permission, which a modal box cannot wait for.
std::string& copied_text() {
  static std::string text;
  return text;
}

}  // namespace

DialogWindow::DialogWindow(UiThread& ui, DialogClient& client, const std::string& title,
                           int client_width, int client_height, const NativeWindow*)
    : m_ui(ui), m_client(client) {
  if (client_width <= 0 || client_height <= 0)
    throw std::runtime_error("the size must be at least 1 by 1");
  m_id = web::next_window_id();
  korvi_page_open_canvas(m_id, client_width, client_height, 1, title.c_str(), 1);
  m_ui.add_handler(m_id, this);
}

DialogWindow::~DialogWindow() {
  m_ui.remove_handler(m_id);
  korvi_page_close_canvas(m_id);
}

void DialogWindow::show() {
  korvi_page_focus(m_id);
  m_client.exposed();
}

void DialogWindow::present(const std::uint32_t* pixels, int width, int height,
                           std::ptrdiff_t pitch) {
  if (width <= 0 || height <= 0) return;
  std::vector<std::uint32_t>& scratch = web::canvas_scratch();
  scratch.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* row = pixels + y * pitch;
    std::uint32_t* out = scratch.data() + static_cast<std::ptrdiff_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = row[x];
      out[x] = 0xFF000000u | (p & 0xFFu) << 16 | (p & 0xFF00u) | (p >> 16 & 0xFFu);
    }
  }
  korvi_page_put_pixels(m_id, scratch.data(), width, height);
}

void DialogWindow::set_text_input_rect(int, int, int, int) {}

void DialogWindow::handle_event(const SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) m_client.close_requested();
      return;
    case SDL_KEYDOWN: {
      const SDL_Keysym& key = event.key.keysym;
      m_client.key_down({dialog_key(key.sym), (key.mod & KMOD_SHIFT) != 0,
                         (key.mod & KMOD_CTRL) != 0, (key.mod & KMOD_ALT) != 0,
                         event.key.repeat != 0});
      return;
    }
    case SDL_TEXTINPUT: m_client.text_typed(event.text.text); return;
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button == SDL_BUTTON_LEFT)
        m_client.button_down(event.button.x, event.button.y, event.button.clicks,
                             (web::modifier_state() & KMOD_SHIFT) != 0);
      return;
    case SDL_MOUSEBUTTONUP:
      if (event.button.button == SDL_BUTTON_LEFT)
        m_client.button_up(event.button.x, event.button.y);
      return;
    case SDL_MOUSEMOTION: m_client.mouse_moved(event.motion.x, event.motion.y); return;
    case SDL_MOUSEWHEEL: m_client.wheel_turned(event.wheel.y); return;
    default: return;
  }
}

std::string clipboard_text() { return copied_text(); }

void set_clipboard_text(const std::string& text) {
  copied_text() = text;
  korvi_page_set_clipboard(text.c_str());
}

std::string window_title(const NativeWindow* window) {
  return window ? program_name() : std::string();
}

}  // namespace korvi::window
