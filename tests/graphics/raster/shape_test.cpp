// Rectangles, ellipses, arcs, pies, polygons and wide pens.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "korvi/raster/device_context.h"
#include "raster_test_support.h"

namespace korvi::raster {
namespace {

constexpr Pixel WHITE = 0xFFFFFF;

struct Canvas {
  explicit Canvas(int w = 64, int h = 64) : surface(w, h), dc(&surface) {
    dc.select_pen(Pen::cosmetic(DashKind::SOLID, 0xFFFFFF));
    dc.select_brush(Brush::solid(0xFFFFFF));
  }
  Surface surface;
  DeviceContext dc;
};

TEST(ShapeTest, BoxesAreHalfOpen) {
  Canvas c;
  c.dc.fill_rect({0, 0, 11, 11}, Brush::solid(0xFFFFFF));  // (0, 0)..(10, 10), edges included
  EXPECT_EQ(testing::count_pixels(c.surface, WHITE), 121);
  EXPECT_EQ(testing::changed_box(c.surface, 0), (PixelBox{0, 0, 11, 11}));
  Canvas r;
  r.dc.rectangle(5, 6, 15, 26);
  EXPECT_EQ(testing::changed_box(r.surface, 0), (PixelBox{5, 6, 15, 26}));
  EXPECT_EQ(testing::count_pixels(r.surface, WHITE), 200);
  Canvas e;
  e.dc.ellipse(5, 6, 15, 26);
  EXPECT_EQ(testing::changed_box(e.surface, 0), (PixelBox{5, 6, 15, 26}));
  // Swapped corners give the same box.
  Canvas f;
  f.dc.fill_rect({10, 10, 0, 0}, Brush::solid(0xFFFFFF));
  EXPECT_EQ(testing::changed_box(f.surface, 0), (PixelBox{0, 0, 10, 10}));
}

TEST(ShapeTest, RectangleOutlineIsTheBorderRingOnce) {
  for (const PixelBox r : {PixelBox{2, 2, 12, 9}, PixelBox{4, 4, 5, 20}, PixelBox{3, 3, 30, 4},
                           PixelBox{7, 7, 8, 8}}) {
    Canvas c;
    c.dc.select_brush(Brush::hollow());
    c.dc.set_write_mode(R2_XORPEN);
    c.dc.rectangle(r.left, r.top, r.right, r.bottom);
    // A 1 x 1 box has no frame: nothing is drawn.
    const bool one_pixel = r.width() == 1 && r.height() == 1;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) {
        const bool border = x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1;
        EXPECT_EQ(c.surface.at(x, y), border && !one_pixel ? WHITE : 0u);
      }
    }
    EXPECT_EQ(testing::changed_box(c.surface, 0), one_pixel ? PixelBox{} : r);
  }
}

// The frame runs from the top-right pixel leftwards, down, rightwards and up; dashes
// start there and run on round the corners; a line-thin box is drawn there and back.
// Pictures: '#' dash, 'o' gap (opaque background), '.' untouched.
TEST(ShapeTest, RectangleFrameStartsTopRightAndRunsCounterClockwise) {
  struct Case {
    PixelBox box;
    DashKind dashes;
    std::vector<std::string> picture;  // from the box's top-left corner
  };
  const Case cases[] = {
      {{10, 10, 20, 15},
       DashKind::DASH,
       {"##########", "#........#", "#........#", "#........o", "#####ooooo"}},
      {{3, 4, 4, 12}, DashKind::DOT, {"#", "#", "#", "o", "o", "o", "#", "#"}},
      {{3, 4, 11, 5}, DashKind::DOT, {"##ooo###"}},
      {{3, 4, 4, 5}, DashKind::DOT, {"."}},
      {{3, 4, 5, 6}, DashKind::DOT, {"##", "#o"}},
  };
  for (const Case& c : cases) {
    Canvas canvas(32, 24);
    canvas.dc.select_pen(Pen::cosmetic(c.dashes, 0xFFFFFF));
    canvas.dc.select_brush(Brush::hollow());
    canvas.dc.set_background_color(rgb(0, 0, 255));
    canvas.dc.rectangle(c.box.left, c.box.top, c.box.right, c.box.bottom);
    std::int64_t drawn = 0;
    for (std::size_t row = 0; row < c.picture.size(); ++row) {
      for (std::size_t col = 0; col < c.picture[row].size(); ++col) {
        const char expected = c.picture[row][col];
        const Pixel p = canvas.surface.at(c.box.left + static_cast<int>(col),
                                          c.box.top + static_cast<int>(row));
        EXPECT_EQ(p, expected == '#'   ? WHITE
                     : expected == 'o' ? 0x0000FFu
                                       : 0u)
            << c.box.left << "," << c.box.top << " at " << col << "," << row;
        drawn += expected != '.';
      }
    }
    EXPECT_EQ(testing::count_other(canvas.surface, 0), drawn);
  }
}

