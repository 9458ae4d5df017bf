#pragma once
// A picture of 32-bit pixels 0x00RRGGBB, top-down: pixel (x, y) is row(y)[x].

#include <cstddef>
#include <cstdint>
#include <memory>

#include "korvi/raster/color.h"
#include "korvi/raster/geometry.h"

namespace korvi::raster {

// Largest width or height of a surface; larger sizes throw std::length_error.
inline constexpr int MAX_SURFACE_DIMENSION = 1 << 20;

class Surface {
 public:
  // An empty surface: no pixels, width and height 0.
  Surface() = default;
  // Owns width x height pixels, zero-filled, rows packed (stride = width), the storage
  // 64-byte aligned. A zero width or height gives an empty surface. A negative size, a
  // side above MAX_SURFACE_DIMENSION or a byte count that cannot be addressed throws
  // std::length_error; running out of memory throws std::bad_alloc.
  Surface(int width, int height);
  // A view of caller memory: stride (in pixels, >= width) between rows. The memory
  // must outlive the surface. Bad sizes throw std::length_error, as above.
  static Surface view(Pixel* pixels, int width, int height, std::ptrdiff_t stride);

  Surface(Surface&& other) noexcept;
  Surface& operator=(Surface&& other) noexcept;
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  ~Surface() = default;

  int width() const { return m_width; }
  int height() const { return m_height; }
  std::ptrdiff_t stride() const { return m_stride; }
  bool empty() const { return m_pixels == nullptr; }
  bool owns_memory() const { return static_cast<bool>(m_storage); }
  PixelBox bounds() const { return {0, 0, m_width, m_height}; }

  Pixel* pixels() { return m_pixels; }
  const Pixel* pixels() const { return m_pixels; }
  // Callers keep 0 <= y < height().
  Pixel* row(int y) { return m_pixels + y * m_stride; }
  const Pixel* row(int y) const { return m_pixels + y * m_stride; }
  // Callers keep (x, y) inside bounds().
  Pixel& at(int x, int y) { return row(y)[x]; }
  Pixel at(int x, int y) const { return row(y)[x]; }

  // Sets every pixel to value.
  void fill(Pixel value);

 private:
  struct FreeStorage {
    void operator()(Pixel* p) const;
  };
  std::unique_ptr<Pixel, FreeStorage> m_storage;
  Pixel* m_pixels = nullptr;
  int m_width = 0;
  int m_height = 0;
  std::ptrdiff_t m_stride = 0;
};

// Copies the part of src_rect that lies inside src to dst at dst_origin (clipped to
// dst). Plain copy, no raster operation; the two may be the same surface.
void copy_pixels(Surface& dst, Point dst_origin, const Surface& src, PixelBox src_rect);
// Fills the part of rect inside the surface with value.
void fill_pixels(Surface& surface, PixelBox rect, Pixel value);

}  // namespace korvi::raster
