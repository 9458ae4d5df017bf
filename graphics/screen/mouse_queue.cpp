#include "screen/mouse_queue.h"

namespace korvi {
namespace {

constexpr std::uint8_t next_index(std::uint8_t index) {
  return static_cast<std::uint8_t>((index + 1) % MouseMessageQueue::CAPACITY);
}

}  // namespace

bool MouseMessageQueue::push(const MouseMessage& message) {
  if (is_full()) return false;
  const std::uint8_t write = m_write.load(std::memory_order_relaxed);
  m_slots[write] = message;
  m_write.store(next_index(write), std::memory_order_release);
  return true;
}

MouseMessage MouseMessageQueue::peek() const {
  return m_slots[m_read.load(std::memory_order_relaxed)];
}

void MouseMessageQueue::pop() {
  const std::uint8_t read = m_read.load(std::memory_order_relaxed);
  m_read.store(next_index(read), std::memory_order_release);
}

void MouseMessageQueue::clear() {
  m_read.store(m_write.load(std::memory_order_acquire), std::memory_order_release);
}

bool MouseMessageQueue::is_empty() const {
  return m_read.load(std::memory_order_acquire) == m_write.load(std::memory_order_acquire);
}

bool MouseMessageQueue::is_full() const { return size() >= CAPACITY - 1; }

unsigned MouseMessageQueue::size() const {
  const unsigned read = m_read.load(std::memory_order_acquire);
  const unsigned write = m_write.load(std::memory_order_acquire);
  return (write + CAPACITY - read) % CAPACITY;
}

}  // namespace korvi
