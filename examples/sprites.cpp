// Sprites over a background with masks: the mask (black figure on white) is put
// with SRCAND, which blacks out the figure's place and keeps the rest, then the
// sprite (figure on black) with SRCPAINT, which ORs the figure into that hole.
// Draws a landscape with a flock of birds into an off-screen image and saves it as
// sprites.bmp, or under the file name given as argument.
#include <korvi/graphics.h>

#include <cstdio>

using namespace korvi;

namespace {

constexpr int WIDTH = 640;
constexpr int HEIGHT = 400;
constexpr int SPRITE = 48;

// The bird in its colours, or all black for the mask.
void draw_bird(bool mask) {
  const auto colour = [mask](Color c) { return mask ? rgb(0, 0, 0) : c; };
  set_line_color(colour(rgb(60, 30, 10)));
  set_fill_style(colour(rgb(200, 80, 40)), FILL_SOLID);
  draw_ellipse(8, 16, 40, 36);  // body
  set_fill_style(colour(rgb(240, 160, 60)), FILL_SOLID);
  const Point wing[] = {{14, 24}, {26, 2}, {32, 24}};
  draw_polygon(3, wing);
  set_fill_style(colour(rgb(250, 220, 60)), FILL_SOLID);
  const Point beak[] = {{39, 22}, {47, 26}, {39, 30}};
  draw_polygon(3, beak);
  set_fill_style(colour(rgb(255, 255, 255)), FILL_SOLID);
  draw_circle(33, 23, 3);  // eye
}

// A figure and its mask, each on its own image.
void make_sprite(Image& sprite, Image& mask) {
  set_working_image(&sprite);
  set_bk_color(rgb(0, 0, 0));
  clear_device();
  draw_bird(false);
  set_working_image(&mask);
  set_bk_color(rgb(255, 255, 255));
  clear_device();
  draw_bird(true);
}

void draw_landscape() {
  for (int y = 0; y < HEIGHT; y += 4) {  // the sky, lighter towards the horizon
    set_fill_style(hsv_to_rgb(210.0f, 0.6f - 0.4f * y / HEIGHT, 0.95f), FILL_SOLID);
    fill_bar(0, y, WIDTH, y + 4);
  }
  set_line_color(rgb(230, 180, 0));
  set_fill_style(rgb(255, 220, 60), FILL_SOLID);
  draw_circle(520, 80, 40);
  set_line_color(rgb(40, 100, 40));
  set_bk_color(rgb(90, 160, 70));
  set_bk_mode(OPAQUE);
  set_fill_style(rgb(60, 130, 50), FILL_HATCH_RISING);
  draw_ellipse(-200, 270, 380, 560);
  draw_ellipse(200, 300, 900, 600);
}

}  // namespace

int main(int argc, char** argv) {
  const char* file_name = argc > 1 ? argv[1] : "sprites.bmp";
  Image sprite(SPRITE, SPRITE), mask(SPRITE, SPRITE);
  make_sprite(sprite, mask);

  Image scene(WIDTH, HEIGHT);
  set_working_image(&scene);
  draw_landscape();
  for (int i = 0; i < 7; ++i) {
    const int x = 60 + i * 75, y = 150 - (i % 3) * 40 + (i / 3) * 50;
    put_image(x, y, &mask, SRCAND);
    put_image(x, y, &sprite, SRCPAINT);
  }
  // The two pictures the flock is made of, in the corner.
  put_image(10, 10, &sprite);
  put_image(10 + SPRITE + 6, 10, &mask);
  set_bk_mode(TRANSPARENT);
  set_line_color(rgb(0, 0, 0));
  draw_text(10, SPRITE + 14, "sprite   mask");

  if (!save_image(file_name, &scene)) {
    std::fprintf(stderr, "cannot write %s\n", file_name);
    return 1;
  }
  std::printf("wrote %s\n", file_name);
  return 0;
}
