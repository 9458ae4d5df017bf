// Picture files and embedded pictures, loaded into images and saved from them.
#include <korvi/graphics.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/draw_picture.h"
#include "files/file_buffer.h"
#include "files/picture_codec.h"
#include "files/picture_fault.h"
#include "state/graphics_library.h"
#include "state/image_impl.h"

namespace korvi {
namespace {

// Into the image, or into the window's picture (null), which then shows whole.
bool load_into(Image* image, FileBuffer& buffer, int width, int height, bool resize,
               PictureFault* fault) {
  Image& target = image ? *image : library().graphics_window;
  if (!draw_picture(buffer.take(), target, width, height, resize, fault)) return false;
  if (!image) flush_batch();
  return true;
}

// Whether the name ends in ".png", in any case.
bool names_png(std::string_view file_name) {
  constexpr std::string_view SUFFIX = ".png";
  if (file_name.size() < SUFFIX.size()) return false;
  const std::string_view end = file_name.substr(file_name.size() - SUFFIX.size());
  return std::equal(end.begin(), end.end(), SUFFIX.begin(), SUFFIX.end(), [](char a, char b) {
    return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
  });
}

// Writes the one line that says why a load or save failed ("korvi: cannot load
// NAME: REASON"); false.
bool report(const char* action, const std::string& name, const std::string& reason) {
  std::fprintf(stderr, "korvi: cannot %s %s: %s\n", action, name.c_str(), reason.c_str());
  return false;
}

}  // namespace

bool load_image(Image* image, const char* file_name, int width, int height, bool resize) {
  if (!file_name) return report("load", "a picture", "no file name given");
  FileBuffer buffer;
  PictureFault fault = PictureFault::none;
  if (!buffer.load_file(file_name, &fault) ||
      !load_into(image, buffer, width, height, resize, &fault))
    return report("load", file_name, describe(fault));
  return true;
}

bool load_image_resource(Image* image, const char* type, const char* name, int width, int height,
                         bool resize) {
  const std::string resource = std::string("the resource \"") + (name ? name : "") +
                               "\" of type " + (type ? type : "(none)");
  FileBuffer buffer;
  PictureFault fault = PictureFault::none;
  if (!buffer.load_resource(type, name, &fault) ||
      !load_into(image, buffer, width, height, resize, &fault))
    return report("load", resource, describe(fault));
  return true;
}

bool save_image(const char* file_name, const Image* image) {
  if (!file_name) return report("save", "a picture", "no file name given");
  const Image& source = image ? *image : static_cast<const Image&>(library().graphics_window);
  const raster::Surface& surface = impl_of(source).surface;
  if (surface.empty()) return report("save", file_name, "the image has no pixels");
  const bool png = names_png(file_name);
  if (png && picture_library_error())
    return report("save", file_name, describe(PictureFault::no_picture_library));
  std::optional<std::vector<std::uint8_t>> bytes;
  try {
    if (png)
      bytes = encode_png(surface.pixels(), surface.width(), surface.height());
    else
      bytes = encode_bmp(surface.pixels(), surface.width(), surface.height());
  } catch (const std::bad_alloc&) {
    return report("save", file_name, describe(PictureFault::out_of_memory));
  }
  if (!bytes) return report("save", file_name, "the PNG writer failed");
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(file_name, "wb"), std::fclose);
  if (!file) return report("save", file_name, std::strerror(errno));
  const bool written = std::fwrite(bytes->data(), 1, bytes->size(), file.get()) == bytes->size();
  const int write_error = errno;
  if (std::fclose(file.release()) != 0 || !written)
    return report("save", file_name, std::strerror(written ? errno : write_error));
  return true;
}

}  // namespace korvi
