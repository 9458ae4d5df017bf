#include "screen/input_wait.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

#include "korvi/terminal/raw_key_mode.h"

namespace korvi {
namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds left until the deadline, rounded up; -1 without one.
int milliseconds_left(bool limited, Clock::time_point deadline) {
  if (!limited) return -1;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
  return static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, 1 << 30));
}

}  // namespace

bool wait_for_keys_or_mouse(WindowKeyQueue& keys, MouseMessages& mouse, int timeout_ms) {
  const bool limited = timeout_ms >= 0;
  const Clock::time_point deadline =
      limited ? Clock::now() + std::chrono::milliseconds(timeout_ms) : Clock::time_point();
  const MouseMessages::Watch watch(mouse);
  const terminal::RawKeyMode tty;
  // A window that is open now ends the wait when it closes; the key queue's wake-up
  // stays readable while it is closed, so it is watched only while it was open.
  const bool window_was_open = keys.is_open();
  for (;;) {
    keys.drain_wakeups();
    watch.drain();
    if (key_waiting(keys, tty.fd()) || mouse.any()) return true;
    if (window_was_open && !keys.is_open()) return false;
    int wait = milliseconds_left(limited, deadline);
    if (wait == 0) return false;
    pollfd fds[3];
    nfds_t count = 0;
    if (tty.fd() >= 0) fds[count++] = {tty.fd(), POLLIN, 0};
    if (window_was_open) {
      fds[count++] = {keys.wake_fd(), POLLIN, 0};
      if (watch.fd() >= 0)
        fds[count++] = {watch.fd(), POLLIN, 0};
      else
        wait = wait < 0 ? 10 : std::min(wait, 10);  // no doorbell: look again soon
    }
    if (count == 0 && !limited) return false;  // nothing could ever come
    if (poll(fds, count, wait) < 0 && errno != EINTR) return false;
    // A terminal that hung up stays readable: key_waiting() then reports it at once,
    // and read_key() takes it off the list.
  }
}

void pause_calling_thread(int milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace korvi
