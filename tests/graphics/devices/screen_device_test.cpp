// The graphics window and its screen device, under the windowing system's offscreen
// driver: what the window's picture shows in and out of batch drawing, mouse
// messages and keys from synthetic events, and the close box.
#include <SDL.h>
#include <gtest/gtest.h>
#include <korvi/graphics.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <future>
#include <thread>

#include "input_box/running_box.h"
#include "state/graphics_library.h"
#include "thread_state.h"
#include "window_events.h"

namespace {

using namespace korvi;
using namespace korvi::test;
using namespace std::chrono_literals;

// Every window of this program goes to the offscreen driver.
const bool offscreen = [] { return setenv("SDL_VIDEODRIVER", "offscreen", 1) == 0; }();

constexpr Color RED = 0x0000FF;
constexpr Color GREEN = 0x00FF00;

// A pixel of what the window shows, as a colour value.
Color shown(int x, int y) {
  const raster::Surface picture = the_window().window_picture();
  return raster::color_from_pixel(picture.at(x, y));
}

Color buffered(int x, int y) {
  const std::uint32_t pixel = get_image_buffer(nullptr)[y * get_width() + x];
  return raster::color_from_pixel(pixel);
}

class ScreenDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(offscreen);
    ASSERT_NE(open_graphics(120, 80), nullptr);
    clear_device();  // a reopened window keeps the picture of the last test
    settle();        // the events of a new window (shown, exposed) are handled
  }
  void TearDown() override {
    end_batch();
    close_graphics();
  }
};

TEST_F(ScreenDeviceTest, OpenCloseAndReopen) {
  EXPECT_EQ(get_width(), 120);
  EXPECT_EQ(get_working_image(), nullptr);  // the window is the target
  put_pixel(5, 5, RED);
  const WindowHandle old_handle = get_window_handle();
  close_graphics();
  EXPECT_EQ(get_window_handle(), nullptr);
  // Without a window the working image is the window's picture in memory.
  ASSERT_NE(get_working_image(), nullptr);
  EXPECT_EQ(get_image_buffer(get_working_image()), get_image_buffer(nullptr));
  close_graphics();        // a second close does nothing
  put_pixel(6, 6, GREEN);  // drawing still reaches the back buffer
  EXPECT_EQ(buffered(6, 6), GREEN);
  const WindowHandle new_handle = open_graphics_default();
  ASSERT_NE(new_handle, nullptr);
  EXPECT_NE(new_handle, old_handle);  // a stale handle names no window
  EXPECT_FALSE(move_window(old_handle, 0, 0, 200, 200, false));
  EXPECT_TRUE(move_window(new_handle, 0, 0, 700, 500, false));
  EXPECT_EQ(get_width(), 640);
  EXPECT_EQ(get_height(), 480);
  EXPECT_EQ(buffered(5, 5), RED);          // the reopened window keeps the old picture
  EXPECT_EQ(get_line_color(), 0xFCFCFCu);  // and starts from the default state
}

TEST_F(ScreenDeviceTest, OutsideBatchEveryPrimitiveShowsAtOnce) {
  set_line_color(RED);
  draw_line(0, 10, 50, 10);
  EXPECT_EQ(shown(20, 10), RED);
  EXPECT_EQ(buffered(20, 10), RED);
}

TEST_F(ScreenDeviceTest, BatchDrawingShowsOnlyAtFlushes) {
  set_line_color(RED);
  draw_line(0, 1, 50, 1);
  begin_batch();
  draw_line(0, 10, 50, 10);
  draw_circle(60, 40, 10);
  draw_text(5, 50, "batch");
  EXPECT_EQ(buffered(20, 10), RED);
  EXPECT_EQ(shown(20, 10), 0u);
  EXPECT_EQ(shown(20, 1), RED);  // what was shown before stays

  // Settings made in batch mode hold for the window's picture afterwards.
  set_line_color(GREEN);
  set_fill_style(GREEN);
  set_bk_color(RED);
  end_batch_rect(10, 10, 19, 19);  // exactly 10 x 10 pixels, then batch mode is off
  EXPECT_EQ(shown(10, 10), RED);
  EXPECT_EQ(shown(19, 10), RED);
  EXPECT_EQ(shown(20, 10), 0u);
  EXPECT_EQ(shown(60, 40), 0u);
  draw_line(0, 70, 50, 70);  // outside batch mode again: both pictures, in green
  EXPECT_EQ(shown(20, 70), GREEN);
  EXPECT_EQ(shown(20, 10), 0u);  // the rest of the batch still waits

  begin_batch();
  clear_device();  // in batch mode the window keeps the old picture
  EXPECT_EQ(shown(20, 70), GREEN);
  flush_batch();  // shows everything, batch mode stays on
  EXPECT_EQ(shown(20, 70), RED);
  draw_line(0, 75, 50, 75);
  EXPECT_EQ(shown(20, 75), RED);
  end_batch();
  EXPECT_EQ(shown(20, 75), GREEN);
}

