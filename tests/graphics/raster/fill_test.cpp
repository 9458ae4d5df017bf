// Brushes (solid, hatched, pattern), region fills and flood fill.

#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "korvi/raster/device_context.h"
#include "raster_test_support.h"

namespace korvi::raster {
namespace {

constexpr Pixel OLD = 0x112233;
constexpr Color INK = rgb(255, 0, 0);   // pixel 0xFF0000
constexpr Color BACK = rgb(0, 0, 255);  // pixel 0x0000FF
constexpr Color TEXT = rgb(0, 255, 0);  // pixel 0x00FF00

TEST(FillTest, FillRectIgnoresTheWriteMode) {
  Surface s = testing::filled(8, 8, OLD);
  DeviceContext dc(&s);
  dc.set_write_mode(R2_XORPEN);
  dc.fill_rect({0, 0, 8, 8}, Brush::solid(INK));
  dc.fill_rect({0, 0, 8, 8}, Brush::solid(INK));
  EXPECT_EQ(testing::count_pixels(s, 0xFF0000), 64);
  dc.fill_rect({0, 0, 8, 8}, Brush::hollow());
  EXPECT_EQ(testing::count_pixels(s, 0xFF0000), 64);
}

TEST(FillTest, HatchesAreAlignedToTheDeviceOriginInBothModes) {
  using Rule = std::function<bool(int, int)>;
  const Rule rules[6] = {
      [](int, int y) { return y % 8 == 3; },
      [](int x, int) { return x % 8 == 4; },
      [](int x, int y) { return x % 8 == y % 8; },
      [](int x, int y) { return (x + y) % 8 == 7; },
      [](int x, int y) { return x % 8 == 4 || y % 8 == 3; },
      [](int x, int y) { return x % 8 == y % 8 || (x + y) % 8 == 7; },
  };
  for (int code = 0; code < 6; ++code) {
    for (const BackgroundMode mode : {BackgroundMode::OPAQUE, BackgroundMode::TRANSPARENT}) {
      Surface s = testing::filled(24, 24, OLD);
      DeviceContext dc(&s);
      dc.set_background_color(BACK);
      dc.set_background_mode(mode);
      dc.select_pen(Pen::null());
      dc.select_brush(*Brush::hatched(code, INK));
      dc.set_transform(Transform::scale_offset(1.0f, 1.0f, 3.0f, 5.0f));  // no effect on alignment
      dc.rectangle(-3, -5, 21, 19);
      for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
          const Pixel gap = mode == BackgroundMode::OPAQUE ? 0x0000FF : OLD;
          ASSERT_EQ(s.at(x, y), rules[code](x, y) ? 0xFF0000u : gap)
              << code << " " << x << "," << y;
        }
      }
    }
  }
  EXPECT_FALSE(Brush::hatched(6, 0));
  EXPECT_FALSE(Brush::hatched(-1, 0));
}

// Each hatch's 8 x 8 cell, row bytes top first (0x80 is the cell's column 0), laid on
// the device from (0, 0): a box at (250, 310) starts in the middle of a cell.
TEST(FillTest, HatchCellsSitOnTheDeviceGrid) {
  struct Case {
    int code;
    std::array<std::uint8_t, 8> rows;
  };
  const Case cases[] = {
      {0, {0, 0, 0, 0xFF, 0, 0, 0, 0}},
      {1, {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}},
      {2, {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}},
      {3, {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}},
      {4, {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08}},
      {5, {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}},
  };
  for (const Case& c : cases) {
    Surface s = testing::filled(300, 340, OLD);
    DeviceContext dc(&s);
    dc.set_background_mode(BackgroundMode::TRANSPARENT);
    dc.fill_rect({250, 310, 270, 330}, *Brush::hatched(c.code, INK));
    for (int y = 310; y < 330; ++y) {
      for (int x = 250; x < 270; ++x) {
        const bool set = (c.rows[static_cast<std::size_t>(y % 8)] >> (7 - x % 8)) & 1;
        ASSERT_EQ(s.at(x, y), set ? 0xFF0000u : OLD) << c.code << ": " << x << "," << y;
      }
    }
  }
}

TEST(FillTest, PatternBitsTakeTextAndBackgroundInEveryMode) {
  const std::array<std::uint8_t, 8> rows{0x80, 0x01, 0xFF, 0x00, 0xAA, 0x55, 0xF0, 0x0F};
  for (const BackgroundMode mode : {BackgroundMode::OPAQUE, BackgroundMode::TRANSPARENT}) {
    Surface s = testing::filled(20, 20, OLD);
    DeviceContext dc(&s);
    dc.set_background_color(BACK);
    dc.set_text_color(TEXT);
    dc.set_background_mode(mode);
    dc.fill_rect({3, 2, 19, 18}, Brush::pattern(rows));
    for (int y = 2; y < 18; ++y) {
      for (int x = 3; x < 19; ++x) {
        const bool set = (rows[static_cast<std::size_t>(y % 8)] >> (7 - x % 8)) & 1;
        ASSERT_EQ(s.at(x, y), set ? 0x00FF00u : 0x0000FFu) << x << "," << y;
      }
    }
    EXPECT_EQ(s.at(2, 2), OLD);
  }
}

