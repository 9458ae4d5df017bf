// The calculator: a ">>" prompt loop over expressions and commands, with a
// function plotter.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "calc/quit_requested.h"
#include "character_locale.h"
#include "command_loop.h"
#include "console.h"
#include "console_output.h"
#include "edit_line_source.h"
#include "history_files.h"
#include "plain_line_source.h"
#include "terminal.h"
#include "text_encoder.h"

namespace {

// Everything after the output is set up: the terminal, the input and the loop.
// Returns the exit status; an OutputFailed or any other exception passes through.
int run(calc::ConsoleOutput& output, bool use_editor, bool input_is_terminal,
        bool output_is_terminal) {
  calc::Terminal terminal(output, output_is_terminal, input_is_terminal);
  std::unique_ptr<calc::LineSource> source;
  if (use_editor) {
    source = std::make_unique<calc::EditLineSource>(output);
    // Recall starts with the lines of earlier runs.
    for (const std::string& line : calc::recent_history_lines(calc::RECALL_LINES)) {
      source->add_to_recall(line);
    }
  } else {
    source = std::make_unique<calc::PlainLineSource>(STDIN_FILENO, output);
  }
  calc::Console console(output, *source);

  try {
    calc::run_command_loop(console, terminal);
  } catch (const calc::QuitRequested&) {
    // "q" or "Q": the normal exit path, status 0.
  }
  terminal.finish();
  return 0;
}

}  // namespace

int main() {
  // Under a file-size limit a write past it fails with EFBIG, and the record being
  // written is cut back and reported, instead of the process ending mid-record.
  std::signal(SIGXFSZ, SIG_IGN);
  // Before anything reads the locale: the line editor keeps non-ASCII input only
  // with a character locale set, and its codeset decides the encoding of our texts.
  calc::set_character_locale();
  const bool input_is_terminal = isatty(STDIN_FILENO) == 1;
  const bool output_is_terminal = isatty(STDOUT_FILENO) == 1;
  // The editor writes escape codes to standard output: only on a terminal.
  const bool use_editor = input_is_terminal && output_is_terminal;

  calc::ConsoleOutput output(stdout, stderr, calc::TextEncoder::for_current_locale(), use_editor);
  try {
    return run(output, use_editor, input_is_terminal, output_is_terminal);
  } catch (const std::exception& error) {
    // Colours and the terminal's mode are put back at exit.
    output.report_problem(std::string("calc: ") + error.what());
    return 1;
  }
}
