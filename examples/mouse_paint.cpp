// A paint program on mouse messages: drag with the left button to draw (each stroke
// in a new colour), turn the wheel for a wider or thinner pen, click the right
// button to clear; any key quits. With a file name as argument it plays strokes
// made up by the program into an off-screen image and saves it there.
#include <korvi/graphics.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace korvi;

namespace {

constexpr int WIDTH = 640;
constexpr int HEIGHT = 400;

struct Pen {
  int width = 4;
  float hue = 200.0f;
};

// The line of help at the bottom; then the pen is taken up again.
void draw_help(const Pen& pen) {
  char help[96];
  std::snprintf(help, sizeof help,
                "drag: draw   wheel: pen width (%d)   right click: clear   key: quit", pen.width);
  set_line_style(PS_SOLID);
  set_line_color(rgb(120, 120, 120));
  set_fill_style(get_bk_color(), FILL_SOLID);
  fill_bar(0, HEIGHT - 26, WIDTH, HEIGHT);
  draw_text(8, HEIGHT - 22, help);
  // Strokes are round at their ends and corners.
  set_line_color(hsv_to_rgb(pen.hue, 0.8f, 0.85f));
  set_line_style(PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND, 0, pen.width);
}

void clear_canvas(const Pen& pen) {
  set_bk_color(rgb(255, 255, 250));
  clear_device();
  draw_help(pen);
}

// Applies one mouse message to the picture.
void handle(Pen& pen, const MouseMessage& message) {
  switch (message.message) {
    case WM_LBUTTONDOWN:
      pen.hue = std::fmod(pen.hue + 47.0f, 360.0f);
      set_line_color(hsv_to_rgb(pen.hue, 0.8f, 0.85f));
      move_to(message.x, message.y);
      break;
    case WM_MOUSEMOVE:
      if (message.left_button) line_to(message.x, message.y);
      break;
    case WM_MOUSEWHEEL:
      pen.width = std::clamp(pen.width + message.wheel / 120, 1, 40);
      draw_help(pen);
      break;
    case WM_RBUTTONDOWN: clear_canvas(pen); break;
  }
}

// Four waves as a hand would draw them, the pen wider for each.
std::vector<MouseMessage> made_up_strokes() {
  std::vector<MouseMessage> messages;
  for (int stroke = 0; stroke < 4; ++stroke) {
    const auto y = [&](int x) {
      return std::int16_t(60 + stroke * 80 + 30 * std::sin(x / (25.0 + 12 * stroke)));
    };
    messages.push_back({.message = WM_LBUTTONDOWN, .left_button = true, .x = 40, .y = y(40)});
    for (std::int16_t x = 48; x <= 600; x += 8)
      messages.push_back({.message = WM_MOUSEMOVE, .left_button = true, .x = x, .y = y(x)});
    messages.push_back({.message = WM_LBUTTONUP, .x = 600, .y = y(600)});
    messages.push_back({.message = WM_MOUSEWHEEL, .wheel = 3 * 120});
  }
  return messages;
}

}  // namespace

int main(int argc, char** argv) {
  Pen pen;
  if (argc > 1) {
    Image picture(WIDTH, HEIGHT);
    set_working_image(&picture);
    clear_canvas(pen);
    for (const MouseMessage& message : made_up_strokes()) handle(pen, message);
    if (save_image(argv[1], &picture)) return 0;
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  if (!open_graphics(WIDTH, HEIGHT)) return 1;
  clear_canvas(pen);
  // Sleeps until a key or a mouse message comes: no processor time while idle.
  while (wait_for_input(-1) && !key_hit()) handle(pen, get_mouse_message());
  if (key_hit()) read_key();
  close_graphics();
  return 0;
}
