// A dialog's window in the windowing system: made centred on its owner (or on the
// screen), kept above the owner, showing the dialog's picture and passing on its
// input as the keys and clicks a dialog acts on. UI thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui_thread.h"

struct SDL_Window;

namespace korvi::window {

class NativeWindow;
class Presenter;

// The keys a dialog acts on; every other key is OTHER.
enum class DialogKey {
  TAB,
  ENTER,
  ESCAPE,
  SPACE,
  LEFT,
  RIGHT,
  UP,
  DOWN,
  HOME,
  END,
  PAGE_UP,
  PAGE_DOWN,
  BACKSPACE,
  DELETE,
  INSERT,
  A,
  C,
  V,
  X,
  Z,
  OTHER
};

struct DialogKeyPress {
  DialogKey key = DialogKey::OTHER;
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool repeat = false;  // sent again by a key held down
};

// What a dialog window passes on to its dialog, on the UI thread.
class DialogClient {
 public:
  virtual ~DialogClient() = default;
  // The close box or the window manager's close.
  virtual void close_requested() = 0;
  // The window lost its picture: present it again.
  virtual void exposed() = 0;
  virtual void key_down(const DialogKeyPress& key) = 0;
  // Text typed, and text being composed by an input method (UTF-8).
  virtual void text_typed(const char* text) = 0;
  virtual void text_composed(const char* text) = 0;
  // The left button, in client pixels; shift: whether Shift is held.
  virtual void button_down(int x, int y, int clicks, bool shift) = 0;
  virtual void button_up(int x, int y) = 0;
  virtual void mouse_moved(int x, int y) = 0;
  // Notches turned, positive away from the user.
  virtual void wheel_turned(int notches) = 0;
};

class DialogWindow final : private EventHandler {
 public:
  // A hidden window with a client area of the given size, centred on the owner's
  // outer rectangle (owner null: on the first screen), whose input goes to client.
  // Throws std::runtime_error saying why when it cannot be made.
  DialogWindow(UiThread& ui, DialogClient& client, const std::string& title, int client_width,
               int client_height, const NativeWindow* owner);
  ~DialogWindow() override;
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  // Shows the window above its owner and gives it the keyboard.
  void show();
  std::uint32_t id() const { return m_id; }
  // Copies a picture of 0x00RRGGBB pixels (pitch in pixels) into the window and
  // shows it, each pixel a block of the UI thread's scale.
  void present(const std::uint32_t* pixels, int width, int height, std::ptrdiff_t pitch);
  // Tells input methods where the caret is (client pixels).
  void set_text_input_rect(int x, int y, int width, int height);

 private:
  void handle_event(const SDL_Event& event) override;
  // A window coordinate in picture pixels (the UI thread's scale).
  int to_picture(int window_coordinate) const;

  UiThread& m_ui;
  DialogClient& m_client;
  SDL_Window* m_window = nullptr;
  std::uint32_t m_id = 0;
  std::unique_ptr<Presenter> m_presenter;
  int m_unit = 1;  // window coordinates per picture pixel
};

// The clipboard's text, empty when it holds none; and setting it.
std::string clipboard_text();
void set_clipboard_text(const std::string& text);

// The title of a window, empty without one.
std::string window_title(const NativeWindow* window);

}  // namespace korvi::window
