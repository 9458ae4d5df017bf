#include "screen/key_input.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>

namespace korvi {
namespace {

// The terminal mode to restore while a key read has the terminal in
// non-canonical mode. Kept where a signal handler and the quick-exit path can
// reach it.
struct SavedTerminal {
  std::atomic<int> fd{-1};
  termios mode{};
};
SavedTerminal g_saved;

void restore_saved_terminal() {
  const int fd = g_saved.fd.exchange(-1);
  if (fd >= 0) tcsetattr(fd, TCSANOW, &g_saved.mode);
}

extern "C" void restore_terminal_and_reraise(int signal_number) {
  restore_saved_terminal();
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

// The controlling terminal, opened for one key read.
class Terminal {
 public:
  Terminal() : m_fd(open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC)) {}
  ~Terminal() {
    if (m_fd >= 0) close(m_fd);
  }
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;
  int fd() const { return m_fd; }

 private:
  int m_fd;
};

// Puts the terminal into non-canonical, no-echo mode for its lifetime.
class KeyMode {
 public:
  explicit KeyMode(int fd) {
    static std::atomic<bool> handlers_registered{false};
    if (!handlers_registered.exchange(true)) {
      std::at_quick_exit(restore_saved_terminal);
      std::atexit(restore_saved_terminal);
    }
    if (fd < 0 || tcgetattr(fd, &g_saved.mode) != 0) return;
    termios raw = g_saved.mode;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    m_previous_term = std::signal(SIGTERM, restore_terminal_and_reraise);
    m_previous_hup = std::signal(SIGHUP, restore_terminal_and_reraise);
    g_saved.fd.store(fd);
    if (tcsetattr(fd, TCSANOW, &raw) != 0) restore_saved_terminal();
  }
  ~KeyMode() {
    restore_saved_terminal();
    if (m_previous_term != SIG_ERR) std::signal(SIGTERM, m_previous_term);
    if (m_previous_hup != SIG_ERR) std::signal(SIGHUP, m_previous_hup);
  }
  KeyMode(const KeyMode&) = delete;
  KeyMode& operator=(const KeyMode&) = delete;

 private:
  void (*m_previous_term)(int) = SIG_ERR;
  void (*m_previous_hup)(int) = SIG_ERR;
};

// Waits on the terminal and the window queue until one of them has a key.
// Returns the key, or -1 when there is nothing to wait on.
int poll_for_key(WindowKeyQueue* window_keys, int terminal_fd) {
  for (;;) {
    if (window_keys) {
      const int key = window_keys->pop();
      if (key >= 0) return key;
    }
    pollfd fds[2];
    nfds_t count = 0;
    if (terminal_fd >= 0) fds[count++] = {terminal_fd, POLLIN, 0};
    if (window_keys) fds[count++] = {window_keys->wake_fd(), POLLIN, 0};
    if (count == 0) return -1;
    const int ready = poll(fds, count, -1);
    if (ready < 0 && errno != EINTR) return -1;
    if (ready > 0 && terminal_fd >= 0 && fds[0].revents != 0) {
      unsigned char byte = 0;
      if ((fds[0].revents & POLLIN) && read(terminal_fd, &byte, 1) == 1) return byte;
      terminal_fd = -1;  // hung up or unreadable: only the window is left
    }
  }
}

}  // namespace

WindowKeyQueue::WindowKeyQueue() {
  if (pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) m_pipe[0] = m_pipe[1] = -1;
}

WindowKeyQueue::~WindowKeyQueue() {
  for (int fd : m_pipe)
    if (fd >= 0) close(fd);
}

void WindowKeyQueue::push(int key) {
  std::lock_guard lock(m_mutex);
  m_keys.push_back(key);
  const char signal_byte = 1;
  if (m_keys.size() == 1 && m_pipe[1] >= 0) (void)!write(m_pipe[1], &signal_byte, 1);
}

int WindowKeyQueue::pop() {
  std::lock_guard lock(m_mutex);
  if (m_keys.empty()) return -1;
  const int key = m_keys.front();
  m_keys.pop_front();
  if (m_keys.empty() && m_pipe[0] >= 0) {
    char drain[16];
    while (read(m_pipe[0], drain, sizeof drain) > 0) {
    }
  }
  return key;
}

bool WindowKeyQueue::empty() const {
  std::lock_guard lock(m_mutex);
  return m_keys.empty();
}

void WindowKeyQueue::clear() {
  while (pop() >= 0) {
  }
}

int wait_for_key(WindowKeyQueue* window_keys) {
  const Terminal terminal;
  const KeyMode mode(terminal.fd());
  return poll_for_key(window_keys, terminal.fd());
}

bool key_waiting(WindowKeyQueue* window_keys) {
  if (window_keys && !window_keys->empty()) return true;
  const Terminal terminal;
  if (terminal.fd() < 0) return false;
  const KeyMode mode(terminal.fd());
  pollfd fd{terminal.fd(), POLLIN, 0};
  return poll(&fd, 1, 0) > 0;
}

}  // namespace korvi
