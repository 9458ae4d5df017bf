#include "korvi/raster/surface.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>

#include "pixel_ops.h"

namespace korvi::raster {
namespace {

constexpr std::size_t ALIGNMENT = 64;

void check_size(int width, int height) {
  if (width < 0 || height < 0 || width > MAX_SURFACE_DIMENSION || height > MAX_SURFACE_DIMENSION) {
    throw std::length_error("surface size out of range: " + std::to_string(width) + " x " +
                            std::to_string(height));
  }
}

}  // namespace

void Surface::FreeStorage::operator()(Pixel* p) const { std::free(p); }

Surface::Surface(int width, int height) {
  check_size(width, height);
  if (width == 0 || height == 0) return;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (count > std::numeric_limits<std::ptrdiff_t>::max() / sizeof(Pixel) - ALIGNMENT) {
    throw std::length_error("surface too large");
  }
  std::size_t bytes = count * sizeof(Pixel);
  bytes = (bytes + ALIGNMENT - 1) / ALIGNMENT * ALIGNMENT;
  auto* memory = static_cast<Pixel*>(std::aligned_alloc(ALIGNMENT, bytes));
  if (memory == nullptr) throw std::bad_alloc();
  std::memset(memory, 0, bytes);
  m_storage.reset(memory);
  m_pixels = memory;
  m_width = width;
  m_height = height;
  m_stride = width;
}

Surface Surface::view(Pixel* pixels, int width, int height, std::ptrdiff_t stride) {
  check_size(width, height);
  if (stride < width) throw std::length_error("surface stride below its width");
  Surface s;
  if (pixels == nullptr || width == 0 || height == 0) return s;
  s.m_pixels = pixels;
  s.m_width = width;
  s.m_height = height;
  s.m_stride = stride;
  return s;
}

Surface::Surface(Surface&& other) noexcept
    : m_storage(std::move(other.m_storage)),
      m_pixels(std::exchange(other.m_pixels, nullptr)),
      m_width(std::exchange(other.m_width, 0)),
      m_height(std::exchange(other.m_height, 0)),
      m_stride(std::exchange(other.m_stride, 0)) {}

Surface& Surface::operator=(Surface&& other) noexcept {
  if (this != &other) {
    m_storage = std::move(other.m_storage);
    m_pixels = std::exchange(other.m_pixels, nullptr);
    m_width = std::exchange(other.m_width, 0);
    m_height = std::exchange(other.m_height, 0);
    m_stride = std::exchange(other.m_stride, 0);
  }
  return *this;
}

void Surface::fill(Pixel value) { fill_pixels(*this, bounds(), value); }

void fill_pixels(Surface& surface, PixelBox rect, Pixel value) {
  const PixelBox r = rect.intersected(surface.bounds());
  if (r.empty()) return;
  const auto width = static_cast<std::size_t>(r.width());
  if (r.left == 0 && r.right == surface.width() && surface.stride() == surface.width()) {
    // Whole rows of a packed surface are one run.
    store_run(surface.row(r.top), width * static_cast<std::size_t>(r.height()), value);
    return;
  }
  for (int y = r.top; y < r.bottom; ++y) store_run(surface.row(y) + r.left, width, value);
}

void copy_pixels(Surface& dst, Point dst_origin, const Surface& src, PixelBox src_rect) {
  PixelBox s = src_rect.intersected(src.bounds());
  if (s.empty()) return;
  // Shift into destination space, clip there, shift back.
  const std::int64_t dx = std::int64_t{dst_origin.x} - src_rect.left;
  const std::int64_t dy = std::int64_t{dst_origin.y} - src_rect.top;
  const std::int64_t left = std::max<std::int64_t>(s.left + dx, 0);
  const std::int64_t top = std::max<std::int64_t>(s.top + dy, 0);
  const std::int64_t right = std::min<std::int64_t>(s.right + dx, dst.width());
  const std::int64_t bottom = std::min<std::int64_t>(s.bottom + dy, dst.height());
  if (left >= right || top >= bottom) return;
  const auto bytes = static_cast<std::size_t>(right - left) * sizeof(Pixel);
  const auto copy_row = [&](std::int64_t y) {
    std::memmove(dst.row(static_cast<int>(y)) + left,
                 src.row(static_cast<int>(y - dy)) + (left - dx), bytes);
  };
  // Rows run against the shift so that an overlapping copy reads before it writes.
  if (dy > 0) {
    for (std::int64_t y = bottom; y-- > top;) copy_row(y);
  } else {
    for (std::int64_t y = top; y < bottom; ++y) copy_row(y);
  }
}

}  // namespace korvi::raster
