#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

#include "text_encoder.h"

namespace calc {

/// Standard output could not be written: the program stops at once.
class OutputFailed : public std::runtime_error {
 public:
  explicit OutputFailed(int error_number);
};

/// Standard output of the console. Fixed texts of the program pass through the
/// encoder; user text is written as typed. With a line editor reading the input, an
/// unfinished last line (a prompt) is held back so that the editor can show it as its
/// own prompt and redraw it; any other output writes it out first.
///
/// The first write or flush that fails throws OutputFailed; from then on output is
/// dropped without another exception, so that the failure can be reported and the
/// program can end cleanly.
class ConsoleOutput {
 public:
  /// `stream` and `errors` are not owned and must outlive the object.
  ConsoleOutput(std::FILE* stream, std::FILE* errors, TextEncoder encoder, bool holds_prompt);

  /// Bytes as they are: user input, names, numbers.
  void write_bytes(std::string_view bytes);
  /// A fixed UTF-8 text of the program, in the console's encoding.
  void write_text(std::string_view utf8);
  /// A terminal control sequence, written after anything held back.
  void write_control(std::string_view sequence);

  /// Hands over the held-back prompt (empty when nothing is held).
  std::string take_prompt();
  /// Writes anything held back and flushes the stream.
  void flush();

  /// True when nothing has been written yet or the last text written (or held back)
  /// ends with a line end.
  bool at_line_start() const { return m_at_line_start; }

  /// One line on the error stream, after everything written so far.
  void report_problem(std::string_view message);

 private:
  void write_out(std::string_view bytes);
  [[noreturn]] void fail();

  std::FILE* m_stream;
  std::FILE* m_errors;
  TextEncoder m_encoder;
  bool m_holds_prompt;
  std::string m_held;
  bool m_at_line_start = true;
  bool m_failed = false;
};

}  // namespace calc
