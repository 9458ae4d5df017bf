// Shows a picture in a window through SDL's renderer: a streaming texture of the
// picture's size, uploaded whole and drawn to the window's top-left corner with
// each pixel a scale x scale block (nearest neighbour). The software renderer
// where the window system gives windows a framebuffer (X11), an accelerated one
// where it does not (Wayland); either way the pixels shown are the picture's.
// UI thread only.
#pragma once

#include <cstdint>
#include <functional>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace korvi::window {

// The flags a window to be presented in needs besides its own: the accelerated
// renderer (Wayland) wants a window made for it, drawn at the output's density.
std::uint32_t presented_window_flags();

class Presenter {
 public:
  // Throws std::runtime_error saying why when the window cannot be drawn in.
  explicit Presenter(SDL_Window* window);
  ~Presenter();
  Presenter(const Presenter&) = delete;
  Presenter& operator=(const Presenter&) = delete;

  // Fills a picture of width x height pixels 0x00RRGGBB (fill gets the rows'
  // start and their pitch in pixels) and shows it at the given scale; the rest of
  // the window is black. Does nothing for an empty picture or when the renderer
  // fails (the next present tries again).
  void present(int width, int height, int scale,
               const std::function<void(std::uint32_t* pixels, int pitch)>& fill);
  // Output pixels per window coordinate: above 1 where the window system draws
  // windows at a higher density than it measures them in (Wayland's scaled outputs).
  int density() const;

 private:
  bool ensure_texture(int width, int height);

  SDL_Window* m_window;
  SDL_Renderer* m_renderer = nullptr;
  SDL_Texture* m_texture = nullptr;
  int m_texture_width = 0;
  int m_texture_height = 0;
};

}  // namespace korvi::window
