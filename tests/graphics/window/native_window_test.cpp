#include "native_window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace {

using namespace korvi::window;

// Records what the window asks and tells, and waits for it.
class RecordingClient : public WindowClient {
 public:
  void paint(std::uint32_t* dst, int pitch, int width, int height) override {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) dst[y * pitch + x] = m_color;
    notify([&] { ++m_paints; });
  }
  void exposed() override {
    notify([&] { ++m_exposes; });
  }
  void key_pressed(std::span<const std::uint8_t> codes) override {
    notify([&] { m_keys.insert(m_keys.end(), codes.begin(), codes.end()); });
  }
  void mouse_message(const korvi::MouseMessage& m) override {
    notify([&] { m_mouse.push_back(m); });
  }
  void close_requested() override {
    notify([&] { ++m_closes; });
  }

  template <class Predicate>
  bool wait_until(Predicate done) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::seconds(5), done);
  }

  std::uint32_t m_color = 0x00336699;
  int m_paints = 0, m_exposes = 0, m_closes = 0;
  std::vector<int> m_keys;
  std::vector<korvi::MouseMessage> m_mouse;
  std::mutex m_mutex;

 private:
  template <class Change>
  void notify(Change change) {
    {
      std::lock_guard lock(m_mutex);
      change();
    }
    m_changed.notify_all();
  }
  std::condition_variable m_changed;
};

class NativeWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "offscreen", 1); }

  void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

  SDL_Event button(Uint32 type, Uint8 which, Uint8 clicks, int x, int y) {
    SDL_Event e{};
    e.type = type;
    e.button.windowID = m_window->id();
    e.button.button = which;
    e.button.clicks = clicks;
    e.button.x = x;
    e.button.y = y;
    return e;
  }

  UiThread m_ui;
  RecordingClient m_client;
  std::unique_ptr<NativeWindow> m_window;
};

TEST_F(NativeWindowTest, ShowsTheClientsPictureAndCoalescesPresents) {
  ASSERT_TRUE(m_ui.available()) << m_ui.error();
  WindowOptions options;
  options.client_width = 64;
  options.client_height = 48;
  options.title = "test";
  m_window = std::make_unique<NativeWindow>(m_ui, m_client, options);
  ASSERT_TRUE(m_client.wait_until([&] { return m_client.m_paints >= 1; }));

  std::uint32_t shown = 0;
  int width = 0, height = 0;
  m_window->request_present();
  m_ui.call([&] {
    SDL_Surface* surface = SDL_GetWindowSurface(SDL_GetWindowFromID(m_window->id()));
    width = surface->w;
    height = surface->h;
    shown = static_cast<std::uint32_t*>(surface->pixels)[5 * surface->pitch / 4 + 7];
  });
  EXPECT_EQ(width, 64);
  EXPECT_EQ(height, 48);
  EXPECT_EQ(shown & 0xFFFFFF, 0x336699u);

  // A burst of requests from this thread while the UI thread is busy becomes
  // far fewer presents, but at least one after the last request.
  const int before = m_client.m_paints;
  m_ui.post([] { SDL_Delay(50); });
  for (int i = 0; i < 1000; ++i) m_window->request_present();
  ASSERT_TRUE(m_client.wait_until([&] { return m_client.m_paints > before; }));
  m_ui.call([] {});  // everything queued so far has run
  EXPECT_LE(m_client.m_paints - before, 2);
}

TEST_F(NativeWindowTest, MouseButtonsWheelAndKeysBecomeMessages) {
  ASSERT_TRUE(m_ui.available()) << m_ui.error();
  WindowOptions options;
  options.client_width = 100;
  options.client_height = 100;
  m_window = std::make_unique<NativeWindow>(m_ui, m_client, options);

  // A double click: down, up, second down (clicks = 2), up.
  push(button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 10, 20));
  push(button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1, 10, 20));
  push(button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 2, 10, 20));
  push(button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 2, 10, 20));
  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.windowID = m_window->id();
  wheel.wheel.y = -1;  // one notch towards the user
  wheel.wheel.mouseX = 10;
  wheel.wheel.mouseY = 20;
  push(wheel);
  ASSERT_TRUE(m_client.wait_until([&] { return m_client.m_mouse.size() == 5; }));

  const std::uint32_t expected[] = {korvi::WM_LBUTTONDOWN, korvi::WM_LBUTTONUP,
                                    korvi::WM_LBUTTONDBLCLK, korvi::WM_LBUTTONUP,
                                    korvi::WM_MOUSEWHEEL};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(m_client.m_mouse[i].message, expected[i]) << i;
  EXPECT_TRUE(m_client.m_mouse[0].left_button);   // held in its own down message
  EXPECT_FALSE(m_client.m_mouse[1].left_button);  // released in the up message
  EXPECT_EQ(m_client.m_mouse[4].wheel, -120);
  EXPECT_EQ(m_client.m_mouse[4].x, 10);
  EXPECT_EQ(m_client.m_mouse[4].y, 20);

  SDL_Event text{};
  text.type = SDL_TEXTINPUT;
  text.text.windowID = m_window->id();
  SDL_strlcpy(text.text.text, "a", sizeof text.text.text);
  push(text);
  SDL_Event enter{};
  enter.type = SDL_KEYDOWN;
  enter.key.windowID = m_window->id();
  enter.key.keysym.sym = SDLK_RETURN;
  enter.key.keysym.scancode = SDL_SCANCODE_RETURN;
  push(enter);
  SDL_Event shift = enter;
  shift.key.keysym.sym = SDLK_LSHIFT;
  shift.key.keysym.scancode = SDL_SCANCODE_LSHIFT;
  push(shift);  // a modifier alone is no key press
  // The keypad's digits count as editing keys while Num Lock is off (with it on,
  // they come as text); Ctrl+letter gives the control code.
  const std::pair<SDL_Keycode, Uint16> keys[] = {
      {SDLK_KP_8, KMOD_NONE}, {SDLK_KP_8, KMOD_NUM}, {SDLK_c, KMOD_LCTRL}, {SDLK_F11, KMOD_NONE}};
  for (const auto& [sym, mod] : keys) {
    SDL_Event key = enter;
    key.key.keysym.sym = sym;
    key.key.keysym.mod = mod;
    push(key);
  }
  ASSERT_TRUE(m_client.wait_until([&] { return m_client.m_keys.size() >= 7; }));
  m_ui.call([] {});
  EXPECT_EQ(m_client.m_keys, (std::vector<int>{'a', '\r', 224, 72, 3, 224, 133}));
}

