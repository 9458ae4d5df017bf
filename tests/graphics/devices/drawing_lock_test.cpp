// The drawing lock lets its waiters in by turns, so that a thread that draws in a
// loop cannot starve the window's painting or another thread's call.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "state/fair_mutex.h"
#include "thread_state.h"

namespace {

TEST(DrawingLock, AThreadThatLocksAgainAtOnceWaitsForItsTurn) {
  korvi::FairMutex lock;
  std::string order;  // written under the lock
  std::atomic<pid_t> waiter_id{0};
  lock.lock();
  std::thread waiter([&] {
    waiter_id = korvi::test::current_thread_id();
    lock.lock();
    order += 'W';
    lock.unlock();
  });
  while (waiter_id == 0) std::this_thread::yield();
  ASSERT_TRUE(korvi::test::wait_until_blocked(waiter_id));
  lock.unlock();
  lock.lock();  // at once: the waiter came first
  order += 'A';
  lock.unlock();
  waiter.join();
  EXPECT_EQ(order, "WA");
}

}  // namespace
