// The native window on a real X server: what it shows is what a screenshot sees,
// and an idle UI thread sleeps.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <optional>
#include <thread>

#include "native_window.h"
#include "x_display.h"

namespace {

using namespace korvi::window;

class SolidClient : public WindowClient {
 public:
  void paint(std::uint32_t* dst, int pitch, int width, int height) override {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) dst[y * pitch + x] = x < width / 2 ? 0x00FF8000 : 0x000080FF;
  }
  void exposed() override {}
  void key_pressed(std::span<const std::uint8_t>) override {}
  void mouse_message(const korvi::MouseMessage&) override {}
  void close_requested() override {}
};

// The processor time the whole process uses while this thread sleeps for a while.
double milliseconds_used_while_sleeping(std::chrono::milliseconds span) {
  const auto now = [] {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
  };
  const double before = now();
  std::this_thread::sleep_for(span);
  return now() - before;
}

// A private X server of 320 x 240 and a UI thread on it.
class X11Window : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_server.running());
    setenv("DISPLAY", m_server.display().c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    m_ui.emplace();
    ASSERT_TRUE(m_ui->available()) << m_ui->error();
  }

  korvi::test::XvfbServer m_server{320, 240};
  std::optional<UiThread> m_ui;  // ends before the server
};

TEST_F(X11Window, ScreenshotShowsThePaintedPicture) {
  UiThread& ui = *m_ui;
  SolidClient client;
  WindowOptions options;
  options.client_width = 100;
  options.client_height = 60;
  options.position = WindowPosition{10, 20};
  options.title = "x11test";
  NativeWindow window(ui, client, options);

  std::optional<korvi::test::Screenshot> shot;
  for (int attempt = 0; attempt < 100; ++attempt) {
    window.request_present();
    ui.call([] {});
    shot = korvi::test::take_screenshot(m_server.display());
    if (shot && shot->at(15, 25) == 0x00FF8000u) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_TRUE(shot);
  EXPECT_EQ(shot->at(10, 20), 0x00FF8000u);   // client top-left at the asked position
  EXPECT_EQ(shot->at(109, 79), 0x000080FFu);  // bottom-right pixel of the client
  EXPECT_NE(shot->at(110, 80), 0x000080FFu);  // just outside it
}

TEST_F(X11Window, AnIdleUiThreadUsesNoProcessorTime) {
  UiThread& ui = *m_ui;
  constexpr auto SPAN = std::chrono::milliseconds(1500);
  constexpr double BOUND_MS = 5;  // polling every millisecond used about 40
  {
    SolidClient client;
    WindowOptions options;
    options.client_width = 50;
    options.client_height = 50;
    NativeWindow window(ui, client, options);
    ui.call([] {});
    // Shown and painted; the first paint through the renderer may take a while on a
    // busy machine.
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_LT(milliseconds_used_while_sleeping(SPAN), BOUND_MS) << "with an idle window";
  }
  ui.call([] {});
  EXPECT_LT(milliseconds_used_while_sleeping(SPAN), BOUND_MS) << "after the window closed";
}

}  // namespace
