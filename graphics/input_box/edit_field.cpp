#include "input_box/edit_field.h"

#include <algorithm>

#include "input_box/dialog_paint.h"
#include "korvi/raster/region.h"

namespace korvi::dialog {
namespace {

constexpr int SCROLLBAR_WIDTH = 17;
constexpr int MIN_THUMB = 8;
constexpr int TEXT_MARGIN = 2;  // between the edge and the text, left and right
constexpr int WHEEL_LINES = 3;

std::string shown_text(std::string_view text) {
  std::string shown(text);
  std::replace(shown.begin(), shown.end(), '\t', ' ');
  return shown;
}

}  // namespace

EditField::EditField(const raster::PixelBox& bounds, std::size_t byte_limit, bool multi_line,
                     const raster::TextMeasurer& measurer)
    : m_bounds(bounds), m_text(byte_limit, multi_line), m_layout(measurer), m_measurer(measurer) {
  relayout();
}

void EditField::set_text(std::string_view bytes) {
  m_text.set_text(bytes);
  relayout();
  reveal_caret();
}

raster::PixelBox EditField::client_area() const {
  raster::PixelBox area = inset(m_bounds, EDGE);
  if (m_text.multi_line())
    area.right -= static_cast<int>(std::min<std::int64_t>(SCROLLBAR_WIDTH, area.width() / 2));
  return area;
}

raster::PixelBox EditField::text_area() const {
  raster::PixelBox area = client_area();
  area.left += TEXT_MARGIN;
  area.right = std::max(area.left, area.right - TEXT_MARGIN);
  if (m_text.multi_line()) area.top = std::min(area.bottom, area.top + 1);
  return area;
}

std::int32_t EditField::wrap_width() const {
  return static_cast<std::int32_t>(std::max<std::int64_t>(1, text_area().width()));
}

std::size_t EditField::visible_lines() const {
  const std::int64_t height = std::max(1, m_layout.line_height());
  return static_cast<std::size_t>(std::max<std::int64_t>(1, text_area().height() / height));
}

std::int64_t EditField::line_top(std::size_t line) const {
  const raster::PixelBox area = text_area();
  if (!m_text.multi_line())  // the one line, centred
    return area.top + std::max<std::int64_t>(0, (area.height() - m_layout.line_height()) / 2);
  return area.top + (static_cast<std::int64_t>(line) - static_cast<std::int64_t>(m_first_line)) *
                        m_layout.line_height();
}

void EditField::relayout() {
  m_layout.update(m_text.text(), m_text.multi_line() ? wrap_width() : 0);
  m_first_line = std::min(m_first_line, max_first_line());
  const std::int64_t room = text_area().width();
  m_scroll_x = std::clamp<std::int64_t>(
      m_scroll_x, 0, std::max<std::int64_t>(0, m_layout.widest_line() + 1 - room));
}

std::size_t EditField::max_first_line() const {
  const std::size_t shown = visible_lines();
  return m_layout.line_count() > shown ? m_layout.line_count() - shown : 0;
}

void EditField::scroll_to_line(std::int64_t line) {
  m_first_line = static_cast<std::size_t>(
      std::clamp<std::int64_t>(line, 0, static_cast<std::int64_t>(max_first_line())));
}

void EditField::reveal_caret() {
  const std::size_t caret = m_text.caret();
  if (m_text.multi_line()) {
    const std::size_t line = m_layout.line_of(caret);
    const std::size_t shown = visible_lines();
    if (line < m_first_line) m_first_line = line;
    if (line >= m_first_line + shown) m_first_line = line + 1 - shown;
    m_first_line = std::min(m_first_line, max_first_line());
    return;
  }
  const std::int64_t room = text_area().width();
  std::int64_t x = m_layout.x_of(caret);
  if (!m_composition.empty()) x += m_measurer.text_width(m_composition);
  if (x < m_scroll_x) m_scroll_x = x;
  if (x > m_scroll_x + room - 1) m_scroll_x = x - room + 1;
  m_scroll_x = std::max<std::int64_t>(0, m_scroll_x);
}

void EditField::move_vertically(std::int64_t lines, bool extend) {
  const std::size_t line = m_layout.line_of(m_text.caret());
  if (m_goal_x < 0) m_goal_x = m_layout.x_in(line, m_text.caret());
  const std::int64_t last = static_cast<std::int64_t>(m_layout.line_count()) - 1;
  const auto target = static_cast<std::size_t>(
      std::clamp<std::int64_t>(static_cast<std::int64_t>(line) + lines, 0, last));
  m_text.move_to(m_layout.position_at(target, m_goal_x), extend);
}

template <class Change>
void EditField::edit(EditKind kind, Change change) {
  // Typing or erasing on in a row adds to the step that undo takes back.
  const bool new_step = kind == EditKind::OTHER || kind != m_last_edit;
  std::optional<EditText::State> before;
  if (new_step) before = m_text.state();
  if (!change()) return;
  if (new_step) m_undo = std::move(before);
  m_last_edit = kind;
  relayout();
}

void EditField::undo() {
  if (!m_undo) return;
  EditText::State now = m_text.state();
  m_text.restore(std::move(*m_undo));
  m_undo = std::move(now);
  m_last_edit = EditKind::NONE;
  m_goal_x = -1;
  relayout();
  reveal_caret();
}

void EditField::key(EditKey key, bool shift, bool ctrl) {
  const bool multi = m_text.multi_line();
  const bool vertical = key == EditKey::UP || key == EditKey::DOWN || key == EditKey::PAGE_UP ||
                        key == EditKey::PAGE_DOWN;
  if (!vertical) m_goal_x = -1;
  const auto page = static_cast<std::int64_t>(visible_lines());
  if (key != EditKey::BACKSPACE && key != EditKey::DELETE) m_last_edit = EditKind::NONE;
  switch (key) {
    case EditKey::LEFT: ctrl ? m_text.move_word_left(shift) : m_text.move_left(shift); break;
    case EditKey::RIGHT: ctrl ? m_text.move_word_right(shift) : m_text.move_right(shift); break;
    case EditKey::HOME:
      if (ctrl || !multi)
        m_text.move_to(0, shift);
      else
        m_text.move_to(m_layout.line(m_layout.line_of(m_text.caret())).begin, shift);
      break;
    case EditKey::END:
      if (ctrl || !multi)
        m_text.move_to(m_text.text().size(), shift);
      else
        m_text.move_to(m_layout.position_at(m_layout.line_of(m_text.caret()), INT64_MAX / 2),
                       shift);
      break;
    case EditKey::UP:
    case EditKey::DOWN:
      if (multi) move_vertically(key == EditKey::UP ? -1 : 1, shift);
      break;
    case EditKey::PAGE_UP:
    case EditKey::PAGE_DOWN:
      if (multi) {
        move_vertically(key == EditKey::PAGE_UP ? -page : page, shift);
        scroll_to_line(static_cast<std::int64_t>(m_first_line) +
                       (key == EditKey::PAGE_UP ? -page : page));
      }
      break;
    case EditKey::BACKSPACE:
      edit(EditKind::ERASING, [&] { return m_text.erase_backward(); });
      break;
    case EditKey::DELETE: edit(EditKind::ERASING, [&] { return m_text.erase_forward(); }); break;
  }
  reveal_caret();
}

void EditField::type(std::string_view bytes) {
  m_goal_x = -1;
  m_composition.clear();
  edit(EditKind::TYPING, [&] { return m_text.insert(bytes); });
  reveal_caret();
}

void EditField::paste(std::string_view bytes) {
  m_goal_x = -1;
  edit(EditKind::OTHER, [&] { return m_text.insert(bytes); });
  reveal_caret();
}

void EditField::select_all() {
  m_last_edit = EditKind::NONE;
  m_text.select_all();
  reveal_caret();
}

std::string EditField::cut() {
  std::string taken = copy();
  edit(EditKind::OTHER, [&] { return m_text.erase_selection(); });
  reveal_caret();
  return taken;
}

void EditField::set_composition(std::string_view utf8) {
  m_composition = valid_utf8(utf8);
  reveal_caret();
}

std::size_t EditField::position_at(raster::Point point) const {
  std::size_t line = 0;
  if (m_text.multi_line()) {
    const std::int64_t height = std::max(1, m_layout.line_height());
    const std::int64_t offset = point.y - text_area().top;
    const std::int64_t index =
        static_cast<std::int64_t>(m_first_line) + (offset < 0 ? -1 : offset / height);
    line = static_cast<std::size_t>(
        std::clamp<std::int64_t>(index, 0, static_cast<std::int64_t>(m_layout.line_count()) - 1));
  }
  const std::int64_t x = point.x - text_area().left + m_scroll_x;
  return m_layout.position_at(line, x);
}

bool EditField::mouse_down(raster::Point point, int clicks, bool shift) {
  m_goal_x = -1;
  m_last_edit = EditKind::NONE;
  if (m_text.multi_line() && scrollbar().bar.contains(point.x, point.y))
    return scrollbar_down(point);
  if (!m_bounds.contains(point.x, point.y)) return false;
  const std::size_t pos = position_at(point);
  if (clicks >= 2 && clicks % 2 == 0) {
    m_text.select_word_at(pos);
    reveal_caret();
    return false;
  }
  m_text.move_to(pos, shift);
  reveal_caret();
  m_selecting = true;
  return true;
}

void EditField::mouse_drag(raster::Point point) {
  if (m_dragging_thumb) {
    const Scrollbar bar = scrollbar();
    const std::int64_t span = bar.track.height() - bar.thumb.height();
    if (span > 0) {
      const std::int64_t top = point.y - m_thumb_grab - bar.track.top;
      const auto most = static_cast<std::int64_t>(max_first_line());
      scroll_to_line((top * most + span / 2) / span);
    }
    return;
  }
  if (!m_selecting) return;
  m_text.move_to(position_at(point), true);
  reveal_caret();
}

void EditField::mouse_up() {
  m_selecting = false;
  m_dragging_thumb = false;
}

void EditField::wheel(int notches) {
  if (m_text.multi_line())
    scroll_to_line(static_cast<std::int64_t>(m_first_line) - std::int64_t{notches} * WHEEL_LINES);
}

EditField::Scrollbar EditField::scrollbar() const {
  Scrollbar s;
  const raster::PixelBox inner = inset(m_bounds, EDGE);
  s.bar = {client_area().right, inner.top, inner.right, inner.bottom};
  if (s.bar.empty()) return s;
  const int arrow = static_cast<int>(std::min<std::int64_t>(s.bar.width(), s.bar.height() / 2));
  s.up = {s.bar.left, s.bar.top, s.bar.right, s.bar.top + arrow};
  s.down = {s.bar.left, s.bar.bottom - arrow, s.bar.right, s.bar.bottom};
  s.track = {s.bar.left, s.up.bottom, s.bar.right, s.down.top};
  const auto count = static_cast<std::int64_t>(m_layout.line_count());
  const auto shown = static_cast<std::int64_t>(visible_lines());
  if (count > shown && s.track.height() >= MIN_THUMB) {
    const std::int64_t length = std::max<std::int64_t>(MIN_THUMB, s.track.height() * shown / count);
    const std::int64_t span = s.track.height() - length;
    const std::int64_t top =
        s.track.top + span * static_cast<std::int64_t>(m_first_line) / (count - shown);
    s.thumb = {s.track.left, static_cast<int>(top), s.track.right, static_cast<int>(top + length)};
  }
  return s;
}

bool EditField::scrollbar_down(raster::Point point) {
  const Scrollbar s = scrollbar();
  const auto first = static_cast<std::int64_t>(m_first_line);
  const auto page = static_cast<std::int64_t>(visible_lines());
  if (s.up.contains(point.x, point.y)) {
    scroll_to_line(first - 1);
  } else if (s.down.contains(point.x, point.y)) {
    scroll_to_line(first + 1);
  } else if (s.thumb.contains(point.x, point.y)) {
    m_dragging_thumb = true;
    m_thumb_grab = point.y - s.thumb.top;
    return true;
  } else if (!s.thumb.empty()) {
    scroll_to_line(point.y < s.thumb.top ? first - page : first + page);
  }
  return false;
}

raster::PixelBox EditField::caret_rect() const {
  const std::size_t caret = m_text.caret();
  const std::size_t line = m_layout.line_of(caret);
  std::int64_t x = text_area().left - m_scroll_x + m_layout.x_in(line, caret);
  if (!m_composition.empty()) x += m_measurer.text_width(m_composition);
  const std::int64_t y = line_top(line);
  const raster::PixelBox area = client_area();
  x = std::clamp<std::int64_t>(x, area.left, std::max<std::int64_t>(area.left, area.right - 1));
  return {static_cast<int>(x), static_cast<int>(y), static_cast<int>(x + 1),
          static_cast<int>(y + m_layout.line_height())};
}

void EditField::paint_line(raster::DeviceContext& dc, std::size_t index, bool focused) const {
  // Only the characters that show are drawn: the advances add up, so a piece drawn
  // at its own offset looks exactly like that part of the whole line.
  const raster::PixelBox area = text_area();
  const auto [begin, end] = m_layout.span_between(index, m_scroll_x - TEXT_MARGIN,
                                                  m_scroll_x + area.width() + TEXT_MARGIN);
  const std::int64_t left = area.left - m_scroll_x;
  const auto y = static_cast<std::int32_t>(line_top(index));
  const auto piece = [&](std::size_t from, std::size_t to) {
    return shown_text(std::string_view(m_text.text()).substr(from, to - from));
  };
  dc.set_text_color(TEXT);
  dc.text_out(static_cast<std::int32_t>(left + m_layout.x_in(index, begin)), y, piece(begin, end));
  if (!focused || !m_text.has_selection()) return;
  const std::size_t start = std::max(m_text.selection_start(), begin);
  const std::size_t stop = std::min(m_text.selection_end(), end);
  if (start >= stop) return;
  const auto x0 = static_cast<std::int32_t>(left + m_layout.x_in(index, start));
  const auto x1 = static_cast<std::int32_t>(left + m_layout.x_in(index, stop));
  fill(dc, {x0, y, x1, y + m_layout.line_height()}, SELECTION);
  dc.set_text_color(SELECTED_TEXT);
  dc.text_out(x0, y, piece(start, stop));
}

void EditField::paint_scrollbar(raster::DeviceContext& dc) const {
  const Scrollbar s = scrollbar();
  if (s.bar.empty()) return;
  fill(dc, s.track, TRACK);
  raised_panel(dc, s.up);
  raised_panel(dc, s.down);
  arrow(dc, s.up, true);
  arrow(dc, s.down, false);
  if (!s.thumb.empty()) raised_panel(dc, s.thumb);
}

void EditField::paint(raster::DeviceContext& dc, bool focused) const {
  fill(dc, inset(m_bounds, EDGE), FIELD);
  sunken_edge(dc, m_bounds);
  if (m_text.multi_line()) paint_scrollbar(dc);

  const raster::PixelBox area = client_area();
  if (area.empty()) return;
  const raster::Region clip = raster::Region::rectangle(area);
  dc.set_clip_region(&clip);
  dc.set_background_mode(raster::BackgroundMode::TRANSPARENT);
  for (std::size_t index = m_text.multi_line() ? m_first_line : 0;
       index < m_layout.line_count() && line_top(index) < area.bottom; ++index)
    paint_line(dc, index, focused);
  if (focused) {
    raster::PixelBox caret = caret_rect();
    if (!m_composition.empty()) {
      const std::int32_t width = m_measurer.text_width(m_composition);
      const raster::PixelBox box{caret.left - width, caret.top, caret.left, caret.bottom};
      fill(dc, box, FIELD);
      dc.set_text_color(TEXT);
      dc.text_out(box.left, box.top, m_composition);
      fill(dc, {box.left, box.bottom - 1, box.right, box.bottom}, TEXT);
    }
    fill(dc, caret, TEXT);
  }
  dc.set_clip_region(nullptr);
}

}  // namespace korvi::dialog
