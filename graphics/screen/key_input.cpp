#include "screen/key_input.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "korvi/terminal/raw_key_mode.h"

namespace korvi {
namespace {

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
  const terminal::RawKeyMode tty;
  return poll_for_key(window_keys, tty.fd());
}

bool key_waiting(WindowKeyQueue* window_keys) {
  if (window_keys && !window_keys->empty()) return true;
  const terminal::RawKeyMode tty;
  if (tty.fd() < 0) return false;
  pollfd fd{tty.fd(), POLLIN, 0};
  return poll(&fd, 1, 0) > 0;
}

}  // namespace korvi
