// The codes read_key() gives for a key pressed in a window: the same codes as a
// key typed in the terminal.
#pragma once

#include <cstdint>
#include <span>

struct SDL_Keysym;

namespace korvi::window {

// The codes of one key: one code, or a prefix and a key code.
struct KeyPressCodes {
  std::uint8_t codes[2] = {};
  std::uint8_t count = 0;
  std::span<const std::uint8_t> span() const { return {codes, count}; }
};

// The codes of a key press (a key-down event). Keys with a character give nothing
// here (their bytes come as text input), except with Ctrl (Ctrl+letter gives its
// control code); so do modifiers alone and keys without a code.
KeyPressCodes key_press_codes(const SDL_Keysym& key);

}  // namespace korvi::window