TEST_F(ScreenDeviceTest, ARepaintShowsTheWholeBackBuffer) {
  begin_batch();
  set_line_color(RED);
  draw_line(0, 10, 50, 10);
  push(window_event(SDL_WINDOWEVENT_EXPOSED));
  settle();
  EXPECT_EQ(shown(20, 10), RED);
  draw_line(0, 20, 50, 20);  // batch drawing after the repaint waits again
  EXPECT_EQ(shown(20, 20), 0u);
}

TEST_F(ScreenDeviceTest, FlushIgnoresTheOriginAndRectFlushFollowsIt) {
  set_origin(100, 100);
  begin_batch();
  put_pixel(-95, -95, RED);    // device (5, 5)
  put_pixel(-80, -80, GREEN);  // device (20, 20)
  flush_batch_rect(-95, -95, -95, -95);
  EXPECT_EQ(shown(5, 5), RED);
  EXPECT_EQ(shown(20, 20), 0u);
  flush_batch();
  EXPECT_EQ(shown(20, 20), GREEN);
}

TEST_F(ScreenDeviceTest, MouseMessagesKeepTheirOrderAndLimit) {
  flush_mouse_messages();
  EXPECT_FALSE(mouse_hit());
  for (int i = 0; i < 100; ++i) push(motion(i, 2 * i));
  settle();
  int held = 0;
  while (mouse_hit()) {
    const MouseMessage m = get_mouse_message();
    EXPECT_EQ(m.message, WM_MOUSEMOVE);
    EXPECT_EQ(m.x, held);  // the first 63 are kept, in order
    ++held;
  }
  EXPECT_EQ(held, 63);

  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.windowID = the_window().native_id();
  wheel.wheel.y = -1;
  wheel.wheel.mouseX = 10;
  wheel.wheel.mouseY = 20;
  push(wheel);
  SDL_Event press{};
  press.type = SDL_MOUSEBUTTONDOWN;
  press.button.windowID = the_window().native_id();
  press.button.button = SDL_BUTTON_LEFT;
  press.button.clicks = 1;
  push(press);
  const MouseMessage turned = get_mouse_message();
  EXPECT_EQ(turned.message, WM_MOUSEWHEEL);
  EXPECT_EQ(turned.wheel, -120);
  EXPECT_EQ(turned.x, 10);
  EXPECT_EQ(turned.y, 20);
  const MouseMessage pressed = get_mouse_message();
  EXPECT_EQ(pressed.message, WM_LBUTTONDOWN);
  EXPECT_TRUE(pressed.left_button);
  EXPECT_FALSE(pressed.ctrl);

  // Ctrl held during a click shows in the messages, the button only while it is down.
  SDL_SetModState(KMOD_LCTRL);
  press.button.button = SDL_BUTTON_RIGHT;
  push(press);
  SDL_Event release = press;
  release.type = SDL_MOUSEBUTTONUP;
  push(release);
  const MouseMessage down = get_mouse_message();
  const MouseMessage up = get_mouse_message();
  SDL_SetModState(KMOD_NONE);
  EXPECT_EQ(down.message, WM_RBUTTONDOWN);
  EXPECT_TRUE(down.ctrl);
  EXPECT_TRUE(down.right_button);
  EXPECT_TRUE(down.left_button);  // the left button was never released
  EXPECT_EQ(up.message, WM_RBUTTONUP);
  EXPECT_TRUE(up.ctrl);
  EXPECT_FALSE(up.right_button);
}

TEST_F(ScreenDeviceTest, AWaitingReadWakesOnALaterEvent) {
  flush_mouse_messages();
  const pid_t reader = test::current_thread_id();
  std::thread later([reader] {
    test::wait_until_blocked(reader);  // the message comes while the reader waits
    push(motion(7, 8));
  });
  const MouseMessage m = get_mouse_message();
  later.join();
  EXPECT_EQ(m.message, WM_MOUSEMOVE);
  EXPECT_EQ(m.x, 7);
}

// 2000 messages reach the window at once while a reader waits; returns how many it
// received before the window closed.
int messages_received_in_a_burst() {
  constexpr int BURST = 2000;
  flush_mouse_messages();
  std::atomic<pid_t> reader_id{0};
  int received = 0;
  std::thread reader([&] {
    reader_id = test::current_thread_id();
    while (get_mouse_message().message != 0) ++received;  // until the window closes
  });
  while (reader_id == 0) std::this_thread::yield();
  if (!test::wait_until_blocked(reader_id)) ADD_FAILURE() << "the reader never waited";
  std::promise<void> release;
  library().ui_thread().post([held = release.get_future().share()] { held.wait(); });
  for (int i = 0; i < BURST; ++i) push(motion(i % 100, 1));
  release.set_value();
  settle();
  close_graphics();
  reader.join();
  return received;
}

