// The input box's window in the windowing system: made centred on its owner (or
// on the screen), kept above the owner, and showing the box's picture. UI thread
// only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "korvi/raster/geometry.h"
#include "korvi/raster/surface.h"

struct SDL_Window;

namespace korvi::dialog {

class BoxWindow {
 public:
  // A hidden window with a client area of the given size, centred on the owner's
  // outer rectangle (owner null: on the first screen). Throws std::runtime_error
  // saying why when it cannot be made.
  BoxWindow(const std::string& title, int client_width, int client_height, SDL_Window* owner);
  ~BoxWindow();
  BoxWindow(const BoxWindow&) = delete;
  BoxWindow& operator=(const BoxWindow&) = delete;

  // Shows the window above its owner and gives it the keyboard.
  void show();
  std::uint32_t id() const { return m_id; }
  // Copies the picture into the window and shows it.
  void present(const raster::Surface& picture);
  // Tells input methods where the caret is (client pixels).
  void set_text_input_rect(const raster::Rect& rect);

 private:
  SDL_Window* m_window = nullptr;
  std::uint32_t m_id = 0;
  std::vector<std::uint32_t> m_scratch;  // for window surfaces of another pixel format
};

}  // namespace korvi::dialog
