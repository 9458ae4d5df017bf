// Seeded property tests: clipping equals cropping, exclusive-or twice restores, shared
// edges are covered once.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

#include "korvi/raster/device_context.h"
#include "raster_test_support.h"

namespace korvi::raster {
namespace {

constexpr int W = 96;
constexpr int H = 80;

using Draw = std::function<void(DeviceContext&)>;

// A random primitive with random coordinates, partly outside the surface.
Draw random_primitive(std::mt19937& rng, bool with_fill_rect = true) {
  std::uniform_int_distribution<int> x(-30, W + 30);
  std::uniform_int_distribution<int> y(-30, H + 30);
  auto pt = [&] { return Point{x(rng), y(rng)}; };
  const int kind = static_cast<int>(rng() % (with_fill_rect ? 8 : 7));
  const Point a = pt(), b = pt(), c = pt(), d = pt();
  std::vector<Point> pts{a, b, c, d, pt()};
  switch (kind) {
    case 0:
      return [=](DeviceContext& dc) {
        dc.move_to(a.x, a.y);
        dc.line_to(b.x, b.y);
      };
    case 1: return [=](DeviceContext& dc) { dc.polyline(pts); };
    case 2: return [=](DeviceContext& dc) { dc.polygon(pts); };
    case 3: return [=](DeviceContext& dc) { dc.ellipse(a.x, a.y, b.x, b.y); };
    case 4: return [=](DeviceContext& dc) { dc.rectangle(a.x, a.y, b.x, b.y); };
    case 5: return [=](DeviceContext& dc) { dc.arc(a.x, a.y, b.x, b.y, c.x, c.y, d.x, d.y); };
    case 6: return [=](DeviceContext& dc) { dc.pie(a.x, a.y, b.x, b.y, c.x, c.y, d.x, d.y); };
    default: return [=](DeviceContext& dc) { dc.fill_rect({a.x, a.y, b.x, b.y}, dc.brush()); };
  }
}

void random_pen_and_brush(DeviceContext& dc, std::mt19937& rng) {
  switch (rng() % 5) {
    case 0: dc.select_pen(Pen::cosmetic(DashKind::SOLID, 0xFF8000)); break;
    case 1: dc.select_pen(Pen::cosmetic(DashKind::DASH_DOT, 0xFF8000)); break;
    case 2: dc.select_pen(*Pen::geometric(PEN_JOIN_MITER, 5, 0xFF8000)); break;
    case 3: dc.select_pen(*Pen::geometric(1 | PEN_CAP_FLAT, 4, 0xFF8000)); break;
    default: dc.select_pen(*Pen::geometric(7, 1, 0xFF8000, std::vector<std::uint32_t>{2, 3, 0, 4}));
  }
  switch (rng() % 4) {
    case 0: dc.select_brush(Brush::solid(0x30A0F0)); break;
    case 1: dc.select_brush(*Brush::hatched(static_cast<int>(rng() % 6), 0x30A0F0)); break;
    case 2:
      dc.select_brush(Brush::pattern({0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}));
      break;
    default: dc.select_brush(Brush::hollow());
  }
  dc.set_background_mode(rng() % 2 ? BackgroundMode::OPAQUE : BackgroundMode::TRANSPARENT);
  dc.set_background_color(0x4050FF);
  dc.set_text_color(0x10FF10);
}

Region random_clip(std::mt19937& rng) {
  std::uniform_int_distribution<int> x(-10, W + 10);
  std::uniform_int_distribution<int> y(-10, H + 10);
  Region r = Region::ellipse({x(rng) / 2, y(rng) / 2, W / 2 + x(rng) / 2, H / 2 + y(rng) / 2});
  r = Region::combine(r, Region::rectangle({x(rng), y(rng), x(rng) + 30, y(rng) + 20}),
                      CombineMode::XOR);
  const Point tri[] = {{x(rng), y(rng)}, {x(rng), y(rng)}, {x(rng), y(rng)}};
  return Region::combine(r, Region::polygon(tri, FillRule::ALTERNATE), CombineMode::OR);
}

TEST(PropertyTest, ClippedPrimitiveEqualsTheCropOfTheUnclipped) {
  std::mt19937 rng(31337);
  for (int round = 0; round < 400; ++round) {
    const Draw draw = random_primitive(rng);
    const Region clip = random_clip(rng);
    Surface whole = testing::filled(W, H, 0x101010);
    Surface clipped = testing::filled(W, H, 0x101010);
    DeviceContext a(&whole);
    DeviceContext b(&clipped);
    const auto state = rng();
    std::mt19937 r1(state), r2(state);
    random_pen_and_brush(a, r1);
    random_pen_and_brush(b, r2);
    b.set_clip_region(&clip);
    draw(a);
    draw(b);
    for (int y = 0; y < H; ++y) {
      for (int x = 0; x < W; ++x) {
        const Pixel expected = clip.contains(x, y) ? whole.at(x, y) : 0x101010u;
        if (clipped.at(x, y) != expected) {
          testing::write_picture(whole, "clip_failure_whole");
          testing::write_picture(clipped, "clip_failure_clipped");
          FAIL() << "round " << round << " pixel " << x << "," << y;
        }
      }
    }
  }
}

// Every primitive drawn in the write mode (fill_rect copies whatever the mode).
TEST(PropertyTest, ExclusiveOrTwiceRestoresThePicture) {
  std::mt19937 rng(4242);
  for (int round = 0; round < 400; ++round) {
    const Draw draw = random_primitive(rng, false);
    Surface s(W, H);
    for (int y = 0; y < H; ++y) {
      for (int x = 0; x < W; ++x) {
        s.at(x, y) =
            (static_cast<Pixel>(x) * 2654435761u ^ static_cast<Pixel>(y) * 40503u) & RGB_MASK;
      }
    }
    Surface before(W, H);
    copy_pixels(before, {0, 0}, s, s.bounds());
    DeviceContext dc(&s);
    random_pen_and_brush(dc, rng);
    dc.set_write_mode(R2_XORPEN);
    if (rng() % 2) {
      const Region clip = random_clip(rng);
      dc.set_clip_region(&clip);
    }
    draw(dc);
    draw(dc);
    if (!testing::same_pixels(s, before)) {
      testing::write_picture(s, "xor_failure");
      FAIL() << "round " << round << " did not restore";
    }
  }
}

TEST(PropertyTest, TrianglesSharingEdgesCoverEachPixelOnce) {
  std::mt19937 rng(808);
  for (int round = 0; round < 40; ++round) {
    // A jittered grid, every cell cut into two triangles along a random diagonal. The
    // jitter is small enough that no triangle folds over its neighbours.
    constexpr int N = 6;
    std::uniform_int_distribution<int> jitter(-2, 2);
    std::vector<Point> grid;
    for (int j = 0; j <= N; ++j) {
      for (int i = 0; i <= N; ++i) {
        const bool border = i == 0 || j == 0 || i == N || j == N;
        grid.push_back(
            {10 + i * 12 + (border ? 0 : jitter(rng)), 5 + j * 12 + (border ? 0 : jitter(rng))});
      }
    }
    std::vector<int> count(static_cast<std::size_t>(W * H), 0);
    auto add = [&](Point p, Point q, Point r) {
      Surface s(W, H);
      DeviceContext dc(&s);
      dc.select_pen(Pen::null());
      const Point tri[] = {p, q, r};
      dc.polygon(tri);
      for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) count[static_cast<std::size_t>(y * W + x)] += s.at(x, y) != 0;
      }
    };
    for (int j = 0; j < N; ++j) {
      for (int i = 0; i < N; ++i) {
        const Point p00 = grid[static_cast<std::size_t>(j * (N + 1) + i)];
        const Point p10 = grid[static_cast<std::size_t>(j * (N + 1) + i + 1)];
        const Point p01 = grid[static_cast<std::size_t>((j + 1) * (N + 1) + i)];
        const Point p11 = grid[static_cast<std::size_t>((j + 1) * (N + 1) + i + 1)];
        if (rng() % 2) {
          add(p00, p10, p11);
          add(p00, p11, p01);
        } else {
          add(p00, p10, p01);
          add(p10, p11, p01);
        }
      }
    }
    const Rect outer{10, 5, 10 + N * 12, 5 + N * 12};
    for (int y = 0; y < H; ++y) {
      for (int x = 0; x < W; ++x) {
        ASSERT_EQ(count[static_cast<std::size_t>(y * W + x)], outer.contains(x, y) ? 1 : 0)
            << "round " << round << " at " << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace korvi::raster
