#include "screen/mouse_messages.h"

#include <algorithm>

#ifdef __EMSCRIPTEN__
#include "web/browser_wait.h"
#endif

namespace korvi {

void MouseMessages::deliver(const MouseMessage& message) {
  // Only this thread sets m_overflowing: when it reads false, the overflow is empty
  // and the ring may take the message.
  if (!m_overflowing.load(std::memory_order_acquire) && m_ring.push(message)) {
    wake_reader();
    return;
  }
  {
    std::lock_guard lock(m_mutex);
    if (m_overflow.empty() && m_ring.push(message)) {
      // The reader emptied the overflow and made room meanwhile.
    } else if (m_overflow.size() < OVERFLOW_LIMIT && reader_is_taking()) {
      m_overflow.push_back(message);
      m_overflowing.store(true, std::memory_order_release);
    } else {
      return;  // lost: nobody is taking messages
    }
  }
  wake_reader();
}

bool MouseMessages::any() const {
  return !m_ring.is_empty() || m_overflowing.load(std::memory_order_acquire);
}

MouseMessage MouseMessages::wait() {
  if (any()) return take();  // no lock while messages flow
#ifdef __EMSCRIPTEN__
  // In a page the browser delivers messages while the reader gives it its turns.
  m_reader_asleep.store(true);
  web::wait_in_browser([this] {
    std::lock_guard lock(m_mutex);
    return any() || !m_open;
  });
  m_reader_asleep.store(false);
#else
  {
    std::unique_lock lock(m_mutex);
    m_reader_asleep.store(true);
    // Either this thread sees a message delivered now, or the UI thread sees it asleep.
    std::atomic_thread_fence(std::memory_order_seq_cst);
    m_arrived.wait(lock, [this] { return any() || !m_open; });
    m_reader_asleep.store(false);
  }
#endif
  return take();
}

void MouseMessages::clear() {
  m_ring.clear();
  std::lock_guard lock(m_mutex);
  m_overflow.clear();
  m_overflowing.store(false, std::memory_order_release);
  m_last_taken.store(0, std::memory_order_relaxed);
}

void MouseMessages::set_open(bool open) {
  {
    std::lock_guard lock(m_mutex);
    m_open = open;
  }
  if (!open) m_arrived.notify_all();
}

MouseMessage MouseMessages::take() {
  MouseMessage message;
  if (!m_ring.is_empty()) {
    message = m_ring.peek();
    m_ring.pop();
  } else {
    std::lock_guard lock(m_mutex);
    if (m_overflow.empty()) return message;
    message = m_overflow.front();
    m_overflow.pop_front();
    if (m_overflow.empty()) m_overflowing.store(false, std::memory_order_release);
  }
  m_last_taken.store(std::max<Clock::rep>(1, Clock::now().time_since_epoch().count()),
                     std::memory_order_relaxed);
  return message;
}

bool MouseMessages::reader_is_taking() const {
  if (m_reader_asleep.load()) return true;  // woken, it takes messages as soon as it runs
  const Clock::rep last = m_last_taken.load(std::memory_order_relaxed);
  return last != 0 &&
         Clock::now() - Clock::time_point(Clock::duration(last)) < READING_LATELY;
}

void MouseMessages::wake_reader() {
  std::atomic_thread_fence(std::memory_order_seq_cst);
  // Either the watcher sees this message in any(), or this thread sees the watch.
  if (m_watched.load()) m_watch_fd.signal();
  if (!m_reader_asleep.load()) return;
  // The reader holds the lock until its wait begins: the wake-up cannot come before
  // the wait.
  { std::lock_guard lock(m_mutex); }
  m_arrived.notify_one();
}

MouseMessages::Watch::Watch(MouseMessages& messages) : m_messages(messages) {
  m_messages.m_watched.store(true);
  std::atomic_thread_fence(std::memory_order_seq_cst);
}

MouseMessages::Watch::~Watch() { m_messages.m_watched.store(false); }

void MouseMessages::Watch::drain() const { m_messages.m_watch_fd.drain(); }

}  // namespace korvi
