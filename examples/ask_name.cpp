// Asks for a name with the input box, opens the graphics window and asks for a
// number of corners in a second box over it, then draws a polygon with that many
// corners and the name beside each of them. A key closes the window. With a file
// name as argument it draws what the answers "friend" and 7 give into an off-screen
// image and saves it there.
#include <korvi/graphics.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <string>
#include <vector>

using namespace korvi;

namespace {

constexpr int MIN_CORNERS = 3;
constexpr int MAX_CORNERS = 24;

// The number in the text when it is a whole number within the limits.
bool parse_corners(const char* text, int* corners) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  while (end && *end == ' ') ++end;
  if (end == text || !end || *end != '\0' || value < MIN_CORNERS || value > MAX_CORNERS)
    return false;
  *corners = static_cast<int>(value);
  return true;
}

void draw_polygon_with_names(const std::string& name, int corners) {
  const int cx = get_width() / 2;
  const int cy = get_height() / 2 + 20;
  const double radius = 165.0;
  const double label_radius = radius + 22.0;  // the names sit just outside the corners
  std::vector<Point> points;
  std::vector<Point> labels;
  for (int i = 0; i < corners; ++i) {
    const double angle = -std::numbers::pi / 2 + 2 * std::numbers::pi * i / corners;
    const auto at = [&](double r) {
      return Point{cx + static_cast<int>(std::lround(r * std::cos(angle))),
                   cy + static_cast<int>(std::lround(r * std::sin(angle)))};
    };
    points.push_back(at(radius));
    labels.push_back(at(label_radius));
  }
  set_line_color(rgb(30, 90, 200));
  set_line_style(PS_SOLID, 0, 3);
  set_fill_style(rgb(210, 225, 250), FILL_SOLID);
  draw_polygon(corners, points.data());
  set_bk_mode(TRANSPARENT);
  set_line_color(rgb(20, 20, 20));
  set_text_style(18, 0, "Arial");
  const int width = text_width(name.c_str());
  const int height = text_height(name.c_str());
  for (const Point& label : labels)
    draw_text(label.x - width / 2, label.y - height / 2, name.c_str());
}

void draw_greeting(const std::string& name) {
  set_bk_color(rgb(250, 250, 245));
  clear_device();
  set_line_color(rgb(20, 20, 20));
  set_text_style(24, 0, "Arial");
  draw_text(20, 16, ("Hello, " + name + "!").c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) {  // the answers "friend" and 7, drawn into an image saved there
    Image picture(640, 480);
    set_working_image(&picture);
    draw_greeting("friend");
    draw_polygon_with_names("friend", 7);
    return save_image(argv[1], &picture) ? 0 : 1;
  }
  char name[64] = "";
  if (!input_box(name, sizeof name, "What is your name?", "ask_name", "friend")) {
    std::puts("no name given");
    return 1;
  }
  if (!open_graphics(640, 480)) return 1;
  draw_greeting(name);

  // Asked until the answer is a number of corners; the box has only OK.
  char answer[16] = "5";
  int corners = 0;
  const std::string question = "How many corners should " + std::string(name) +
                               "'s polygon have (" + std::to_string(MIN_CORNERS) + " to " +
                               std::to_string(MAX_CORNERS) + ")?";
  do {
    if (!input_box(answer, sizeof answer, question.c_str(), nullptr, answer, 0, 0, true)) return 1;
  } while (!parse_corners(answer, &corners));
  std::printf("%s: %d corners\n", name, corners);
  std::fflush(stdout);
  draw_polygon_with_names(name, corners);
  read_key();
  close_graphics();
  return 0;
}
