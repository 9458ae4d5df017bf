#include "thread_state.h"

#include <sched.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace korvi::test {
namespace {

// The state letter of /proc/self/task/<id>/stat: it follows the ")" that ends the
// thread's name ('S' sleeping, 'D' in an uninterruptible wait, 'R' running).
char thread_state(pid_t thread_id) {
  std::ifstream stat("/proc/self/task/" + std::to_string(thread_id) + "/stat");
  std::stringstream text;
  text << stat.rdbuf();
  const std::string line = text.str();
  const std::size_t name_end = line.rfind(')');
  return name_end != std::string::npos && name_end + 2 < line.size() ? line[name_end + 2] : '?';
}

}  // namespace

pid_t current_thread_id() { return gettid(); }

bool wait_until_blocked(pid_t thread_id, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    const char state = thread_state(thread_id);
    if (state == 'S' || state == 'D') return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::yield();
  }
}

bool run_on_first_processor() {
  cpu_set_t allowed;
  if (sched_getaffinity(0, sizeof allowed, &allowed) != 0) return false;
  int first = 0;
  while (first < CPU_SETSIZE && !CPU_ISSET(first, &allowed)) ++first;
  if (first == CPU_SETSIZE) return false;
  cpu_set_t one;
  CPU_ZERO(&one);
  CPU_SET(first, &one);
  return sched_setaffinity(0, sizeof one, &one) == 0;  // 0: the calling thread
}

bool run_only_when_idle() {
  const sched_param none{};
  return sched_setscheduler(0, SCHED_IDLE, &none) == 0;
}

}  // namespace korvi::test
