#include "console.h"

#include <string_view>

namespace calc {

namespace {

constexpr std::string_view BLANKS = " \t\n\v\f\r";

InputText ended_at_nul(InputText line) {
  const std::size_t nul = line.text.find('\0');
  if (nul != std::string::npos) {
    line.text.resize(nul);
    line.too_long = false;
  }
  return line;
}

}  // namespace

Console::Console(ConsoleOutput& output, LineSource& source) : m_output(output), m_source(source) {}

std::optional<InputText> Console::next_line() {
  std::optional<InputText> line = m_source.next_line();
  if (!line) m_input_ended = true;
  return line;
}

void Console::print_report(Report report) { m_output.write_text(report_text(report)); }

void Console::show_text(std::string_view utf8) { m_output.write_text(utf8); }

std::optional<InputText> Console::read_line() {
  if (!m_rest) {
    std::optional<InputText> line = next_line();
    if (!line) return std::nullopt;
    return ended_at_nul(std::move(*line));
  }
  m_output.flush();  // a prompt shown for this read goes out before it is answered
  InputText rest{m_rest->text.substr(m_rest_start), m_rest->too_long};
  m_rest.reset();
  return ended_at_nul(std::move(rest));
}

std::optional<InputText> Console::read_token() {
  if (m_rest) m_output.flush();
  for (;;) {
    if (!m_rest) {
      m_rest = next_line();
      if (!m_rest) return std::nullopt;
      m_rest_start = 0;
    }
    const std::string& text = m_rest->text;
    const std::size_t start = text.find_first_not_of(BLANKS, m_rest_start);
    if (start == std::string::npos) {
      // The line goes on past what was kept: nothing usable can be read from it.
      if (m_rest->too_long) return InputText{std::string(), true};
      m_rest.reset();  // its line end is consumed as a blank
      continue;
    }
    std::size_t end = text.find_first_of(BLANKS, start);
    if (end == std::string::npos) end = text.size();
    m_rest_start = end;
    return InputText{text.substr(start, end - start), end == text.size() && m_rest->too_long};
  }
}

void Console::skip_line_rest() { m_rest.reset(); }

}  // namespace calc
