#include "key_codes.h"

#include <SDL.h>
#include <korvi/graphics.h>

namespace korvi::window {
namespace {

KeyPressCodes one(int code) { return {{static_cast<std::uint8_t>(code), 0}, 1}; }

KeyPressCodes two(int prefix, int key) {
  return {{static_cast<std::uint8_t>(prefix), static_cast<std::uint8_t>(key)}, 2};
}

KeyPressCodes extended(int key) { return two(KEY_PREFIX_EXTENDED, key); }

// The editing keys of the keypad, which count while Num Lock is off (with it on,
// their digits come as text input).
KeyPressCodes keypad_editing_key(SDL_Keycode key) {
  switch (key) {
    case SDLK_KP_8: return extended(KEY_UP);
    case SDLK_KP_2: return extended(KEY_DOWN);
    case SDLK_KP_4: return extended(KEY_LEFT);
    case SDLK_KP_6: return extended(KEY_RIGHT);
    case SDLK_KP_7: return extended(KEY_HOME);
    case SDLK_KP_1: return extended(KEY_END);
    case SDLK_KP_9: return extended(KEY_PAGE_UP);
    case SDLK_KP_3: return extended(KEY_PAGE_DOWN);
    case SDLK_KP_0: return extended(KEY_INSERT);
    case SDLK_KP_PERIOD: return extended(KEY_DELETE);
    default: return {};
  }
}

}  // namespace

KeyPressCodes key_press_codes(const SDL_Keysym& keysym) {
  const SDL_Keycode key = keysym.sym;
  const Uint16 modifiers = keysym.mod;
  const bool command = (modifiers & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) != 0;
  if (key >= 32 && key < 127 && !command) return {};  // its character follows as text input
  if ((modifiers & KMOD_CTRL) && key >= 'a' && key <= 'z') return one(key - 'a' + 1);
  if (key >= SDLK_F1 && key <= SDLK_F10)
    return two(KEY_PREFIX_FUNCTION, KEY_F1 + static_cast<int>(key - SDLK_F1));
  switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return one(13);
    case SDLK_ESCAPE: return one(27);
    case SDLK_BACKSPACE: return one(8);
    case SDLK_TAB: return one(9);
    case SDLK_UP: return extended(KEY_UP);
    case SDLK_DOWN: return extended(KEY_DOWN);
    case SDLK_LEFT: return extended(KEY_LEFT);
    case SDLK_RIGHT: return extended(KEY_RIGHT);
    case SDLK_HOME: return extended(KEY_HOME);
    case SDLK_END: return extended(KEY_END);
    case SDLK_PAGEUP: return extended(KEY_PAGE_UP);
    case SDLK_PAGEDOWN: return extended(KEY_PAGE_DOWN);
    case SDLK_INSERT: return extended(KEY_INSERT);
    case SDLK_DELETE: return extended(KEY_DELETE);
    case SDLK_F11: return extended(KEY_F11);
    case SDLK_F12: return extended(KEY_F12);
    default: return (modifiers & KMOD_NUM) ? KeyPressCodes{} : keypad_editing_key(key);
  }
}

}  // namespace korvi::window
