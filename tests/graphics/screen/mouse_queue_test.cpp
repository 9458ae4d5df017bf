#include "screen/mouse_queue.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

korvi::MouseMessage move_to(int x) {
  korvi::MouseMessage m;
  m.message = korvi::WM_MOUSEMOVE;
  m.x = static_cast<std::int16_t>(x);
  return m;
}

TEST(MouseMessageQueue, HoldsSixtyThreeAndDropsTheRest) {
  korvi::MouseMessageQueue queue;
  EXPECT_TRUE(queue.is_empty());
  int stored = 0;
  for (int i = 0; i < 100; ++i) stored += queue.push(move_to(i));
  EXPECT_EQ(stored, 63);
  EXPECT_EQ(queue.size(), 63u);
  EXPECT_TRUE(queue.is_full());
  for (int i = 0; i < 63; ++i) {
    ASSERT_FALSE(queue.is_empty());
    EXPECT_EQ(queue.peek().x, i);  // the first 63, oldest first
    queue.pop();
  }
  EXPECT_TRUE(queue.is_empty());
}

TEST(MouseMessageQueue, WrapsAroundAndClears) {
  korvi::MouseMessageQueue queue;
  for (int round = 0; round < 5; ++round) {
    for (int i = 0; i < 40; ++i) ASSERT_TRUE(queue.push(move_to(round * 100 + i)));
    EXPECT_EQ(queue.size(), 40u);
    EXPECT_EQ(queue.peek().x, round * 100);
    queue.clear();
    EXPECT_TRUE(queue.is_empty());
  }
}

TEST(MouseMessageQueue, OneProducerOneConsumerSeeEveryMessageInOrder) {
  korvi::MouseMessageQueue queue;
  constexpr int COUNT = 200000;
  std::thread producer([&] {
    for (int i = 0; i < COUNT;)
      if (queue.push(move_to(i % 30000))) ++i;
  });
  for (int expected = 0; expected < COUNT;) {
    if (queue.is_empty()) continue;
    ASSERT_EQ(queue.peek().x, expected % 30000);
    queue.pop();
    ++expected;
  }
  producer.join();
  EXPECT_TRUE(queue.is_empty());
}

}  // namespace
