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

// Flood fill against a plain search: the 4-connected visible pixels not of the border
// colour around the seed, painted as one region with the same brush and write mode.
TEST(PropertyTest, FloodFillPaintsTheConnectedArea) {
  std::mt19937 rng(6060);
  constexpr Pixel BORDER = 0x00FF00;
  for (int round = 0; round < 100; ++round) {
    Surface picture(W, H);
    const int density = 20 + static_cast<int>(rng() % 40);  // percent of border pixels
    for (int y = 0; y < H; ++y) {
      for (int x = 0; x < W; ++x) {
        picture.at(x, y) = static_cast<int>(rng() % 100) < density ? BORDER : (rng() & 0xFF);
      }
    }
    const Region clip = random_clip(rng);
    const Point seed{static_cast<int>(rng() % W), static_cast<int>(rng() % H)};
    const auto state = rng();
    Surface expected(W, H);
    copy_pixels(expected, {0, 0}, picture, picture.bounds());
    DeviceContext fill(&picture);
    DeviceContext model(&expected);
    std::mt19937 r1(state), r2(state);
    random_pen_and_brush(fill, r1);
    random_pen_and_brush(model, r2);
    for (DeviceContext* dc : {&fill, &model}) {
      dc->set_clip_region(round % 4 ? &clip : nullptr);
      dc->set_write_mode(round % 3 ? R2_COPYPEN : R2_XORPEN);
    }
    std::vector<RowSpan> area;
    const Visibility& visible = model.visibility();
    auto open = [&](Point p, const std::vector<bool>& seen) {
      return visible.contains(p.x, p.y) && !seen[static_cast<std::size_t>(p.y * W + p.x)] &&
             (expected.at(p.x, p.y) & RGB_MASK) != BORDER;
    };
    std::vector<bool> seen(static_cast<std::size_t>(W * H), false);
    std::vector<Point> todo;
    if (open(seed, seen)) todo.push_back(seed);
    while (!todo.empty()) {
      const Point p = todo.back();
      todo.pop_back();
      if (!open(p, seen)) continue;
      seen[static_cast<std::size_t>(p.y * W + p.x)] = true;
      area.push_back({p.y, p.x, p.x + 1});
      for (const Point q :
           {Point{p.x - 1, p.y}, Point{p.x + 1, p.y}, Point{p.x, p.y - 1}, Point{p.x, p.y + 1}}) {
        if (q.x >= 0 && q.x < W && q.y >= 0 && q.y < H) todo.push_back(q);
      }
    }
    model.fill_region(Region::from_spans(area), model.brush());
    fill.flood_fill(seed.x, seed.y, color_from_pixel(BORDER));
    if (!testing::same_pixels(picture, expected)) {
      testing::write_picture(picture, "flood_failure");
      FAIL() << "round " << round;
    }
  }
}

// The winding number at the centre of pixel (x, y): edges crossing the row's centre
// line at or left of the pixel's centre, counted +1 downwards and -1 upwards.
int winding_at(const std::vector<Point>& pts, int x, int y) {
  int winding = 0;
  for (std::size_t i = 0; i < pts.size(); ++i) {
    Point a = pts[i];
    Point b = pts[(i + 1) % pts.size()];
    int sign = 1;
    if (a.y > b.y) {
      std::swap(a, b);
      sign = -1;
    }
    const std::int64_t cy2 = 2 * std::int64_t{y} + 1;  // doubled centre height
    if (!(2 * std::int64_t{a.y} <= cy2 && cy2 < 2 * std::int64_t{b.y})) continue;
    const std::int64_t dx = b.x - a.x, dy = b.y - a.y;
    if ((cy2 - 2 * std::int64_t{a.y}) * dx <=
        (2 * std::int64_t{x} + 1 - 2 * std::int64_t{a.x}) * dy)
      winding += sign;
  }
  return winding;
}

// Polygons from a few to thousands of edges per row, against the crossing rule at every
// pixel centre.
TEST(PropertyTest, PolygonFillFollowsTheWindingNumber) {
  std::mt19937 rng(2718);
  for (int round = 0; round < 30; ++round) {
    const int n = round % 3 == 0 ? 3 + round % 7 : round % 3 == 1 ? 100 : 1000;
    std::uniform_int_distribution<int> x(-12, W / 2 + 12), y(-12, H / 2 + 12);
    std::vector<Point> pts;
    for (int i = 0; i < n; ++i) pts.push_back({x(rng), y(rng)});
    const FillRule rule = round % 2 ? FillRule::WINDING : FillRule::ALTERNATE;
    Surface s(W / 2, H / 2);
    DeviceContext dc(&s);
    dc.select_pen(Pen::null());
    dc.select_brush(Brush::solid(0xFFFFFF));
    dc.set_polygon_fill_rule(rule);
    dc.polygon(pts);
    const Region region = Region::polygon(pts, rule);
    for (int py = 0; py < H / 2; ++py) {
      for (int px = 0; px < W / 2; ++px) {
        const int w = winding_at(pts, px, py);
        const bool inside = rule == FillRule::WINDING ? w != 0 : (w & 1) != 0;
        ASSERT_EQ(s.at(px, py) != 0, inside) << round << ": " << px << "," << py;
        ASSERT_EQ(region.contains(px, py), inside) << round << ": " << px << "," << py;
      }
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
    const PixelBox outer{10, 5, 10 + N * 12, 5 + N * 12};
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
