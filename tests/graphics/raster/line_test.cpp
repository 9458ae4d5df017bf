// Thin lines: the end pixel rule, polylines, dashes, write modes and transforms.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "korvi/raster/device_context.h"
#include "raster_test_support.h"

namespace korvi::raster {
namespace {

constexpr Pixel WHITE = 0xFFFFFF;

// The dash array the library builds from a 16-bit line pattern: runs of equal bits
// from bit 0 after shifting out the low zeros; dashes length - 1, gaps length + 1, and
// a trailing dash gets a gap of 1.
std::vector<std::uint32_t> dash_array(std::uint16_t pattern) {
  unsigned p = pattern;
  while ((p & 1) == 0) p >>= 1;
  std::vector<std::uint32_t> out;
  unsigned run = 0;
  unsigned bit = 1;
  for (int i = 0; i < 16; ++i) {
    const unsigned b = (p >> i) & 1;
    if (i > 0 && b != bit) {
      out.push_back(bit ? run - 1 : run + 1);
      run = 0;
    }
    bit = b;
    ++run;
  }
  out.push_back(bit ? run - 1 : run + 1);
  if (bit) out.push_back(1);
  return out;
}

// The on/off sequence along a horizontal line drawn from x = 0 on row 0.
std::string row_pattern(const Surface& s, int length) {
  std::string out;
  for (int x = 0; x < length; ++x) out += s.at(x, 0) == WHITE ? '#' : '.';
  return out;
}

std::string repeat(const std::string& unit, int length) {
  std::string out;
  while (static_cast<int>(out.size()) < length) out += unit;
  return out.substr(0, static_cast<std::size_t>(length));
}

TEST(LineTest, LastPixelIsNotDrawnInAnyDirection) {
  const Point ends[] = {{10, 0},  {10, 3},  {10, 10},  {3, 10},    {0, 10},  {-3, 10}, {-10, 10},
                        {-10, 3}, {-10, 0}, {-10, -3}, {-10, -10}, {0, -10}, {3, -10}, {10, -7}};
  for (const Point e : ends) {
    Surface s(41, 41);
    DeviceContext dc(&s);
    dc.select_pen(Pen::cosmetic(DashKind::SOLID, 0xFFFFFF));
    dc.set_write_mode(R2_XORPEN);
    dc.move_to(20, 20);
    dc.line_to(20 + e.x, 20 + e.y);
    const int steps = std::max(std::abs(e.x), std::abs(e.y));
    EXPECT_EQ(testing::count_pixels(s, WHITE), steps) << e.x << "," << e.y;
    EXPECT_EQ(s.at(20, 20), WHITE);
    EXPECT_EQ(s.at(20 + e.x, 20 + e.y), 0u);
    EXPECT_EQ(dc.position(), (Point{20 + e.x, 20 + e.y}));
  }
}

// On the minor axis an exact half goes to the smaller coordinate, whichever way the
// line is drawn.
TEST(LineTest, ExactHalvesGoToTheSmallerCoordinate) {
  struct Case {
    Point from, to;
    Point lit, dark;  // on the same row (y-major) or column (x-major)
  };
  const Case cases[] = {
      {{100, 100}, {50, 200}, {99, 101}, {100, 101}}, {{100, 100}, {50, 200}, {50, 199}, {51, 199}},
      {{50, 200}, {100, 100}, {99, 101}, {100, 101}}, {{50, 200}, {100, 100}, {50, 199}, {51, 199}},
      {{10, 10}, {14, 11}, {12, 10}, {12, 11}},       {{14, 11}, {10, 10}, {12, 10}, {12, 11}},
      {{10, 11}, {14, 10}, {12, 10}, {12, 11}},       {{14, 10}, {10, 11}, {12, 10}, {12, 11}},
  };
  for (const Case& c : cases) {
    Surface s(128, 224);
    DeviceContext dc(&s);
    dc.select_pen(Pen::cosmetic(DashKind::SOLID, 0xFFFFFF));
    dc.move_to(c.from.x, c.from.y);
    dc.line_to(c.to.x, c.to.y);
    EXPECT_EQ(s.at(c.lit.x, c.lit.y), WHITE) << c.from.x << "," << c.from.y << " " << c.lit.x;
    EXPECT_EQ(s.at(c.dark.x, c.dark.y), 0u) << c.from.x << "," << c.from.y << " " << c.dark.x;
  }
}

// So a line drawn back over itself in exclusive-or leaves only its two end points.
TEST(LineTest, ALineAndItsReverseShareAllButTheirEndPoints) {
  std::mt19937 rng(77);
  std::uniform_int_distribution<int> coord(-20, 80);
  for (int round = 0; round < 500; ++round) {
    const Point a{coord(rng), coord(rng)};
    const Point b{coord(rng), coord(rng)};
    Surface s(64, 64);
    DeviceContext dc(&s);
    dc.select_pen(Pen::cosmetic(DashKind::SOLID, 0xFFFFFF));
    dc.set_write_mode(R2_XORPEN);
    dc.move_to(a.x, a.y);
    dc.line_to(b.x, b.y);
    dc.line_to(a.x, a.y);
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) {
        const bool end = !(a == b) && ((Point{x, y} == a) || (Point{x, y} == b));
        ASSERT_EQ(s.at(x, y), end ? WHITE : 0u) << round << ": " << x << "," << y;
      }
    }
  }
}

