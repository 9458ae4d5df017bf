#include "native_window.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "key_codes.h"
#include "mouse_buttons.h"
#include "presenter.h"
#include "sdl_api.h"
#include "window_class.h"

namespace korvi::window {
namespace {

// Windows exist only while the UI thread runs, which has loaded the functions.
const SdlApi& api() { return *sdl(); }

enum WindowEventCode { PRESENT = 1 };

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { api().SDL_FreeSurface(surface); }
};

}  // namespace

NativeWindow::NativeWindow(UiThread& ui, WindowClient& client, const WindowOptions& options)
    : m_ui(ui), m_client(client) {
  if (!ui.available()) throw std::runtime_error(ui.error());
  std::string failure;
  ui.call([&] {
    const int scale = ui.scale();
    const int x = options.position ? options.position->x * scale
                                   : static_cast<int>(SDL_WINDOWPOS_UNDEFINED);
    const int y = options.position ? options.position->y * scale
                                   : static_cast<int>(SDL_WINDOWPOS_UNDEFINED);
    m_window = api().SDL_CreateWindow(options.title.c_str(), x, y, options.client_width * scale,
                                      options.client_height * scale,
                                      SDL_WINDOW_HIDDEN | presented_window_flags());
    if (!m_window) {
      failure = api().SDL_GetError();
      return;
    }
    try {
      m_presenter = std::make_unique<Presenter>(m_window);
    } catch (const std::exception& error) {
      failure = error.what();
      api().SDL_DestroyWindow(m_window);
      m_window = nullptr;
      return;
    }
    // Where the window system draws at a higher density (a scaled Wayland output),
    // the window is measured in its own units: fewer of them make a picture pixel.
    const int density = m_presenter->density();
    m_unit = scale % density == 0 ? scale / density : scale;
    m_picture_width = options.client_width;
    m_picture_height = options.client_height;
    if (m_unit != scale)
      api().SDL_SetWindowSize(m_window, m_picture_width * m_unit, m_picture_height * m_unit);
    m_id = api().SDL_GetWindowID(m_window);
    if (!options.window_class.empty()) set_window_class(m_window, options.window_class.c_str());
    if (!options.icon_pixels.empty()) {
      std::vector<std::uint32_t> pixels = options.icon_pixels;
      std::unique_ptr<SDL_Surface, SurfaceDeleter> icon(api().SDL_CreateRGBSurfaceWithFormatFrom(
          pixels.data(), options.icon_width, options.icon_height, 32, options.icon_width * 4,
          SDL_PIXELFORMAT_ARGB8888));
      if (icon) api().SDL_SetWindowIcon(m_window, icon.get());
    }
    m_ui.add_handler(m_id, this);
    api().SDL_ShowWindow(m_window);
  });
  if (!m_window) throw std::runtime_error("cannot make a window: " + failure);
  request_present();
}

NativeWindow::~NativeWindow() { destroy(); }

void NativeWindow::destroy() {
  if (m_destroyed.exchange(true)) return;  // a destroyed window needs no UI thread any more
  m_ui.call([this] {
    if (!m_window) return;
    m_ui.remove_handler(m_id);
    m_presenter.reset();
    api().SDL_DestroyWindow(m_window);
    m_window = nullptr;
  });
}

void NativeWindow::request_present() {
  if (!m_present_pending.exchange(true, std::memory_order_acq_rel))
    m_ui.push_window_event(m_id, PRESENT);
}

OuterRect NativeWindow::outer_rect() const {
  OuterRect rect;
  m_ui.call([&] {
    if (!m_window) return;
    int x = 0, y = 0, w = 0, h = 0;
    api().SDL_GetWindowPosition(m_window, &x, &y);
    api().SDL_GetWindowSize(m_window, &w, &h);
    const Borders b = borders();
    rect = {to_picture(x - b.left), to_picture(y - b.top), to_picture(x + w + b.right),
            to_picture(y + h + b.bottom)};
  });
  return rect;
}

void NativeWindow::set_outer_rect(int x, int y, int width, int height) {
  // Wayland lets no program place its own windows.
  if (!m_ui.places_windows()) return;
  m_ui.call([&] {
    if (!m_window) return;
    const Borders b = borders();
    api().SDL_SetWindowPosition(m_window, x * m_unit + b.left, y * m_unit + b.top);
    set_client_size(width, height, b);
  });
  request_present();
}

void NativeWindow::set_outer_size(int width, int height) {
  m_ui.call([&] {
    if (!m_window) return;
    set_client_size(width, height, borders());
  });
  request_present();
}

