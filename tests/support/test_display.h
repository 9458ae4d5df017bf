// The display the end-to-end tests show their programs' windows on: a private X
// server (Xvfb), or, when KORVI_TEST_DISPLAY is "wayland", a Wayland compositor
// (weston) nested in one. Either way input is sent and screenshots are taken
// through the X server.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "x_display.h"

namespace korvi::test {

class TestDisplay {
 public:
  TestDisplay(int width = 1024, int height = 768);
  ~TestDisplay();
  TestDisplay(const TestDisplay&) = delete;
  TestDisplay& operator=(const TestDisplay&) = delete;

  // Whether the tests run on Wayland (KORVI_TEST_DISPLAY=wayland).
  static bool wayland();
  bool running() const;
  // The X server that input goes to and screenshots come from.
  const std::string& x_display() const { return m_x.display(); }
  // What a program needs in its environment to show its windows here, and what it
  // must not have.
  std::map<std::string, std::string> program_env() const;
  std::vector<std::string> program_unset_env() const;
  // Ends the server the program is connected to at once, as a crash would.
  void kill();
  // Gives the keyboard to the window that shows the programs' windows (the
  // compositor's); does nothing on X11, where the tests focus windows themselves.
  bool focus_compositor() const;

 private:
  XvfbServer m_x;
  int m_weston = -1;
  std::string m_runtime_dir;
  std::string m_socket;
};

}  // namespace korvi::test
