#include "input_box/edit_layout.h"

#include <algorithm>
#include <string>

#include "font/utf8.h"

namespace korvi::dialog {

bool breaks_around(char32_t c) {
  return (c >= 0x1100 && c <= 0x11FF) || (c >= 0x2E80 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF) ||
         (c >= 0x20000 && c <= 0x3FFFF);
}

EditLayout::EditLayout(const raster::TextMeasurer& measurer) : m_measurer(measurer) {
  m_lines.push_back({});
  m_x.push_back(0);
}

std::int32_t EditLayout::advance(char32_t c) {
  if (c == '\n') return 0;
  // A tab shows as a space (the field draws it as one).
  if (c == '\t') c = ' ';
  const auto found = m_advances.find(c);
  if (found != m_advances.end()) return found->second;
  std::string utf8;
  raster::append_utf8(utf8, c);
  const std::int32_t width = std::max(0, m_measurer.text_width(utf8));
  m_advances.emplace(c, width);
  return width;
}

void EditLayout::update(std::string_view text, std::int32_t wrap_width) {
  m_text.assign(text);
  m_x.assign(text.size() + 1, 0);
  std::int64_t x = 0;
  std::size_t position = 0;
  while (position < text.size()) {
    const std::size_t start = position;
    const char32_t c = raster::next_code_point(text, position);
    std::fill(m_x.begin() + static_cast<std::ptrdiff_t>(start),
              m_x.begin() + static_cast<std::ptrdiff_t>(position), x);
    x += advance(c);
  }
  m_x[text.size()] = x;

  m_lines.clear();
  if (wrap_width <= 0) {
    m_lines.push_back({0, text.size(), false});
  } else {
    std::size_t begin = 0;
    for (;;) {
      const std::size_t newline = text.find('\n', begin);
      const std::size_t end = newline == std::string_view::npos ? text.size() : newline;
      wrap_paragraph(begin, end, wrap_width);
      if (newline == std::string_view::npos) break;
      begin = newline + 1;
    }
  }
  m_widest = 0;
  for (std::size_t i = 0; i < m_lines.size(); ++i) m_widest = std::max(m_widest, line_width(i));
}

void EditLayout::wrap_paragraph(std::size_t begin, std::size_t end, std::int32_t width) {
  std::size_t start = begin;
  for (;;) {
    // The latest place where the line may break, and where it no longer fits.
    std::size_t allowed = std::string_view::npos;
    std::size_t overflow = end;
    std::size_t position = start;
    while (position < end) {
      const std::size_t at = position;
      const char32_t c = raster::next_code_point(m_text, position);
      const bool space = c == ' ' || c == '\t';
      if (breaks_around(c) && at > start) allowed = at;
      if (!space && at > start && m_x[position] - m_x[start] > width) {
        overflow = at;
        break;
      }
      if (space || breaks_around(c)) allowed = position;
    }
    if (overflow == end) {
      m_lines.push_back({start, end, false});
      return;
    }
    const std::size_t cut =
        allowed != std::string_view::npos && allowed > start ? allowed : overflow;
    m_lines.push_back({start, cut, true});
    start = cut;
  }
}

std::size_t EditLayout::line_of(std::size_t pos) const {
  // The last line that begins at or before pos.
  const auto after =
      std::upper_bound(m_lines.begin(), m_lines.end(), pos,
                       [](std::size_t p, const VisualLine& l) { return p < l.begin; });
  return after == m_lines.begin() ? 0 : static_cast<std::size_t>(after - m_lines.begin() - 1);
}

std::int64_t EditLayout::x_in(std::size_t line_index, std::size_t pos) const {
  pos = std::min(pos, m_x.size() - 1);
  return m_x[pos] - m_x[m_lines[std::min(line_index, m_lines.size() - 1)].begin];
}

std::int64_t EditLayout::line_width(std::size_t index) const {
  const VisualLine& l = m_lines[index];
  return m_x[l.end] - m_x[l.begin];
}

std::size_t EditLayout::previous_boundary(std::size_t pos) const {
  if (pos == 0) return 0;
  --pos;
  while (pos > 0 && (static_cast<unsigned char>(m_text[pos]) & 0xC0) == 0x80) --pos;
  return pos;
}

std::pair<std::size_t, std::size_t> EditLayout::span_between(std::size_t line_index,
                                                             std::int64_t x0,
                                                             std::int64_t x1) const {
  const VisualLine& l = m_lines[std::min(line_index, m_lines.size() - 1)];
  const std::int64_t base = m_x[l.begin];
  const auto first = m_x.begin() + static_cast<std::ptrdiff_t>(l.begin);
  const auto last = m_x.begin() + static_cast<std::ptrdiff_t>(l.end);
  // The character that holds x0 (the last one starting at or before it) ...
  std::size_t begin =
      static_cast<std::size_t>(std::upper_bound(first, last, base + x0) - m_x.begin());
  begin = begin > l.begin ? begin - 1 : l.begin;
  while (begin > l.begin && (static_cast<unsigned char>(m_text[begin]) & 0xC0) == 0x80) --begin;
  // ... up to the first character that starts at or after x1.
  const auto end = static_cast<std::size_t>(std::lower_bound(first, last, base + x1) - m_x.begin());
  return {begin, std::max(begin, end)};
}

std::size_t EditLayout::position_at(std::size_t line_index, std::int64_t x) const {
  const VisualLine& l = m_lines[std::min(line_index, m_lines.size() - 1)];
  const std::int64_t base = m_x[l.begin];
  // The first byte whose x reaches x starts a character: the bytes inside one keep
  // the value of its start.
  const auto first = m_x.begin() + static_cast<std::ptrdiff_t>(l.begin);
  const auto last = m_x.begin() + static_cast<std::ptrdiff_t>(l.end) + 1;
  std::size_t right = std::min(
      l.end, static_cast<std::size_t>(std::lower_bound(first, last, base + x) - m_x.begin()));
  if (right > l.begin) {
    const std::size_t left = previous_boundary(right);
    if (x - (m_x[left] - base) < (m_x[right] - base) - x) right = left;
  }
  // A caret at a soft line's end would show on the next line.
  if (l.soft && right == l.end && l.end > l.begin) right = previous_boundary(l.end);
  return right;
}

}  // namespace korvi::dialog
