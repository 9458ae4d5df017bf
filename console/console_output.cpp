#include "console_output.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace calc {

OutputFailed::OutputFailed(int error_number)
    : std::runtime_error(std::string("cannot write to standard output: ") +
                         std::strerror(error_number)) {}

ConsoleOutput::ConsoleOutput(std::FILE* stream, std::FILE* errors, TextEncoder encoder,
                             bool holds_prompt)
    : m_stream(stream),
      m_errors(errors),
      m_encoder(std::move(encoder)),
      m_holds_prompt(holds_prompt) {}

void ConsoleOutput::fail() {
  const int error_number = errno;
  m_failed = true;
  m_held.clear();
  throw OutputFailed(error_number);
}

void ConsoleOutput::write_out(std::string_view bytes) {
  if (m_failed || bytes.empty()) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), m_stream) != bytes.size()) fail();
}

void ConsoleOutput::write_bytes(std::string_view bytes) {
  if (!bytes.empty()) m_at_line_start = bytes.back() == '\n';
  if (!m_holds_prompt) return write_out(bytes);
  m_held.append(bytes);
  const std::size_t line_end = m_held.rfind('\n');
  if (line_end == std::string::npos) return;
  write_out(std::string_view(m_held).substr(0, line_end + 1));
  m_held.erase(0, line_end + 1);
}

void ConsoleOutput::write_text(std::string_view utf8) {
  if (!m_encoder.converts()) return write_bytes(utf8);
  write_bytes(m_encoder.encode(utf8));
}

void ConsoleOutput::write_control(std::string_view sequence) {
  write_out(m_held);
  m_held.clear();
  write_out(sequence);
}

std::string ConsoleOutput::take_prompt() { return std::exchange(m_held, std::string()); }

void ConsoleOutput::flush() {
  write_out(m_held);
  m_held.clear();
  if (!m_failed && std::fflush(m_stream) != 0) fail();
}

void ConsoleOutput::report_problem(std::string_view message) {
  flush();
  std::fwrite(message.data(), 1, message.size(), m_errors);
  std::fputc('\n', m_errors);
  std::fflush(m_errors);
}

}  // namespace calc
