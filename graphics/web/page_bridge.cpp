#include "page_bridge.h"

#include <SDL.h>
#include <emscripten.h>

#include <cstring>
#include <map>

#include "browser_wait.h"
#include "ui_thread.h"

namespace korvi::web {
namespace {

std::map<std::uint32_t, window::EventHandler*>& handlers() {
  static std::map<std::uint32_t, window::EventHandler*> registry;
  return registry;
}

std::uint16_t g_modifiers = 0;

// The page's modifier bits: 1 Shift, 2 Ctrl, 4 Alt, 8 Meta, 16 Num Lock, 32 a
// repeat of a key held down.
std::uint16_t sdl_modifiers(int page_modifiers) {
  std::uint16_t mod = 0;
  if (page_modifiers & 1) mod |= KMOD_LSHIFT;
  if (page_modifiers & 2) mod |= KMOD_LCTRL;
  if (page_modifiers & 4) mod |= KMOD_LALT;
  if (page_modifiers & 8) mod |= KMOD_LGUI;
  if (page_modifiers & 16) mod |= KMOD_NUM;
  return mod;
}

// The page's named keys, in the order of korvi_page.js's NAMED_KEYS (from 1).
SDL_Keycode named_key(int named) {
  static constexpr SDL_Keycode KEYS[] = {
      SDLK_RETURN, SDLK_ESCAPE, SDLK_BACKSPACE, SDLK_TAB, SDLK_UP,     SDLK_DOWN,
      SDLK_LEFT,   SDLK_RIGHT,  SDLK_HOME,      SDLK_END, SDLK_PAGEUP, SDLK_PAGEDOWN,
      SDLK_INSERT, SDLK_DELETE, SDLK_F1,        SDLK_F2,  SDLK_F3,     SDLK_F4,
      SDLK_F5,     SDLK_F6,     SDLK_F7,        SDLK_F8,  SDLK_F9,     SDLK_F10,
      SDLK_F11,    SDLK_F12};
  if (named < 1 || named > static_cast<int>(std::size(KEYS))) return SDLK_UNKNOWN;
  return KEYS[named - 1];
}

// The UTF-8 bytes of a code point (at most 4) and a zero.
void encode_utf8(std::uint32_t cp, char* out) {
  if (cp < 0x80) {
    *out++ = static_cast<char>(cp);
  } else if (cp < 0x800) {
    *out++ = static_cast<char>(0xC0 | cp >> 6);
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *out++ = static_cast<char>(0xE0 | cp >> 12);
    *out++ = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | cp >> 18);
    *out++ = static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    *out++ = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  }
  *out = '\0';
}

}  // namespace

std::vector<std::uint32_t>& canvas_scratch() {
  static std::vector<std::uint32_t> pixels;
  return pixels;
}

std::uint32_t next_window_id() {
  static std::uint32_t last = 0;
  return ++last;
}

void register_handler(std::uint32_t id, window::EventHandler* handler) { handlers()[id] = handler; }

void unregister_handler(std::uint32_t id) { handlers().erase(id); }

void deliver(std::uint32_t id, const SDL_Event& event) {
  const auto found = handlers().find(id);
  if (found != handlers().end()) found->second->handle_event(event);
}

std::uint16_t modifier_state() { return g_modifiers; }

void yield_to_browser(int ms) { emscripten_sleep(static_cast<unsigned>(ms < 0 ? 0 : ms)); }

double now_ms() { return korvi_page_now_ms(); }

}  // namespace korvi::web

using namespace korvi::web;

// The page's events, from korvi_page.js, as the windowing system's events.
extern "C" {

// A key pressed: one of the named keys (from 1), or the code point of the key's
// character (named 0); with Ctrl, Alt or Meta a character is a command, not text.
EMSCRIPTEN_KEEPALIVE void korvi_web_key(std::uint32_t id, int named, std::uint32_t code_point,
                                        int page_modifiers) {
  g_modifiers = sdl_modifiers(page_modifiers);
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.windowID = id;
  event.key.state = SDL_PRESSED;
  event.key.repeat = (page_modifiers & 32) ? 1 : 0;
  event.key.keysym.mod = g_modifiers;
  if (named > 0) {
    event.key.keysym.sym = named_key(named);
  } else if (code_point < 128) {
    event.key.keysym.sym = static_cast<SDL_Keycode>(
        code_point >= 'A' && code_point <= 'Z' ? code_point - 'A' + 'a' : code_point);
  } else {
    event.key.keysym.sym = static_cast<SDL_Keycode>(code_point);
  }
  deliver(id, event);
  const bool command = (page_modifiers & (2 | 4 | 8)) != 0;
  if (named == 0 && code_point >= 32 && code_point != 127 && !command) {
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    text.text.windowID = id;
    encode_utf8(code_point, text.text.text);
    deliver(id, text);
  }
}

// A mouse event in the canvas, in program pixels: kind 0 moved, 1 button down,
// 2 button up, 3 wheel (notches, positive away from the user); button as the page
// numbers them (0 left, 1 middle, 2 right).
EMSCRIPTEN_KEEPALIVE void korvi_web_mouse(std::uint32_t id, int kind, int button, int x, int y,
                                          int clicks, int notches, int page_modifiers) {
  g_modifiers = sdl_modifiers(page_modifiers);
  SDL_Event event{};
  switch (kind) {
    case 0:
      event.type = SDL_MOUSEMOTION;
      event.motion.windowID = id;
      event.motion.x = x;
      event.motion.y = y;
      break;
    case 1:
    case 2:
      event.type = kind == 1 ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
      event.button.windowID = id;
      event.button.button = static_cast<std::uint8_t>(button == 0   ? SDL_BUTTON_LEFT
                                                      : button == 1 ? SDL_BUTTON_MIDDLE
                                                      : button == 2 ? SDL_BUTTON_RIGHT
                                                                    : 0);
      event.button.state = kind == 1 ? SDL_PRESSED : SDL_RELEASED;
      event.button.clicks = static_cast<std::uint8_t>(clicks < 1 ? 1 : clicks > 255 ? 255 : clicks);
      event.button.x = x;
      event.button.y = y;
      break;
    case 3:
      event.type = SDL_MOUSEWHEEL;
      event.wheel.windowID = id;
      event.wheel.y = notches;
      event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
      event.wheel.mouseX = x;
      event.wheel.mouseY = y;
      break;
    default: return;
  }
  deliver(id, event);
}

// The browser's frame came: the window shows its picture.
EMSCRIPTEN_KEEPALIVE void korvi_web_present(std::uint32_t id) {
  SDL_Event event{};
  event.type = WINDOW_EVENT_TYPE;
  event.user.windowID = id;
  event.user.code = PRESENT;
  deliver(id, event);
}

}
