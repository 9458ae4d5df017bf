// Draws every fill style, a few line styles and some shapes into an off-screen
// image and saves it as shapes_gallery.bmp, or under the file name given as argument.
#include <korvi/graphics.h>

#include <cstdio>
#include <numbers>

using namespace korvi;

int main(int argc, char** argv) {
  const char* file_name = argc > 1 ? argv[1] : "shapes_gallery.bmp";
  Image canvas(640, 400);
  set_working_image(&canvas);
  set_bk_color(rgb(250, 250, 245));
  clear_device();
  set_bk_mode(TRANSPARENT);

  // The 24 fill styles with a pattern of their own, in a grid of little bars.
  set_line_color(rgb(40, 40, 40));
  for (int style = FILL_SOLID; style <= FILL_CHECKER; ++style) {
    const int column = (style - FILL_SOLID) % 8;
    const int row = (style - FILL_SOLID) / 8;
    const int left = 20 + column * 76;
    const int top = 20 + row * 60;
    set_fill_style(hsv_to_rgb(15.0f * style, 0.8f, 0.75f), style);
    draw_bar3d(left, top, left + 50, top + 40, 10, true);
  }

  // Line styles, from solid to a user pattern.
  const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
  for (int i = 0; i < 5; ++i) {
    set_line_style(styles[i], 0, 1);
    draw_line(20, 220 + i * 12, 300, 220 + i * 12);
  }
  set_line_style(PS_USERSTYLE, 0x0F3F, 1);
  draw_line(20, 280, 300, 280);
  set_line_style(PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND, 0, 9);
  set_line_color(rgb(30, 110, 200));
  const Point zigzag[] = {{30, 320}, {80, 370}, {130, 320}, {180, 370}, {230, 320}};
  draw_polyline(5, zigzag);

  // Circles, an ellipse, a pie and an arc.
  set_line_style(PS_SOLID, 0, 2);
  set_line_color(rgb(120, 20, 20));
  set_fill_style(rgb(240, 160, 60), FILL_SOLID);
  draw_circle(380, 260, 40);
  draw_ellipse(440, 220, 600, 300);
  set_fill_style(rgb(90, 180, 90), FILL_HATCH_CROSS);
  draw_pie(340, 310, 440, 390, 0.0, 1.5 * std::numbers::pi);
  draw_arc(460, 310, 600, 390, std::numbers::pi / 4, std::numbers::pi);

  set_line_color(rgb(0, 0, 0));
  draw_text(20, 380, "korvi: fill styles, line styles and shapes");

  if (!save_image(file_name, &canvas)) {
    std::fprintf(stderr, "cannot write %s\n", file_name);
    return 1;
  }
  std::printf("wrote %s\n", file_name);
  return 0;
}