void NativeWindow::set_client_size(int outer_width, int outer_height, const Borders& b) {
  // Whole picture pixels only, so that each shows as a full block.
  m_picture_width = std::max(1, (outer_width * m_unit - b.left - b.right) / m_unit);
  m_picture_height = std::max(1, (outer_height * m_unit - b.top - b.bottom) / m_unit);
  api().SDL_SetWindowSize(m_window, m_picture_width * m_unit, m_picture_height * m_unit);
}

int NativeWindow::to_picture(int window_coordinate) const {
  // Rounded down, also left of and above the window (a captured drag).
  const int q = window_coordinate / m_unit;
  return q * m_unit > window_coordinate ? q - 1 : q;
}

void NativeWindow::set_input_enabled(bool enabled) { m_input_enabled.store(enabled); }

void NativeWindow::focus() {
  m_ui.call([this] {
    if (!m_window) return;
    api().SDL_RaiseWindow(m_window);
    api().SDL_SetWindowInputFocus(m_window);
  });
}

NativeWindow::Borders NativeWindow::borders() const {
  Borders b;
  if (api().SDL_GetWindowBordersSize(m_window, &b.top, &b.left, &b.bottom, &b.right) != 0) b = {};
  return b;
}

void NativeWindow::handle_event(const SDL_Event& event) {
  if (event.type == m_ui.window_event_type() + 1) {
    if (event.user.code == PRESENT) present();
    return;
  }
  switch (event.type) {
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_EXPOSED:
          m_client.exposed();
          present();
          break;
        case SDL_WINDOWEVENT_SIZE_CHANGED: present(); break;
        case SDL_WINDOWEVENT_CLOSE:
          if (m_input_enabled.load()) m_client.close_requested();
          break;
        default: break;
      }
      break;
    case SDL_KEYDOWN:
    case SDL_TEXTINPUT:
      if (m_input_enabled.load()) handle_key(event);
      break;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
      if (m_input_enabled.load()) handle_mouse(event);
      break;
    default: break;
  }
}

void NativeWindow::present() {
  m_present_pending.store(false, std::memory_order_release);
  if (!m_presenter) return;
  const int width = m_picture_width, height = m_picture_height;
  m_presenter->present(width, height, m_unit * m_presenter->density(),
                       [&](std::uint32_t* pixels, int pitch) {
                         m_client.paint(pixels, pitch, width, height);
                       });
}

void NativeWindow::handle_mouse(const SDL_Event& event) {
  MouseMessage message;
  int x = 0, y = 0;
  switch (event.type) {
    case SDL_MOUSEMOTION:
      message.message = WM_MOUSEMOVE;
      x = event.motion.x;
      y = event.motion.y;
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const auto codes = button_codes(event.button.button);
      if (!codes) return;
      const bool down = event.type == SDL_MOUSEBUTTONDOWN;
      if (down) {
        m_buttons |= button_flag(event.button.button);
        // The second press of a double click (and every even press of a
        // run of clicks) is reported as a double click.
        message.message = event.button.clicks % 2 == 0 ? codes->double_click : codes->down;
      } else {
        m_buttons &= ~button_flag(event.button.button);
        message.message = codes->up;
      }
      x = event.button.x;
      y = event.button.y;
      break;
    }
    case SDL_MOUSEWHEEL: {
      int notches = event.wheel.y;
      if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
      if (notches == 0) return;
      message.message = WM_MOUSEWHEEL;
      message.wheel = clamp16(notches * 120);
      x = event.wheel.mouseX;
      y = event.wheel.mouseY;
      break;
    }
    default: return;
  }
  const SDL_Keymod modifiers = api().SDL_GetModState();
  message.ctrl = (modifiers & KMOD_CTRL) != 0;
  message.shift = (modifiers & KMOD_SHIFT) != 0;
  message.left_button = (m_buttons & MK_LBUTTON) != 0;
  message.middle_button = (m_buttons & MK_MBUTTON) != 0;
  message.right_button = (m_buttons & MK_RBUTTON) != 0;
  message.x = clamp16(to_picture(x));
  message.y = clamp16(to_picture(y));
  m_client.mouse_message(message);
}

void NativeWindow::handle_key(const SDL_Event& event) {
  if (event.type == SDL_TEXTINPUT) {
    // Typed text arrives as characters: their bytes, as a terminal would send them.
    const char* text = event.text.text;
    const std::size_t length = std::strlen(text);
    if (length > 0) m_client.key_pressed({reinterpret_cast<const std::uint8_t*>(text), length});
    return;
  }
  const KeyPressCodes codes = key_press_codes(event.key.keysym);
  if (codes.count > 0) m_client.key_pressed(codes.span());
}

}  // namespace korvi::window
