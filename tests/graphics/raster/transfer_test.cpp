// Block transfers: the ternary truth table, clipping, overlap, stretching, transforms.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "korvi/raster/device_context.h"
#include "raster_test_support.h"

namespace korvi::raster {
namespace {

// The operation bit by bit, straight from the table.
Pixel brute_force(std::uint8_t table, Pixel p, Pixel s, Pixel d) {
  Pixel out = 0;
  for (int bit = 0; bit < 24; ++bit) {
    const unsigned index = ((p >> bit) & 1) * 4 + ((s >> bit) & 1) * 2 + ((d >> bit) & 1);
    out |= static_cast<Pixel>((table >> index) & 1) << bit;
  }
  return out;
}

Surface random_surface(int w, int h, std::mt19937& rng) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) s.at(x, y) = rng() & RGB_MASK;
  }
  return s;
}

TEST(TransferTest, EveryTernaryOperationFollowsItsTruthTable) {
  std::mt19937 rng(77);
  const std::array<std::uint8_t, 8> rows{0x81, 0x42, 0x24, 0x18, 0xF0, 0x0F, 0xCC, 0x33};
  for (int table = 0; table < 256; ++table) {
    for (const bool patterned : {false, true}) {
      Surface src = random_surface(19, 7, rng);
      Surface dst = random_surface(19, 7, rng);
      Surface before(19, 7);
      copy_pixels(before, {0, 0}, dst, dst.bounds());
      DeviceContext source(&src);
      DeviceContext target(&dst);
      const Color solid = rng() & RGB_MASK;
      target.set_text_color(rgb(10, 200, 30));
      target.set_background_color(rgb(250, 5, 99));
      target.select_brush(patterned ? Brush::pattern(rows) : Brush::solid(solid));
      const std::uint32_t rop = static_cast<std::uint32_t>(table) << 16;
      ASSERT_TRUE(target.bit_blt(0, 0, 19, 7, &source, 0, 0, rop));
      for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 19; ++x) {
          const bool set = (rows[static_cast<std::size_t>(y)] >> (7 - x % 8)) & 1;
          const Pixel p = patterned ? (set ? 0x0AC81Eu : 0xFA0563u) : pixel_from_color(solid);
          ASSERT_EQ(dst.at(x, y),
                    brute_force(static_cast<std::uint8_t>(table), p, src.at(x, y), before.at(x, y)))
              << "table " << table << " at " << x << "," << y;
        }
      }
    }
  }
}

TEST(TransferTest, CopyIsClippedToBothSurfaces) {
  std::mt19937 rng(3);
  Surface src = random_surface(10, 10, rng);
  Surface dst = testing::filled(20, 20, 0x777777);
  DeviceContext source(&src);
  DeviceContext target(&dst);
  // Source rectangle half outside the source: those pixels are left alone.
  ASSERT_TRUE(target.bit_blt(2, 3, 12, 12, &source, -2, 0, SRCCOPY));
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      const int sx = x - 2 - 2, sy = y - 3;
      const bool in_dst = x >= 2 && x < 14 && y >= 3 && y < 15;
      const bool copied = in_dst && src.bounds().contains(sx, sy);
      EXPECT_EQ(dst.at(x, y), copied ? src.at(sx, sy) : 0x777777u) << x << "," << y;
    }
  }
}

TEST(TransferTest, OverlappingCopyOnOneSurfaceReadsThePictureAsItWas) {
  for (const Point shift : {Point{3, 2}, Point{-3, -2}, Point{4, 0}, Point{0, -4}}) {
    std::mt19937 rng(9);
    Surface s = random_surface(16, 16, rng);
    Surface original(16, 16);
    copy_pixels(original, {0, 0}, s, s.bounds());
    DeviceContext dc(&s);
    dc.bit_blt(4 + shift.x, 4 + shift.y, 8, 8, &dc, 4, 4, SRCCOPY);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        ASSERT_EQ(s.at(4 + shift.x + x, 4 + shift.y + y), original.at(4 + x, 4 + y));
      }
    }
  }
}

