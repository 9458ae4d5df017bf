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

void push(korvi::WindowKeyQueue& keys, std::initializer_list<std::uint8_t> codes) {
  keys.push({codes.begin(), codes.size()});
}

TEST(KeyInput, WithNeitherTerminalNorWindowTheWaitEndsAtOnce) {
  without_terminal([] {
    korvi::WindowKeyQueue closed;
    return korvi::wait_for_key(closed) == -1 && !korvi::key_waiting(closed);
  });
}

TEST(KeyInput, AWindowKeyEndsTheWaitInOrder) {
  without_terminal([] {
    korvi::WindowKeyQueue keys;
    keys.set_open(true);
    const pid_t reader = korvi::test::current_thread_id();
    std::thread ui([&] {
      korvi::test::wait_until_blocked(reader);  // the keys come while the reader waits
      push(keys, {'x'});
      push(keys, {'\r'});
    });
    const int first = korvi::wait_for_key(keys);
    ui.join();
    const bool waiting = korvi::key_waiting(keys);
    const int second = korvi::wait_for_key(keys);
    return first == 'x' && waiting && second == '\r' && !korvi::key_waiting(keys);
  });
}

TEST(KeyInput, ClosingTheWindowReleasesTheReaderAfterTheCodesHeld) {
  without_terminal([] {
    korvi::WindowKeyQueue keys;
    keys.set_open(true);
    push(keys, {224, 72});
    const int prefix = korvi::wait_for_key(keys);
    const bool second_waits = korvi::key_waiting(keys);
    const int second = korvi::wait_for_key(keys);
    const pid_t reader = korvi::test::current_thread_id();
    std::thread closer([&] {
      korvi::test::wait_until_blocked(reader);
      push(keys, {0, 59});  // held when the window closes: still read
      keys.set_open(false);
    });
    const bool held = korvi::wait_for_key(keys) == 0 && korvi::wait_for_key(keys) == 59;
    closer.join();
    return prefix == 224 && second_waits && second == 72 && held && korvi::wait_for_key(keys) == -1;
  });
}

}  // namespace
