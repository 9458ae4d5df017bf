// Picture files and embedded pictures, loaded into images and saved from them.
#include <korvi/graphics.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>
#include <optional>
#include <string_view>
#include <vector>

#include "files/draw_picture.h"
#include "files/file_buffer.h"
#include "files/picture_codec.h"
#include "state/graphics_library.h"
#include "state/image_impl.h"

namespace korvi {
namespace {

// Into the image, or into the window's picture (null), which then shows whole.
bool load_into(Image* image, FileBuffer& buffer, int width, int height, bool resize) {
  Image& target = image ? *image : library().graphics_window;
  if (!draw_picture(buffer.take(), target, width, height, resize)) return false;
  if (!image) flush_batch();
  return true;
}

// Whether the name ends in ".png", in any case.
bool names_png(std::string_view file_name) {
  constexpr std::string_view SUFFIX = ".png";
  if (file_name.size() < SUFFIX.size()) return false;
  const std::string_view end = file_name.substr(file_name.size() - SUFFIX.size());
  return std::ranges::equal(end, SUFFIX, [](char a, char b) {
    return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
  });
}

}  // namespace

bool load_image(Image* image, const char* file_name, int width, int height, bool resize) {
  FileBuffer buffer;
  return buffer.load_file(file_name) && load_into(image, buffer, width, height, resize);
}

bool load_image_resource(Image* image, const char* type, const char* name, int width, int height,
                         bool resize) {
  FileBuffer buffer;
  return buffer.load_resource(type, name) && load_into(image, buffer, width, height, resize);
}

bool save_image(const char* file_name, const Image* image) {
  const Image& source = image ? *image : static_cast<const Image&>(library().graphics_window);
  const raster::Surface& surface = impl_of(source).surface;
  if (!file_name || surface.empty()) return false;
  std::optional<std::vector<std::uint8_t>> bytes;
  try {
    if (names_png(file_name))
      bytes = encode_png(surface.pixels(), surface.width(), surface.height());
    else
      bytes = encode_bmp(surface.pixels(), surface.width(), surface.height());
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!bytes) return false;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(file_name, "wb"), std::fclose);
  if (!file) return false;
  const bool written = std::fwrite(bytes->data(), 1, bytes->size(), file.get()) == bytes->size();
  return std::fclose(file.release()) == 0 && written;
}

}  // namespace korvi
