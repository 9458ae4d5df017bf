// A program for the end-to-end tests: it waits the way its argument says and
// prints what it gets, one line at a time.
//   keys          prints the code of every key typed in the terminal until none can come
//   window-keys   the same with the graphics window open
//   wait-key, wait-mouse, input-box, draw
//                 opens the window, prints "ready" and waits for a key, reads mouse
//                 messages, shows an input box, or draws for ever
//   pattern       shows probe_pattern.h's picture (drawn in a batch), prints "ready",
//                 then "down x y" for the first left button press and ends
#include <korvi/graphics.h>

#include <cstdio>
#include <string>

#include "probe_pattern.h"

using namespace korvi;

namespace {

void say(const char* line) {
  std::printf("%s\n", line);
  std::fflush(stdout);
}

void show_pattern_until_clicked() {
  begin_batch();
  for (int y = 0; y < test::PATTERN_HEIGHT; ++y)
    for (int x = 0; x < test::PATTERN_WIDTH; ++x) {
      const std::uint32_t pixel = test::pattern_pixel(x, y);
      put_pixel(x, y, rgb(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF));
    }
  set_line_color(rgb(255, 0, 0));
  draw_line(test::PATTERN_LINE_X, 0, test::PATTERN_LINE_X, test::PATTERN_HEIGHT);
  end_batch();
  say("ready");
  while (get_window_handle()) {
    const MouseMessage message = get_mouse_message();
    if (message.message == WM_LBUTTONDOWN) {
      std::printf("down %d %d\n", message.x, message.y);
      std::fflush(stdout);
      return;
    }
  }
}

void print_keys() {
  say("ready");
  for (int code = read_key(); code >= 0; code = read_key()) {
    std::printf("%d\n", code);
    std::fflush(stdout);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "keys") {
    print_keys();
    return 0;
  }
  if (!open_graphics(test::PATTERN_WIDTH, test::PATTERN_HEIGHT)) return 2;
  if (mode == "window-keys") {
    print_keys();
  } else if (mode == "wait-key") {
    say("ready");
    read_key();
  } else if (mode == "wait-mouse") {
    say("ready");
    while (get_window_handle()) get_mouse_message();  // the pointer may move over the window
  } else if (mode == "input-box") {
    say("ready");
    char text[16];
    input_box(text, sizeof text, "probe");
  } else if (mode == "pattern") {
    show_pattern_until_clicked();
  } else if (mode == "draw") {
    say("ready");
    for (int i = 0;; ++i) draw_line(0, i % 100, 199, 99 - i % 100);
  } else {
    return 2;
  }
  return 0;
}
