// A Linux event descriptor used as a doorbell: signal() makes it readable for poll()
// until drain(). Signals never block and are never lost (they add up).
#pragma once

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace korvi {

class EventDescriptor {
 public:
#ifdef __EMSCRIPTEN__
  EventDescriptor() : m_fd(-1) {}  // a page has none; its waits give the browser turns
#else
  EventDescriptor() : m_fd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
#endif
  ~EventDescriptor() {
    if (m_fd >= 0) close(m_fd);
  }
  EventDescriptor(const EventDescriptor&) = delete;
  EventDescriptor& operator=(const EventDescriptor&) = delete;

  // -1 when the system gave none.
  int get() const { return m_fd; }
  void signal() const {
    const std::uint64_t one = 1;
    if (m_fd >= 0) (void)!write(m_fd, &one, sizeof one);
  }
  void drain() const {
    std::uint64_t count = 0;
    if (m_fd >= 0) (void)!read(m_fd, &count, sizeof count);
  }

 private:
  int m_fd;
};

}  // namespace korvi
