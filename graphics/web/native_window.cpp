// The graphics window in a page: a canvas of the program's size, each program
// pixel shown as a scale x scale block (the page's device pixel ratio), painted at
// the browser's next frame after a present is requested. The page has no frame
// around it, so the outer rectangle is the client area, and it is not moved.
#include "native_window.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <stdexcept>

#include "key_codes.h"
#include "mouse_buttons.h"
#include "page_bridge.h"
#include "presenter.h"

namespace korvi::window {

// A page draws on canvases, never through a presenter: the window's presenter
// stays empty, and only its destructor is needed.
Presenter::~Presenter() = default;
namespace {

struct CanvasSize {
  int width = 0;
  int height = 0;
  int scale = 1;
};

// The size of each window's canvas, by id.
std::map<std::uint32_t, CanvasSize>& canvas_sizes() {
  static std::map<std::uint32_t, CanvasSize> sizes;
  return sizes;
}

// Pixels 0x00RRGGBB as the canvas's RGBA bytes (little-endian words 0xAABBGGRR).
std::uint32_t canvas_pixel(std::uint32_t pixel) {
  return 0xFF000000u | (pixel & 0xFFu) << 16 | (pixel & 0xFF00u) | (pixel >> 16 & 0xFFu);
}

}  // namespace

NativeWindow::NativeWindow(UiThread& ui, WindowClient& client, const WindowOptions& options)
    : m_ui(ui), m_client(client) {
  if (options.client_width <= 0 || options.client_height <= 0)
    throw std::runtime_error("the size must be at least 1 by 1");
  m_id = web::next_window_id();
  const int scale = korvi_page_scale();
  canvas_sizes()[m_id] = {options.client_width, options.client_height, scale};
  korvi_page_open_canvas(m_id, options.client_width, options.client_height, scale,
                         options.title.c_str(), 0);
  m_ui.add_handler(m_id, this);
  request_present();
}

NativeWindow::~NativeWindow() { destroy(); }

void NativeWindow::destroy() {
  if (m_destroyed.exchange(true)) return;
  // The last picture stays on the page: what was drawn before the window closed
  // is shown, as the frame the browser would have painted next.
  if (m_present_pending.load()) present();
  m_ui.remove_handler(m_id);
  korvi_page_close_canvas(m_id);
  canvas_sizes().erase(m_id);
  m_window = nullptr;  // the page's canvas stands for the windowing system's window
}

void NativeWindow::request_present() {
  if (m_destroyed.load()) return;
  if (!m_present_pending.exchange(true)) m_ui.push_window_event(m_id, web::PRESENT);
}

OuterRect NativeWindow::outer_rect() const {
  const auto found = canvas_sizes().find(m_id);
  if (found == canvas_sizes().end()) return {};
  return {0, 0, found->second.width, found->second.height};
}

void NativeWindow::set_outer_rect(int, int, int width, int height) {
  set_outer_size(width, height);
}

void NativeWindow::set_outer_size(int width, int height) {
  const auto found = canvas_sizes().find(m_id);
  if (m_destroyed.load() || found == canvas_sizes().end()) return;
  found->second.width = std::max(1, width);
  found->second.height = std::max(1, height);
  korvi_page_resize_canvas(m_id, found->second.width, found->second.height, found->second.scale);
  m_client.exposed();
  request_present();
}

void NativeWindow::set_input_enabled(bool enabled) { m_input_enabled.store(enabled); }

void NativeWindow::focus() {
  if (!m_destroyed.load()) korvi_page_focus(m_id);
}

NativeWindow::Borders NativeWindow::borders() const { return {}; }

void NativeWindow::handle_event(const SDL_Event& event) {
  if (event.type == web::WINDOW_EVENT_TYPE) {
    if (event.user.code == web::PRESENT) present();
    return;
  }
  switch (event.type) {
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE && m_input_enabled.load())
        m_client.close_requested();
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
  m_present_pending.store(false);
  const auto found = canvas_sizes().find(m_id);
  if (found == canvas_sizes().end()) return;
  const auto [width, height, scale] = found->second;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  const std::size_t scaled_width =
      static_cast<std::size_t>(width) * static_cast<std::size_t>(scale);
  const std::size_t scaled =
      count * static_cast<std::size_t>(scale) * static_cast<std::size_t>(scale);
  std::vector<std::uint32_t>& scratch = web::canvas_scratch();
  scratch.resize(scale == 1 ? count : count + scaled);
  m_client.paint(scratch.data(), width, width, height);
  if (scale == 1) {
    for (std::uint32_t& pixel : scratch) pixel = canvas_pixel(pixel);
    korvi_page_put_pixels(m_id, scratch.data(), width, height);
    return;
  }
  // Nearest neighbour: each pixel becomes a scale x scale block.
  std::uint32_t* out = scratch.data() + count;
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* row = scratch.data() + static_cast<std::size_t>(y) * width;
    std::uint32_t* first = out + static_cast<std::size_t>(y) * scale * scaled_width;
    for (int x = 0; x < width; ++x) std::fill_n(first + x * scale, scale, canvas_pixel(row[x]));
    for (int copy = 1; copy < scale; ++copy)
      std::memcpy(first + copy * scaled_width, first, scaled_width * sizeof *first);
  }
  korvi_page_put_pixels(m_id, out, width * scale, height * scale);
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
      if (event.type == SDL_MOUSEBUTTONDOWN) {
        m_buttons |= button_flag(event.button.button);
        message.message = event.button.clicks % 2 == 0 ? codes->double_click : codes->down;
      } else {
        m_buttons &= ~button_flag(event.button.button);
        message.message = codes->up;
      }
      x = event.button.x;
      y = event.button.y;
      break;
    }
    case SDL_MOUSEWHEEL:
      if (event.wheel.y == 0) return;
      message.message = WM_MOUSEWHEEL;
      message.wheel = clamp16(event.wheel.y * 120);
      x = event.wheel.mouseX;
      y = event.wheel.mouseY;
      break;
    default: return;
  }
  const std::uint16_t modifiers = web::modifier_state();
  message.ctrl = (modifiers & KMOD_CTRL) != 0;
  message.shift = (modifiers & KMOD_SHIFT) != 0;
  message.left_button = (m_buttons & MK_LBUTTON) != 0;
  message.middle_button = (m_buttons & MK_MBUTTON) != 0;
  message.right_button = (m_buttons & MK_RBUTTON) != 0;
  message.x = clamp16(x);
  message.y = clamp16(y);
  m_client.mouse_message(message);
}

void NativeWindow::handle_key(const SDL_Event& event) {
  if (event.type == SDL_TEXTINPUT) {
    const char* text = event.text.text;
    const std::size_t length = std::strlen(text);
    if (length > 0) m_client.key_pressed({reinterpret_cast<const std::uint8_t*>(text), length});
    return;
  }
  const KeyPressCodes codes = key_press_codes(event.key.keysym);
  if (codes.count > 0) m_client.key_pressed(codes.span());
}

}  // namespace korvi::window
