#include "raster_test_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace korvi::raster::testing {
namespace {

void put16(std::vector<unsigned char>& out, std::uint32_t v) {
  out.push_back(static_cast<unsigned char>(v));
  out.push_back(static_cast<unsigned char>(v >> 8));
}
void put32(std::vector<unsigned char>& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

}  // namespace

std::string write_picture(const Surface& surface, const std::string& name) {
  const char* build = std::getenv("KORVI_BUILD_DIR");
  const std::filesystem::path folder =
      build ? std::filesystem::path(build) / "test-pictures"
            : std::filesystem::temp_directory_path() / "korvi-test-pictures";
  std::filesystem::create_directories(folder);
  const std::filesystem::path path = folder / (name + ".bmp");
  const auto w = static_cast<std::uint32_t>(surface.width());
  const auto h = static_cast<std::uint32_t>(surface.height());
  const std::uint32_t row_bytes = (w * 3 + 3) / 4 * 4;
  std::vector<unsigned char> out;
  out.push_back('B');
  out.push_back('M');
  put32(out, 54 + row_bytes * h);
  put32(out, 0);
  put32(out, 54);
  put32(out, 40);
  put32(out, w);
  put32(out, h);
  put16(out, 1);
  put16(out, 24);
  for (int i = 0; i < 6; ++i) put32(out, 0);
  for (std::uint32_t y = h; y-- > 0;) {
    const std::size_t start = out.size();
    for (std::uint32_t x = 0; x < w; ++x) {
      const Pixel p = surface.at(static_cast<int>(x), static_cast<int>(y));
      out.push_back(static_cast<unsigned char>(p));
      out.push_back(static_cast<unsigned char>(p >> 8));
      out.push_back(static_cast<unsigned char>(p >> 16));
    }
    while (out.size() - start < row_bytes) out.push_back(0);
  }
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return path.string();
}

std::int64_t count_pixels(const Surface& surface, Pixel value) {
  std::int64_t n = 0;
  for (int y = 0; y < surface.height(); ++y) {
    for (int x = 0; x < surface.width(); ++x) n += surface.at(x, y) == value;
  }
  return n;
}

std::int64_t count_other(const Surface& surface, Pixel value) {
  return std::int64_t{surface.width()} * surface.height() - count_pixels(surface, value);
}

PixelBox changed_box(const Surface& surface, Pixel background) {
  PixelBox box{surface.width(), surface.height(), 0, 0};
  for (int y = 0; y < surface.height(); ++y) {
    for (int x = 0; x < surface.width(); ++x) {
      if (surface.at(x, y) == background) continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1);
      box.bottom = std::max(box.bottom, y + 1);
    }
  }
  return box.empty() ? PixelBox{} : box;
}

bool same_pixels(const Surface& a, const Surface& b) {
  if (a.width() != b.width() || a.height() != b.height()) return false;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.at(x, y) != b.at(x, y)) return false;
    }
  }
  return true;
}

Surface filled(int width, int height, Pixel value) {
  Surface s(width, height);
  s.fill(value);
  return s;
}

}  // namespace korvi::raster::testing