// Frame and inside are disjoint and each frame pixel is written once: in exclusive-or
// on black the rectangle comes out as in copy mode.
TEST(ShapeTest, RectangleWritesEachPixelOnce) {
  std::mt19937 rng(12);
  std::uniform_int_distribution<int> coord(-4, 36);
  const DashKind kinds[] = {DashKind::SOLID, DashKind::DASH, DashKind::DOT, DashKind::DASH_DOT};
  for (int round = 0; round < 200; ++round) {
    const int l = coord(rng), t = coord(rng), r = coord(rng), b = coord(rng);
    const DashKind kind = kinds[round % 4];
    Canvas copy(32, 32);
    Canvas x(32, 32);
    for (Canvas* c : {&copy, &x}) {
      c->dc.select_pen(Pen::cosmetic(kind, 0xFFFFFF));
      c->dc.select_brush(Brush::solid(0x00FF00));
      c->dc.set_background_color(rgb(0, 0, 255));
    }
    x.dc.set_write_mode(R2_XORPEN);
    copy.dc.rectangle(l, t, r, b);
    x.dc.rectangle(l, t, r, b);
    ASSERT_TRUE(testing::same_pixels(copy.surface, x.surface)) << round;
  }
}

bool centre_inside(const PixelBox& b, int x, int y) {
  const double cx = (b.left + b.right) / 2.0, cy = (b.top + b.bottom) / 2.0;
  const double rx = (b.right - b.left) / 2.0, ry = (b.bottom - b.top) / 2.0;
  const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
  return dx * dx + dy * dy <= 1.0;
}

TEST(ShapeTest, EllipseFillsPixelCentresInsideAndIsSymmetric) {
  for (const PixelBox b : {PixelBox{0, 0, 40, 40}, PixelBox{3, 5, 44, 26}, PixelBox{10, 10, 11, 30},
                           PixelBox{10, 10, 12, 30}, PixelBox{0, 0, 63, 7}}) {
    Canvas c;
    c.dc.select_pen(Pen::null());
    c.dc.ellipse(b.left, b.top, b.right, b.bottom);
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) {
        const bool in = c.surface.at(x, y) == WHITE;
        // Away from the boundary the floating-point test agrees with the exact one.
        const int mx = b.left + b.right - 1 - x, my = b.top + b.bottom - 1 - y;
        if (mx >= 0 && mx < 64) {
          EXPECT_EQ(in, c.surface.at(mx, y) == WHITE);
        }
        if (my >= 0 && my < 64) {
          EXPECT_EQ(in, c.surface.at(x, my) == WHITE);
        }
        if (in) {
          EXPECT_TRUE(b.contains(x, y));
          EXPECT_TRUE(centre_inside({b.left, b.top, b.right, b.bottom}, x, y) ||
                      centre_inside({b.left - 1, b.top - 1, b.right + 1, b.bottom + 1}, x, y));
        }
      }
    }
    // Touches all four sides of its box.
    EXPECT_EQ(testing::changed_box(c.surface, 0), b);
  }
}

TEST(ShapeTest, ThinEllipseOutlineIsTheFillsBoundary) {
  const PixelBox b{4, 6, 54, 40};
  Canvas fill;
  fill.dc.select_pen(Pen::null());
  fill.dc.ellipse(b.left, b.top, b.right, b.bottom);
  Canvas ring;
  ring.dc.select_brush(Brush::hollow());
  ring.dc.set_write_mode(R2_XORPEN);
  ring.dc.ellipse(b.left, b.top, b.right, b.bottom);
  auto in = [&](int x, int y) {
    return fill.surface.bounds().contains(x, y) && fill.surface.at(x, y) == WHITE;
  };
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const bool boundary =
          in(x, y) && (!in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1));
      EXPECT_EQ(ring.surface.at(x, y) == WHITE, boundary) << x << "," << y;
    }
  }
}

