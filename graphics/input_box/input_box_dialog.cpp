#include "input_box/input_box_dialog.h"

#include "input_box/dialog_paint.h"

namespace korvi::dialog {
namespace {

using window::DialogKey;

constexpr std::string_view OK_LABEL = "确定";
constexpr std::string_view CANCEL_LABEL = "取消";

raster::PixelBox client_rect(const BoxLayout& layout) {
  return {0, 0, layout.client_width, layout.client_height};
}

BoxLayout layout_for(const BoxRequest& request, const raster::TextMeasurer& measurer) {
  const int prompt_width = client_width_for(request.width) - PROMPT_WIDTH_MARGIN;
  return box_layout(request.width, request.height,
                    measure_prompt(request.prompt, prompt_width, measurer), request.only_ok);
}

}  // namespace

raster::FontDescription box_font_description() {
  raster::FontDescription font;
  font.height = 14;
  font.char_set = raster::CHARSET_DEFAULT;
  raster::set_face_name(font, "Arial");
  return font;
}

InputBoxDialog::InputBoxDialog(window::UiThread& ui, raster::FontCache& fonts,
                               const BoxRequest& request, const window::NativeWindow* owner)
    : m_request(request),
      m_fonts(fonts),
      m_font(fonts.font(box_font_description())),
      m_measurer(fonts, *m_font),
      m_layout(layout_for(request, m_measurer)),
      m_picture(m_layout.client_width, m_layout.client_height),
      m_dc(&m_picture),
      m_edit(m_layout.edit, request.byte_limit, m_layout.multi_line, m_measurer),
      m_window(ui, *this, request.title, m_layout.client_width, m_layout.client_height, owner) {
  m_dc.select_font(m_fonts, m_font);
  m_edit.set_text(request.default_text);
  paint();
  m_window.show();
  repaint();
}

InputBoxDialog::~InputBoxDialog() = default;

raster::Surface InputBoxDialog::picture() const {
  raster::Surface copy(m_picture.width(), m_picture.height());
  raster::copy_pixels(copy, {0, 0}, m_picture, m_picture.bounds());
  return copy;
}

void InputBoxDialog::close_requested() {
  if (!m_finished && !m_request.only_ok) finish(std::nullopt);
}

void InputBoxDialog::exposed() {
  if (!m_finished) present();
}

void InputBoxDialog::text_typed(const char* text) {
  if (m_finished || m_focus != Control::EDIT) return;
  m_edit.type(text);
  repaint();
}

void InputBoxDialog::text_composed(const char* text) {
  if (m_finished || m_focus != Control::EDIT) return;
  m_edit.set_composition(text);
  repaint();
}

void InputBoxDialog::wheel_turned(int notches) {
  if (m_finished) return;
  m_edit.wheel(notches);
  repaint();
}

void InputBoxDialog::key_down(const window::DialogKeyPress& key) {
  if (m_finished) return;
  switch (key.key) {
    case DialogKey::TAB: move_focus(key.shift); break;
    case DialogKey::ENTER:
      // A single-line box is confirmed by Enter wherever the focus is; in a
      // multi-line box Enter starts a new line and Ctrl+Enter confirms. A key held
      // down confirms nothing by its repeats (nor the next box that shows).
      if (!m_layout.multi_line || key.ctrl) {
        if (!key.repeat) press(Control::OK);
      } else if (m_focus == Control::EDIT) {
        m_edit.type("\n");
      }
      break;
    case DialogKey::ESCAPE:
      if (!m_request.only_ok && !key.repeat) press(Control::CANCEL);
      break;
    case DialogKey::SPACE:
      if ((m_focus == Control::OK || m_focus == Control::CANCEL) && !key.repeat) press(m_focus);
      break;
    default:
      if (m_focus == Control::EDIT) edit_key(key);
      break;
  }
  repaint();
}

void InputBoxDialog::edit_key(const window::DialogKeyPress& key) {
  const auto edit = [&](EditKey k) { m_edit.key(k, key.shift, key.ctrl); };
  const auto copy = [&] { window::set_clipboard_text(m_edit.copy()); };
  const auto cut = [&] {
    if (m_edit.content().has_selection()) window::set_clipboard_text(m_edit.cut());
  };
  const auto paste = [&] { m_edit.paste(window::clipboard_text()); };
  switch (key.key) {
    case DialogKey::LEFT: return edit(EditKey::LEFT);
    case DialogKey::RIGHT: return edit(EditKey::RIGHT);
    case DialogKey::UP: return edit(EditKey::UP);
    case DialogKey::DOWN: return edit(EditKey::DOWN);
    case DialogKey::HOME: return edit(EditKey::HOME);
    case DialogKey::END: return edit(EditKey::END);
    case DialogKey::PAGE_UP: return edit(EditKey::PAGE_UP);
    case DialogKey::PAGE_DOWN: return edit(EditKey::PAGE_DOWN);
    case DialogKey::BACKSPACE: return edit(EditKey::BACKSPACE);
    case DialogKey::DELETE: return key.shift ? cut() : edit(EditKey::DELETE);
    case DialogKey::INSERT:
      if (key.ctrl) copy();
      if (key.shift) paste();
      return;
    default: break;
  }
  if (!key.ctrl || key.shift || key.alt) return;
  switch (key.key) {
    case DialogKey::A: return m_edit.select_all();
    case DialogKey::C: return copy();
    case DialogKey::X: return cut();
    case DialogKey::V: return paste();
    case DialogKey::Z: return m_edit.undo();
    default: return;
  }
}

void InputBoxDialog::move_focus(bool backwards) {
  // edit -> OK -> Cancel -> edit; without Cancel, edit <-> OK.
  const bool has_cancel = !m_request.only_ok;
  Control next = Control::EDIT;
  switch (m_focus) {
    case Control::EDIT:
      next = backwards ? (has_cancel ? Control::CANCEL : Control::OK) : Control::OK;
      break;
    case Control::OK:
      next = backwards ? Control::EDIT : (has_cancel ? Control::CANCEL : Control::EDIT);
      break;
    case Control::CANCEL: next = backwards ? Control::OK : Control::EDIT; break;
    case Control::NONE: break;
  }
  m_focus = next;
  if (m_focus == Control::EDIT) m_edit.select_all();
}

void InputBoxDialog::press(Control button) {
  if (button == Control::OK)
    finish(m_edit.text());
  else if (button == Control::CANCEL)
    finish(std::nullopt);
}

void InputBoxDialog::finish(BoxOutcome outcome) {
  if (m_finished) return;
  m_finished = true;
  m_outcome.set_value(std::move(outcome));
}

const raster::PixelBox& InputBoxDialog::rect_of(Control button) const {
  return button == Control::CANCEL ? m_layout.cancel : m_layout.ok;
}

InputBoxDialog::Control InputBoxDialog::button_at(int x, int y) const {
  if (m_layout.ok.contains(x, y)) return Control::OK;
  if (m_layout.cancel.contains(x, y)) return Control::CANCEL;
  return Control::NONE;
}

void InputBoxDialog::button_down(int x, int y, int clicks, bool shift) {
  if (m_finished) return;
  const Control button = button_at(x, y);
  if (button != Control::NONE) {
    m_focus = m_pressed = button;
    m_pressed_inside = true;
  } else if (m_layout.edit.contains(x, y)) {
    m_focus = Control::EDIT;
    m_edit_dragging = m_edit.mouse_down({x, y}, clicks, shift);
  }
  repaint();
}

void InputBoxDialog::mouse_moved(int x, int y) {
  if (m_finished || (m_pressed == Control::NONE && !m_edit_dragging)) return;
  track_pointer(x, y);
  repaint();
}

void InputBoxDialog::track_pointer(int x, int y) {
  if (m_pressed != Control::NONE) m_pressed_inside = rect_of(m_pressed).contains(x, y);
  if (m_edit_dragging) m_edit.mouse_drag({x, y});
}

void InputBoxDialog::button_up(int x, int y) {
  if (m_finished) return;
  track_pointer(x, y);
  const Control released = m_pressed;
  const bool inside = m_pressed_inside;
  m_pressed = Control::NONE;
  m_edit_dragging = false;
  m_edit.mouse_up();
  // A button acts when the mouse is let go over it.
  if (released != Control::NONE && inside) press(released);
  repaint();
}

void InputBoxDialog::paint() {
  fill(m_dc, client_rect(m_layout), FACE);
  m_dc.set_background_mode(raster::BackgroundMode::TRANSPARENT);
  m_dc.set_text_color(TEXT);
  raster::PixelBox prompt = m_layout.prompt;
  m_dc.draw_text(m_request.prompt, prompt, PROMPT_FORMAT);
  m_edit.paint(m_dc, m_focus == Control::EDIT);
  const auto state = [&](Control button) {
    return ButtonState{button == Control::OK, m_focus == button,
                       m_pressed == button && m_pressed_inside};
  };
  push_button(m_dc, m_layout.ok, OK_LABEL, state(Control::OK));
  if (!m_request.only_ok) push_button(m_dc, m_layout.cancel, CANCEL_LABEL, state(Control::CANCEL));
}

void InputBoxDialog::repaint() {
  if (m_finished) return;
  paint();
  present();
  if (m_focus == Control::EDIT) {
    const raster::PixelBox caret = m_edit.caret_rect();
    m_window.set_text_input_rect(caret.left, caret.top, static_cast<int>(caret.width()),
                                 static_cast<int>(caret.height()));
  }
}

void InputBoxDialog::present() {
  m_window.present(m_picture.pixels(), m_picture.width(), m_picture.height(), m_picture.stride());
}

}  // namespace korvi::dialog