TEST_F(NativeWindowTest, CloseRequestsReachTheClientUnlessInputIsDisabled) {
  ASSERT_TRUE(m_ui.available()) << m_ui.error();
  WindowOptions options;
  options.client_width = 32;
  options.client_height = 32;
  m_window = std::make_unique<NativeWindow>(m_ui, m_client, options);
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.windowID = m_window->id();
  close.window.event = SDL_WINDOWEVENT_CLOSE;

  m_window->set_input_enabled(false);
  push(close);
  push(button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1, 1, 1));
  m_ui.call([] {});
  EXPECT_EQ(m_client.m_closes, 0);
  EXPECT_TRUE(m_client.m_mouse.empty());

  m_window->set_input_enabled(true);
  push(close);
  ASSERT_TRUE(m_client.wait_until([&] { return m_client.m_closes == 1; }))
      << m_client.m_closes << " " << m_client.m_mouse.size();
}

TEST_F(NativeWindowTest, OuterRectangleFollowsMoves) {
  ASSERT_TRUE(m_ui.available()) << m_ui.error();
  WindowOptions options;
  options.client_width = 200;
  options.client_height = 100;
  options.position = WindowPosition{5, 6};
  m_window = std::make_unique<NativeWindow>(m_ui, m_client, options);
  m_window->set_outer_rect(1, 1, 120, 90);
  const OuterRect rect = m_window->outer_rect();
  EXPECT_EQ(rect.left, 1);
  EXPECT_EQ(rect.top, 1);
  EXPECT_EQ(rect.right - rect.left, 120);
  EXPECT_EQ(rect.bottom - rect.top, 90);
}

}  // namespace

namespace {

// At scale 2 each picture pixel is a 2 x 2 block of the window, and the window's
// mouse positions come back in picture pixels (rounded down).
TEST(NativeWindowScale, PixelsShowAsBlocksAndTheMouseComesBackInPicturePixels) {
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  setenv("KORVI_SCALE", "2", 1);
  UiThread ui;
  unsetenv("KORVI_SCALE");
  ASSERT_TRUE(ui.available()) << ui.error();
  ASSERT_EQ(ui.scale(), 2);
  // A picture whose every pixel tells its own coordinates.
  class CoordinateClient : public RecordingClient {
    void paint(std::uint32_t* dst, int pitch, int width, int height) override {
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) dst[y * pitch + x] = static_cast<std::uint32_t>(x << 8 | y);
    }
  } client;
  WindowOptions options;
  options.client_width = 20;
  options.client_height = 10;
  NativeWindow window(ui, client, options);
  ui.call([] {});
  window.request_present();
  std::vector<std::uint32_t> shown;
  int width = 0, height = 0;
  ui.call([&] {
    SDL_Surface* surface = SDL_GetWindowSurface(SDL_GetWindowFromID(window.id()));
    width = surface->w;
    height = surface->h;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        shown.push_back(static_cast<std::uint32_t*>(surface->pixels)[y * surface->pitch / 4 + x] &
                        0xFFFFFF);
  });
  ASSERT_EQ(width, 40);
  ASSERT_EQ(height, 20);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      ASSERT_EQ(shown[static_cast<std::size_t>(y * width + x)],
                static_cast<std::uint32_t>((x / 2) << 8 | y / 2))
          << x << "," << y;

  SDL_Event press{};
  press.type = SDL_MOUSEBUTTONDOWN;
  press.button.windowID = window.id();
  press.button.button = SDL_BUTTON_LEFT;
  press.button.clicks = 1;
  press.button.x = 39;
  press.button.y = 6;
  SDL_PushEvent(&press);
  ASSERT_TRUE(client.wait_until([&] { return client.m_mouse.size() == 1; }));
  EXPECT_EQ(client.m_mouse[0].x, 19);
  EXPECT_EQ(client.m_mouse[0].y, 3);
}

}  // namespace
