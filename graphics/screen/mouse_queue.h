// The bounded ring of mouse messages between the UI thread (the only producer) and
// the program's reader (one thread at a time: the only consumer).
#pragma once

#include <korvi/graphics.h>

#include <array>
#include <atomic>
#include <cstdint>

namespace korvi {

// Single-producer single-consumer ring of 64 slots holding at most 63 messages.
// The producer alone advances the write index and the consumer alone the read
// index; a slot is filled before the write index that publishes it moves, so the
// consumer never sees a half-written message. No lock is taken.
class MouseMessageQueue {
 public:
  static constexpr unsigned CAPACITY = 64;

  // Producer: stores the message, or drops it when the queue is full.
  // Returns whether it was stored.
  bool push(const MouseMessage& message);

  // Consumer: the oldest message. Callers check is_empty() first.
  MouseMessage peek() const;
  // Consumer: drops the oldest message. Callers check is_empty() first.
  void pop();
  // Consumer: drops every message held now.
  void clear();

  bool is_empty() const;
  bool is_full() const;
  unsigned size() const;

 private:
  std::array<MouseMessage, CAPACITY> m_slots{};
  std::atomic<std::uint8_t> m_read{0};
  std::atomic<std::uint8_t> m_write{0};
};

}  // namespace korvi
