#include "terminal.h"

#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <string_view>

namespace calc {

namespace {

constexpr std::string_view BLACK_ON_BRIGHT_WHITE = "\x1b[30;107m";
constexpr std::string_view CLEAR_SCREEN = "\x1b[2J\x1b[3J\x1b[H";
constexpr std::string_view RESET_COLOURS = "\x1b[0m";
constexpr std::string_view RESET_COLOURS_AND_LINE = "\x1b[0m\n";

// What the signal handler restores; set up once before the handlers are installed.
volatile std::sig_atomic_t g_colours_set = 0;
volatile std::sig_atomic_t g_input_mode_saved = 0;
termios g_input_mode{};

// Puts the terminal back as it was found: its input mode and its colours.
void restore_terminal() {
  if (g_input_mode_saved != 0) tcsetattr(STDIN_FILENO, TCSANOW, &g_input_mode);
  if (g_colours_set != 0) {
    const ssize_t ignored =
        write(STDOUT_FILENO, RESET_COLOURS_AND_LINE.data(), RESET_COLOURS_AND_LINE.size());
    (void)ignored;
  }
}

// The graphics window's close box ends the program by a quick exit.
extern "C" void restore_at_quick_exit() { restore_terminal(); }

extern "C" void restore_and_reraise(int signal_number) {
  restore_terminal();
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(signal_number, &action, nullptr);
  raise(signal_number);
}

void install_handlers() {
  struct sigaction action {};
  action.sa_handler = restore_and_reraise;
  sigemptyset(&action.sa_mask);
  for (const int signal_number : {SIGINT, SIGTERM}) {
    struct sigaction previous {};
    sigaction(signal_number, nullptr, &previous);
    if (previous.sa_handler == SIG_IGN) continue;  // an ignored signal stays ignored
    sigaction(signal_number, &action, nullptr);
  }
}

}  // namespace

Terminal::Terminal(ConsoleOutput& output, bool output_is_terminal, bool input_is_terminal)
    : m_output(output), m_output_is_terminal(output_is_terminal) {
  if (input_is_terminal && tcgetattr(STDIN_FILENO, &g_input_mode) == 0) g_input_mode_saved = 1;
  if (output_is_terminal) {
    m_output.write_control(BLACK_ON_BRIGHT_WHITE);
    m_output.write_control(CLEAR_SCREEN);
    m_output.flush();
    g_colours_set = 1;
  }
  if (g_colours_set != 0 || g_input_mode_saved != 0) {
    install_handlers();
    std::at_quick_exit(restore_at_quick_exit);
  }
}

Terminal::~Terminal() {
  if (g_colours_set != 0) {
    m_output.write_control(RESET_COLOURS);
    g_colours_set = 0;
  }
  m_output.flush();
}

void Terminal::clear_screen() {
  if (m_output_is_terminal) m_output.write_control(CLEAR_SCREEN);
}

void Terminal::end_input() {
  if (m_output_is_terminal) m_output.write_control("\n");
}

}  // namespace calc
