#pragma once

#include "console_output.h"

namespace calc {

/// The terminal around the console. When standard output is a terminal, the text is
/// black on bright white from the start and "clc" clears the screen; otherwise no
/// escape code is ever written. The colours and the input terminal's mode are
/// restored on every exit path: destruction, and SIGINT or SIGTERM, after which the
/// signal ends the process as it would have. One per process (the signal handlers
/// share its state).
class Terminal {
 public:
  /// `output` must outlive the terminal.
  Terminal(ConsoleOutput& output, bool output_is_terminal, bool input_is_terminal);
  ~Terminal();
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  /// The "clc" command.
  void clear_screen();
  /// At the end of input: on a terminal, ends the current line so that the shell's
  /// prompt starts on a line of its own.
  void end_input();

 private:
  ConsoleOutput& m_output;
  bool m_output_is_terminal;
};

}  // namespace calc
