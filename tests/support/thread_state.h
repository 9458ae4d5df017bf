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

// The calling thread runs on one processor from now on, the first this process may
// use: threads that all call it take turns, as on a machine of one processor. False
// when the system refuses.
bool run_on_first_processor();
// The calling thread runs only while nothing else wants its processor (the idle
// scheduling class): beside a busy thread on the same processor it starves.
bool run_only_when_idle();

}  // namespace korvi::test
