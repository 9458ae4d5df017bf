// Keys in a page: only the graphics window gives them (a page has no terminal).
// The reader waits by giving the browser its turns, in which the window's keys
// arrive; the queue needs no wake-up pipe.
#include "screen/key_input.h"

#include "browser_wait.h"

namespace korvi {

WindowKeyQueue::WindowKeyQueue() = default;

WindowKeyQueue::~WindowKeyQueue() = default;

void WindowKeyQueue::push(std::span<const std::uint8_t> codes) {
  std::lock_guard lock(m_mutex);
  m_codes.insert(m_codes.end(), codes.begin(), codes.end());
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
}

bool WindowKeyQueue::is_open() const {
  std::lock_guard lock(m_mutex);
  return m_open;
}

void WindowKeyQueue::wake() {}
void WindowKeyQueue::drain_wakeups() {}
void WindowKeyQueue::drain_pipe() {}

int wait_for_key(WindowKeyQueue& window_keys) {
  web::wait_in_browser([&] { return !window_keys.empty() || !window_keys.is_open(); });
  return window_keys.pop();
}

bool key_waiting(WindowKeyQueue& window_keys) {
  // A program that polls for keys in a loop gives the browser a turn each time, so
  // that keys can come and its pictures show.
  if (window_keys.is_open()) web::yield_to_browser(0);
  return !window_keys.empty();
}

}  // namespace korvi
