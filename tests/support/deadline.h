#pragma once
// Time left until a deadline, for the waits of the child-process helpers.

#include <chrono>

namespace korvi::test {

using Clock = std::chrono::steady_clock;

// What is left of the time until deadline; zero once it has passed.
inline std::chrono::milliseconds remaining(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? left : std::chrono::milliseconds(0);
}

}  // namespace korvi::test
