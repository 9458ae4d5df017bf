#include "terminal.h"

#include <unistd.h>

#include <string_view>

#include "korvi/terminal/terminal_state.h"

namespace calc {

namespace {

constexpr std::string_view BLACK_ON_BRIGHT_WHITE = "\x1b[30;107m";
constexpr std::string_view CLEAR_VISIBLE_SCREEN = "\x1b[2J\x1b[H";
constexpr std::string_view CLEAR_SCREEN_AND_SCROLLBACK = "\x1b[2J\x1b[3J\x1b[H";
constexpr std::string_view RESET_COLOURS = "\x1b[0m";
// Written when the program ends elsewhere than at the end of its loop, maybe in
// the middle of a line: the shell's prompt then starts on a line of its own.
constexpr std::string_view RESET_COLOURS_AND_LINE = "\x1b[0m\n";

}  // namespace

Terminal::Terminal(ConsoleOutput& output, bool output_is_terminal, bool input_is_terminal)
    : m_output(output), m_output_is_terminal(output_is_terminal) {
  // The line editor changes the input terminal's mode while it reads a line.
  if (input_is_terminal) korvi::terminal::save_mode(STDIN_FILENO);
  if (output_is_terminal) {
    korvi::terminal::note_colours_set(STDOUT_FILENO, RESET_COLOURS_AND_LINE);
    m_output.write_control(BLACK_ON_BRIGHT_WHITE);
    m_output.write_control(CLEAR_VISIBLE_SCREEN);
    m_output.flush();
  }
}

void Terminal::clear_screen() {
  if (m_output_is_terminal) m_output.write_control(CLEAR_SCREEN_AND_SCROLLBACK);
}

void Terminal::end_input() {
  if (m_output_is_terminal || !m_output.at_line_start()) m_output.write_bytes("\n");
}

void Terminal::finish() {
  if (m_output_is_terminal) m_output.write_control(RESET_COLOURS);
  m_output.flush();
  if (m_output_is_terminal) korvi::terminal::note_colours_reset();
}

}  // namespace calc
