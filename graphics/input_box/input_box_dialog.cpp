#include "input_box/input_box_dialog.h"

#include "input_box/dialog_paint.h"
#include "window/sdl_api.h"

namespace korvi::dialog {
namespace {

const window::SdlApi& api() { return *window::sdl(); }

constexpr std::string_view OK_LABEL = "确定";
constexpr std::string_view CANCEL_LABEL = "取消";

raster::Rect client_rect(const BoxLayout& layout) {
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
                               const BoxRequest& request, SDL_Window* owner)
    : m_ui(ui),
      m_request(request),
      m_fonts(fonts),
      m_font(fonts.font(box_font_description())),
      m_measurer(fonts, *m_font),
      m_layout(layout_for(request, m_measurer)),
      m_picture(m_layout.client_width, m_layout.client_height),
      m_dc(&m_picture),
      m_edit(m_layout.edit, request.byte_limit, m_layout.multi_line, m_measurer),
      m_window(request.title, m_layout.client_width, m_layout.client_height, owner) {
  m_dc.select_font(m_fonts, m_font);
  m_edit.set_text(request.default_text);
  paint();
  m_ui.add_handler(m_window.id(), this);
  m_window.show();
  repaint();
}

InputBoxDialog::~InputBoxDialog() { m_ui.remove_handler(m_window.id()); }

raster::Surface InputBoxDialog::picture() const {
  raster::Surface copy(m_picture.width(), m_picture.height());
  raster::copy_pixels(copy, {0, 0}, m_picture, m_picture.bounds());
  return copy;
}

void InputBoxDialog::handle_event(const SDL_Event& event) {
  if (m_finished) return;
  switch (event.type) {
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
        if (!m_request.only_ok) finish(std::nullopt);
        return;
      }
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
          event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
          event.window.event == SDL_WINDOWEVENT_SHOWN)
        m_window.present(m_picture);
      return;
    case SDL_KEYDOWN: key_down(event.key.keysym, event.key.repeat != 0); break;
    case SDL_TEXTINPUT:
      if (m_focus != Control::EDIT) return;
      m_edit.type(event.text.text);
      break;
    case SDL_TEXTEDITING:
      if (m_focus != Control::EDIT) return;
      m_edit.set_composition(event.edit.text);
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button != SDL_BUTTON_LEFT) return;
      mouse_down(event.button.x, event.button.y, event.button.clicks);
      break;
    case SDL_MOUSEBUTTONUP:
      if (event.button.button != SDL_BUTTON_LEFT) return;
      mouse_up(event.button.x, event.button.y);
      break;
    case SDL_MOUSEMOTION:
      if (m_pressed == Control::NONE && !m_edit_dragging) return;
      mouse_moved(event.motion.x, event.motion.y);
      break;
    case SDL_MOUSEWHEEL: {
      int notches = event.wheel.y;
      if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
      m_edit.wheel(notches);
      break;
    }
    default: return;
  }
  if (!m_finished) repaint();
}

void InputBoxDialog::key_down(const SDL_Keysym& key, bool repeat) {
  const bool ctrl = (key.mod & KMOD_CTRL) != 0;
  const bool shift = (key.mod & KMOD_SHIFT) != 0;
  switch (key.sym) {
    case SDLK_TAB: move_focus(shift); return;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      // A single-line box is confirmed by Enter wherever the focus is; in a
      // multi-line box Enter starts a new line and Ctrl+Enter confirms. A key held
      // down confirms nothing by its repeats (nor the next box that shows).
      if (!m_layout.multi_line || ctrl) {
        if (!repeat) press(Control::OK);
      } else if (m_focus == Control::EDIT) {
        m_edit.type("\n");
      }
      return;
    case SDLK_ESCAPE:
      if (!m_request.only_ok && !repeat) press(Control::CANCEL);
      return;
    case SDLK_SPACE:
      if ((m_focus == Control::OK || m_focus == Control::CANCEL) && !repeat) press(m_focus);
      return;
    default: break;
  }
  if (m_focus == Control::EDIT) edit_key(key);
}

