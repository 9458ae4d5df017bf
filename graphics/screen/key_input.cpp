#include "screen/key_input.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "korvi/terminal/raw_key_mode.h"
#include "screen/terminal_key_decoder.h"

namespace korvi {
namespace {

// Codes decoded from the terminal and not yet read: a key's second code, or keys
// that came with it. Kept between reads, like the terminal's own input.
class TerminalCodes {
 public:
  int pop() {
    std::lock_guard lock(m_mutex);
    return pop_locked();
  }
  bool any() const {
    std::lock_guard lock(m_mutex);
    return !m_codes.empty() || m_decoder.pending();
  }
  // Decodes one byte; returns the first code it completes, or -1.
  int feed(std::uint8_t byte) {
    std::lock_guard lock(m_mutex);
    m_decoder.feed(byte, m_codes);
    if (m_decoder.pending()) m_pending_since = Clock::now();  // the wait runs from the last byte
    return pop_locked();
  }
  // How long to wait for the rest of an escape sequence: -1 (no limit) outside one.
  int wait_ms() const {
    std::lock_guard lock(m_mutex);
    if (!m_decoder.pending()) return -1;
    const auto left = TerminalKeyDecoder::ESCAPE_WAIT - (Clock::now() - m_pending_since);
    return std::max(0,
                    static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count()));
  }
  // Nothing followed in time: the held bytes are keys; returns the first code.
  int expire() {
    std::lock_guard lock(m_mutex);
    m_decoder.expire(m_codes);
    return pop_locked();
  }

 private:
  using Clock = std::chrono::steady_clock;
  int pop_locked() {
    if (m_codes.empty()) return -1;
    const int code = m_codes.front();
    m_codes.pop_front();
    return code;
  }

  mutable std::mutex m_mutex;
  TerminalKeyDecoder m_decoder;
  KeyCodes m_codes;
  Clock::time_point m_pending_since;
};
TerminalCodes g_terminal_codes;

// Waits on the terminal and the window queue until one of them gives a code.
// Returns it, or -1 when there is nothing to wait on.
int poll_for_key(WindowKeyQueue& window_keys, int terminal_fd) {
  for (;;) {
    window_keys.drain_wakeups();
    if (const int code = window_keys.pop(); code >= 0) return code;
    pollfd fds[2];
    nfds_t count = 0;
    if (terminal_fd >= 0) fds[count++] = {terminal_fd, POLLIN, 0};
    if (window_keys.is_open()) fds[count++] = {window_keys.wake_fd(), POLLIN, 0};
    if (count == 0) return g_terminal_codes.expire();
    const int ready = poll(fds, count, g_terminal_codes.wait_ms());
    if (ready < 0 && errno != EINTR) return -1;
    if (ready == 0) {
      if (const int code = g_terminal_codes.expire(); code >= 0) return code;
      continue;
    }
    if (ready > 0 && terminal_fd >= 0 && fds[0].revents != 0) {
      unsigned char byte = 0;
      if ((fds[0].revents & POLLIN) && read(terminal_fd, &byte, 1) == 1) {
        if (const int code = g_terminal_codes.feed(byte); code >= 0) return code;
      } else {
        terminal_fd = -1;  // hung up or unreadable: only the window is left
      }
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

void WindowKeyQueue::push(std::span<const std::uint8_t> codes) {
  {
    std::lock_guard lock(m_mutex);
    m_codes.insert(m_codes.end(), codes.begin(), codes.end());
  }
  wake();
}

int WindowKeyQueue::pop() {
  std::lock_guard lock(m_mutex);
  if (m_codes.empty()) return -1;
  const int code = m_codes.front();
  m_codes.pop_front();
  return code;
}

bool WindowKeyQueue::empty() const {
  std::lock_guard lock(m_mutex);
  return m_codes.empty();
}

void WindowKeyQueue::clear() {
  std::lock_guard lock(m_mutex);
  m_codes.clear();
}

void WindowKeyQueue::set_open(bool open) {
  std::lock_guard lock(m_mutex);
  m_open = open;
  // Closed, the pipe stays readable until the next opening: every reader in poll()
  // now, or that comes to it before it sees the close, is released.
  if (open)
    drain_pipe();
  else
    wake();
}

bool WindowKeyQueue::is_open() const {
  std::lock_guard lock(m_mutex);
  return m_open;
}

void WindowKeyQueue::wake() {
  // A full pipe is readable all the same: a failed write loses no wake-up.
  const char signal_byte = 1;
  if (m_pipe[1] >= 0) (void)!write(m_pipe[1], &signal_byte, 1);
}

void WindowKeyQueue::drain_wakeups() {
  std::lock_guard lock(m_mutex);
  if (m_open) drain_pipe();  // a closed queue's wake-up is its state, not a byte
}

void WindowKeyQueue::drain_pipe() {
  char drain[64];
  while (m_pipe[0] >= 0 && read(m_pipe[0], drain, sizeof drain) > 0) {
  }
}

int wait_for_key(WindowKeyQueue& window_keys) {
  if (const int code = g_terminal_codes.pop(); code >= 0) return code;
  if (const int code = window_keys.pop(); code >= 0) return code;
  const terminal::RawKeyMode tty;
  return poll_for_key(window_keys, tty.fd());
}

bool key_waiting(WindowKeyQueue& window_keys) {
  if (g_terminal_codes.any() || !window_keys.empty()) return true;
  const terminal::RawKeyMode tty;
  return key_waiting(window_keys, tty.fd());
}

bool key_waiting(WindowKeyQueue& window_keys, int terminal_fd) {
  if (g_terminal_codes.any() || !window_keys.empty()) return true;
  if (terminal_fd < 0) return false;
  pollfd fd{terminal_fd, POLLIN, 0};
  return poll(&fd, 1, 0) > 0;
}

}  // namespace korvi