TEST(LineTest, FivePointRectangleClosesWithoutGapOrDoubleWrite) {
  for (const PixelBox r : {PixelBox{2, 3, 12, 9}, PixelBox{0, 0, 10, 10}, PixelBox{5, 5, 6, 15}}) {
    Surface s(20, 20);
    DeviceContext dc(&s);
    dc.select_pen(Pen::cosmetic(DashKind::SOLID, 0xFFFFFF));
    dc.set_write_mode(R2_XORPEN);
    const Point pts[] = {{r.left, r.top},
                         {r.right, r.top},
                         {r.right, r.bottom},
                         {r.left, r.bottom},
                         {r.left, r.top}};
    dc.polyline(pts);
    // Every perimeter pixel of the inclusive box, exactly once (XOR would clear doubles).
    int expected = 0;
    for (int y = r.top; y <= r.bottom; ++y) {
      for (int x = r.left; x <= r.right; ++x) {
        const bool edge = x == r.left || x == r.right || y == r.top || y == r.bottom;
        expected += edge;
        EXPECT_EQ(s.at(x, y), edge ? WHITE : 0u) << x << "," << y;
      }
    }
    EXPECT_EQ(testing::count_pixels(s, WHITE), expected);
  }
}

TEST(LineTest, UserDashPatternsComeOutBitForBit) {
  struct Case {
    std::uint16_t pattern;
    std::string unit;
  };
  const Case cases[] = {
      {0x00FF, "########........"},
      {0x0F0F, "####...."},
      {0xF0F0, "####...."},
      {0x5555, "#."},
      {0xAAAA, "#."},
      {0xFFFF, "#"},
      {0x0003, "##.............."},
  };
  for (const Case& c : cases) {
    const auto dashes = dash_array(c.pattern);
    const auto pen = Pen::geometric(7, 1, 0xFFFFFF, dashes);
    ASSERT_TRUE(pen) << c.pattern;
    Surface s(100, 1);
    DeviceContext dc(&s);
    dc.set_background_mode(BackgroundMode::TRANSPARENT);
    dc.select_pen(*pen);
    dc.move_to(0, 0);
    dc.line_to(100, 0);
    EXPECT_EQ(row_pattern(s, 100), repeat(c.unit, 100)) << std::hex << c.pattern;
  }
  EXPECT_EQ(dash_array(0x00FF), (std::vector<std::uint32_t>{7, 9}));
  EXPECT_EQ(dash_array(0xFFFF), (std::vector<std::uint32_t>{15, 1}));
}

TEST(LineTest, DashesCountAlongTheMajorAxisAndAcrossSegments) {
  const auto pen = Pen::geometric(7, 1, 0xFFFFFF, std::vector<std::uint32_t>{3, 5});
  ASSERT_TRUE(pen);
  Surface s(40, 40);
  DeviceContext dc(&s);
  dc.set_background_mode(BackgroundMode::TRANSPARENT);
  dc.select_pen(*pen);
  // A diagonal: 4 on, 4 off counted per step.
  dc.move_to(0, 0);
  dc.line_to(16, 16);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(s.at(i, i) == WHITE, i % 8 < 4) << i;
  // A polyline goes on with the pattern where the previous segment stopped.
  Surface t(40, 2);
  DeviceContext dt(&t);
  dt.set_background_mode(BackgroundMode::TRANSPARENT);
  dt.select_pen(*pen);
  const Point pts[] = {{0, 0}, {6, 0}, {6, 1}, {0, 1}};
  dt.polyline(pts);
  const std::string expected_top = "####..";
  for (int x = 0; x < 6; ++x)
    EXPECT_EQ(t.at(x, 0) == WHITE, expected_top[static_cast<std::size_t>(x)] == '#');
  // Step 6 is the vertical one (off), then (6,1)..(1,1) are steps 7..12.
  for (int x = 6; x >= 1; --x) EXPECT_EQ(t.at(x, 1) == WHITE, (7 + 6 - x) % 8 < 4) << x;
}

