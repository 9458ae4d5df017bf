// The input box under the windowing system's offscreen driver, driven by
// synthetic events: its sizes, typing and confirming, cancelling, the byte limit,
// multi-line boxes, the focus cycle, clicks, the clipboard and its owner.
#include <SDL.h>
#include <gtest/gtest.h>
#include <korvi/graphics.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "input_box/box_layout.h"
#include "input_box/running_box.h"
#include "state/graphics_library.h"
#include "window/ui_thread.h"

namespace {

using namespace korvi;
using namespace std::chrono_literals;

// Every window of this program goes to the offscreen driver.
const bool environment_ready = [] { return setenv("SDL_VIDEODRIVER", "offscreen", 1) == 0; }();

// Waits until everything sent to the UI thread so far has been handled.
void settle() {
  library().ui_thread().call([] {});
}

void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

struct BoxArguments {
  std::string initial = "untouched";  // the buffer's content before the box
  int size = 64;
  const char* prompt = "Your name?";
  const char* title = "Question";
  const char* default_text = nullptr;
  int width = 0;
  int height = 0;
  bool only_ok = false;
};

// input_box on a thread of its own, as a program's drawing thread calls it; the
// test drives the box with events.
class RunningBox {
 public:
  explicit RunningBox(const BoxArguments& arguments = {})
      : m_buffer(
            std::max<std::size_t>(std::max(arguments.size, 1), arguments.initial.size() + 1) + 8,
            '#'),
        m_guard_from(m_buffer.size() - 8) {
    std::copy(arguments.initial.begin(), arguments.initial.end(), m_buffer.begin());
    m_buffer[arguments.initial.size()] = '\0';
    m_result = std::async(std::launch::async, [this, arguments] {
      return input_box(m_buffer.data(), arguments.size, arguments.prompt, arguments.title,
                       arguments.default_text, arguments.width, arguments.height,
                       arguments.only_ok);
    });
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (dialog::running_box_window_id() == 0 && std::chrono::steady_clock::now() < deadline &&
           m_result.wait_for(1ms) != std::future_status::ready) {
    }
    m_id = dialog::running_box_window_id();
    settle();  // the window's first events are handled
  }
  ~RunningBox() {
    // A box a test left open is cancelled, so that the next test can show one.
    if (m_result.valid() && m_result.wait_for(0s) != std::future_status::ready) {
      key(SDLK_ESCAPE);
      close();
      if (m_result.wait_for(2s) != std::future_status::ready) key(SDLK_RETURN);
      m_result.wait();
    }
  }

  std::uint32_t id() const { return m_id; }

  void text(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = m_id;
    SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
    push(e);
  }
  void key(SDL_Keycode sym, Uint16 mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = m_id;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    push(e);
  }
  void mouse(Uint32 type, int x, int y, Uint8 clicks = 1) {
    SDL_Event e{};
    e.type = type;
    e.button.windowID = m_id;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.clicks = clicks;
    e.button.x = x;
    e.button.y = y;
    push(e);
  }
  void click(int x, int y) {
    mouse(SDL_MOUSEBUTTONDOWN, x, y);
    mouse(SDL_MOUSEBUTTONUP, x, y);
  }
  void click(const raster::PixelBox& rect) {
    click(rect.left + static_cast<int>(rect.width() / 2),
          rect.top + static_cast<int>(rect.height() / 2));
  }
  void close() {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = m_id;
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    push(e);
  }

  // Whether the box is still up once everything sent has been handled.
  bool showing() {
    settle();
    return m_result.wait_for(100ms) != std::future_status::ready;
  }
  // The box's result, waiting for it to end.
  bool result() {
    EXPECT_EQ(m_result.wait_for(5s), std::future_status::ready) << "the box did not end";
    return m_result.get();
  }
  std::string buffer() const { return m_buffer.data(); }
  // Nothing is written past the size given to the box.
  bool tail_untouched() const {
    for (std::size_t i = m_guard_from; i < m_buffer.size(); ++i)
      if (m_buffer[i] != '#') return false;
    return true;
  }