void InputBoxDialog::edit_key(const SDL_Keysym& key) {
  const bool ctrl = (key.mod & KMOD_CTRL) != 0;
  const bool shift = (key.mod & KMOD_SHIFT) != 0;
  const auto edit = [&](EditKey k) { m_edit.key(k, shift, ctrl); };
  const auto copy = [&] { api().SDL_SetClipboardText(m_edit.copy().c_str()); };
  const auto cut = [&] {
    if (m_edit.content().has_selection()) api().SDL_SetClipboardText(m_edit.cut().c_str());
  };
  const auto paste = [&] {
    if (char* text = api().SDL_GetClipboardText()) {
      m_edit.paste(text);
      api().SDL_free(text);
    }
  };
  switch (key.sym) {
    case SDLK_LEFT: return edit(EditKey::LEFT);
    case SDLK_RIGHT: return edit(EditKey::RIGHT);
    case SDLK_UP: return edit(EditKey::UP);
    case SDLK_DOWN: return edit(EditKey::DOWN);
    case SDLK_HOME: return edit(EditKey::HOME);
    case SDLK_END: return edit(EditKey::END);
    case SDLK_PAGEUP: return edit(EditKey::PAGE_UP);
    case SDLK_PAGEDOWN: return edit(EditKey::PAGE_DOWN);
    case SDLK_BACKSPACE: return edit(EditKey::BACKSPACE);
    case SDLK_DELETE: return shift ? cut() : edit(EditKey::DELETE);
    case SDLK_INSERT:
      if (ctrl) copy();
      if (shift) paste();
      return;
    default: break;
  }
  if (!ctrl || shift || (key.mod & KMOD_ALT)) return;
  switch (key.sym) {
    case SDLK_a: return m_edit.select_all();
    case SDLK_c: return copy();
    case SDLK_x: return cut();
    case SDLK_v: return paste();
    case SDLK_z: return m_edit.undo();
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

const raster::Rect& InputBoxDialog::rect_of(Control button) const {
  return button == Control::CANCEL ? m_layout.cancel : m_layout.ok;
}

InputBoxDialog::Control InputBoxDialog::button_at(int x, int y) const {
  if (m_layout.ok.contains(x, y)) return Control::OK;
  if (m_layout.cancel.contains(x, y)) return Control::CANCEL;
  return Control::NONE;
}

void InputBoxDialog::mouse_down(int x, int y, int clicks) {
  const Control button = button_at(x, y);
  if (button != Control::NONE) {
    m_focus = m_pressed = button;
    m_pressed_inside = true;
    return;
  }
  if (!m_layout.edit.contains(x, y)) return;
  m_focus = Control::EDIT;
  const bool shift = (api().SDL_GetModState() & KMOD_SHIFT) != 0;
  m_edit_dragging = m_edit.mouse_down({x, y}, clicks, shift);
}

void InputBoxDialog::mouse_moved(int x, int y) {
  if (m_pressed != Control::NONE) m_pressed_inside = rect_of(m_pressed).contains(x, y);
  if (m_edit_dragging) m_edit.mouse_drag({x, y});
}

void InputBoxDialog::mouse_up(int x, int y) {
  mouse_moved(x, y);
  const Control released = m_pressed;
  const bool inside = m_pressed_inside;
  m_pressed = Control::NONE;
  m_edit_dragging = false;
  m_edit.mouse_up();
  // A button acts when the mouse is let go over it.
  if (released != Control::NONE && inside) press(released);
}

void InputBoxDialog::paint() {
  fill(m_dc, client_rect(m_layout), FACE);
  m_dc.set_background_mode(raster::BackgroundMode::TRANSPARENT);
  m_dc.set_text_color(TEXT);
  raster::Rect prompt = m_layout.prompt;
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
  paint();
  m_window.present(m_picture);
  if (m_focus == Control::EDIT) m_window.set_text_input_rect(m_edit.caret_rect());
}

}  // namespace korvi::dialog
