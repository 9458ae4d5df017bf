#include "test_display.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "child_process.h"

namespace korvi::test {

bool TestDisplay::wayland() {
  const char* asked = std::getenv("KORVI_TEST_DISPLAY");
  return asked && std::string(asked) == "wayland";
}

TestDisplay::TestDisplay(int width, int height) : m_x(width, height) {
  if (!wayland() || !m_x.running()) return;
  char dir[] = "/tmp/korvi-wayland-XXXXXX";  // 0700, as a runtime directory must be
  if (!mkdtemp(dir)) return;
  m_runtime_dir = dir;
  m_socket = "korvi-" + std::to_string(getpid());
  const std::string size_w = "--width=" + std::to_string(width);
  const std::string size_h = "--height=" + std::to_string(height);
  const std::string socket = "--socket=" + m_socket;
  m_weston = fork();
  if (m_weston == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    setenv("DISPLAY", m_x.display().c_str(), 1);
    setenv("XDG_RUNTIME_DIR", m_runtime_dir.c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    execlp("weston", "weston", "--backend=x11-backend.so", "--use-pixman", "--idle-time=0",
           socket.c_str(), size_w.c_str(), size_h.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  // Ready once its socket is there, its shell has drawn the desktop and a moment
  // has passed: a window shown while the shell is still starting may never get the
  // keyboard or the pointer.
  const std::string path = m_runtime_dir + "/" + m_socket;
  for (int attempt = 0; attempt < 400; ++attempt) {
    if (waitpid(m_weston, nullptr, WNOHANG) != 0) {
      m_weston = -1;
      return;
    }
    if (std::filesystem::exists(path)) {
      const auto shot = take_screenshot(m_x.display());
      if (shot && shot->at(shot->width / 2, shot->height / 2) != 0) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        return;
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
}

TestDisplay::~TestDisplay() {
  kill();
  if (!m_runtime_dir.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(m_runtime_dir, ignored);
  }
}

bool TestDisplay::running() const {
  return m_x.running() && (!wayland() || m_weston > 0);
}

std::map<std::string, std::string> TestDisplay::program_env() const {
  if (!wayland()) return {{"DISPLAY", m_x.display()}};
  return {{"WAYLAND_DISPLAY", m_socket}, {"XDG_RUNTIME_DIR", m_runtime_dir}};
}

std::vector<std::string> TestDisplay::program_unset_env() const {
  if (!wayland()) return {"WAYLAND_DISPLAY", "SDL_VIDEODRIVER"};
  return {"DISPLAY", "SDL_VIDEODRIVER"};
}

void TestDisplay::kill() {
  if (!wayland()) {
    m_x.kill();
    return;
  }
  if (m_weston <= 0) return;
  ::kill(m_weston, SIGKILL);
  waitpid(m_weston, nullptr, 0);
  m_weston = -1;
}

bool TestDisplay::focus_compositor() const {
  if (!wayland()) return true;
  const auto found = run_command({"xdotool", "search", "--class", "weston"},
                                 {{"DISPLAY", m_x.display()}});
  if (!found || found->empty()) return false;
  const std::string window = found->substr(0, found->find('\n'));
  return run_command({"xdotool", "windowfocus", "--sync", window}, {{"DISPLAY", m_x.display()}})
      .has_value();
}

}  // namespace korvi::test
