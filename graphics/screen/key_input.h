// Keys as read_key() gives them: typed in the controlling terminal (read without
// echo and without waiting for Enter, its escape sequences decoded) or pressed in
// the graphics window, as the codes of <korvi/graphics.h>.
#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <span>

namespace korvi {

// Codes of keys pressed in the graphics window, handed from the UI thread to the
// thread that reads keys. A pipe wakes a reader that also watches the terminal:
// a byte for each push while the window is open, and readable for as long as it
// is closed.
class WindowKeyQueue {
 public:
  WindowKeyQueue();
  ~WindowKeyQueue();
  WindowKeyQueue(const WindowKeyQueue&) = delete;
  WindowKeyQueue& operator=(const WindowKeyQueue&) = delete;

  // The codes of one key, queued together.
  void push(std::span<const std::uint8_t> codes);
  // The oldest code, or -1 when none is held.
  int pop();
  bool empty() const;
  void clear();
  // Whether keys can come: the window is open. Closing wakes the readers, which
  // then stop waiting on the window (codes still held stay readable).
  void set_open(bool open);
  bool is_open() const;
  // Readable after a push and while closed. Readers drain it before they look at
  // the queue, so that a later push wakes them again; while closed it stays readable.
  int wake_fd() const { return m_pipe[0]; }
  void drain_wakeups();

 private:
  void wake();
  void drain_pipe();  // under m_mutex

  mutable std::mutex m_mutex;
  std::deque<std::uint8_t> m_codes;
  bool m_open = false;
  int m_pipe[2] = {-1, -1};
};

// Waits for the next key code: one held (the second code of a pair, or a key read
// with another), a key typed in the controlling terminal, or a key pressed in the
// window while it is open. Returns -1 at once when no code is held and there is
// neither a terminal nor an open window to wait on. The terminal's mode is
// restored before returning and on every way the process can end meanwhile
// (terminal/raw_key_mode.h).
int wait_for_key(WindowKeyQueue& window_keys);

// Whether a key code is held or waiting in the terminal or the window.
bool key_waiting(WindowKeyQueue& window_keys);
// The same with the terminal already in raw mode (terminal_fd: RawKeyMode::fd()).
bool key_waiting(WindowKeyQueue& window_keys, int terminal_fd);

}  // namespace korvi
