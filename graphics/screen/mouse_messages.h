// The graphics window's mouse messages on their way from the UI thread, which
// delivers them, to the program's reader (one thread at a time).
#pragma once

#include <korvi/graphics.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

#include "screen/event_descriptor.h"
#include "screen/mouse_queue.h"

namespace korvi {

// The window holds 63 messages in a lock-free ring. When the ring is full while a
// reader is taking messages (it waits for one, or took one lately), what follows is
// kept aside in an overflow, in order, up to OVERFLOW_LIMIT messages, instead of
// being lost; the reader takes the ring first, then the overflow. The UI thread
// never waits for the reader.
class MouseMessages {
 public:
  static constexpr std::size_t OVERFLOW_LIMIT = 1 << 14;
  // A reader that took a message this recently is taking them.
  static constexpr std::chrono::milliseconds READING_LATELY{100};

  // UI thread: stores the message, or drops it (the ring is full and nobody reads).
  void deliver(const MouseMessage& message);

  // Reader: whether a message is held.
  bool any() const;
  // Reader: the oldest message, waiting for one while the window is open; a message
  // with code 0 when none is held and the window is closed or closes meanwhile.
  MouseMessage wait();
  // Reader: drops every message held; the reader counts as not reading until it
  // takes a message again.
  void clear();

  // Any thread: whether messages can come (the window is open). Closing releases a
  // waiting reader.
  void set_open(bool open);

  // For a reader that waits on several sources at once with poll(): while a Watch
  // lives, every delivered message makes fd() readable.
  class Watch {
   public:
    explicit Watch(MouseMessages& messages);
    ~Watch();
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;
    // -1 when the system gave no descriptor: the watcher then polls by time.
    int fd() const { return m_messages.m_watch_fd.get(); }
    // Forgets the deliveries seen so far; then looks at any() again.
    void drain() const;

   private:
    MouseMessages& m_messages;
  };

 private:
  using Clock = std::chrono::steady_clock;
  // Reader: the oldest message, from the ring or else the overflow; code 0 if none.
  MouseMessage take();
  bool reader_is_taking() const;
  void wake_reader();

  MouseMessageQueue m_ring;
  // Readable after a delivery while a Watch lives.
  EventDescriptor m_watch_fd;
  std::atomic<bool> m_watched{false};
  // Set by the UI thread while messages go to the overflow (the ring's are older),
  // cleared by the reader when it empties the overflow. Changed under m_mutex.
  std::atomic<bool> m_overflowing{false};
  std::atomic<bool> m_reader_asleep{false};
  // When the reader last took a message, as a count of the clock's ticks; 0: not
  // reading.
  std::atomic<Clock::rep> m_last_taken{0};

  mutable std::mutex m_mutex;
  std::condition_variable m_arrived;
  std::deque<MouseMessage> m_overflow;  // under m_mutex
  bool m_open = false;                  // under m_mutex
};

}  // namespace korvi
