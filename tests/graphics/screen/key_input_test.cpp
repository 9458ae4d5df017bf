#include "screen/key_input.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "thread_state.h"

namespace {

// Runs the test body in a child without a controlling terminal, so that only
// the window queue can deliver keys (and a developer's terminal is left alone).
template <class Body>
void without_terminal(Body body) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    setsid();
    _exit(body() ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(KeyInput, WithNeitherTerminalNorWindowTheWaitEndsAtOnce) {
  without_terminal(
      [] { return korvi::wait_for_key(nullptr) == -1 && !korvi::key_waiting(nullptr); });
}

TEST(KeyInput, AWindowKeyEndsTheWaitInOrder) {
  without_terminal([] {
    korvi::WindowKeyQueue keys;
    const pid_t reader = korvi::test::current_thread_id();
    std::thread ui([&] {
      korvi::test::wait_until_blocked(reader);  // the keys come while the reader waits
      keys.push('x');
      keys.push('\r');
    });
    const int first = korvi::wait_for_key(&keys);
    ui.join();
    const bool waiting = korvi::key_waiting(&keys);
    const int second = korvi::wait_for_key(&keys);
    return first == 'x' && waiting && second == '\r' && !korvi::key_waiting(&keys);
  });
}

}  // namespace
