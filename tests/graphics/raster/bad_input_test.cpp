// Bad input: huge coordinates and radii, huge polygons, non-finite transforms. Each
// finishes promptly and writes only visible pixels.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "korvi/raster/device_context.h"
#include "raster_test_support.h"

namespace korvi::raster {
namespace {

constexpr std::int32_t BIG = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t SMALL = std::numeric_limits<std::int32_t>::min();

// The surface sits inside caller memory with guard pixels all around; drawing must
// never reach the guards.
struct Guarded {
  static constexpr int W = 64, H = 48, PAD = 16;
  Guarded() : memory((W + 2 * PAD) * (H + 2 * PAD), GUARD) {
    surface = Surface::view(memory.data() + PAD * (W + 2 * PAD) + PAD, W, H, W + 2 * PAD);
    surface.fill(0);
    dc.bind(&surface);
    dc.select_pen(Pen::cosmetic(DashKind::SOLID, 0xFFFFFF));
    dc.select_brush(Brush::solid(0x00FF00));
  }
  bool guards_intact() const {
    for (int y = 0; y < H + 2 * PAD; ++y) {
      for (int x = 0; x < W + 2 * PAD; ++x) {
        const bool inside = x >= PAD && x < PAD + W && y >= PAD && y < PAD + H;
        if (!inside && memory[static_cast<std::size_t>(y * (W + 2 * PAD) + x)] != GUARD)
          return false;
      }
    }
    return true;
  }
  static constexpr Pixel GUARD = 0xDEADBE;
  std::vector<Pixel> memory;
  Surface surface;
  DeviceContext dc;
};

__extension__ typedef __int128 Wide;

// Whether pixel (x, y) lies on the thin line from a to b by the line's definition: one
// pixel per step along the major axis, the end not drawn, the minor coordinate the
// ideal one rounded to the nearest, halves to the smaller; with dashes of 18 steps
// and gaps of 6 when dashed.
bool on_line(Point a, Point b, int x, int y, bool dashed) {
  const Wide dx = Wide{b.x} - a.x;
  const Wide dy = Wide{b.y} - a.y;
  const bool x_major = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
  const Wide major = x_major ? dx : dy;  // signed
  const Wide minor = x_major ? dy : dx;
  const Wide along = x_major ? Wide{x} - a.x : Wide{y} - a.y;
  const Wide steps = major < 0 ? -major : major;
  const Wide i = major < 0 ? -along : along;
  if (steps == 0 || i < 0 || i >= steps) return false;
  // Nearest to m0 + i minor / steps, halves down: ceil((2 m0 steps + 2 i minor - steps) / 2 steps).
  const Wide m0 = x_major ? a.y : a.x;
  const Wide num = 2 * m0 * steps + 2 * i * minor - steps;
  const Wide den = 2 * steps;
  const Wide q = num / den;
  const Wide nearest = q + ((num % den != 0 && num > 0) ? 1 : 0);
  if (nearest != (x_major ? y : x)) return false;
  return !dashed || i % 24 < 18;
}

TEST(BadInputTest, ExtremeLinesStayInsideAndMatchTheirCrops) {
  const std::vector<std::vector<Point>> paths = {
      {{SMALL, SMALL}, {BIG, BIG}},
      {{SMALL, 10}, {BIG, 20}},
      {{10, SMALL}, {40, BIG}},
      {{BIG, SMALL}, {SMALL, BIG}},
      {{-1000000000, 24}, {1000000000, 25}},
      {{-2000000000, -1500000000}, {2000000000, 1500000001}},
  };
  const Region clip = Region::ellipse({-10, 5, 50, 45});
  for (const auto& path : paths) {
    for (const std::uint32_t style : {0u, 1u}) {
      for (const int width : {1, 9}) {
        Guarded g;
        g.dc.set_background_mode(BackgroundMode::TRANSPARENT);
        g.dc.select_pen(*Pen::geometric(style, width, 0xFFFFFF));
        g.dc.polyline(path);
        EXPECT_TRUE(g.guards_intact());
        // The same drawn under a clip region is the crop of the drawing.
        Guarded clipped;
        clipped.dc.set_background_mode(BackgroundMode::TRANSPARENT);
        clipped.dc.select_pen(*Pen::geometric(style, width, 0xFFFFFF));
        clipped.dc.set_clip_region(&clip);
        clipped.dc.polyline(path);
        for (int y = 0; y < Guarded::H; ++y) {
          for (int x = 0; x < Guarded::W; ++x) {
            const Pixel p = g.surface.at(x, y);
            ASSERT_EQ(clipped.surface.at(x, y), clip.contains(x, y) ? p : 0u) << x << "," << y;
            // A thin line lights exactly its own pixels that fall on the surface.
            if (width == 1) {
              ASSERT_EQ(p != 0, on_line(path[0], path[1], x, y, style == 1))
                  << path[0].x << "," << path[0].y << " style " << style << " at " << x << "," << y;
            }
          }
        }
      }
    }
  }
}

TEST(BadInputTest, HugeShapesCostWhatIsVisible) {
  Guarded g;
  const std::int32_t r = 1 << 30;
  g.dc.ellipse(32 - r, 24 - r, 32 + r, 24 + r);  // the surface is deep inside
  EXPECT_EQ(testing::count_pixels(g.surface, 0x00FF00), Guarded::W * Guarded::H);
  g.dc.select_pen(*Pen::geometric(0, 7, 0xFFFFFF));
  g.dc.ellipse(-r, -r, r, r);
  g.dc.arc(-r, -r, r, r, 0, -r, -r, 0);
  g.dc.pie(SMALL, SMALL, BIG, BIG, 5, 0, 0, 5);
  g.dc.rectangle(SMALL, SMALL, BIG, BIG);
  g.dc.select_pen(*Pen::geometric(1, 3, 0xFFFFFF));
  g.dc.rectangle(SMALL, SMALL, BIG, BIG);
  g.dc.fill_rect({SMALL, SMALL, BIG, BIG}, *Brush::hatched(4, 0xFF));
  g.dc.flood_fill(3, 3, 0x123456);
  EXPECT_TRUE(g.guards_intact());
}

TEST(BadInputTest, MillionPointPolygons) {
  std::vector<Point> ring;
  const int n = 1000000;
  ring.reserve(n);
  for (int i = 0; i < n; ++i) {
    const double a = 2.0 * std::numbers::pi * i / n;
    ring.push_back({static_cast<int>(std::lround(32 + 1.0e9 * std::cos(a))),
                    static_cast<int>(std::lround(24 + 1.0e9 * std::sin(a)))});
  }
  Guarded g;
  g.dc.polygon(ring);
  EXPECT_EQ(testing::count_pixels(g.surface, 0x00FF00), Guarded::W * Guarded::H);
  // A zigzag across the surface, a million points.
  std::vector<Point> zigzag;
  for (int i = 0; i < n; ++i) zigzag.push_back({i % 2 ? 70 : -6, i / 20000});
  g.dc.polygon(zigzag);
  g.dc.polyline(zigzag);
  EXPECT_TRUE(g.guards_intact());
}

// Non-finite transforms draw nothing; a huge finite scale saturates.
TEST(BadInputTest, NonFiniteTransformsDrawNothing) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (const Transform t :
       {Transform{nan, 0, 0, 1, 0, 0}, Transform{1, 0, 0, inf, 0, 0}, Transform{1, 0, 0, 1, nan, 0},
        Transform{1, 0, 0, 1, 0, -inf}, Transform{3e38f, 0, 0, 3e38f, 0, 0}}) {
    Guarded g;
    g.dc.set_transform(t);
    g.dc.move_to(1, 1);
    g.dc.line_to(10, 10);
    g.dc.select_pen(*Pen::geometric(PEN_JOIN_MITER | 1, 3, 0xFFFFFF));
    g.dc.line_to(-10, 10);
    g.dc.ellipse(0, 0, 10, 10);
    g.dc.pie(0, 0, 10, 10, 10, 5, 5, 0);
    const Point tri[] = {{0, 0}, {10, 0}, {0, 10}};
    g.dc.polygon(tri);
    g.dc.fill_rect({0, 0, 5, 5}, Brush::solid(0xFF));
    g.dc.bit_blt(0, 0, 10, 10, nullptr, 0, 0, PATCOPY);
    g.dc.flood_fill(0, 0, 0);
    if (!t.is_finite()) {
      EXPECT_EQ(g.dc.get_pixel(0, 0), INVALID_COLOR);
      EXPECT_EQ(testing::count_other(g.surface, 0), 0);
    }
    EXPECT_TRUE(g.guards_intact());
  }
}

TEST(BadInputTest, SurfaceChangedUnderABoundContextIsNoticed) {
  Surface s(10, 10);
  DeviceContext dc(&s);
  dc.select_brush(Brush::solid(0xFFFFFF));
  s = Surface(40, 30);  // resized in place, as an image resize does
  dc.fill_rect({0, 0, 100, 100}, dc.brush());
  EXPECT_EQ(testing::count_pixels(s, 0xFFFFFF), 1200);
  s = Surface();  // emptied
  dc.fill_rect({0, 0, 100, 100}, dc.brush());
  dc.ellipse(0, 0, 50, 50);
  EXPECT_EQ(dc.get_pixel(0, 0), INVALID_COLOR);
  DeviceContext other(&s);
  EXPECT_FALSE(other.bit_blt(0, 0, 5, 5, &dc, 0, 0, SRCCOPY));
}

TEST(BadInputTest, UnboundAndDegenerateCallsDoNothing) {
  DeviceContext dc;
  dc.line_to(10, 10);
  dc.ellipse(0, 0, 10, 10);
  dc.flood_fill(0, 0, 0);
  EXPECT_TRUE(dc.bit_blt(0, 0, 5, 5, nullptr, 0, 0, PATCOPY));
  Guarded g;
  g.dc.polygon({});
  g.dc.polyline({});
  const Point one[] = {{5, 5}};
  g.dc.polygon(one);
  g.dc.ellipse(5, 5, 5, 20);
  g.dc.rectangle(5, 5, 5, 5);
  EXPECT_EQ(testing::count_other(g.surface, 0), 0);
  EXPECT_TRUE(g.dc.bit_blt(0, 0, 0, 10, &g.dc, 0, 0, SRCCOPY));
  EXPECT_TRUE(g.dc.stretch_blt(0, 0, 10, 10, &g.dc, BIG, BIG, 5, 5, SRCCOPY));
  EXPECT_TRUE(g.guards_intact());
}

}  // namespace
}  // namespace korvi::raster