TEST_F(ScreenDeviceTest, AWaitingReaderKeepsUpWithABurst) {
  // The reader used to get little more than one queue's worth (63): its next wait
  // was queued behind the burst. Now it gets them all, unless the machine is so busy
  // that it does not run for milliseconds; so a busy machine gets three tries.
  int best = 0;
  for (int attempt = 0; attempt < 3 && best < 1000; ++attempt) {
    if (attempt > 0) {
      ASSERT_NE(open_graphics(120, 80), nullptr);
    }
    best = std::max(best, messages_received_in_a_burst());
  }
  EXPECT_GE(best, 1000);
}

TEST(ScreenDeviceWithoutWindow, MouseReadsReturnAtOnce) {
  close_graphics();
  EXPECT_EQ(get_mouse_message().message, 0u);
}

TEST_F(ScreenDeviceTest, AKeyInTheWindowEndsTheKeyWait) {
  SDL_Event text{};
  text.type = SDL_TEXTINPUT;
  text.text.windowID = the_window().native_id();
  SDL_strlcpy(text.text.text, "k", sizeof text.text.text);
  push(text);
  EXPECT_EQ(read_key(), 'k');
}

TEST_F(ScreenDeviceTest, AnInputBoxOutlivesItsWindowClosedByAnotherThread) {
  std::thread closer([] {
    while (dialog::running_box_window_id() == 0) std::this_thread::sleep_for(1ms);
    close_graphics();
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.windowID = dialog::running_box_window_id();
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    push(close);  // cancels the box
  });
  char text[8] = "";
  EXPECT_FALSE(input_box(text, sizeof text, "still here"));
  closer.join();
  EXPECT_EQ(get_window_handle(), nullptr);
}

// One thread draws, one waits for a mouse message, one for a key; a fourth closes
// the window. Returns 0 when both readers were released and nothing broke.
int close_while_others_draw_and_wait() {
  if (!open_graphics(64, 64)) return 3;
  std::atomic<bool> drawing{true};
  std::thread drawer([&] {
    for (int i = 0; drawing; ++i) draw_line(0, i % 64, 63, 63 - i % 64);
  });
  std::atomic<pid_t> mouse_reader_id{0};
  std::atomic<pid_t> key_reader_id{0};
  std::uint32_t mouse_code = 1;
  int key_code = 0;
  std::thread mouse_reader([&] {
    mouse_reader_id = test::current_thread_id();
    mouse_code = get_mouse_message().message;
  });
  std::thread key_reader([&] {
    key_reader_id = test::current_thread_id();
    key_code = read_key();
  });
  while (mouse_reader_id == 0 || key_reader_id == 0) std::this_thread::yield();
  const bool waiting =
      test::wait_until_blocked(mouse_reader_id) && test::wait_until_blocked(key_reader_id);
  std::thread closer(close_graphics);
  closer.join();
  mouse_reader.join();
  key_reader.join();
  drawing = false;
  drawer.join();
  return waiting && mouse_code == 0 && key_code == -1 && !get_window_handle() ? 0 : 1;
}

TEST(ThreadsDeathTest, CloseFromAnyThreadReleasesTheReadersWhileAnotherDraws) {
  // A fresh process without a terminal: the key reader waits on the window alone.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        setsid();
        _exit(close_while_others_draw_and_wait());
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(CloseBoxDeathTest, EndsTheProgramAtOnceWithStatusZero) {
  // A fresh process: this one already runs a UI thread.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        setsid();  // no terminal: only the window could end the key wait
        if (!open_graphics(50, 50)) _exit(3);
        push(window_event(SDL_WINDOWEVENT_CLOSE));
        read_key();
        _exit(4);  // not reached: the close box ends the program
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace

// wait_for_input() sleeps until the first of its sources wakes it, whichever it is.
TEST_F(ScreenDeviceTest, WaitingForInputEndsWithTheFirstInputOrTheClose) {
  const struct {
    const char* what;
    void (*arrive)();
    bool input;
  } cases[] = {
      {"a mouse message", [] { push(motion(3, 4)); }, true},
      {"a key pressed in the window",
       [] { the_window().keys().push(std::array<std::uint8_t, 1>{'k'}); }, true},
      {"the window closing", [] { close_graphics(); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (!get_window_handle()) {
      ASSERT_NE(open_graphics(120, 80), nullptr);
    }
    flush_mouse_messages();
    the_window().keys().clear();
    EXPECT_FALSE(wait_for_input(20));  // nothing came: the time ends the wait
    const pid_t waiter = test::current_thread_id();
    std::thread later([&] {
      test::wait_until_blocked(waiter);
      c.arrive();
    });
    EXPECT_EQ(wait_for_input(-1), c.input);
    later.join();
    EXPECT_EQ(wait_for_input(0), c.input);  // what woke it is still there to take
  }
}
