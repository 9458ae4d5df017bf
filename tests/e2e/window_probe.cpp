// A program for the end-to-end tests: it waits the way its argument says and
// prints what it gets, one line at a time.
//   keys          prints the code of every key typed in the terminal until none can come
//   window-keys   the same with the graphics window open
//   wait-key, wait-mouse, input-box, draw
//                 opens the window, prints "ready" and waits for a key, reads mouse
//                 messages, shows an input box, or draws for ever
#include <korvi/graphics.h>

#include <cstdio>
#include <string>

using namespace korvi;

namespace {

void say(const char* line) {
  std::printf("%s\n", line);
  std::fflush(stdout);
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
  if (!open_graphics(200, 100)) return 2;
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
  } else if (mode == "draw") {
    say("ready");
    for (int i = 0;; ++i) draw_line(0, i % 100, 199, 99 - i % 100);
  } else {
    return 2;
  }
  return 0;
}
