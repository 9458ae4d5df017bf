#pragma once
// Small steps shared by the child-process helpers: deadlines, writing, reading and
// ending a child.

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <string_view>

namespace korvi::test {

using Clock = std::chrono::steady_clock;

// What is left of the time until deadline; zero once it has passed.
inline std::chrono::milliseconds remaining(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? left : std::chrono::milliseconds(0);
}

// Writes all of bytes, through interruptions; stops at the first failure.
inline void write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

// Appends what fd has within timeout to out: the bytes read, 0 at the end or on an
// error, -1 when nothing came in time.
inline ssize_t read_available(int fd, std::chrono::milliseconds timeout, std::string& out) {
  pollfd ready{fd, POLLIN, 0};
  if (poll(&ready, 1, static_cast<int>(timeout.count())) <= 0) return -1;
  char buffer[4096];
  const ssize_t n = read(fd, buffer, sizeof buffer);
  if (n <= 0) return 0;
  out.append(buffer, static_cast<std::size_t>(n));
  return n;
}

// Kills a child that is still running and reaps it.
inline void kill_and_reap(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

}  // namespace korvi::test
