// Loads each picture file named and writes, for each, its width and height (two
// 32-bit little-endian words) and its pixels (0x00RRGGBB words) to the output file,
// or one zero word for a file that does not load. The web build's output is compared
// with the native build's byte for byte: the same decoders give the same pixels.
// Usage: picture_load OUTPUT PICTURE...
#include <korvi/graphics.h>

#include <cstdint>
#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: picture_load OUTPUT PICTURE...\n");
    return 2;
  }
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(argv[1], "wb"), std::fclose);
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  for (int i = 2; i < argc; ++i) {
    korvi::Image picture;
    if (!korvi::load_image(&picture, argv[i], 0, 0, true)) {
      const std::uint32_t none = 0;
      std::fwrite(&none, sizeof none, 1, out.get());
      continue;
    }
    const std::uint32_t size[2] = {static_cast<std::uint32_t>(picture.width()),
                                   static_cast<std::uint32_t>(picture.height())};
    std::fwrite(size, sizeof size[0], 2, out.get());
    std::fwrite(korvi::get_image_buffer(&picture), sizeof(std::uint32_t),
                static_cast<std::size_t>(size[0]) * size[1], out.get());
  }
  return std::ferror(out.get()) ? 1 : 0;
}
