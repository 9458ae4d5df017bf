// Regions: shapes, algebra against a bitmap model, moves and limits.

#include "korvi/raster/region.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "korvi/raster/device_context.h"
#include "raster_test_support.h"

namespace korvi::raster {
namespace {

constexpr int SIZE = 48;

// A bitmap of the region over [-4, SIZE + 4)^2.
std::vector<bool> bitmap(const Region& r) {
  std::vector<bool> bits;
  for (int y = -4; y < SIZE + 4; ++y) {
    for (int x = -4; x < SIZE + 4; ++x) bits.push_back(r.contains(x, y));
  }
  return bits;
}

Region random_region(std::mt19937& rng) {
  std::uniform_int_distribution<int> coord(-2, SIZE + 2);
  auto box = [&] {
    const int a = coord(rng), b = coord(rng), c = coord(rng), d = coord(rng);
    return PixelBox{std::min(a, b), std::min(c, d), std::max(a, b) + 1, std::max(c, d) + 1};
  };
  switch (rng() % 3) {
    case 0: return Region::rectangle(box());
    case 1: return Region::ellipse(box());
    default: {
      std::vector<Point> pts;
      const int n = 3 + static_cast<int>(rng() % 6);
      for (int i = 0; i < n; ++i) pts.push_back({coord(rng), coord(rng)});
      return Region::polygon(pts, rng() % 2 ? FillRule::ALTERNATE : FillRule::WINDING);
    }
  }
}

TEST(RegionTest, CombineMatchesTheBitmapModel) {
  std::mt19937 rng(2024);
  const CombineMode modes[] = {CombineMode::AND, CombineMode::OR, CombineMode::XOR,
                               CombineMode::DIFF, CombineMode::COPY};
  for (int round = 0; round < 300; ++round) {
    const Region a = random_region(rng);
    const Region b = random_region(rng);
    const auto ba = bitmap(a);
    const auto bb = bitmap(b);
    for (CombineMode mode : modes) {
      const Region c = Region::combine(a, b, mode);
      const auto bc = bitmap(c);
      for (std::size_t i = 0; i < bc.size(); ++i) {
        bool expected = false;
        switch (mode) {
          case CombineMode::AND: expected = ba[i] && bb[i]; break;
          case CombineMode::OR: expected = ba[i] || bb[i]; break;
          case CombineMode::XOR: expected = ba[i] != bb[i]; break;
          case CombineMode::DIFF: expected = ba[i] && !bb[i]; break;
          case CombineMode::COPY: expected = ba[i]; break;
        }
        ASSERT_EQ(bc[i], expected) << "round " << round << " mode " << static_cast<int>(mode);
      }
      // Canonical form: equal pixel sets compare equal, whatever the road.
      std::int64_t area = 0;
      for (bool bit : bc) area += bit;
      EXPECT_EQ(c.area(), area);
    }
    EXPECT_EQ(Region::combine(a, b, CombineMode::OR), Region::combine(b, a, CombineMode::OR));
    EXPECT_EQ(Region::combine(Region::combine(a, b, CombineMode::XOR), b, CombineMode::XOR), a);
    EXPECT_EQ(Region::combine(Region::combine(a, b, CombineMode::DIFF),
                              Region::combine(a, b, CombineMode::AND), CombineMode::OR),
              a);
  }
}

// Many pieces worked into one region in place: the pixels, the canonical form (equal
// to the region built from the model's runs) and the bounds stay right.
TEST(RegionTest, CombiningInPlaceKeepsTheModelAndTheCanonicalForm) {
  std::mt19937 rng(99);
  const CombineMode modes[] = {CombineMode::OR,   CombineMode::OR,  CombineMode::XOR,
                               CombineMode::DIFF, CombineMode::AND, CombineMode::COPY};
  for (int round = 0; round < 20; ++round) {
    Region acc = random_region(rng);
    auto model = bitmap(acc);
    for (int step = 0; step < 60; ++step) {
      // Small boxes, mostly: they fill and cut holes next to bands that stay.
      const int x = static_cast<int>(rng() % (SIZE - 8)), y = static_cast<int>(rng() % (SIZE - 8));
      const PixelBox small{x, y, x + 1 + static_cast<int>(rng() % 8),
                           y + 1 + static_cast<int>(rng() % 8)};
      const Region piece = step % 4 == 0 ? random_region(rng) : Region::rectangle(small);
      const CombineMode mode = modes[rng() % 6];
      acc.combine_with(piece, mode);
      const auto bits = bitmap(piece);
      std::vector<RowSpan> runs;
      PixelBox box{SIZE + 4, SIZE + 4, -4, -4};
      for (std::size_t i = 0; i < model.size(); ++i) {
        switch (mode) {
          case CombineMode::AND: model[i] = model[i] && bits[i]; break;
          case CombineMode::OR: model[i] = model[i] || bits[i]; break;
          case CombineMode::XOR: model[i] = model[i] != bits[i]; break;
          case CombineMode::DIFF: model[i] = model[i] && !bits[i]; break;
          case CombineMode::COPY: break;
        }
        const int x = static_cast<int>(i % (SIZE + 8)) - 4;
        const int y = static_cast<int>(i / (SIZE + 8)) - 4;
        if (!model[i]) continue;
        runs.push_back({y, x, x + 1});
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
               std::max(box.bottom, y + 1)};
      }
      ASSERT_EQ(bitmap(acc), model) << round << " " << step;
      ASSERT_EQ(acc, Region::from_spans(runs)) << round << " " << step;
      EXPECT_EQ(acc.bounds(), runs.empty() ? PixelBox{} : box) << round << " " << step;
    }
  }
  // Strips of one box joined in any order become the box's single band.
  std::vector<int> order{0, 1, 2, 3, 4, 5, 6, 7};
  for (int round = 0; round < 20; ++round) {
    std::shuffle(order.begin(), order.end(), rng);
    Region acc;
    for (const int k : order)
      acc.combine_with(Region::rectangle({3, 5 * k, 13, 5 * k + 5}), CombineMode::OR);
    ASSERT_EQ(acc, Region::rectangle({3, 0, 13, 40})) << round;
  }
}

TEST(RegionTest, BoundsAndEmptiness) {
  EXPECT_TRUE(Region().empty());
  EXPECT_TRUE(Region::rectangle({5, 5, 5, 9}).empty());
  EXPECT_TRUE(Region::ellipse({0, 0, 0, 10}).empty());
  const Region r = Region::combine(Region::rectangle({0, 0, 4, 4}),
                                   Region::rectangle({10, 8, 12, 20}), CombineMode::OR);
  EXPECT_EQ(r.bounds(), (PixelBox{0, 0, 12, 20}));
  EXPECT_FALSE(r.is_rectangle());
  EXPECT_TRUE(Region::rectangle({1, 2, 3, 4}).is_rectangle());
  // Half-open: right and bottom are outside.
  const Region box = Region::rectangle({0, 0, 10, 10});
  EXPECT_TRUE(box.contains(9, 9));
  EXPECT_FALSE(box.contains(10, 9));
  EXPECT_FALSE(box.contains(9, 10));
  EXPECT_EQ(box.area(), 100);
}

TEST(RegionTest, TranslateMovesAndCutsAtTheLimit) {
  Region r = Region::ellipse({0, 0, 20, 10});
  const Region moved = r.translated(-7, 30);
  for (int y = -5; y < 50; ++y) {
    for (int x = -10; x < 30; ++x) EXPECT_EQ(moved.contains(x, y), r.contains(x + 7, y - 30));
  }
  r.translate(REGION_LIMIT - 5, 0);
  EXPECT_EQ(r.bounds().right, REGION_LIMIT);
  EXPECT_TRUE(r.contains(REGION_LIMIT - 1, 5));
  r.translate(std::int64_t{1} << 40, 0);
  EXPECT_TRUE(r.empty());
  // Huge rectangles are cut to the limit, not wrapped.
  const Region all = Region::rectangle({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX});
  EXPECT_EQ(all.bounds(), (PixelBox{-REGION_LIMIT, -REGION_LIMIT, REGION_LIMIT, REGION_LIMIT}));
}

// A polygon with a vertex the region coordinates cannot hold is empty, not cut.
TEST(RegionTest, PolygonBeyondTheLimitIsEmpty) {
  struct Case {
    Point far;
    bool empty;
  };
  const Case cases[] = {
      {{5, INT32_MIN}, true},         {{INT32_MAX, 5}, true},     {{5, REGION_LIMIT + 1}, true},
      {{-REGION_LIMIT - 1, 5}, true}, {{5, REGION_LIMIT}, false}, {{-REGION_LIMIT, 5}, false},
  };
  for (const Case& c : cases) {
    const Point pts[] = {{0, 0}, {10, 0}, c.far};
    for (const FillRule rule : {FillRule::ALTERNATE, FillRule::WINDING}) {
      EXPECT_EQ(Region::polygon(pts, rule).empty(), c.empty) << c.far.x << "," << c.far.y;
    }
  }
}

TEST(RegionTest, FromLooseSpansUnitesThem) {
  const Region r = Region::from_spans({{3, 5, 9}, {1, 0, 2}, {3, 8, 12}, {3, 12, 13}, {2, 0, 2}});
  EXPECT_EQ(r.area(), 2 + 2 + 8);
  EXPECT_TRUE(r.contains(12, 3));
  EXPECT_FALSE(r.contains(4, 3));
  // Rows 1 and 2 share spans: one band.
  EXPECT_EQ(r.bands().size(), 2u);
}

// A shape region covers the same pixels as the shape filled with the same numbers.
TEST(RegionTest, ShapeRegionsMatchDrawnShapes) {
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> coord(-5, 45);
  for (int round = 0; round < 60; ++round) {
    Surface s(40, 40);
    DeviceContext dc(&s);
    dc.select_pen(Pen::null());
    dc.select_brush(Brush::solid(0xFFFFFF));
    Region region;
    if (round % 2 == 0) {
      const int a = coord(rng), b = coord(rng), c = coord(rng), d = coord(rng);
      const PixelBox box{std::min(a, b), std::min(c, d), std::max(a, b), std::max(c, d)};
      dc.ellipse(box.left, box.top, box.right, box.bottom);
      region = Region::ellipse(box);
    } else {
      std::vector<Point> pts;
      for (int i = 0; i < 7; ++i) pts.push_back({coord(rng), coord(rng)});
      dc.polygon(pts);
      region = Region::polygon(pts, FillRule::ALTERNATE);
    }
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 40; ++x) ASSERT_EQ(s.at(x, y) != 0, region.contains(x, y)) << round;
    }
  }
}

}  // namespace
}  // namespace korvi::raster
