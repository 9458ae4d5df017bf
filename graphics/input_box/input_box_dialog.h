// The input box itself, on the UI thread: its window, its prompt, edit field and
// buttons, the keys and clicks that work them, and its outcome.
#pragma once

#include <cstddef>
#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include "font/font_cache.h"
#include "font/text_layout.h"
#include "input_box/box_layout.h"
#include "input_box/edit_field.h"
#include "korvi/raster/device_context.h"
#include "korvi/raster/surface.h"
#include "window/dialog_window.h"
#include "window/ui_thread.h"

namespace korvi::dialog {

// What the caller asks for.
struct BoxRequest {
  std::string prompt;
  std::string title;
  std::string default_text;
  int width = 0;
  int height = 0;
  bool only_ok = false;
  std::size_t byte_limit = 0;  // the most bytes the text may have
};

// The text confirmed with OK, or nothing when the box was cancelled or closed.
using BoxOutcome = std::optional<std::string>;

// The face every box draws with: "Arial", height 14.
raster::FontDescription box_font_description();

class InputBoxDialog final : private window::DialogClient {
 public:
  // UI thread: makes the box's window over the owner (null: the screen), shows it
  // with the default text selected in the focused edit field, and takes its
  // events. Throws std::runtime_error when the window cannot be made.
  InputBoxDialog(window::UiThread& ui, raster::FontCache& fonts, const BoxRequest& request,
                 const window::NativeWindow* owner);
  // UI thread: the window goes; no event reaches the box any more.
  ~InputBoxDialog() override;
  InputBoxDialog(const InputBoxDialog&) = delete;
  InputBoxDialog& operator=(const InputBoxDialog&) = delete;

  // Ready once the user confirmed or cancelled; take it once, from any thread.
  std::future<BoxOutcome> outcome() { return m_outcome.get_future(); }

  std::uint32_t window_id() const { return m_window.id(); }
  const BoxLayout& layout() const { return m_layout; }
  // A copy of the box's picture as last drawn.
  raster::Surface picture() const;

 private:
  enum class Control { EDIT, OK, CANCEL, NONE };

  // DialogClient: the window's input.
  void close_requested() override;
  void exposed() override;
  void key_down(const window::DialogKeyPress& key) override;
  void text_typed(const char* text) override;
  void text_composed(const char* text) override;
  void button_down(int x, int y, int clicks, bool shift) override;
  void button_up(int x, int y) override;
  void mouse_moved(int x, int y) override;
  void wheel_turned(int notches) override;

  void edit_key(const window::DialogKeyPress& key);
  void track_pointer(int x, int y);
  void move_focus(bool backwards);
  void press(Control button);
  void finish(BoxOutcome outcome);
  const raster::PixelBox& rect_of(Control button) const;
  Control button_at(int x, int y) const;
  void paint();
  // Paints and shows the box again after its input, unless it is finished.
  void repaint();
  void present();

  BoxRequest m_request;
  raster::FontCache& m_fonts;
  std::shared_ptr<const raster::Font> m_font;
  raster::FontMeasurer m_measurer;
  BoxLayout m_layout;
  raster::Surface m_picture;
  raster::DeviceContext m_dc;
  EditField m_edit;
  window::DialogWindow m_window;
  Control m_focus = Control::EDIT;
  Control m_pressed = Control::NONE;  // the button held down by the mouse
  bool m_pressed_inside = false;      // and whether the pointer is still on it
  bool m_edit_dragging = false;
  bool m_finished = false;
  std::promise<BoxOutcome> m_outcome;
};

}  // namespace korvi::dialog