TEST(ShapeTest, ArcRunsCounterClockwiseBetweenItsRays) {
  // Box (0, 0, 100, 50) with rays at angle 0 and a quarter turn: points (100, 25), (50, 0).
  Canvas c(110, 60);
  c.dc.arc(0, 0, 100, 50, 100, 25, 50, 0);
  const PixelBox box = testing::changed_box(c.surface, 0);
  EXPECT_GE(box.left, 49);
  EXPECT_EQ(box.right, 100);
  EXPECT_EQ(box.top, 0);
  EXPECT_LE(box.bottom, 26);
  // Swapping the rays draws the other three quarters; together the whole outline,
  // sharing only the pixels on the rays.
  Canvas rest(110, 60);
  rest.dc.arc(0, 0, 100, 50, 50, 0, 100, 25);
  Canvas whole(110, 60);
  whole.dc.arc(0, 0, 100, 50, 7, 3, 7, 3);  // equal rays: the whole ellipse
  Canvas outline(110, 60);
  outline.dc.select_brush(Brush::hollow());
  outline.dc.ellipse(0, 0, 100, 50);
  EXPECT_TRUE(testing::same_pixels(whole.surface, outline.surface));
  int shared = 0;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 110; ++x) {
      const bool a = c.surface.at(x, y) == WHITE, b = rest.surface.at(x, y) == WHITE;
      EXPECT_EQ(a || b, outline.surface.at(x, y) == WHITE);
      shared += a && b;
    }
  }
  EXPECT_LE(shared, 4);
}

TEST(ShapeTest, PieFillsItsSectorAndOutlinesOnce) {
  Canvas c(80, 80);
  c.dc.select_pen(Pen::null());
  c.dc.pie(0, 0, 80, 80, 80, 40, 40,
           80);                         // from angle 0 clockwise on screen to 270: three quarters
  EXPECT_EQ(c.surface.at(60, 60), 0u);  // lower right quadrant empty
  EXPECT_EQ(c.surface.at(20, 20), WHITE);
  EXPECT_EQ(c.surface.at(60, 20), WHITE);
  EXPECT_EQ(c.surface.at(20, 60), WHITE);
  // Equal rays: the whole ellipse.
  Canvas full(80, 80);
  full.dc.select_pen(Pen::null());
  full.dc.pie(0, 0, 80, 80, 10, 40, 10, 40);
  Canvas ellipse(80, 80);
  ellipse.dc.select_pen(Pen::null());
  ellipse.dc.ellipse(0, 0, 80, 80);
  EXPECT_TRUE(testing::same_pixels(full.surface, ellipse.surface));
  // Outline in XOR: every pixel of the arc and radii once, so twice restores.
  Canvas x(80, 80);
  x.dc.select_brush(Brush::hollow());
  x.dc.set_write_mode(R2_XORPEN);
  x.dc.pie(0, 0, 80, 80, 80, 40, 40, 80);
  EXPECT_GT(testing::count_pixels(x.surface, WHITE), 150);
  x.dc.pie(0, 0, 80, 80, 80, 40, 40, 80);
  EXPECT_EQ(testing::count_other(x.surface, 0), 0);
}

