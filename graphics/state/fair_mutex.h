// A mutex that lets its waiters in by turns, in the order they came: a thread that
// unlocks and locks again at once cannot keep the others out (an ordinary mutex
// lets it, so a drawing loop could starve the window's painting or another call).
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace korvi {

class FairMutex {
 public:
  void lock() {
    std::unique_lock lock(m_mutex);
    const std::uint64_t ticket = m_next_ticket++;
    m_turn.wait(lock, [&] { return m_serving == ticket; });
  }

  void unlock() {
    {
      std::lock_guard lock(m_mutex);
      ++m_serving;
      if (m_serving == m_next_ticket) return;  // nobody waits
    }
    m_turn.notify_all();  // the waiter whose turn it is goes on, the others wait again
  }

 private:
  std::mutex m_mutex;
  std::condition_variable m_turn;
  std::uint64_t m_next_ticket = 0;  // under m_mutex
  std::uint64_t m_serving = 0;      // the ticket that holds the lock, or may take it
};

}  // namespace korvi