 private:
  std::vector<char> m_buffer;
  std::size_t m_guard_from;  // the bytes from here on are the guard
  std::future<bool> m_result;
  std::uint32_t m_id = 0;
};

TEST(InputBoxSizes, ClientSizeAndControlsFollowTheArguments) {
  struct Case {
    int width, height;
    std::int64_t prompt_height;
    int client_width, client_height;
    bool multi_line;
  };
  const Case cases[] = {
      {0, 0, 14, 357, 93, false},   {150, 0, 14, 200, 93, false},
      {300, 0, 14, 300, 93, false}, {-5, 0, 14, 200, 93, false},
      {0, 50, 14, 357, 93, true},   {0, 120, 14, 357, 120, true},
      {0, 0, 60, 357, 108, false},  // a prompt 60 high makes the box 15 higher
      {0, 120, 75, 357, 150, true}, {0, 2147483647, 900, 357, 32767, true},
  };
  for (const Case& c : cases) {
    const dialog::BoxLayout layout = dialog::box_layout(c.width, c.height, c.prompt_height, false);
    EXPECT_EQ(layout.client_width, c.client_width) << c.width << "x" << c.height;
    EXPECT_EQ(layout.client_height, c.client_height) << c.width << "x" << c.height;
    EXPECT_EQ(layout.multi_line, c.multi_line) << c.width << "x" << c.height;
  }

  const dialog::BoxLayout box = dialog::box_layout(0, 0, 14, false);
  EXPECT_EQ(box.prompt, (raster::PixelBox{9, 10, 276, 55}));
  EXPECT_EQ(box.edit, (raster::PixelBox{9, 65, 348, 83}));
  EXPECT_EQ(box.ok, (raster::PixelBox{288, 10, 348, 31}));
  EXPECT_EQ(box.cancel, (raster::PixelBox{288, 34, 348, 55}));
  const dialog::BoxLayout tall = dialog::box_layout(250, 200, 60, true);
  EXPECT_EQ(tall.prompt, (raster::PixelBox{9, 10, 169, 70}));
  EXPECT_EQ(tall.edit, (raster::PixelBox{9, 80, 241, 205}));
  EXPECT_TRUE(tall.cancel.empty());
}

TEST(InputBoxSizes, TheWindowHasTheLayoutsClientSizeAndTheBoxGrowsForALongPrompt) {
  BoxArguments arguments;
  arguments.prompt = "one\ntwo\nthree\nfour\nfive";
  RunningBox box(arguments);
  ASSERT_NE(box.id(), 0u);
  const auto layout = dialog::running_box_layout();
  ASSERT_TRUE(layout);
  EXPECT_GT(layout->prompt_height, 45);
  EXPECT_EQ(layout->client_height, 93 + layout->prompt_height - 45);
  EXPECT_EQ(layout->prompt_height % 5, 0);  // five lines of one height
  int width = 0, height = 0;
  library().ui_thread().call(
      [&] { SDL_GetWindowSize(SDL_GetWindowFromID(box.id()), &width, &height); });
  EXPECT_EQ(width, 357);
  EXPECT_EQ(height, layout->client_height);
  box.key(SDLK_ESCAPE);
  EXPECT_FALSE(box.result());
}

TEST(InputBox, TypingThenEnterGivesTheText) {
  struct Case {
    const char* name;
    const char* default_text;
    std::vector<const char*> typed;
    const char* expected;
  };
  const Case cases[] = {
      {"typed into an empty field", nullptr, {"hello", " world"}, "hello world"},
      {"the default text is replaced by typing", "old", {"new"}, "new"},
      {"Enter alone keeps the default text", "kept", {}, "kept"},
      {"Chinese text", nullptr, {"中文"}, "中文"},
  };
  for (const Case& c : cases) {
    BoxArguments arguments;
    arguments.default_text = c.default_text;
    RunningBox box(arguments);
    ASSERT_NE(box.id(), 0u) << c.name;
    for (const char* piece : c.typed) box.text(piece);
    box.key(SDLK_RETURN);
    EXPECT_TRUE(box.result()) << c.name;
    EXPECT_EQ(box.buffer(), c.expected) << c.name;
    EXPECT_TRUE(box.tail_untouched()) << c.name;
  }
}

TEST(InputBox, CancelEscAndCloseLeaveTheBufferAlone) {
  const char* ways[] = {"Esc", "close box", "Cancel clicked", "Space on Cancel"};
  for (const char* way : ways) {
    BoxArguments arguments;
    arguments.default_text = "default";
    RunningBox box(arguments);
    ASSERT_NE(box.id(), 0u) << way;
    box.text("typed");
    const std::string name = way;
    if (name == "Esc") box.key(SDLK_ESCAPE);
    if (name == "close box") box.close();
    if (name == "Cancel clicked") box.click(dialog::running_box_layout()->cancel);
    if (name == "Space on Cancel") {
      box.key(SDLK_TAB);
      box.key(SDLK_TAB);
      box.key(SDLK_SPACE);
    }
    EXPECT_FALSE(box.result()) << way;
    EXPECT_EQ(box.buffer(), "untouched") << way;
  }
}

TEST(InputBox, OnlyOkIgnoresEscAndTheCloseBox) {
  BoxArguments arguments;
  arguments.only_ok = true;
  arguments.default_text = "x";
  RunningBox box(arguments);
  ASSERT_NE(box.id(), 0u);
  EXPECT_TRUE(dialog::running_box_layout()->cancel.empty());
  box.key(SDLK_ESCAPE);
  box.close();
  EXPECT_TRUE(box.showing());
  box.click(dialog::running_box_layout()->ok);
  EXPECT_TRUE(box.result());
  EXPECT_EQ(box.buffer(), "x");
}

TEST(InputBox, AtMostSizeMinusOneBytesWithoutCuttingACharacter) {
  struct Case {
    int size;
    const char* default_text;
    std::vector<const char*> typed;
    const char* expected;
  };
  const Case cases[] = {
      {10, nullptr, {"0123456789abc"}, "012345678"},
      {6, nullptr, {"ab", "中文"}, "ab中"},  // 文 would need bytes 6 to 8
      {6, nullptr, {"中", "文", "x"}, "中x"},
      {5, "中文字", {}, "中"},  // the default text is cut to what fits
      {1, "abc", {"def"}, ""},  // room for the terminator only
  };
  for (const Case& c : cases) {
    BoxArguments arguments;
    arguments.initial = "";  // every byte from size on is a guard
    arguments.size = c.size;
    arguments.default_text = c.default_text;
    RunningBox box(arguments);
    ASSERT_NE(box.id(), 0u) << c.expected;
    for (const char* piece : c.typed) box.text(piece);
    box.key(SDLK_RETURN);
    EXPECT_TRUE(box.result()) << c.expected;
    EXPECT_EQ(box.buffer(), c.expected);
    EXPECT_TRUE(box.tail_untouched()) << c.expected;
  }
}

TEST(InputBox, MultiLineEnterStartsALineAndCtrlEnterConfirms) {
  BoxArguments arguments;
  arguments.height = 120;
  RunningBox box(arguments);
  ASSERT_NE(box.id(), 0u);
  EXPECT_TRUE(dialog::running_box_layout()->multi_line);
  box.text("one");
  box.key(SDLK_RETURN);
  box.text("two");
  box.key(SDLK_KP_ENTER);
  EXPECT_TRUE(box.showing());
  box.key(SDLK_RETURN, KMOD_LCTRL);
  EXPECT_TRUE(box.result());
  EXPECT_EQ(box.buffer(), "one\ntwo\n");
}

TEST(InputBox, TabCyclesEditOkCancelAndEditOkWithoutCancel) {
  // After the tabs, Space presses the focused button; on the edit field it does
  // nothing and the box stays until Enter.
  struct Case {
    bool only_ok;
    int tabs;
    bool shift;
    const char* outcome;  // "ok", "cancel" or "edit"
  };
  const Case cases[] = {
      {false, 1, false, "ok"}, {false, 2, false, "cancel"}, {false, 3, false, "edit"},
      {false, 4, false, "ok"}, {true, 1, false, "ok"},      {true, 2, false, "edit"},
      {true, 3, false, "ok"},  {false, 1, true, "cancel"},  {false, 2, true, "ok"},
      {true, 1, true, "ok"},
  };
  for (const Case& c : cases) {
    BoxArguments arguments;
    arguments.only_ok = c.only_ok;
    arguments.default_text = "text";
    RunningBox box(arguments);
    ASSERT_NE(box.id(), 0u);
    for (int i = 0; i < c.tabs; ++i) box.key(SDLK_TAB, c.shift ? KMOD_LSHIFT : KMOD_NONE);
    box.text("typed");  // reaches the field only when it has the focus
    box.key(SDLK_SPACE);
    const std::string outcome = c.outcome;
    const std::string label = std::to_string(c.tabs) + (c.shift ? " shift-tabs" : " tabs") +
                              (c.only_ok ? " without Cancel" : "");
    if (outcome == "edit") {
      EXPECT_TRUE(box.showing()) << label;
      box.key(SDLK_RETURN);
      EXPECT_TRUE(box.result()) << label;
      EXPECT_EQ(box.buffer(), "typed") << label;  // the field's text was selected again
    } else {
      EXPECT_EQ(box.result(), outcome == "ok") << label;
      EXPECT_EQ(box.buffer(), outcome == "ok" ? "text" : "untouched") << label;
    }
  }
}

TEST(InputBox, ButtonsActWhenTheMouseIsLetGoOverThem) {
  BoxArguments arguments;
  arguments.default_text = "clicked";
  RunningBox box(arguments);
  ASSERT_NE(box.id(), 0u);
  const dialog::BoxLayout layout = *dialog::running_box_layout();
  // Pressed on OK, let go elsewhere: nothing.
  box.mouse(SDL_MOUSEBUTTONDOWN, layout.ok.left + 5, layout.ok.top + 5);
  box.mouse(SDL_MOUSEBUTTONUP, layout.edit.left + 5, layout.edit.top + 5);
  EXPECT_TRUE(box.showing());
  box.click(layout.ok);
  EXPECT_TRUE(box.result());
  EXPECT_EQ(box.buffer(), "clicked");
}

TEST(InputBox, EditingKeysAndAClickPlaceTheCaret) {
  BoxArguments arguments;
  arguments.default_text = "hello world";
  RunningBox box(arguments);
  ASSERT_NE(box.id(), 0u);
  const dialog::BoxLayout layout = *dialog::running_box_layout();
  box.key(SDLK_HOME);
  box.key(SDLK_RIGHT, KMOD_LCTRL);  // before "world"
  box.key(SDLK_END, KMOD_LSHIFT);   // "world" selected
  box.key(SDLK_DELETE);             // "hello "
  box.key(SDLK_BACKSPACE);          // "hello"
  box.key(SDLK_LEFT);
  box.key(SDLK_BACKSPACE);  // "helo"
  box.click(layout.edit.left + 3, layout.edit.top + static_cast<int>(layout.edit.height() / 2));
  box.text("[");  // the click put the caret before the first character
  box.key(SDLK_z, KMOD_LCTRL);
  box.text("(");
  box.key(SDLK_RETURN);
  EXPECT_TRUE(box.result());
  EXPECT_EQ(box.buffer(), "(helo");
}

TEST(InputBox, CopyCutAndPasteGoThroughTheClipboard) {
  const auto set_clipboard = [](const char* text) {
    library().ui_thread().call([&] { SDL_SetClipboardText(text); });
  };
  const auto clipboard = [] {
    std::string text;
    library().ui_thread().call([&] {
      char* held = SDL_GetClipboardText();
      text = held ? held : "";
      SDL_free(held);
    });
    return text;
  };
  BoxArguments arguments;
  arguments.default_text = "abc";
  arguments.size = 8;
  RunningBox box(arguments);
  ASSERT_NE(box.id(), 0u);

  box.key(SDLK_c, KMOD_LCTRL);  // the default text is selected
  EXPECT_TRUE(box.showing());
  EXPECT_EQ(clipboard(), "abc");
  box.key(SDLK_x, KMOD_LCTRL);
  set_clipboard("pasted\nsecond line");
  box.key(SDLK_v, KMOD_LCTRL);  // one line only, and no more than fits
  box.key(SDLK_a, KMOD_LCTRL);
  box.key(SDLK_INSERT, KMOD_LCTRL);
  EXPECT_TRUE(box.showing());
  EXPECT_EQ(clipboard(), "pasted");
  box.key(SDLK_END);
  box.key(SDLK_INSERT, KMOD_LSHIFT);  // only one byte left
  box.key(SDLK_RETURN);
  EXPECT_TRUE(box.result());
  EXPECT_EQ(box.buffer(), "pastedp");
}

TEST(InputBox, ASecondBoxAndABoxFromTheWindowThreadAreRefused) {
  RunningBox box;
  ASSERT_NE(box.id(), 0u);
  char buffer[8] = "same";
  EXPECT_FALSE(input_box(buffer, sizeof buffer));
  bool from_ui_thread = true;
  library().ui_thread().call([&] { from_ui_thread = input_box(buffer, sizeof buffer); });
  EXPECT_FALSE(from_ui_thread);
  EXPECT_STREQ(buffer, "same");
  EXPECT_FALSE(input_box(nullptr, 10));
  EXPECT_FALSE(input_box(buffer, 0));
  box.key(SDLK_RETURN);
  EXPECT_TRUE(box.result());
}

TEST(InputBox, TheGraphicsWindowOwnsTheBoxAndTakesNoInputMeanwhile) {
  ASSERT_NE(open_graphics(640, 480), nullptr);
  settle();
  while (key_hit()) read_key();
  const std::uint32_t owner = library().graphics_window.native_id();
  int owner_x = 0, owner_y = 0;
  library().ui_thread().call(
      [&] { SDL_GetWindowPosition(SDL_GetWindowFromID(owner), &owner_x, &owner_y); });
  {
    BoxArguments arguments;
    arguments.title = nullptr;
    RunningBox box(arguments);
    ASSERT_NE(box.id(), 0u);
    int x = 0, y = 0;
    std::string title;
    library().ui_thread().call([&] {
      SDL_Window* window = SDL_GetWindowFromID(box.id());
      SDL_GetWindowPosition(window, &x, &y);
      title = SDL_GetWindowTitle(window);
    });
    EXPECT_EQ(x, owner_x + (640 - 357) / 2);  // centred on the owner
    EXPECT_EQ(y, owner_y + (480 - 93) / 2);
    EXPECT_EQ(title, program_name());  // the owner's caption

    SDL_Event key{};
    key.type = SDL_TEXTINPUT;
    key.text.windowID = owner;
    SDL_strlcpy(key.text.text, "k", sizeof key.text.text);
    push(key);
    EXPECT_TRUE(box.showing());
    EXPECT_FALSE(key_hit());  // the owner took no key while the box showed
    box.key(SDLK_RETURN);
    EXPECT_TRUE(box.result());

    push(key);  // afterwards it does again
    settle();
    EXPECT_TRUE(key_hit());
    EXPECT_EQ(read_key(), 'k');
  }
  close_graphics();
}

TEST(InputBox, DrawsAFaceAFieldAndTheDefaultButtonMark) {
  BoxArguments arguments;
  arguments.default_text = "abc";
  RunningBox box(arguments);
  ASSERT_NE(box.id(), 0u);
  const dialog::BoxLayout layout = *dialog::running_box_layout();
  const auto pixel = [](const raster::Surface& picture, int x, int y) {
    return picture.at(x, y) & 0xFFFFFF;
  };
  raster::Surface picture = dialog::running_box_picture();
  ASSERT_EQ(picture.width(), 357);
  EXPECT_EQ(pixel(picture, 2, 2), 0xF0F0F0u);                         // the face
  EXPECT_EQ(pixel(picture, layout.ok.left, layout.ok.top + 10), 0u);  // the default mark
  EXPECT_NE(pixel(picture, layout.cancel.left, layout.cancel.top + 10), 0u);
  // The Chinese labels draw: dark pixels in the middle of both buttons.
  const auto dark_pixels = [&](const raster::PixelBox& r) {
    int dark = 0;
    for (int y = r.top + 4; y < r.bottom - 4; ++y)
      for (int x = r.left + 10; x < r.right - 10; ++x) dark += (picture.at(x, y) & 0xFF) < 0x60;
    return dark;
  };
  EXPECT_GT(dark_pixels(layout.ok), 20);
  EXPECT_GT(dark_pixels(layout.cancel), 20);
  // The focus moves to OK: its dotted rectangle appears, the field's selection goes.
  const int selection_x = layout.edit.left + 5;
  const int selection_y = layout.edit.top + 2;  // the top row of the text's line
  EXPECT_EQ(pixel(picture, selection_x, selection_y), 0x0078D7u);
  EXPECT_NE(pixel(picture, layout.ok.left + 4, layout.ok.top + 4), 0u);
  box.key(SDLK_TAB);
  EXPECT_TRUE(box.showing());
  picture = dialog::running_box_picture();
  EXPECT_EQ(pixel(picture, layout.ok.left + 4, layout.ok.top + 4), 0u);
  EXPECT_EQ(pixel(picture, selection_x, selection_y), 0xFFFFFFu);
  box.key(SDLK_ESCAPE);
  EXPECT_FALSE(box.result());
}

TEST(InputBoxDeathTest, WithoutADisplayReturnsFalseAtOnceAndSaysWhyOnce) {
  // A fresh process that never had a display: this one already runs a UI thread.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        unsetenv("SDL_VIDEODRIVER");
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        char buffer[16] = "kept";
        ::testing::internal::CaptureStderr();
        const bool first = input_box(buffer, sizeof buffer, "prompt");
        const bool second = input_box(buffer, sizeof buffer, "prompt");
        const std::string said = ::testing::internal::GetCapturedStderr();
        if (first || second || std::strcmp(buffer, "kept") != 0) _exit(3);
        // The reason is given once.
        const std::size_t at = said.find("input box");
        if (at == std::string::npos || said.find("input box", at + 1) != std::string::npos)
          _exit(4);
        _exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
