// Paints a colour wheel pixel by pixel through the image's buffer, labels it with
// text in two fonts, and saves it as colour_wheel.bmp, or under the file name given
// as argument.
#include <korvi/graphics.h>

#include <cmath>
#include <cstdio>
#include <numbers>

using namespace korvi;

int main(int argc, char** argv) {
  const char* file_name = argc > 1 ? argv[1] : "colour_wheel.bmp";
  constexpr int SIZE = 360;
  Image wheel(SIZE, SIZE + 60);
  set_working_image(&wheel);
  set_bk_color(rgb(255, 255, 255));
  clear_device();

  // Hue around the centre, saturation outwards; pixels are 0x00RRGGBB in the buffer.
  std::uint32_t* pixels = get_image_buffer(&wheel);
  const double centre = SIZE / 2.0;
  for (int y = 0; y < SIZE; ++y)
    for (int x = 0; x < SIZE; ++x) {
      const double dx = x + 0.5 - centre, dy = centre - (y + 0.5);
      const double radius = std::hypot(dx, dy) / centre;
      if (radius > 1.0) continue;
      double hue = std::atan2(dy, dx) * 180.0 / std::numbers::pi;
      if (hue < 0) hue += 360.0;
      const Color color = hsv_to_rgb(static_cast<float>(hue), static_cast<float>(radius), 1.0f);
      pixels[y * SIZE + x] = blue_of(color) | green_of(color) << 8 | red_of(color) << 16;
    }

  set_line_color(rgb(0, 0, 0));
  set_bk_mode(TRANSPARENT);
  set_text_style_full(22, 0, "Arial", 0, 0, FW_BOLD, false, false, false, DEFAULT_CHARSET, 0, 0,
                      ANTIALIASED_QUALITY, 0);
  Rect title{0, SIZE + 4, SIZE, SIZE + 30};
  draw_text_in_rect("Hue and saturation", &title, DT_CENTER | DT_SINGLELINE);
  set_text_style(16, 0, "System");
  draw_text(10, SIZE + 34, "grey of red:");
  float h = 0, s = 0, v = 0;
  rgb_to_hsv(rgb(255, 0, 0), &h, &s, &v);
  char line[64];
  std::snprintf(line, sizeof line, "red: h %.0f s %.0f v %.0f", h, s, v);
  draw_text(10 + text_width("grey of red: ") + 24, SIZE + 34, line);
  set_fill_style(rgb_to_gray(rgb(255, 0, 0)));
  fill_bar(10 + text_width("grey of red: "), SIZE + 36, 30 + text_width("grey of red: "),
           SIZE + 48);

  if (!save_image(file_name, &wheel)) {
    std::fprintf(stderr, "cannot write %s\n", file_name);
    return 1;
  }
  std::printf("wrote %s\n", file_name);
  return 0;
}
