#include "input_box/edit_text.h"

#include <algorithm>

#include "font/utf8.h"

namespace korvi::dialog {
namespace {

bool is_continuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// Words are runs of letters and digits (any non-ASCII character counts as one);
// spaces and punctuation form runs of their own.
enum class CharClass { SPACE, WORD, PUNCTUATION };

CharClass class_of(unsigned char lead) {
  if (lead == ' ' || lead == '\t' || lead == '\n') return CharClass::SPACE;
  if (lead >= 0x80 || (lead >= '0' && lead <= '9') || (lead >= 'a' && lead <= 'z') ||
      (lead >= 'A' && lead <= 'Z') || lead == '_')
    return CharClass::WORD;
  return CharClass::PUNCTUATION;
}

}  // namespace

std::string valid_utf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  std::size_t position = 0;
  while (position < bytes.size()) {
    const std::size_t start = position;
    const char32_t c = raster::next_code_point(bytes, position);
    if (c < 0x80 || c != raster::REPLACEMENT_CHARACTER)
      out.append(bytes.substr(start, position - start));
    else
      raster::append_utf8(out, c);
  }
  return out;
}

std::size_t fitting_prefix(std::string_view utf8, std::size_t limit) {
  if (utf8.size() <= limit) return utf8.size();
  std::size_t end = limit;
  while (end > 0 && is_continuation(utf8[end])) --end;
  return end;
}

EditText::EditText(std::size_t byte_limit, bool multi_line)
    : m_limit(byte_limit), m_multi_line(multi_line) {}

void EditText::set_text(std::string_view bytes) {
  m_text = cleaned(bytes);
  m_text.resize(fitting_prefix(m_text, m_limit));
  select_all();
}

std::string_view EditText::selected_text() const {
  return std::string_view(m_text).substr(selection_start(), selection_end() - selection_start());
}

std::string EditText::cleaned(std::string_view bytes) const {
  const std::string valid = valid_utf8(bytes);
  std::string out;
  out.reserve(valid.size());
  for (std::size_t i = 0; i < valid.size(); ++i) {
    const char c = valid[i];
    if (c == '\r' || c == '\n') {
      if (!m_multi_line) break;
      if (c == '\r' && i + 1 < valid.size() && valid[i + 1] == '\n') ++i;
      out.push_back('\n');
      continue;
    }
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t') || byte == 0x7F) continue;
    out.push_back(c);
  }
  return out;
}

bool EditText::insert(std::string_view bytes) {
  const std::string addition = cleaned(bytes);
  const std::size_t start = selection_start();
  const std::size_t removed = selection_end() - start;
  const std::size_t room = m_limit - (m_text.size() - removed);
  const std::size_t taken = fitting_prefix(addition, room);
  if (removed == 0 && taken == 0) return false;
  m_text.replace(start, removed, addition, 0, taken);
  m_caret = m_anchor = start + taken;
  return true;
}

bool EditText::erase_selection() {
  if (!has_selection()) return false;
  const std::size_t start = selection_start();
  m_text.erase(start, selection_end() - start);
  m_caret = m_anchor = start;
  return true;
}

bool EditText::erase_backward() {
  if (has_selection()) return erase_selection();
  if (m_caret == 0) return false;
  m_anchor = previous_boundary(m_caret);
  return erase_selection();
}

bool EditText::erase_forward() {
  if (has_selection()) return erase_selection();
  if (m_caret >= m_text.size()) return false;
  m_anchor = next_boundary(m_caret);
  return erase_selection();
}

void EditText::select_all() {
  m_anchor = 0;
  m_caret = m_text.size();
}

void EditText::select_word_at(std::size_t pos) {
  if (m_text.empty()) return;
  pos = std::min(pos, previous_boundary(m_text.size()));
  while (pos > 0 && is_continuation(m_text[pos])) --pos;
  const CharClass kind = class_of(static_cast<unsigned char>(m_text[pos]));
  std::size_t begin = pos;
  std::size_t end = next_boundary(pos);
  if (m_text[pos] != '\n') {
    while (begin > 0) {
      const std::size_t before = previous_boundary(begin);
      if (m_text[before] == '\n' || class_of(static_cast<unsigned char>(m_text[before])) != kind)
        break;
      begin = before;
    }
    while (end < m_text.size() && m_text[end] != '\n' &&
           class_of(static_cast<unsigned char>(m_text[end])) == kind)
      end = next_boundary(end);
  }
  m_anchor = begin;
  m_caret = end;
}

void EditText::move_to(std::size_t pos, bool extend) {
  pos = std::min(pos, m_text.size());
  while (pos > 0 && pos < m_text.size() && is_continuation(m_text[pos])) --pos;
  m_caret = pos;
  if (!extend) m_anchor = pos;
}

void EditText::move_left(bool extend) {
  if (!extend && has_selection())
    move_to(selection_start(), false);
  else
    move_to(previous_boundary(m_caret), extend);
}

void EditText::move_right(bool extend) {
  if (!extend && has_selection())
    move_to(selection_end(), false);
  else
    move_to(next_boundary(m_caret), extend);
}

void EditText::move_word_left(bool extend) {
  std::size_t pos = m_caret;
  const auto class_before = [&] {
    return class_of(static_cast<unsigned char>(m_text[previous_boundary(pos)]));
  };
  while (pos > 0 && class_before() == CharClass::SPACE) pos = previous_boundary(pos);
  if (pos > 0) {
    const CharClass kind = class_before();
    while (pos > 0 && class_before() == kind) pos = previous_boundary(pos);
  }
  move_to(pos, extend);
}

void EditText::move_word_right(bool extend) {
  std::size_t pos = m_caret;
  const auto class_at = [&] { return class_of(static_cast<unsigned char>(m_text[pos])); };
  if (pos < m_text.size()) {
    const CharClass kind = class_at();
    while (pos < m_text.size() && kind != CharClass::SPACE && class_at() == kind)
      pos = next_boundary(pos);
  }
  while (pos < m_text.size() && class_at() == CharClass::SPACE) pos = next_boundary(pos);
  move_to(pos, extend);
}

void EditText::restore(State state) {
  m_text = std::move(state.text);
  m_caret = std::min(state.caret, m_text.size());
  m_anchor = std::min(state.anchor, m_text.size());
}

std::size_t EditText::previous_boundary(std::size_t pos) const {
  pos = std::min(pos, m_text.size());
  if (pos == 0) return 0;
  --pos;
  while (pos > 0 && is_continuation(m_text[pos])) --pos;
  return pos;
}

std::size_t EditText::next_boundary(std::size_t pos) const {
  if (pos >= m_text.size()) return m_text.size();
  ++pos;
  while (pos < m_text.size() && is_continuation(m_text[pos])) ++pos;
  return pos;
}

}  // namespace korvi::dialog
