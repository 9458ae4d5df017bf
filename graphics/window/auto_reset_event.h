// An event that wakes one waiter and resets itself, like the kernel event the
// window handshake and the mouse wait are built on.
#pragma once

#include <condition_variable>
#include <mutex>

namespace korvi::window {

class AutoResetEvent {
 public:
  // Sets the event; one waiter (now or later) takes it and clears it. The waiter
  // is woken while the lock is held, so that it may destroy the event as soon as
  // its wait returns.
  void signal() {
    std::lock_guard lock(m_mutex);
    m_signalled = true;
    m_condition.notify_one();
  }

  void reset() {
    std::lock_guard lock(m_mutex);
    m_signalled = false;
  }

  // Waits until the event is set, then clears it.
  void wait() {
    std::unique_lock lock(m_mutex);
    m_condition.wait(lock, [this] { return m_signalled; });
    m_signalled = false;
  }

 private:
  std::mutex m_mutex;
  std::condition_variable m_condition;
  bool m_signalled = false;
};

}  // namespace korvi::window
