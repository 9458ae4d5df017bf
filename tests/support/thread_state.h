// Lining threads up in tests without fixed sleeps: one thread waits until another
// is blocked in the kernel (in a poll, a read, a wait on a lock or a condition).
#pragma once

#include <sys/types.h>

#include <chrono>

namespace korvi::test {

// The calling thread's id in the kernel.
pid_t current_thread_id();

// Waits until the thread of this process with that id sleeps in the kernel, or
// the time is up; returns whether it sleeps.
bool wait_until_blocked(pid_t thread_id,
                        std::chrono::milliseconds timeout = std::chrono::seconds(10));

}  // namespace korvi::test
