// Balls bouncing in the graphics window, drawn in batches: each frame is drawn into
// the window's picture and shown at once by flush_batch(), so nothing flickers. Any
// key ends it. With a file name as argument it draws the balls' paths into an
// off-screen image instead and saves it there (no window needed).
#include <korvi/graphics.h>

#include <cstdio>
#include <vector>

using namespace korvi;

namespace {

constexpr int WIDTH = 640;
constexpr int HEIGHT = 400;
constexpr int FLOOR = HEIGHT - 30;
constexpr int RADIUS = 16;
constexpr double GRAVITY = 0.4;

struct Ball {
  double x, y, dx, dy;
  Color color;
};

// One frame on: gravity pulls, walls and the floor bounce the ball back.
void step(Ball& ball) {
  ball.dy += GRAVITY;
  ball.x += ball.dx;
  ball.y += ball.dy;
  if (ball.x < RADIUS || ball.x > WIDTH - RADIUS) {
    ball.dx = -ball.dx;
    ball.x = ball.x < RADIUS ? RADIUS : WIDTH - RADIUS;
  }
  if (ball.y > FLOOR - RADIUS) {
    ball.dy = -ball.dy;
    ball.y = FLOOR - RADIUS;
  }
}

void draw_background() {
  set_bk_color(rgb(235, 242, 250));
  clear_device();
  set_line_color(rgb(90, 70, 50));
  set_fill_style(rgb(170, 140, 100), FILL_HATCH_DIAGONAL_CROSS);
  set_bk_mode(OPAQUE);
  fill_bar(0, FLOOR, WIDTH, HEIGHT);
}

void draw_ball(const Ball& ball) {
  const int x = static_cast<int>(ball.x), y = static_cast<int>(ball.y);
  set_line_color(rgb(40, 40, 40));
  set_fill_style(ball.color, FILL_SOLID);
  draw_circle(x, y, RADIUS);
  set_fill_style(rgb(255, 255, 255), FILL_SOLID);  // a highlight
  set_line_color(rgb(255, 255, 255));
  draw_circle(x - RADIUS / 3, y - RADIUS / 3, RADIUS / 5);
}

std::vector<Ball> starting_balls() {
  std::vector<Ball> balls;
  for (int i = 0; i < 5; ++i)
    balls.push_back({60.0 + 110 * i, 60.0 + 25 * i, 2.0 + i * 0.7, 0.0,
                     hsv_to_rgb(72.0f * static_cast<float>(i), 0.75f, 0.95f)});
  return balls;
}

// The paths of the balls over a second: a small ring every third frame.
int save_paths(const char* file_name) {
  Image picture(WIDTH, HEIGHT);
  set_working_image(&picture);
  draw_background();
  std::vector<Ball> balls = starting_balls();
  for (int frame = 0; frame < 60; ++frame) {
    for (Ball& ball : balls) {
      step(ball);
      set_line_color(ball.color);
      if (frame % 3 == 0)
        draw_circle_outline(static_cast<int>(ball.x), static_cast<int>(ball.y), 3);
    }
  }
  for (const Ball& ball : balls) draw_ball(ball);
  if (save_image(file_name, &picture)) return 0;
  std::fprintf(stderr, "cannot write %s\n", file_name);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) return save_paths(argv[1]);
  if (!open_graphics(WIDTH, HEIGHT)) return 1;
  std::vector<Ball> balls = starting_balls();
  begin_batch();
  while (!key_hit()) {
    draw_background();
    for (const Ball& ball : balls) draw_ball(ball);
    flush_batch();  // the whole frame appears at once
    for (Ball& ball : balls) step(ball);
    delay_ms(16);  // about 60 frames a second
  }
  read_key();
  end_batch();
  close_graphics();
  return 0;
}
