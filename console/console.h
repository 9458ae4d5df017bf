#pragma once

#include "console_output.h"
#include "line_source.h"
#include "plot/plot_console.h"

namespace calc {

/// The one console input reader and its output. Command lines and the plotter's
/// formatted reads take from the same input, so a line that a token read has
/// started is finished by the next line read.
class Console final : public PlotConsole {
 public:
  /// Neither is owned; both must outlive the console.
  Console(ConsoleOutput& output, LineSource& source);

  void print_report(Report report) override;
  void show_text(std::string_view utf8) override;
  /// A NUL byte ends the line's text.
  std::optional<InputText> read_line() override;
  std::optional<InputText> read_token() override;
  void skip_line_rest() override;

  /// Offers a command line for recall by the line editor. The plotter's answers are
  /// not offered.
  void add_to_recall(std::string_view line) { m_source.add_to_recall(line); }

  /// True when no line has been partly read, so the next read starts a new line.
  bool at_line_start() const { return !m_rest.has_value(); }
  /// True once a read has met the end of input.
  bool input_ended() const { return m_input_ended; }

  ConsoleOutput& output() { return m_output; }

 private:
  std::optional<InputText> next_line();

  ConsoleOutput& m_output;
  LineSource& m_source;
  std::optional<InputText> m_rest;  // the line a token read has started
  std::size_t m_rest_start = 0;     // its first unread character
  bool m_input_ended = false;
};

}  // namespace calc
