// Keys end to end: the same keys pressed in the graphics window (a private X
// server or a Wayland compositor nested in one, xdotool) and typed in a terminal (a pseudo-terminal) give the same codes.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "pseudo_terminal.h"
#include "test_display.h"

namespace {

using namespace std::chrono_literals;
using korvi::test::ChildProcess;
using korvi::test::TerminalProcess;

struct Key {
  const char* xdotool_name;
  std::string terminal_bytes;  // empty: sends nothing in a terminal
  std::vector<int> codes;
};

const Key KEYS[] = {
    {"Up", "\x1b[A", {224, 72}},
    {"Left", "\x1bOD", {224, 75}},
    {"Right", "\x1b[C", {224, 77}},
    {"Down", "\x1b[B", {224, 80}},
    {"Home", "\x1b[H", {224, 71}},
    {"End", "\x1b[4~", {224, 79}},
    {"Prior", "\x1b[5~", {224, 73}},
    {"Next", "\x1b[6~", {224, 81}},
    {"Insert", "\x1b[2~", {224, 82}},
    {"Delete", "\x1b[3~", {224, 83}},
    {"F1", "\x1bOP", {0, 59}},
    {"F5", "\x1b[15~", {0, 63}},
    {"F10", "\x1b[21~", {0, 68}},
    {"F11", "\x1b[23~", {224, 133}},
    {"F12", "\x1b[24~", {224, 134}},
    {"shift", "", {}},  // a modifier alone gives nothing
    {"a", "a", {'a'}},
    {"eacute", "\xc3\xa9", {0xC3, 0xA9}},
    {"Return", "\r", {13}},
    {"Escape", "\x1b", {27}},  // in the terminal, once nothing followed for a while
    {"BackSpace", "\x7f", {8}},
    {"Tab", "\t", {9}},
    {"ctrl+a", "\x01", {1}},
};

std::string probe() {
  const char* build = std::getenv("KORVI_BUILD_DIR");
  return std::string(build ? build : ".") + "/window_probe";
}

// The codes the probe printed after "ready", one number a line.
std::vector<int> printed_codes(const std::string& output) {
  std::vector<int> codes;
  std::istringstream words(output.substr(output.find("ready") + 5));
  for (int code; words >> code;) codes.push_back(code);
  return codes;
}

// The lines the probe prints for these codes, each line ending as given.
std::string lines_of(const std::vector<int>& codes, const std::string& line_end) {
  std::string text;
  for (const int code : codes) text += std::to_string(code) + line_end;
  return text;
}

std::vector<int> all_codes() {
  std::vector<int> codes;
  for (const Key& key : KEYS) codes.insert(codes.end(), key.codes.begin(), key.codes.end());
  return codes;
}

TEST(KeysEndToEnd, KeysPressedInTheWindow) {
  korvi::test::TestDisplay display(640, 480);
  ASSERT_TRUE(display.running()) << "the display server did not start";
  const std::map<std::string, std::string> env = {{"DISPLAY", display.x_display()}};
  ChildProcess program(
      {{probe(), "window-keys"}, {}, display.program_env(), display.program_unset_env()});
  ASSERT_TRUE(program.wait_for_output("ready", 10s)) << program.output();
  if (korvi::test::TestDisplay::wayland()) {
    // The compositor's window takes the keys and gives them to the new window once
    // it has the keyboard: a space is pressed until one arrives.
    ASSERT_TRUE(display.focus_compositor());
    bool arrived = false;
    for (int attempt = 0; attempt < 100 && !arrived; ++attempt) {
      ASSERT_TRUE(korvi::test::run_command({"xdotool", "key", "space"}, env));
      arrived = program.wait_for_output("ready\n32\n", 200ms);
    }
    ASSERT_TRUE(arrived) << "the window never had the keyboard: " << program.output();
  } else {
    std::optional<std::string> window;
    for (int attempt = 0; attempt < 100 && !window; ++attempt) {
      window = korvi::test::run_command({"xdotool", "search", "--classname", "window_probe"}, env);
      if (window && window->empty()) window.reset();
      if (!window) std::this_thread::sleep_for(50ms);
    }
    ASSERT_TRUE(window) << "no window appeared";
    ASSERT_TRUE(korvi::test::run_command({"xdotool", "windowfocus", "--sync", *window}, env));
  }
  // xdotool types a key its keyboard map lacks (é) by changing the map for a
  // moment, which a nested compositor does not follow: none such on Wayland.
  std::vector<std::string> press = {"xdotool", "key"};
  std::vector<int> codes;
  for (const Key& key : KEYS) {
    if (korvi::test::TestDisplay::wayland() && std::string(key.xdotool_name) == "eacute") continue;
    press.push_back(key.xdotool_name);
    codes.insert(codes.end(), key.codes.begin(), key.codes.end());
  }
  ASSERT_TRUE(korvi::test::run_command(press, env));
  program.wait_for_output("\n" + lines_of(codes, "\n"), 10s);
  std::vector<int> printed = printed_codes(program.output());
  while (korvi::test::TestDisplay::wayland() && !printed.empty() && printed.front() == ' ')
    printed.erase(printed.begin());  // the spaces that found the window
  EXPECT_EQ(printed, codes);
}

TEST(KeysEndToEnd, KeysTypedInTheTerminal) {
  TerminalProcess program({{probe(), "keys"}, {}, {}});
  ASSERT_TRUE(program.wait_for_output("ready\r\n", 10s)) << program.output();
  // A key is typed while the probe waits for one, as a person would: the terminal is
  // then in its key mode.
  const auto wait_for_key_mode = [&] {
    for (int attempt = 0; attempt < 1000; ++attempt) {
      if (!(program.mode().c_lflag & ICANON)) return true;
      std::this_thread::sleep_for(1ms);
    }
    return false;
  };
  for (const Key& key : KEYS) {
    if (key.terminal_bytes.empty()) continue;
    ASSERT_TRUE(wait_for_key_mode()) << key.xdotool_name;
    const std::size_t line_start = program.output().size() - 1;
    // Appended, not "\n" + ...: GCC 12 at -O3 warns there (-Wrestrict, a false positive).
    std::string expected = "\n";
    expected += lines_of(key.codes, "\r\n");
    program.type(key.terminal_bytes);
    ASSERT_TRUE(program.wait_for_output(expected, 5s, line_start))
        << key.xdotool_name << ": " << program.output();
  }
  EXPECT_EQ(printed_codes(program.output()), all_codes());
}

}  // namespace
