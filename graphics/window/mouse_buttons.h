// What a window makes of SDL's mouse buttons: the MK_ flag of a held button and the
// messages of a press, a release and a double click. Shared by every backend.
#pragma once

#include <SDL.h>
#include <korvi/graphics.h>

#include <algorithm>
#include <cstdint>
#include <optional>

namespace korvi::window {

// A coordinate as a mouse message holds it.
inline std::int16_t clamp16(int value) {
  return static_cast<std::int16_t>(std::clamp(value, -32768, 32767));
}

inline std::uint32_t button_flag(std::uint8_t button) {
  switch (button) {
    case SDL_BUTTON_LEFT: return MK_LBUTTON;
    case SDL_BUTTON_MIDDLE: return MK_MBUTTON;
    case SDL_BUTTON_RIGHT: return MK_RBUTTON;
    default: return 0;
  }
}

// Message codes of a button: down, up, double click.
struct ButtonCodes {
  std::uint32_t down, up, double_click;
};

inline std::optional<ButtonCodes> button_codes(std::uint8_t button) {
  switch (button) {
    case SDL_BUTTON_LEFT: return ButtonCodes{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
    case SDL_BUTTON_RIGHT: return ButtonCodes{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK};
    case SDL_BUTTON_MIDDLE: return ButtonCodes{WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK};
    default: return std::nullopt;
  }
}

}  // namespace korvi::window
