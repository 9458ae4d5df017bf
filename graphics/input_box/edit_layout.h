// Where the characters of an edit field go: its lines (the one line of a
// single-line field, or the text wrapped at words to a width), the x offset of
// every character boundary, and the way back from a point to a position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "font/text_layout.h"

namespace korvi::dialog {

// A line as shown: the bytes [begin, end), without the "\n" that may end it. A
// soft line ends where the text was wrapped; its end is the next line's begin,
// and a caret there shows at the start of the next line.
struct VisualLine {
  std::size_t begin = 0;
  std::size_t end = 0;
  bool soft = false;
};

class EditLayout {
 public:
  // Measures with the measurer (kept by reference), one character at a time.
  explicit EditLayout(const raster::TextMeasurer& measurer);

  // Lays out a valid UTF-8 text: with wrap_width > 0 lines break at "\n" and are
  // wrapped at spaces (or around ideographs, or anywhere in a word longer than a
  // line) to fit that width; trailing spaces may hang past it. Otherwise the text
  // is one line.
  void update(std::string_view text, std::int32_t wrap_width);

  std::size_t line_count() const { return m_lines.size(); }
  const VisualLine& line(std::size_t index) const { return m_lines[index]; }
  // The line that shows a caret at pos.
  std::size_t line_of(std::size_t pos) const;
  // The x offset of pos from the start of its line.
  std::int64_t x_of(std::size_t pos) const { return x_in(line_of(pos), pos); }
  // The x offset of pos from the start of the given line.
  std::int64_t x_in(std::size_t line_index, std::size_t pos) const;
  // The width of a line's text.
  std::int64_t line_width(std::size_t index) const;
  // The widest line.
  std::int64_t widest_line() const { return m_widest; }
  std::int32_t line_height() const { return m_measurer.line_height(); }
  // The bytes [first, second) of a line's characters that reach into the range
  // [x0, x1) of x offsets from the line's start: what must be drawn to show it.
  std::pair<std::size_t, std::size_t> span_between(std::size_t line_index, std::int64_t x0,
                                                   std::int64_t x1) const;
  // The character boundary of the line nearest to x (offset from the line's start).
  // A soft line's own end is not offered: the caret would show on the next line.
  std::size_t position_at(std::size_t line_index, std::int64_t x) const;

 private:
  std::int32_t advance(char32_t c);
  void wrap_paragraph(std::size_t begin, std::size_t end, std::int32_t width);
  std::size_t previous_boundary(std::size_t pos) const;

  const raster::TextMeasurer& m_measurer;
  std::unordered_map<char32_t, std::int32_t> m_advances;
  std::string m_text;
  // m_x[i]: the x offset from the text's start of the character that holds byte i
  // (every byte of one character has its start's value); m_x[size] is the end.
  std::vector<std::int64_t> m_x;
  std::vector<VisualLine> m_lines;
  std::int64_t m_widest = 0;
};

// Whether c belongs to a script written without spaces between words, so that a
// line may break before and after it.
bool breaks_around(char32_t c);

}  // namespace korvi::dialog
