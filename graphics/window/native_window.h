// A top-level window of the windowing system, made, shown and fed by the UI
// thread. Its owner supplies the picture and receives the input.
#pragma once

#include <korvi/graphics.h>

#include <atomic>
#include <memory>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "presenter.h"
#include "ui_thread.h"

struct SDL_Window;

namespace korvi::window {

// What the window asks of its owner. Every call comes on the UI thread.
class WindowClient {
 public:
  virtual ~WindowClient() = default;
  // Copies the picture to show into dst: width x height pixels 0x00RRGGBB,
  // pitch in pixels. Called for every present.
  virtual void paint(std::uint32_t* dst, int pitch, int width, int height) = 0;
  // The window system lost the window's contents; a paint follows.
  virtual void exposed() = 0;
  // A key pressed in the window: the codes read_key() gives for it, all at once
  // (the bytes of its character, or a prefix and a key code).
  virtual void key_pressed(std::span<const std::uint8_t> codes) = 0;
  virtual void mouse_message(const MouseMessage& message) = 0;
  // The user asked to close the window (close box, window manager's close).
  virtual void close_requested() = 0;
};

struct WindowPosition {
  int x = 0;
  int y = 0;
};

struct WindowOptions {
  int client_width = 0;
  int client_height = 0;
  std::optional<WindowPosition> position;  // none: the system places it
  std::string title;
  std::string window_class;  // the class name the windowing system files it under
  // Icon pixels 0xAARRGGBB, top-down, or none.
  int icon_width = 0;
  int icon_height = 0;
  std::vector<std::uint32_t> icon_pixels;
};

struct OuterRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

class NativeWindow final : private EventHandler {
 public:
  // Makes and shows the window. Throws std::runtime_error saying why when it
  // cannot be made.
  NativeWindow(UiThread& ui, WindowClient& client, const WindowOptions& options);
  // Destroys the window on the UI thread; no client call follows.
  ~NativeWindow() override;
  // Destroys the window before the object goes: no client call follows, and every
  // operation of the object does nothing from then on.
  void destroy();
  NativeWindow(const NativeWindow&) = delete;
  NativeWindow& operator=(const NativeWindow&) = delete;

  // Any thread: shows the client's picture soon. Requests made while one is
  // pending are merged into it.
  void request_present();

  // Positions and sizes below are in picture pixels: screen pixels over the UI
  // thread's scale.
  // The outer rectangle (frame and caption included) in screen coordinates.
  OuterRect outer_rect() const;
  // Places the window so that its outer rectangle is (x, y, width, height); does
  // nothing where programs cannot place their windows (Wayland).
  void set_outer_rect(int x, int y, int width, int height);
  // Changes the outer size, keeping the position.
  void set_outer_size(int width, int height);
  // While disabled the window takes no key or mouse input and ignores close
  // requests; it is still painted.
  void set_input_enabled(bool enabled);
  void focus();

  std::uint32_t id() const { return m_id; }

 private:
  void handle_event(const SDL_Event& event) override;
  void present();
  void handle_mouse(const SDL_Event& event);
  void handle_key(const SDL_Event& event);
  struct Borders {
    int top = 0, left = 0, bottom = 0, right = 0;
  };
  Borders borders() const;
  void set_client_size(int outer_width, int outer_height, const Borders& b);
  // A window coordinate in picture pixels.
  int to_picture(int window_coordinate) const;

  UiThread& m_ui;
  WindowClient& m_client;
  SDL_Window* m_window = nullptr;  // UI thread only
  std::uint32_t m_id = 0;
  std::atomic<bool> m_present_pending{false};
  std::atomic<bool> m_input_enabled{true};
  std::atomic<bool> m_destroyed{false};
  std::uint32_t m_buttons = 0;           // MK_ flags of the buttons held, UI thread
  std::unique_ptr<Presenter> m_presenter;  // UI thread only, like the rest below
  int m_unit = 1;  // window coordinates per picture pixel
  int m_picture_width = 0;
  int m_picture_height = 0;
};

}  // namespace korvi::window
