// The program on a terminal: the terminal put back however the program ends.
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
const std::string RESET_COLOURS = "\x1b[0m";

TerminalProcess start_program(const Scratch& scratch) {
  return TerminalProcess(TerminalProcess::Options{{program_path().string()},
                                                  scratch.work().string(),
                                                  {{"TERM", "xterm"}, {"LC_ALL", "C.UTF-8"}}});
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

}  // namespace
}  // namespace calc::test
