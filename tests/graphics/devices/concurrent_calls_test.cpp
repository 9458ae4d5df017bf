// What the library allows from several threads at once, under the offscreen driver:
// closing from any thread while the drawing thread works, readers released by a
// close, a UI thread that never waits for a reader, and the ways the process ends.
// The thread sanitizer pass runs these; in the other builds they check outcomes.
// Tests that change how threads are scheduled run in a fresh process each.
#include <SDL.h>
#include <gtest/gtest.h>
#include <korvi/graphics.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>
#include <vector>

#include "input_box/running_box.h"
#include "thread_state.h"
#include "window_events.h"

namespace {

using namespace korvi;
using namespace korvi::test;
using namespace std::chrono_literals;

const bool offscreen = [] { return setenv("SDL_VIDEODRIVER", "offscreen", 1) == 0; }();

// Runs the body in a fresh process without a terminal, ended by SIGALRM if it hangs:
// passes when the body returns 0.
#define EXPECT_IN_FRESH_PROCESS(body)                                                 \
  do {                                                                                \
    GTEST_FLAG_SET(death_test_style, "threadsafe");                                   \
    EXPECT_EXIT(                                                                      \
        {                                                                             \
          setsid();                                                                   \
          alarm(10);                                                                  \
          _exit(body());                                                              \
        },                                                                            \
        ::testing::ExitedWithCode(0), "");                                            \
  } while (0)

TEST(ConcurrentCalls, CloseFromAnotherThreadWhileTheDrawingThreadReopens) {
  ASSERT_TRUE(offscreen);
  std::atomic<bool> reopening{true};
  std::thread closer([&] {
    while (reopening) close_graphics();
  });
  for (int i = 0; i < 100; ++i) {
    open_graphics(64, 48, 0);
    get_working_image();
    draw_line(0, 0, 63, 47);
  }
  reopening = false;
  closer.join();
  close_graphics();
}

TEST(ConcurrentCalls, TheWindowsPictureChangesWhileTheWindowPaintsIt) {
  ASSERT_TRUE(offscreen);
  ASSERT_NE(open_graphics(64, 48), nullptr);
  close_graphics();
  Image* const picture = get_working_image();  // the window's picture, kept
  ASSERT_NE(picture, nullptr);
  ASSERT_NE(open_graphics(64, 48), nullptr);
  std::atomic<bool> painting{true};
  const std::uint32_t id = the_window().native_id();
  std::thread painter([&] {  // one repaint at a time, so the event queue never fills
    while (painting) {
      SDL_Event expose = window_event(SDL_WINDOWEVENT_EXPOSED, id);
      SDL_PushEvent(&expose);
      std::this_thread::sleep_for(100us);
    }
  });
  Image other(64, 48);
  for (int i = 0; i < 50; ++i) {
    get_image(picture, 0, 0, 64, 48);
    *picture = other;
    resize_image(picture, 64 + i % 2, 48);
    set_working_image(picture);  // drawn on as an image, while the window shows it
    draw_line(0, i % 48, 63, 47);
    clear_device();
    set_working_image(nullptr);
  }
  painting = false;
  painter.join();
  settle();
  close_graphics();
}

// A close from another thread that takes the window while the drawing thread opens
// a new one must leave the new one's readers waiting. The closer is slowed down (it
// runs only when the processor is idle) so that it finishes last.
int close_and_reopen_leave_the_new_window_open() {
  if (!run_on_first_processor()) return 3;
  library().ui_thread().call([] { run_on_first_processor(); });
  for (int i = 0; i < 20; ++i) {
    if (!open_graphics(32, 32)) return 4;
    std::atomic<bool> started{false};
    std::thread closer([&] {
      run_only_when_idle();
      started = true;
      close_graphics();
    });
    while (!started) std::this_thread::yield();
    const WindowHandle reopened = open_graphics(32, 32);
    closer.join();
    // When the new window survived, a mouse reader must wait for it.
    if (reopened && get_window_handle() == reopened) {
      std::promise<MouseMessage> read;
      std::future<MouseMessage> message = read.get_future();
      std::thread reader([&] { read.set_value(get_mouse_message()); });
      if (message.wait_for(50ms) == std::future_status::ready) {
        reader.join();
        return 1;  // released at once: the window counts as closed
      }
      push(motion(1, 1));
      reader.join();
    }
  }
  return 0;
}

TEST(ConcurrentCallsDeathTest, AConcurrentCloseLeavesTheNewWindowsReadersWaiting) {
  EXPECT_IN_FRESH_PROCESS(close_and_reopen_leave_the_new_window_open);
}

int a_close_releases_every_key_reader() {
  if (!open_graphics(32, 32)) return 3;
  std::vector<std::thread> readers;
  std::vector<std::atomic<pid_t>> ids(3);
  std::atomic<int> released{0};
  for (auto& id : ids) {
    readers.emplace_back([&] {
      id = current_thread_id();
      if (read_key() == -1) ++released;
    });
  }
  for (auto& id : ids) {
    while (id == 0) std::this_thread::yield();
    if (!wait_until_blocked(id)) return 4;
  }
  close_graphics();
  for (auto& reader : readers) reader.join();
  return released == 3 ? 0 : 1;
}

TEST(ConcurrentCallsDeathTest, ACloseReleasesEveryKeyReader) {
  EXPECT_IN_FRESH_PROCESS(a_close_releases_every_key_reader);
}

// The reader is woken by a burst but gets no processor while the UI thread is busy:
// the UI thread must keep going (not wait for it), and the reader must get the
// whole burst afterwards.
int a_starved_reader_neither_holds_up_the_window_nor_loses_messages() {
  constexpr int BURST = 1000;
  if (!open_graphics(32, 32) || !run_on_first_processor()) return 3;
  library().ui_thread().call([] { run_on_first_processor(); });
  std::atomic<pid_t> reader_id{0};
  std::atomic<int> received{0};
  std::thread reader([&] {
    run_on_first_processor();
    run_only_when_idle();
    reader_id = current_thread_id();
    while (get_mouse_message().message != 0) ++received;
  });
  while (reader_id == 0) std::this_thread::yield();
  if (!wait_until_blocked(reader_id)) return 4;
  // A thread that keeps the processor busy: the idle-class reader gets no turn
  // while the UI thread handles the burst.
  std::atomic<bool> busy{true};
  std::thread hog([&] {
    run_on_first_processor();
    while (busy) {
    }
  });
  std::promise<void> release;
  library().ui_thread().post([held = release.get_future().share()] { held.wait(); });
  for (int i = 0; i < BURST; ++i) push(motion(i % 100, 1));
  release.set_value();
  // Waiting 20 ms for the reader at each message beyond the first 63 would take
  // about 19 s: the alarm ends the process first.
  settle();
  busy = false;
  hog.join();
  while (received < BURST) std::this_thread::sleep_for(1ms);  // the reader runs now
  close_graphics();
  reader.join();
  return received == BURST ? 0 : 1;
}

TEST(ConcurrentCallsDeathTest, AStarvedReaderNeitherHoldsUpTheWindowNorLosesMessages) {
  EXPECT_IN_FRESH_PROCESS(a_starved_reader_neither_holds_up_the_window_nor_loses_messages);
}

// The close box ends the program even while another thread is stuck writing to
// standard output, a pipe that nobody reads.
int the_close_box_ends_a_program_blocked_on_its_output() {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0 || dup2(pipe_ends[1], STDOUT_FILENO) < 0) return 3;
  if (!open_graphics(32, 32)) return 4;
  std::atomic<pid_t> writer_id{0};
  std::thread writer([&] {
    writer_id = current_thread_id();
    const std::vector<char> block(1 << 20, 'x');
    std::fwrite(block.data(), 1, block.size(), stdout);  // blocks with the stream locked
  });
  while (writer_id == 0) std::this_thread::yield();
  if (!wait_until_blocked(writer_id)) return 5;
  push(window_event(SDL_WINDOWEVENT_CLOSE));
  writer.join();  // never returns: the close box ends the process with status 0
  return 6;
}

TEST(ConcurrentCallsDeathTest, TheCloseBoxEndsAProgramBlockedOnItsOutput) {
  EXPECT_IN_FRESH_PROCESS(the_close_box_ends_a_program_blocked_on_its_output);
}

// The program ends while another thread shows an input box with thousands of
// repaints still to do: the box's fonts must last as long as the UI thread that
// paints with them.
int the_program_ends_while_an_input_box_paints() {
  std::thread asker([] {
    char text[16] = "";
    input_box(text, sizeof text, "still asking");
  });
  asker.detach();
  while (dialog::running_box_window_id() == 0) std::this_thread::sleep_for(1ms);
  const std::uint32_t box = dialog::running_box_window_id();
  for (int i = 0; i < 5000; ++i) push(window_event(SDL_WINDOWEVENT_EXPOSED, box));
  std::exit(0);  // the library ends while the UI thread still paints the box
}

TEST(ConcurrentCallsDeathTest, TheProgramEndsWhileAnInputBoxPaints) {
  EXPECT_IN_FRESH_PROCESS(the_program_ends_while_an_input_box_paints);
}

}  // namespace