TEST(FillTest, FillRegionUsesTheWriteModeAndTheClip) {
  Surface s = testing::filled(30, 30, 0);
  DeviceContext dc(&s);
  const Region clip = Region::rectangle({0, 0, 15, 30});
  dc.set_clip_region(&clip);
  dc.set_write_mode(R2_XORPEN);
  const Region shape = Region::ellipse({0, 0, 30, 30});
  dc.fill_region(shape, Brush::solid(INK));
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 30; ++x) EXPECT_EQ(s.at(x, y) != 0, shape.contains(x, y) && x < 15);
  }
  dc.fill_region(shape, Brush::solid(INK));
  EXPECT_EQ(testing::count_other(s, 0), 0);
}

// Draws a closed square outline of border colour with a gap-free diagonal corner.
void draw_box(Surface& s, Pixel border) {
  for (int i = 5; i <= 25; ++i) {
    s.at(i, 5) = border;
    s.at(i, 25) = border;
    s.at(5, i) = border;
    s.at(25, i) = border;
  }
}

TEST(FillTest, FloodFillStaysInsideTheBorder) {
  Surface s = testing::filled(32, 32, 0);
  draw_box(s, 0xFF0000);
  DeviceContext dc(&s);
  dc.select_brush(Brush::solid(TEXT));
  dc.set_write_mode(R2_XORPEN);  // each pixel once: XOR shows doubles
  dc.flood_fill(10, 10, INK);
  EXPECT_EQ(testing::count_pixels(s, 0x00FF00), 19 * 19);
  EXPECT_EQ(s.at(2, 2), 0u);
  // Starting on the border does nothing.
  Surface t = testing::filled(32, 32, 0);
  draw_box(t, 0xFF0000);
  DeviceContext dt(&t);
  dt.flood_fill(5, 10, INK);
  EXPECT_EQ(testing::count_pixels(t, 0), 32 * 32 - 80);
}

TEST(FillTest, FloodFillComparesTheColourOfTheBorderNotItsTopByte) {
  // Pixels written through an image's buffer may carry a top byte.
  Surface s = testing::filled(32, 32, 0);
  draw_box(s, 0xAAFF0000);
  DeviceContext dc(&s);
  dc.select_brush(Brush::solid(TEXT));
  dc.flood_fill(10, 10, INK);
  EXPECT_EQ(testing::count_pixels(s, 0x00FF00), 19 * 19);
  EXPECT_EQ(s.at(2, 2), 0u);
  dc.flood_fill(5, 10, INK);  // on the border: nothing
  EXPECT_EQ(testing::count_pixels(s, 0x00FF00), 19 * 19);
  EXPECT_EQ(testing::count_pixels(s, 0xAAFF0000), 80);
}

TEST(FillTest, FloodFillIsFourConnected) {
  // A diagonal line of border pixels blocks a 4-connected fill.
  Surface s = testing::filled(16, 16, 0);
  for (int i = 0; i < 16; ++i) s.at(i, i) = 0xFF0000;
  DeviceContext dc(&s);
  dc.select_brush(Brush::solid(TEXT));
  dc.flood_fill(10, 2, INK);
  EXPECT_EQ(testing::count_pixels(s, 0x00FF00), 120);  // the upper triangle only
}

TEST(FillTest, FloodFillIsNotConfusedByItsOwnPattern) {
  // The pattern paints the border colour itself; the area is found before painting.
  Surface s = testing::filled(32, 32, 0);
  draw_box(s, 0xFF0000);
  DeviceContext dc(&s);
  dc.set_text_color(INK);
  dc.set_background_color(rgb(0, 0, 1));
  dc.select_brush(Brush::pattern({0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}));
  dc.flood_fill(10, 10, INK);
  int painted = 0;
  for (int y = 6; y < 25; ++y) {
    for (int x = 6; x < 25; ++x) painted += s.at(x, y) != 0;
  }
  EXPECT_EQ(painted, 19 * 19);
  EXPECT_EQ(s.at(2, 2), 0u);
}

TEST(FillTest, FloodFillStopsAtTheClip) {
  Surface s = testing::filled(32, 32, 0);
  draw_box(s, 0xFF0000);
  DeviceContext dc(&s);
  const Region clip = Region::rectangle({0, 0, 15, 32});
  dc.set_clip_region(&clip);
  dc.select_brush(Brush::solid(TEXT));
  dc.flood_fill(10, 10, INK);
  EXPECT_EQ(testing::count_pixels(s, 0x00FF00), 9 * 19);
  dc.flood_fill(20, 10, INK);  // outside the clip: nothing
  EXPECT_EQ(testing::count_pixels(s, 0x00FF00), 9 * 19);
}

}  // namespace
}  // namespace korvi::raster
