// Losing the display ends the program: a private X server (or the Wayland compositor
// when the tests run on Wayland) killed while a program on a terminal waits on its
// window (for a key, a mouse message, an input box), draws,
// or shows the calculator's plot. The program ends at once with one line saying so
// and status 1, its terminal put back.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "pseudo_terminal.h"
#include "test_display.h"

namespace {

using namespace std::chrono_literals;
using korvi::test::TerminalProcess;

struct Waiting {
  const char* what;
  std::vector<std::string> argv;
  std::string typed;         // at the terminal, once the program prompts
  const char* window_class;  // a window of this class shows while it waits
  bool reads_a_key;          // the terminal is in key mode while it waits
};

std::string built(const std::string& name) {
  const char* build = std::getenv("KORVI_BUILD_DIR");
  return std::string(build ? build : ".") + "/" + name;
}

bool window_shows(const std::string& display, const char* window_class) {
  if (korvi::test::TestDisplay::wayland()) {
    // Wayland windows are not to be looked up from outside: give it time to show.
    std::this_thread::sleep_for(500ms);
    return true;
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto found = korvi::test::run_command({"xdotool", "search", "--class", window_class},
                                                {{"DISPLAY", display}}, 5s);
    if (found && !found->empty()) return true;
    std::this_thread::sleep_for(50ms);
  }
  return false;
}

bool in_key_mode(const TerminalProcess& program) {
  for (int attempt = 0; attempt < 5000; ++attempt) {
    if (!(program.mode().c_lflag & ICANON)) return true;
    std::this_thread::sleep_for(1ms);
  }
  return false;
}

std::size_t count_of(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

TEST(DisplayLossEndToEnd, TheProgramEndsWithOneLineAndItsTerminalPutBack) {
  const std::string probe = built("window_probe");
  const Waiting CASES[] = {
      {"for a key", {probe, "wait-key"}, "", "KorviWnd", true},
      {"for a mouse message", {probe, "wait-mouse"}, "", "KorviWnd", false},
      {"in an input box", {probe, "input-box"}, "", "Korvi_InputBox", false},
      {"while drawing", {probe, "draw"}, "", "KorviWnd", false},
      {"in the calculator's plot", {built("calc")}, "tu\ry=x^2\r-1 1\r21\r", "KorviWnd", true},
  };
  const auto scratch =
      std::filesystem::temp_directory_path() / ("korvi-display-" + std::to_string(::getpid()));
  std::filesystem::create_directories(scratch);
  for (const Waiting& c : CASES) {
    SCOPED_TRACE(c.what);
    korvi::test::TestDisplay server(640, 480);
    ASSERT_TRUE(server.running()) << "the display server did not start";
    auto env = server.program_env();
    env["TERM"] = "xterm";
    env["LC_ALL"] = "C.UTF-8";
    TerminalProcess program({c.argv, scratch.string(), env});
    if (!c.typed.empty()) {
      ASSERT_TRUE(program.wait_for_output(">>", 10s)) << program.output();
      program.type(c.typed);
    }
    if (c.typed.empty()) {
      ASSERT_TRUE(program.wait_for_output("ready", 10s)) << program.output();
    }
    ASSERT_TRUE(window_shows(server.x_display(), c.window_class)) << program.output();
    if (c.reads_a_key) {
      ASSERT_TRUE(in_key_mode(program));
    }
    const std::size_t before = program.output().size();

    server.kill();
    const std::optional<int> status = program.wait(5s);
    ASSERT_TRUE(status) << "still running: " << program.output();
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 1) << *status;
    EXPECT_EQ(count_of(program.output(), "display was lost"), 1u) << program.output();
    EXPECT_NE(program.output().find("korvi: the display was lost\r\n", before), std::string::npos);
    EXPECT_EQ(program.mode().c_lflag & (ICANON | ECHO), tcflag_t{ICANON | ECHO});
    if (!c.typed.empty()) {  // the calculator's colours
      EXPECT_NE(program.output().find("\x1b[0m", before), std::string::npos);
    }
  }
  std::filesystem::remove_all(scratch);
}

}  // namespace