TEST(ShapeTest, PieWithoutPenFillsThePixelsOnItsRays) {
  // The box's centre is (40, 40), so the pixel centres (40.5 + k, 39.5 - k) lie on the
  // ray at 45 degrees; a pie holds the pixels of its inscribed ellipse whose centres
  // lie between its rays or on them.
  Canvas ellipse(80, 80);
  ellipse.dc.select_pen(Pen::null());
  ellipse.dc.ellipse(0, 0, 80, 80);
  const struct {
    Point start, end;
    bool (*in_sector)(double right, double up);
  } cases[] = {
      {{80, 40}, {80, 0}, [](double right, double up) { return up > 0 && up <= right; }},
      {{80, 0}, {40, 0}, [](double right, double up) { return right > 0 && up >= right; }},
  };
  for (const auto& c : cases) {
    Canvas pie(80, 80);
    pie.dc.select_pen(Pen::null());
    pie.dc.pie(0, 0, 80, 80, c.start.x, c.start.y, c.end.x, c.end.y);
    for (int y = 0; y < 80; ++y) {
      for (int x = 0; x < 80; ++x) {
        const bool in =
            c.in_sector(x + 0.5 - 40, 40 - (y + 0.5)) && ellipse.surface.at(x, y) == WHITE;
        ASSERT_EQ(pie.surface.at(x, y) == WHITE, in) << x << "," << y;
      }
    }
  }
}

TEST(ShapeTest, PolygonFillRules) {
  // A five-pointed star drawn in one stroke: its centre has winding 2.
  std::vector<Point> star;
  for (int i = 0; i < 5; ++i) {
    const double a = std::numbers::pi / 2 + i * 4 * std::numbers::pi / 5;
    star.push_back({32 + static_cast<int>(std::lround(30 * std::cos(a))),
                    32 - static_cast<int>(std::lround(30 * std::sin(a)))});
  }
  Canvas alternate;
  alternate.dc.select_pen(Pen::null());
  alternate.dc.polygon(star);
  EXPECT_EQ(alternate.surface.at(32, 33), 0u);
  EXPECT_EQ(alternate.surface.at(32, 8), WHITE);
  Canvas winding;
  winding.dc.select_pen(Pen::null());
  winding.dc.set_polygon_fill_rule(FillRule::WINDING);
  winding.dc.polygon(star);
  EXPECT_EQ(winding.surface.at(32, 33), WHITE);
  EXPECT_GT(testing::count_pixels(winding.surface, WHITE),
            testing::count_pixels(alternate.surface, WHITE));
  // A square polygon fills pixel centres: right and bottom edges excluded.
  Canvas square;
  square.dc.select_pen(Pen::null());
  const Point pts[] = {{2, 2}, {12, 2}, {12, 12}, {2, 12}};
  square.dc.polygon(pts);
  EXPECT_EQ(testing::changed_box(square.surface, 0), (PixelBox{2, 2, 12, 12}));
  // With the pen, the outline reaches the vertices.
  Canvas outlined;
  outlined.dc.polygon(pts);
  EXPECT_EQ(testing::changed_box(outlined.surface, 0), (PixelBox{2, 2, 13, 13}));
}

TEST(ShapeTest, WidePensCoverTheirWidthWithCaps) {
  struct Case {
    std::uint32_t style;
    int width;
    PixelBox expected;
  };
  const Case cases[] = {
      {PEN_CAP_FLAT, 3, {10, 19, 40, 22}},
      {PEN_CAP_FLAT, 4, {10, 18, 40, 22}},
      {PEN_CAP_SQUARE, 3, {9, 19, 42, 22}},
      {PEN_CAP_ROUND, 5, {8, 18, 43, 23}},
  };
  for (const Case& k : cases) {
    Canvas c;
    c.dc.select_pen(*Pen::geometric(k.style, k.width, 0xFFFFFF));
    c.dc.move_to(10, 20);
    c.dc.line_to(40, 20);
    EXPECT_EQ(testing::changed_box(c.surface, 0), k.expected) << k.style << " " << k.width;
  }
  // Flat caps: exactly width x length pixels.
  Canvas flat;
  flat.dc.select_pen(*Pen::geometric(PEN_CAP_FLAT, 3, 0xFFFFFF));
  flat.dc.move_to(10, 20);
  flat.dc.line_to(40, 20);
  EXPECT_EQ(testing::count_pixels(flat.surface, WHITE), 90);
}

TEST(ShapeTest, WidePolylineWritesEachPixelOnce) {
  const Point pts[] = {{5, 5}, {55, 50}, {55, 10}, {5, 55}, {30, 2}};
  for (const std::uint32_t style :
       {0u, PEN_JOIN_MITER | PEN_CAP_SQUARE, PEN_JOIN_BEVEL | PEN_CAP_FLAT}) {
    Canvas copy;
    copy.dc.select_pen(*Pen::geometric(style, 7, 0xFFFFFF));
    copy.dc.polyline(pts);
    Canvas x;
    x.dc.select_pen(*Pen::geometric(style, 7, 0xFFFFFF));
    x.dc.set_write_mode(R2_XORPEN);
    x.dc.polyline(pts);
    EXPECT_TRUE(testing::same_pixels(copy.surface, x.surface)) << style;
    x.dc.polyline(pts);
    EXPECT_EQ(testing::count_other(x.surface, 0), 0);
  }
}

