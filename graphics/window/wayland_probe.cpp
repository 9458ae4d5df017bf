#include "wayland_probe.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "sdl_api.h"

namespace korvi::window {
namespace {

constexpr int PROBE_TIMEOUT_MS = 5000;

// In the child: start the video subsystem as the UI thread will, and say through
// the exit status whether it did. Nothing else is done there (the parent may have
// had other threads): no clean-up, no exit handlers.
[[noreturn]] void start_and_report() {
  const int null = open("/dev/null", O_WRONLY);
  if (null >= 0) dup2(null, STDERR_FILENO);
  const SdlApi& api = *sdl();
  api.SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  api.SDL_SetHint(SDL_HINT_VIDEODRIVER, "wayland");
  _exit(api.SDL_Init(SDL_INIT_VIDEO) == 0 ? 0 : 1);
}

}  // namespace

std::string probe_wayland() {
  int done[2];
  if (pipe2(done, O_CLOEXEC) != 0) return std::string("cannot start a process: ") + strerror(errno);
  const pid_t child = fork();
  if (child < 0) {
    close(done[0]);
    close(done[1]);
    return std::string("cannot start a process: ") + strerror(errno);
  }
  if (child == 0) {
    close(done[0]);
    start_and_report();  // done[1] closes when the child ends, however it ends
  }
  close(done[1]);
  pollfd ended{done[0], POLLIN, 0};
  int ready = 0;
  do {
    ready = poll(&ended, 1, PROBE_TIMEOUT_MS);
  } while (ready < 0 && errno == EINTR);
  close(done[0]);
  if (ready == 0) kill(child, SIGKILL);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (ready == 0) return "the Wayland display did not answer";
  if (WIFSIGNALED(status))
    return std::string("the windowing system crashed starting on the Wayland display (") +
           strsignal(WTERMSIG(status)) + "; a compositor without input devices?)";
  return {};  // started, or refused cleanly: the UI thread's own start says why
}

}  // namespace korvi::window
