// The input box's edit field: its text (EditText), where the text goes
// (EditLayout), scrolling (sideways in a single-line field; in lines, with a
// scroll bar, in a multi-line one), the mouse, the text being composed by an
// input method, and its picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "font/text_layout.h"
#include "input_box/edit_layout.h"
#include "input_box/edit_text.h"
#include "korvi/raster/device_context.h"
#include "korvi/raster/geometry.h"

namespace korvi::dialog {

// Keys that move the caret or erase; shift extends the selection, ctrl moves by
// words (left, right) or to the ends of the text (home, end).
enum class EditKey { LEFT, RIGHT, UP, DOWN, HOME, END, PAGE_UP, PAGE_DOWN, BACKSPACE, DELETE };

class EditField {
 public:
  // bounds: the field with its sunken edge, in client pixels. The measurer must be
  // the one of the font the field is painted with, and outlive the field.
  EditField(const raster::PixelBox& bounds, std::size_t byte_limit, bool multi_line,
            const raster::TextMeasurer& measurer);

  // The whole text replaced and selected.
  void set_text(std::string_view bytes);
  const std::string& text() const { return m_text.text(); }
  const EditText& content() const { return m_text; }
  const raster::PixelBox& bounds() const { return m_bounds; }

  void key(EditKey key, bool shift, bool ctrl);
  // Typed or pasted text replaces the selection (see EditText::insert).
  void type(std::string_view bytes);
  void paste(std::string_view bytes);
  void select_all();
  // Back to the text before the last edit (characters typed or erased in a row are
  // one edit); a second undo takes that back.
  void undo();
  // Removes the selection and returns it (cut), or returns it (copy).
  std::string cut();
  std::string copy() const { return std::string(m_text.selected_text()); }
  // What an input method is composing, shown at the caret until it is typed.
  void set_composition(std::string_view utf8);

  // Left button pressed at a client point with the number of clicks (2: a word).
  // Returns whether the field takes the following drag.
  bool mouse_down(raster::Point point, int clicks, bool shift);
  void mouse_drag(raster::Point point);
  void mouse_up();
  // Wheel notches, positive away from the user (up).
  void wheel(int notches);

  void paint(raster::DeviceContext& dc, bool focused) const;
  // Where the caret is drawn, in client pixels (input methods place their window by it).
  raster::PixelBox caret_rect() const;

  // How many whole lines the field shows.
  std::size_t visible_lines() const;

 private:
  // The part of the field inside its edge, less the scroll bar: text and margins.
  raster::PixelBox client_area() const;
  raster::PixelBox text_area() const;
  std::int32_t wrap_width() const;
  std::int64_t line_top(std::size_t line) const;
  // After a change of the text: lay it out again.
  void relayout();
  // After the caret moved: scroll it into view.
  void reveal_caret();
  void scroll_to_line(std::int64_t line);
  std::size_t max_first_line() const;
  std::size_t position_at(raster::Point point) const;
  void move_vertically(std::int64_t lines, bool extend);

  enum class EditKind { NONE, TYPING, ERASING, OTHER };
  // Runs a change of the text and keeps what it replaced for undo, once for a run
  // of typing or of erasing.
  template <class Change>
  void edit(EditKind kind, Change change);

  struct Scrollbar {
    raster::PixelBox bar, up, down, track, thumb;  // thumb empty when nothing to scroll
  };
  Scrollbar scrollbar() const;
  bool scrollbar_down(raster::Point point);
  void paint_line(raster::DeviceContext& dc, std::size_t index, bool focused) const;
  void paint_scrollbar(raster::DeviceContext& dc) const;

  raster::PixelBox m_bounds;
  EditText m_text;
  EditLayout m_layout;
  const raster::TextMeasurer& m_measurer;
  std::string m_composition;
  std::optional<EditText::State> m_undo;
  EditKind m_last_edit = EditKind::NONE;
  std::size_t m_first_line = 0;  // the first line shown (multi-line)
  std::int64_t m_scroll_x = 0;   // the sideways scroll in pixels (single-line)
  std::int64_t m_goal_x = -1;    // kept across up and down moves; -1: the caret's own x
  bool m_selecting = false;      // a drag selects text
  bool m_dragging_thumb = false;
  int m_thumb_grab = 0;  // where the thumb was taken, from its top
};

}  // namespace korvi::dialog