TEST(ShapeTest, WideDashesLeaveGapsOrPaintThemOpaque) {
  const auto pen =
      Pen::geometric(7u | PEN_CAP_FLAT, 4, 0xFFFFFF, std::vector<std::uint32_t>{10, 6});
  ASSERT_TRUE(pen);
  Canvas t(80, 20);
  t.dc.set_background_mode(BackgroundMode::TRANSPARENT);
  t.dc.select_pen(*pen);
  t.dc.move_to(0, 10);
  t.dc.line_to(64, 10);
  // 10 on, 6 off along the line, 4 rows thick.
  for (int x = 0; x < 64; ++x) EXPECT_EQ(t.surface.at(x, 10) == WHITE, x % 16 < 10) << x;
  EXPECT_EQ(testing::count_pixels(t.surface, WHITE), 4 * 40);
  Canvas o(80, 20);
  o.dc.set_background_color(rgb(0, 0, 255));
  o.dc.select_pen(*pen);
  o.dc.move_to(0, 10);
  o.dc.line_to(64, 10);
  EXPECT_EQ(testing::count_pixels(o.surface, WHITE), 4 * 40);
  EXPECT_EQ(testing::count_pixels(o.surface, 0x0000FF), 4 * 24);
}

TEST(ShapeTest, RotatedTransformsMapPointsAndFlattenCurves) {
  // A quarter turn about (32, 32): logical x runs down the screen, logical y to the left.
  Canvas c;
  c.dc.set_transform({0.0f, 1.0f, -1.0f, 0.0f, 32.0f, 32.0f});
  c.dc.move_to(0, 0);
  c.dc.line_to(10, 0);
  EXPECT_EQ(testing::changed_box(c.surface, 0), (PixelBox{32, 32, 33, 42}));
  Canvas e;
  e.dc.set_transform({0.0f, 1.0f, -1.0f, 0.0f, 32.0f, 32.0f});
  e.dc.select_pen(Pen::null());
  e.dc.ellipse(-20, -10, 20, 10);  // 40 wide, 20 high: turned, 20 wide and 40 high
  const PixelBox box = testing::changed_box(e.surface, 0);
  EXPECT_NEAR(box.width(), 20, 1);
  EXPECT_NEAR(box.height(), 40, 1);
  EXPECT_NEAR(testing::count_pixels(e.surface, WHITE), std::numbers::pi * 20 * 10, 12);
}

TEST(ShapeTest, ScenePicture) {
  Canvas c(320, 200);
  c.surface.fill(0x202020);
  c.dc.select_brush(*Brush::hatched(5, rgb(255, 200, 0)));
  c.dc.set_background_mode(BackgroundMode::TRANSPARENT);
  c.dc.ellipse(10, 10, 150, 110);
  c.dc.select_pen(*Pen::geometric(PEN_JOIN_MITER | PEN_CAP_SQUARE, 6, rgb(0, 200, 255)));
  c.dc.select_brush(Brush::pattern({0x80, 0, 0x08, 0, 0x80, 0, 0x08, 0}));
  c.dc.set_text_color(rgb(255, 255, 255));
  c.dc.set_background_color(rgb(60, 0, 60));
  const Point tri[] = {{170, 20}, {300, 60}, {200, 180}};
  c.dc.polygon(tri);
  c.dc.select_pen(Pen::cosmetic(DashKind::DASH_DOT, rgb(255, 80, 80)));
  c.dc.select_brush(Brush::solid(rgb(40, 120, 40)));
  c.dc.pie(20, 120, 120, 195, 120, 157, 70, 120);
  const std::string path = testing::write_picture(c.surface, "raster_scene");
  EXPECT_FALSE(path.empty());
}

}  // namespace
}  // namespace korvi::raster
