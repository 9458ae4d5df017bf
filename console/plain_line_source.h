#pragma once

#include <vector>

#include "console_output.h"
#include "line_source.h"

namespace calc {

/// Lines read from a file descriptor with plain reads: no editing, no escape codes.
/// A last line without a line end is still a line, and a carriage return before a
/// line feed is dropped.
class PlainLineSource final : public LineSource {
 public:
  /// Reads `fd` (not owned); `output` is flushed before every line.
  PlainLineSource(int fd, ConsoleOutput& output);

  std::optional<InputText> next_line() override;

 private:
  bool fill();

  int m_fd;
  ConsoleOutput& m_output;
  std::vector<char> m_buffer;
  std::size_t m_next = 0;
  std::size_t m_filled = 0;
  bool m_at_end = false;
};

}  // namespace calc
