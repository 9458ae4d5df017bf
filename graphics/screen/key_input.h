// Key presses for programs that wait for "any key": typed in the controlling
// terminal (read without echo and without waiting for Enter) or pressed in the
// graphics window.
#pragma once

#include <deque>
#include <mutex>

namespace korvi {

// Keys pressed in the graphics window, handed from the UI thread to the thread
// that waits for them. A pipe wakes a waiter that also watches the terminal.
class WindowKeyQueue {
 public:
  WindowKeyQueue();
  ~WindowKeyQueue();
  WindowKeyQueue(const WindowKeyQueue&) = delete;
  WindowKeyQueue& operator=(const WindowKeyQueue&) = delete;

  void push(int key);
  // The oldest key, or -1 when none is held.
  int pop();
  bool empty() const;
  void clear();
  // Readable while keys are held.
  int wake_fd() const { return m_pipe[0]; }

 private:
  mutable std::mutex m_mutex;
  std::deque<int> m_keys;
  int m_pipe[2] = {-1, -1};
};

// Waits for one key from the controlling terminal or, when window_keys is not
// null, from the window. Returns the key (a byte typed in the terminal, or the
// window key's code), or -1 at once when there is neither a terminal nor a
// window to wait on. The terminal's mode is restored before returning and on
// every way the process can end meanwhile.
int wait_for_key(WindowKeyQueue* window_keys);

// Whether a key is waiting in the terminal or the window queue.
bool key_waiting(WindowKeyQueue* window_keys);

}  // namespace korvi