TEST(LineTest, GapsTakeTheBackgroundWhenOpaque) {
  Surface s(48, 2);
  s.fill(0x123456);
  DeviceContext dc(&s);
  dc.select_pen(Pen::cosmetic(DashKind::DASH, 0xFFFFFF));
  dc.set_background_color(rgb(0, 0, 255));
  dc.move_to(0, 0);
  dc.line_to(48, 0);
  dc.set_background_mode(BackgroundMode::TRANSPARENT);
  dc.move_to(0, 1);
  dc.line_to(48, 1);
  for (int x = 0; x < 48; ++x) {
    const bool on = x % 24 < 18;  // 18 on, 6 off
    EXPECT_EQ(s.at(x, 0), on ? WHITE : 0x0000FFu) << x;
    EXPECT_EQ(s.at(x, 1), on ? WHITE : 0x123456u) << x;
  }
}

TEST(LineTest, BuiltInDashKindsHaveTheirLengths) {
  struct Case {
    DashKind kind;
    std::string unit;
  };
  const Case cases[] = {
      {DashKind::DOT, "###..."},
      {DashKind::DASH_DOT, "#########......###......"},
      {DashKind::DASH_DOT_DOT, "#########...###...###..."},
      {DashKind::NONE, "."},
      {DashKind::SOLID, "#"},
  };
  for (const Case& c : cases) {
    Surface s(60, 1);
    DeviceContext dc(&s);
    dc.set_background_mode(BackgroundMode::TRANSPARENT);
    dc.select_pen(Pen::cosmetic(c.kind, 0xFFFFFF));
    dc.move_to(0, 0);
    dc.line_to(60, 0);
    EXPECT_EQ(row_pattern(s, 60), repeat(c.unit, 60));
  }
}

TEST(LineTest, WidthOneGeometricPenDrawsLikeCosmetic) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> coord(-10, 70);
  for (int round = 0; round < 50; ++round) {
    Surface a(60, 60);
    Surface b(60, 60);
    DeviceContext da(&a);
    DeviceContext db(&b);
    da.select_pen(Pen::cosmetic(DashKind::DASH_DOT, 0xFFFFFF));
    db.select_pen(*Pen::geometric(3 | PEN_CAP_FLAT | PEN_JOIN_BEVEL, 1, 0xFFFFFF));
    std::vector<Point> pts;
    for (int i = 0; i < 4; ++i) pts.push_back({coord(rng), coord(rng)});
    da.polyline(pts);
    db.polyline(pts);
    ASSERT_TRUE(testing::same_pixels(a, b)) << round;
  }
}

TEST(LineTest, CrossingPolylineWritesEachPixelOnceInExclusiveOr) {
  const Point star[] = {{5, 30}, {55, 30}, {10, 5}, {30, 55}, {50, 5}, {5, 30}, {55, 31}};
  for (const DashKind kind : {DashKind::SOLID, DashKind::DOT}) {
    Surface copy(60, 60);
    DeviceContext a(&copy);
    a.select_pen(Pen::cosmetic(kind, 0xFFFFFF));
    a.set_background_color(0x0000FF);
    a.polyline(star);
    Surface x(60, 60);
    DeviceContext b(&x);
    b.select_pen(Pen::cosmetic(kind, 0xFFFFFF));
    b.set_background_color(0x0000FF);
    b.set_write_mode(R2_XORPEN);
    b.polyline(star);
    // Every pixel is written once (twice would clear it); where a dash and a gap
    // meet, the dash wins.
    EXPECT_EQ(testing::count_other(x, 0), testing::count_other(copy, 0));
    if (kind == DashKind::SOLID) {
      EXPECT_TRUE(testing::same_pixels(x, copy));
    } else {
      EXPECT_GE(testing::count_pixels(x, WHITE), testing::count_pixels(copy, WHITE));
    }
  }
}

TEST(LineTest, RefusedPensAreNotMade) {
  const std::vector<std::uint32_t> two{3, 5};
  const std::vector<std::uint32_t> seventeen(17, 2);
  const std::vector<std::uint32_t> zeros{0, 0};
  EXPECT_FALSE(Pen::geometric(7 | PEN_CAP_SQUARE, 1, 0));  // user style, no dashes
  EXPECT_FALSE(Pen::geometric(7 | PEN_JOIN_MITER, 1, 0));
  EXPECT_FALSE(Pen::geometric(7, 1, 0, seventeen));
  EXPECT_FALSE(Pen::geometric(7, 1, 0, zeros));
  EXPECT_FALSE(Pen::geometric(1, 1, 0, two));  // dashes with a built-in kind
  EXPECT_FALSE(Pen::geometric(8, 1, 0));
  EXPECT_FALSE(Pen::geometric(0x300, 1, 0));
  EXPECT_FALSE(Pen::geometric(0x3000, 1, 0));
  EXPECT_FALSE(Pen::geometric(0x100000, 1, 0));
  EXPECT_FALSE(Pen::geometric(0, -1, 0));
  EXPECT_TRUE(Pen::geometric(7 | PEN_CAP_FLAT | PEN_GEOMETRIC, 3, 0, two));
  EXPECT_TRUE(Pen::geometric(PEN_CAP_SQUARE | PEN_JOIN_MITER, 0, 0));
  // Selecting a refused pen keeps the one selected before.
  DeviceContext dc;
  const Pen old = Pen::cosmetic(DashKind::DOT, 0x123456);
  dc.select_pen(old);
  EXPECT_FALSE(dc.select_pen(Pen::geometric(7 | PEN_CAP_FLAT, 1, 0)));
  EXPECT_EQ(dc.pen(), old);
  EXPECT_TRUE(dc.select_pen(Pen::geometric(0, 4, 0)));
  EXPECT_EQ(dc.pen().width(), 4);
}

