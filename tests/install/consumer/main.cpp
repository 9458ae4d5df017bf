// Loads a picture embedded at build time, draws on it and checks the pixels.
#include <korvi/graphics.h>

#include <cstdio>

int main() {
  korvi::Image image;
  if (!korvi::load_image_resource(&image, "BITMAP", "logo")) return 1;
  korvi::set_working_image(&image);
  korvi::put_pixel(1, 1, korvi::rgb(0, 0, 255));
  const std::uint32_t* pixels = korvi::get_image_buffer(&image);
  const bool ok = image.width() == 4 && pixels[0] == 0xFF0000 && pixels[5] == 0x0000FF;
  std::puts(ok ? "consumer: ok" : "consumer: wrong pixels");
  return ok ? 0 : 1;
}
