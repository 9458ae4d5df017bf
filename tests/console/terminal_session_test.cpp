// The program on a terminal: the line editor, the colours, and the terminal put
// back however the program ends.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <csignal>
#include <cstring>
#include <string>
#include <thread>

#include "program_run.h"
#include "pseudo_terminal.h"

namespace calc::test {
namespace {

using korvi::test::TerminalProcess;
using namespace std::chrono_literals;

constexpr tcflag_t COOKED_LOCAL = ICANON | ECHO;
const std::string COLOURS_AND_CLEAR = "\x1b[30;107m\x1b[2J\x1b[H";
const std::string RESET_COLOURS = "\x1b[0m";

TerminalProcess start_program(const Scratch& scratch, const std::string& locale = "C.UTF-8") {
  return TerminalProcess(TerminalProcess::Options{
      {program_path().string()}, scratch.work().string(), {{"TERM", "xterm"}, {"LC_ALL", locale}}});
}

// The line editor reads keys one by one without echo while it waits for a line.
bool wait_for_line_editor(const TerminalProcess& program) {
  const auto deadline = std::chrono::steady_clock::now() + 5s;
  while ((program.mode().c_lflag & COOKED_LOCAL) == COOKED_LOCAL) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

void expect_terminal_put_back(const TerminalProcess& program, std::size_t from) {
  EXPECT_NE(program.output().find(RESET_COLOURS, from), std::string::npos);
  EXPECT_EQ(program.mode().c_lflag & COOKED_LOCAL, COOKED_LOCAL);
}

TEST(TerminalSession, ASignalAtThePromptPutsTheTerminalBack) {
  for (const int signal_number : {SIGHUP, SIGQUIT, SIGTERM, SIGINT}) {
    SCOPED_TRACE(strsignal(signal_number));
    const Scratch scratch;
    TerminalProcess program = start_program(scratch);
    ASSERT_TRUE(program.wait_for_output(">>", 5s));
    ASSERT_TRUE(wait_for_line_editor(program));
    const std::size_t prompt_end = program.output().size();
    program.send_signal(signal_number);
    const std::optional<int> status = program.wait(5s);
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(WIFSIGNALED(*status) && WTERMSIG(*status) == signal_number);
    expect_terminal_put_back(program, prompt_end);
  }
}

TEST(TerminalSession, LineEditor) {
  struct Case {
    const char* title;
    std::string locale;
    std::string history_before;
    std::string keys;
    std::string shown;  // part of what the terminal shows afterwards
  };
  const std::string UP = "\x1b[A";
  const Case CASES[] = {
      {"recall starts with the history file, newest last", "C.UTF-8", "1+1\n6*7\n", UP + "\r",
       "ans =\r\n\t42"},
      {"the plot's answers are not recalled", "C.UTF-8", "6*7\n",
       "tu\ry=x\r0 1\r2\r" + UP + UP + "\r", "ans =\r\n\t42"},
      {"UTF-8 input in the C locale", "C", "", "\xc3\xa4=1\r", "\xc3\xa4 =\r\n\t1"},
  };
  for (const Case& c : CASES) {
    SCOPED_TRACE(c.title);
    const Scratch scratch;
    if (!c.history_before.empty()) scratch.write("input.txt", c.history_before);
    TerminalProcess program = start_program(scratch, c.locale);
    ASSERT_TRUE(program.wait_for_output(">>", 5s));
    // Colours and a clear visible screen, the scrollback kept.
    EXPECT_EQ(program.output().rfind(COLOURS_AND_CLEAR, 0), 0u);
    EXPECT_EQ(program.output().find("\x1b[3J"), std::string::npos);
    program.type(c.keys);
    EXPECT_TRUE(program.wait_for_output(c.shown, 5s)) << program.output();
    const std::size_t before_exit = program.output().size();
    program.type("exit\r");
    const std::optional<int> status = program.wait(5s);
    ASSERT_TRUE(status && WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), 0);
    expect_terminal_put_back(program, before_exit);
  }
}

}  // namespace
}  // namespace calc::test