// Each write mode applies its truth table bit by bit: code - 1, indexed by pen bit * 2
// + destination bit.
TEST(LineTest, WriteModesFollowTheirTruthTables) {
  const Pixel pen = 0x00F0CC5A;
  const Pixel dest = 0x00AA3C96;
  for (int code = 1; code <= 16; ++code) {
    Surface s(2, 1);
    s.fill(dest);
    DeviceContext dc(&s);
    dc.select_pen(Pen::cosmetic(DashKind::SOLID, color_from_pixel(pen)));
    ASSERT_TRUE(dc.set_write_mode(code));
    dc.move_to(0, 0);
    dc.line_to(1, 0);
    Pixel expected = 0;
    for (int bit = 0; bit < 24; ++bit) {
      const unsigned index = ((pen >> bit) & 1) * 2 + ((dest >> bit) & 1);
      expected |= static_cast<Pixel>(((code - 1) >> index) & 1) << bit;
    }
    EXPECT_EQ(s.at(0, 0), expected) << code;
    EXPECT_EQ(s.at(1, 0), dest);
  }
  DeviceContext dc;
  EXPECT_FALSE(dc.set_write_mode(0));
  EXPECT_FALSE(dc.set_write_mode(17));
  EXPECT_EQ(dc.write_mode(), R2_COPYPEN);
}

TEST(LineTest, OriginAndScaleMapLogicalToDevice) {
  Surface s(200, 100);
  DeviceContext dc(&s);
  dc.select_pen(Pen::cosmetic(DashKind::SOLID, 0xFFFFFF));
  dc.set_transform(Transform::scale_offset(1.0f, 1.0f, 100.0f, 50.0f));
  dc.move_to(0, 0);
  dc.line_to(10, 0);
  EXPECT_EQ(testing::changed_box(s, 0), (PixelBox{100, 50, 110, 51}));
  s.fill(0);
  dc.set_transform(Transform::scale_offset(1.0f, -1.0f, 100.0f, 50.0f));
  dc.move_to(0, 0);
  dc.line_to(0, 10);
  EXPECT_EQ(testing::changed_box(s, 0), (PixelBox{100, 41, 101, 51}));
  EXPECT_EQ(dc.get_pixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(dc.get_pixel(0, 9), 0xFFFFFFu);
  EXPECT_EQ(dc.get_pixel(0, 10), 0u);
  // A scale of 2: a line of 5 logical units is 10 pixels.
  s.fill(0);
  dc.set_transform(Transform::scale_offset(2.0f, 2.0f, 0.0f, 0.0f));
  dc.move_to(1, 1);
  dc.line_to(6, 1);
  EXPECT_EQ(testing::changed_box(s, 0), (PixelBox{2, 2, 12, 3}));
}

TEST(LineTest, SetPixelIgnoresPenAndWriteModeAndGetPixelReportsOutside) {
  Surface s(10, 10);
  DeviceContext dc(&s);
  dc.set_write_mode(R2_XORPEN);
  dc.set_pixel(3, 4, rgb(1, 2, 3));
  dc.set_pixel(3, 4, rgb(1, 2, 3));
  EXPECT_EQ(s.at(3, 4), 0x00010203u);
  EXPECT_EQ(dc.get_pixel(3, 4), rgb(1, 2, 3));
  EXPECT_EQ(dc.get_pixel(10, 4), INVALID_COLOR);
  EXPECT_EQ(dc.get_pixel(-1, 4), INVALID_COLOR);
  const Region clip = Region::rectangle({0, 0, 3, 10});
  dc.set_clip_region(&clip);
  EXPECT_EQ(dc.get_pixel(3, 4), INVALID_COLOR);
  dc.set_pixel(5, 5, 0xFFFFFF);
  EXPECT_EQ(s.at(5, 5), 0u);
  DeviceContext unbound;
  unbound.set_pixel(0, 0, 0);
  EXPECT_EQ(unbound.get_pixel(0, 0), INVALID_COLOR);
}

}  // namespace
}  // namespace korvi::raster
