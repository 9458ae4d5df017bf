#include "korvi/terminal/terminal_state.h"

#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <mutex>

namespace korvi::terminal {
namespace {

// Signal handlers read this state on any thread: fixed storage, and lock-free
// atomics that publish an entry only once it is complete.
static_assert(std::atomic<int>::is_always_lock_free);

constexpr int FREE = -1;
constexpr int FILLING = -2;

struct KeptMode {
  std::atomic<int> fd{FREE};  // FREE, FILLING, or the terminal whose mode is kept
  termios mode{};
};
KeptMode g_modes[4];

constexpr std::size_t RESET_CAPACITY = 31;
std::atomic<int> g_colour_fd{-1};  // -1: no colour reset due
char g_colour_reset[RESET_CAPACITY];
std::size_t g_colour_reset_size = 0;

void write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

extern "C" void restore_and_end(int signal_number) {
  restore_all();
  // SA_RESETHAND has put the default action back and SA_NODEFER leaves the signal
  // unblocked: raising it again ends the process as the first one would have.
  raise(signal_number);
}

// Installs the handler where the signal still has its default action.
void take_over(int signal_number) {
  struct sigaction previous {};
  if (sigaction(signal_number, nullptr, &previous) != 0) return;
  if ((previous.sa_flags & SA_SIGINFO) != 0 || previous.sa_handler != SIG_DFL) return;
  struct sigaction action {};
  action.sa_handler = restore_and_end;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND | SA_NODEFER;
  sigaction(signal_number, &action, nullptr);
}

void install_restorers() {
  static std::once_flag once;
  std::call_once(once, [] {
    std::atexit(restore_all);
    std::at_quick_exit(restore_all);
    for (const int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) take_over(signal_number);
  });
}

}  // namespace

bool save_mode(int fd) {
  termios mode{};
  if (fd < 0 || tcgetattr(fd, &mode) != 0) return false;
  install_restorers();
  for (KeptMode& kept : g_modes) {
    if (kept.fd.load() == fd) return true;  // the first mode kept is the one to restore
  }
  for (KeptMode& kept : g_modes) {
    int expected = FREE;
    if (!kept.fd.compare_exchange_strong(expected, FILLING)) continue;
    kept.mode = mode;
    kept.fd.store(fd);
    return true;
  }
  return false;
}

void restore_mode(int fd) {
  for (KeptMode& kept : g_modes) {
    if (fd < 0 || kept.fd.load() != fd) continue;
    // Restored before it is forgotten: a signal in between restores it once more.
    tcsetattr(fd, TCSANOW, &kept.mode);
    kept.fd.store(FREE);
  }
}

void note_colours_set(int fd, std::string_view reset) {
  install_restorers();
  g_colour_fd.store(-1);
  g_colour_reset_size = reset.copy(g_colour_reset, RESET_CAPACITY);
  g_colour_fd.store(fd);
}

void note_colours_reset() { g_colour_fd.store(-1); }

void restore_all() {
  const int saved_errno = errno;  // a signal handler must leave errno as it found it
  // The newest kept mode first, so that the oldest one (the mode the process found)
  // is what a terminal kept twice is left in.
  for (auto kept = std::rbegin(g_modes); kept != std::rend(g_modes); ++kept) {
    const int fd = kept->fd.load();
    if (fd >= 0) tcsetattr(fd, TCSANOW, &kept->mode);
  }
  const int colour_fd = g_colour_fd.exchange(-1);
  if (colour_fd >= 0) write_all(colour_fd, std::string_view(g_colour_reset, g_colour_reset_size));
  errno = saved_errno;
}

void end_process(std::string_view message, int status) {
  restore_all();
  write_all(STDERR_FILENO, message);
  write_all(STDERR_FILENO, "\n");
  _exit(status);
}

}  // namespace korvi::terminal
