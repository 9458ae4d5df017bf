#include "plain_line_source.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace calc {

namespace {

constexpr std::size_t READ_SIZE = 64 * 1024;

void append_kept(InputText& line, const char* begin, const char* end) {
  const auto size = static_cast<std::size_t>(end - begin);
  const std::size_t room = MAX_KEPT_LINE - line.text.size();
  if (size > room) line.too_long = true;
  line.text.append(begin, size < room ? size : room);
}

}  // namespace

PlainLineSource::PlainLineSource(int fd, ConsoleOutput& output)
    : m_fd(fd), m_output(output), m_buffer(READ_SIZE) {}

bool PlainLineSource::fill() {
  for (;;) {
    const ssize_t count = ::read(m_fd, m_buffer.data(), m_buffer.size());
    if (count > 0) {
      m_next = 0;
      m_filled = static_cast<std::size_t>(count);
      return true;
    }
    if (count < 0 && errno == EINTR) continue;
    return false;  // end of input; a read error ends the input as well
  }
}

std::optional<InputText> PlainLineSource::next_line() {
  if (m_at_end) return std::nullopt;
  // Whatever asked for this line is shown before it is read, and output that cannot
  // be written stops the program before the line is recorded anywhere.
  m_output.flush();

  InputText line;
  bool started = false;
  for (;;) {
    if (m_next == m_filled && !fill()) {
      m_at_end = true;
      if (!started) return std::nullopt;
      break;
    }
    started = true;
    const char* begin = m_buffer.data() + m_next;
    const char* end = m_buffer.data() + m_filled;
    const auto* newline =
        static_cast<const char*>(std::memchr(begin, '\n', static_cast<std::size_t>(end - begin)));
    append_kept(line, begin, newline != nullptr ? newline : end);
    m_next =
        newline != nullptr ? static_cast<std::size_t>(newline + 1 - m_buffer.data()) : m_filled;
    if (newline != nullptr) break;
  }
  if (!line.too_long && !line.text.empty() && line.text.back() == '\r') line.text.pop_back();
  return line;
}

}  // namespace calc
