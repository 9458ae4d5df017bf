// Surfaces, colour conversion and plain pixel copies.

#include "korvi/raster/surface.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "raster_test_support.h"

namespace korvi::raster {
namespace {

TEST(SurfaceTest, OwnsZeroFilledAlignedPackedRows) {
  Surface s(100, 50);
  EXPECT_EQ(s.width(), 100);
  EXPECT_EQ(s.height(), 50);
  EXPECT_EQ(s.stride(), 100);
  EXPECT_TRUE(s.owns_memory());
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(s.pixels()) % 64, 0u);
  EXPECT_EQ(testing::count_pixels(s, 0), 5000);
  EXPECT_EQ(s.row(7), s.pixels() + 700);
}

TEST(SurfaceTest, BadSizesThrowAndZeroSizesAreEmpty) {
  EXPECT_THROW(Surface(-1, 10), std::length_error);
  EXPECT_THROW(Surface(10, -1), std::length_error);
  EXPECT_THROW(Surface(MAX_SURFACE_DIMENSION + 1, 1), std::length_error);
  EXPECT_THROW(Surface(INT32_MAX, INT32_MAX), std::length_error);
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{0, 0}, {0, 5}, {5, 0}}) {
    Surface s(w, h);
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(s.width() * s.height(), 0);
  }
  Pixel memory[4];
  EXPECT_THROW(Surface::view(memory, 4, 1, 3), std::length_error);
}

TEST(SurfaceTest, ViewUsesCallerMemoryWithItsStride) {
  std::vector<Pixel> memory(6 * 3, 7);
  Surface s = Surface::view(memory.data(), 4, 3, 6);
  EXPECT_FALSE(s.owns_memory());
  s.fill(9);
  // The two pixels beyond each row's width are untouched.
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(memory[static_cast<std::size_t>(y * 6 + x)], x < 4 ? 9u : 7u);
  }
}

TEST(SurfaceTest, MoveLeavesTheSourceEmpty) {
  Surface a(3, 3);
  a.at(1, 1) = 5;
  Surface b = std::move(a);
  EXPECT_TRUE(a.empty());  // NOLINT(bugprone-use-after-move): the contract under test
  EXPECT_EQ(b.at(1, 1), 5u);
}

TEST(ColorTest, ExchangesRedAndBlue) {
  EXPECT_EQ(pixel_from_color(0x0000FF), 0x00FF0000u);
  EXPECT_EQ(pixel_from_color(rgb(1, 2, 3)), 0x00010203u);
  EXPECT_EQ(color_from_pixel(0x00112233), 0x00332211u);
  EXPECT_EQ(pixel_from_color(0xAB123456), 0xAB563412u);  // top byte passes
}

// Every start alignment and length of a row fill writes exactly its pixels.
TEST(SurfaceTest, FillWritesExactlyTheRectangle) {
  for (int left = 0; left < 8; ++left) {
    for (int width = 0; width < 40; ++width) {
      Surface s(64, 3);
      fill_pixels(s, {left, 1, left + width, 2}, 0xABCDEF);
      EXPECT_EQ(testing::count_pixels(s, 0xABCDEF), width) << left << " " << width;
      if (width > 0) {
        EXPECT_EQ(testing::changed_box(s, 0), (PixelBox{left, 1, left + width, 2}));
      }
    }
  }
}

TEST(SurfaceTest, CopyPixelsClipsAndHandlesOverlap) {
  struct Case {
    Point to;
    PixelBox from;
  };
  for (const Case& c : {Case{{2, 1}, {0, 0, 6, 4}}, Case{{0, 0}, {2, 1, 8, 5}},
                        Case{{-3, -2}, {0, 0, 8, 6}}, Case{{5, 4}, {-2, -2, 10, 10}}}) {
    Surface s(8, 6);
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 8; ++x) s.at(x, y) = static_cast<Pixel>(y * 8 + x + 1);
    }
    Surface original(8, 6);
    copy_pixels(original, {0, 0}, s, s.bounds());
    copy_pixels(s, c.to, s, c.from);
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 8; ++x) {
        const int sx = x - c.to.x + c.from.left;
        const int sy = y - c.to.y + c.from.top;
        const bool copied = c.from.contains(sx, sy) && original.bounds().contains(sx, sy);
        EXPECT_EQ(s.at(x, y), copied ? original.at(sx, sy) : original.at(x, y)) << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace korvi::raster