TEST(TransferTest, MissingSourceIsReportedUnlessUnused) {
  Surface dst = testing::filled(4, 4, 0);
  DeviceContext target(&dst);
  target.select_brush(Brush::solid(rgb(0, 0, 255)));
  EXPECT_FALSE(target.bit_blt(0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
  DeviceContext unbound;
  EXPECT_FALSE(target.bit_blt(0, 0, 4, 4, &unbound, 0, 0, SRCINVERT));
  EXPECT_TRUE(target.bit_blt(0, 0, 2, 4, nullptr, 0, 0, PATCOPY));
  EXPECT_EQ(testing::count_pixels(dst, 0x0000FF), 8);
  EXPECT_TRUE(target.bit_blt(0, 0, 4, 4, nullptr, 0, 0, DSTINVERT));
  EXPECT_EQ(testing::count_pixels(dst, 0xFFFF00), 8);
}

TEST(TransferTest, StretchPicksNearestPixelCentresAndMirrors) {
  Surface src(3, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) src.at(x, y) = static_cast<Pixel>(10 * y + x + 1);
  }
  DeviceContext source(&src);
  Surface dst(6, 4);
  DeviceContext target(&dst);
  target.stretch_blt(0, 0, 6, 4, &source, 0, 0, 3, 2, SRCCOPY);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) EXPECT_EQ(dst.at(x, y), src.at(x / 2, y / 2));
  }
  // Halving picks the pixels whose centres the destination centres land on.
  Surface small(3, 2);
  DeviceContext shrink(&small);
  DeviceContext big(&dst);
  shrink.stretch_blt(0, 0, 3, 2, &big, 0, 0, 6, 4, SRCCOPY);
  EXPECT_TRUE(testing::same_pixels(small, src));
  // A negative width mirrors.
  Surface mirrored(3, 2);
  DeviceContext m(&mirrored);
  m.stretch_blt(2 + 1, 0, -3, 2, &source, 0, 0, 3, 2, SRCCOPY);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(mirrored.at(x, y), src.at(2 - x, y));
  }
}

TEST(TransferTest, ShrinkingPicksThePixelUnderEachDestinationCentre) {
  // Every source pixel differs: destination pixel i of n takes source pixel
  // floor((i + 1/2) m / n) of m, across and down.
  const struct {
    int from, to;
    std::vector<int> picked;
  } cases[] = {{6, 3, {1, 3, 5}}, {3, 2, {0, 2}}};
  for (const auto& c : cases) {
    Surface src(c.from, c.from);
    for (int y = 0; y < c.from; ++y) {
      for (int x = 0; x < c.from; ++x) src.at(x, y) = static_cast<Pixel>(100 * y + x + 1);
    }
    DeviceContext source(&src);
    Surface dst(c.to, c.to);
    DeviceContext target(&dst);
    target.stretch_blt(0, 0, c.to, c.to, &source, 0, 0, c.from, c.from, SRCCOPY);
    for (int y = 0; y < c.to; ++y) {
      for (int x = 0; x < c.to; ++x)
        EXPECT_EQ(dst.at(x, y), src.at(c.picked[x], c.picked[y])) << c.from << " to " << c.to;
    }
  }
}

TEST(TransferTest, TransformsPlaceAndScaleTransfers) {
  std::mt19937 rng(21);
  Surface src = random_surface(8, 8, rng);
  DeviceContext source(&src);
  source.set_transform(Transform::scale_offset(1.0f, 1.0f, 2.0f, 1.0f));
  Surface dst(40, 40);
  DeviceContext target(&dst);
  target.set_transform(Transform::scale_offset(1.0f, 1.0f, 10.0f, 20.0f));
  // Logical source (0, 0) is device (2, 1) of the source.
  target.bit_blt(0, 0, 4, 4, &source, 0, 0, SRCCOPY);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.at(10 + x, 20 + y), src.at(2 + x, 1 + y));
  }
  // A destination scale of 2 makes it a stretch.
  Surface doubled(40, 40);
  DeviceContext dd(&doubled);
  dd.set_transform(Transform::scale_offset(2.0f, 2.0f, 0.0f, 0.0f));
  dd.bit_blt(1, 1, 4, 4, &source, 0, 0, SRCCOPY);
  EXPECT_EQ(testing::changed_box(doubled, 0).right <= 10, true);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) EXPECT_EQ(doubled.at(2 + x, 2 + y), src.at(2 + x / 2, 1 + y / 2));
  }
}

}  // namespace
}  // namespace korvi::raster
