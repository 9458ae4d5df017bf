#pragma once

#include "console_output.h"

namespace calc {

/// The terminal around the console. When standard output is a terminal, the text is
/// black on bright white from the start (the visible screen is cleared, the
/// scrollback is kept) and "clc" clears the screen; otherwise no escape code is
/// ever written. The colours and the input terminal's mode are put back on every
/// exit path by the process's terminal state (korvi/terminal/terminal_state.h):
/// by `finish()` on the normal path, otherwise at exit or on a signal.
class Terminal {
 public:
  /// `output` must outlive the terminal. Writes the colours: may throw OutputFailed.
  Terminal(ConsoleOutput& output, bool output_is_terminal, bool input_is_terminal);
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  /// The "clc" command.
  void clear_screen();
  /// At the end of input: ends the last line (after a prompt, or a plot's prompt)
  /// so that the output ends with a line end and a shell's prompt starts on a line
  /// of its own.
  void end_input();
  /// The normal end: resets the colours and flushes the output. May throw
  /// OutputFailed.
  void finish();

 private:
  ConsoleOutput& m_output;
  bool m_output_is_terminal;
};

}  // namespace calc
