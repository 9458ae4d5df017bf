// Text through the device context: properties that hold whatever faces are installed
// (extents against covered pixels, opaque cells, clipping, transforms, write modes,
// formatted text), and a sample sheet for a person to look at.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "glyph_paint.h"
#include "korvi/raster/device_context.h"
#include "raster_test_support.h"

namespace korvi::raster {
namespace {

using testing::changed_box;
using testing::same_pixels;

constexpr Pixel PAPER = 0x204060;  // what every surface starts as
constexpr Color TEXT = rgb(255, 255, 255);
constexpr Color BACK = rgb(0, 0, 200);
const char* const CHINESE = "\xE4\xB8\xAD\xE6\x96\x87";  // two characters
constexpr auto OPAQUE = BackgroundMode::OPAQUE;
constexpr auto TRANSPARENT = BackgroundMode::TRANSPARENT;

FontCache& cache() {
  static FontCache shared;  // starting fontconfig takes milliseconds: one per program
  return shared;
}

FontDescription describe(const char* face, std::int32_t height, std::uint8_t quality,
                         std::int32_t weight = 0, std::int32_t escapement = 0, bool lines = false) {
  FontDescription d;
  d.height = height;
  d.char_set = CHARSET_DEFAULT;
  d.quality = quality;
  d.weight = weight;
  d.escapement = escapement;
  d.underline = d.strike_out = lines ? 1 : 0;
  set_face_name(d, face);
  return d;
}

// One-bit, antialiased, bold, and with underline and strike-out.
const std::vector<FontDescription>& upright_fonts() {
  static const std::vector<FontDescription> fonts{
      default_font_description(), describe("Arial", 20, 4), describe("Arial", 18, 3, 700),
      describe("Arial", 16, 4, 0, 0, true)};
  return fonts;
}

struct Page {
  Page(const FontDescription& font, BackgroundMode mode, int width = 320, int height = 200)
      : surface(testing::filled(width, height, PAPER)), dc(&surface) {
    dc.select_font(cache(), cache().font(font));
    dc.set_text_color(TEXT);
    dc.set_background_color(BACK);
    dc.set_background_mode(mode);
  }
  Page(const FontDescription& font, BackgroundMode mode, const Transform& t) : Page(font, mode) {
    dc.set_transform(t);
  }
  Surface surface;
  DeviceContext dc;
};

PixelBox box_at(std::int32_t x, std::int32_t y, TextExtent e) {
  return {x, y, x + e.width, y + e.height};
}

// The colour c blended over the pixel d by coverage a, channel by channel:
// (d (255 - a) + c a + 127) / 255.
Pixel blended(Pixel d, Pixel c, std::uint32_t a) {
  Pixel out = 0;
  for (int shift = 0; shift < 24; shift += 8)
    out |= (((d >> shift) & 0xFF) * (255 - a) + ((c >> shift) & 0xFF) * a + 127) / 255 << shift;
  return out;
}

// The glyph run painted by hand, as the font engine describes the drawing sequence:
// boxes with the device-space fill, coverage blended pixel by pixel.
void paint_reference(DeviceContext& dc, const Font& font, Point o, std::string_view text,
                     TextScale scale) {
  const GlyphRun run = cache().glyph_run(font, text, scale);
  auto fill = [&](const TextQuad& q, Color c) {
    dc.fill_rect_device({o.x + q.left, o.y + q.top, o.x + q.right, o.y + q.bottom}, c);
  };
  Surface& surface = *dc.surface();
  const Pixel ink = pixel_from_color(dc.text_color());
  if (dc.background_mode() == OPAQUE) fill(run.cell, dc.background_color());
  for (const PlacedGlyph& g : run.glyphs) {
    const GlyphBitmap& b = *g.bitmap;
    for (int y = 0; b.antialiased && !b.empty() && y < b.height; ++y) {
      for (int x = 0; x < b.width; ++x) {
        const Point p{o.x + g.x + x, o.y + g.y + y};
        if (surface.bounds().contains(p.x, p.y) && b.coverage_at(x, y) != 0)
          surface.at(p.x, p.y) = blended(surface.at(p.x, p.y), ink, b.coverage_at(x, y));
      }
    }
    for (const GlyphSpan& s : b.spans) {
      dc.fill_rect_device(
          {o.x + g.x + s.x_begin, o.y + g.y + s.y, o.x + g.x + s.x_end, o.y + g.y + s.y + 1},
          dc.text_color());
    }
  }
  if (run.has_underline) fill(run.underline, dc.text_color());
  if (run.has_strike_out) fill(run.strike_out, dc.text_color());
}

// ---- output -------------------------------------------------------------------------

TEST(TextTest, OutputIsTheGlyphRunPaintedWhereTheTransformPutsTheCorner) {
  const struct {
    Transform transform;
    Point device;  // of logical (20, 30)
  } cases[] = {{Transform::identity(), {20, 30}},
               {Transform::scale_offset(1, 1, -7, 12), {13, 42}},
               {Transform::scale_offset(2, 2, 5, 5), {45, 65}},
               {Transform::scale_offset(1.5f, -1, 0, 150), {30, 120}}};
  for (const FontDescription& font : upright_fonts()) {
    for (const auto& c : cases) {
      for (const BackgroundMode mode : {OPAQUE, TRANSPARENT}) {
        Page page(font, mode, c.transform);
        page.dc.text_out(20, 30, "Ag,|j 12");
        Page expected(font, mode);
        paint_reference(expected.dc, *expected.dc.font(), c.device, "Ag,|j 12",
                        {c.transform.m11, c.transform.m22});
        EXPECT_TRUE(same_pixels(page.surface, expected.surface))
            << font.face_name << " x" << c.transform.m11;
      }
    }
  }
}

// Long text is laid out only as far as it can be seen; the picture is the whole run's,
// wherever the text starts before the surface.
TEST(TextTest, LongTextDrawsAsItsWholeGlyphRun) {
  std::string text;
  while (text.size() < 3000) text += std::string("Wide text ") + CHINESE + "\xE4\xB8 g|j ";
  const struct {
    std::int32_t escapement;
    Transform transform;
    Point base, away;  // logical start: base + distance * away, before the surface
  } cases[] = {
      {0, Transform::identity(), {0, 20}, {-1, 0}},
      {0, Transform::scale_offset(-1, 1, 100, 0), {0, 20}, {-1, 0}},
      {900, Transform::identity(), {30, 60}, {0, 1}},
      {1800, Transform::identity(), {120, 40}, {1, 0}},
      {2700, Transform::scale_offset(1, -1, 0, 60), {50, 0}, {0, -1}},
  };
  for (const auto& c : cases) {
    const FontDescription font = describe("Arial", 16, 4, 0, c.escapement, true);
    for (int distance = 300; distance < 2400; distance += 131) {
      const Point at{c.base.x + distance * c.away.x, c.base.y + distance * c.away.y};
      const Transform& t = c.transform;
      const Point device{static_cast<int>(at.x * t.m11 + t.dx),
                         static_cast<int>(at.y * t.m22 + t.dy)};
      Page page(font, OPAQUE, 120, 60);
      page.dc.set_transform(t);
      page.dc.text_out(at.x, at.y, text);
      Page expected(font, OPAQUE, 120, 60);
      paint_reference(expected.dc, *expected.dc.font(), device, text, {t.m11, t.m22});
      ASSERT_GT(testing::count_other(page.surface, PAPER), 0) << c.escapement << " " << distance;
      ASSERT_TRUE(same_pixels(page.surface, expected.surface)) << c.escapement << " " << distance;
    }
  }
}

TEST(TextTest, InkLiesInTheExtentBoxWhichOpaqueOutputFillsExactly) {
  for (const FontDescription& font : upright_fonts()) {
    for (const char* text : {"Hello, World", "y=sin(x)*x", "x", CHINESE}) {
      Page clear(font, TRANSPARENT);
      clear.dc.text_out(30, 40, text);
      const PixelBox cell = box_at(30, 40, clear.dc.text_extent(text));
      const PixelBox ink = changed_box(clear.surface, PAPER);
      EXPECT_FALSE(ink.empty()) << text;
      EXPECT_EQ(ink.intersected(cell), ink) << font.face_name << " " << text;
      EXPECT_EQ(testing::count_pixels(clear.surface, pixel_from_color(BACK)), 0) << text;

      Page opaque(font, OPAQUE);
      opaque.dc.text_out(30, 40, text);
      EXPECT_EQ(changed_box(opaque.surface, PAPER), cell) << font.face_name << " " << text;
      EXPECT_EQ(testing::count_other(opaque.surface, PAPER), cell.width() * cell.height()) << text;
    }
  }
}

TEST(TextTest, TheSameStringGivesTheSamePictureAndCopiesDrawAlike) {
  for (const FontDescription& font : upright_fonts()) {
    Page first(font, OPAQUE);
    first.dc.text_out(10, 10, "Same again");
    Page second(font, OPAQUE);
    second.dc.text_out(10, 10, "something else first");
    second.surface.fill(PAPER);
    second.dc.text_out(10, 10, "Same again");
    second.dc.text_out(10, 10, "Same again");  // opaque over itself changes nothing
    EXPECT_TRUE(same_pixels(first.surface, second.surface)) << font.face_name;
    Surface other = testing::filled(320, 200, PAPER);
    DeviceContext copy = first.dc;
    copy.bind(&other);
    copy.text_out(10, 10, "Same again");
    EXPECT_TRUE(same_pixels(other, first.surface)) << font.face_name;
  }
}

TEST(TextTest, ClippedTextEqualsTheCropOfTheUnclippedOutput) {
  std::vector<FontDescription> fonts = upright_fonts();
  fonts.push_back(describe("Arial", 20, 4, 0, 450, true));
  fonts.push_back(describe("System", 16, 3, 0, 900));
  std::mt19937 rng(4242);
  std::uniform_int_distribution<int> v(-20, 220);
  for (int round = 0; round < 60; ++round) {
    const FontDescription& font = fonts[static_cast<std::size_t>(round) % fonts.size()];
    const Region clip = Region::combine(
        Region::ellipse({v(rng), v(rng) / 2, v(rng) + 100, v(rng) / 2 + 60}),
        Region::rectangle({v(rng), v(rng) / 2, v(rng), v(rng) / 2}), CombineMode::XOR);
    const BackgroundMode mode = round % 3 == 0 ? TRANSPARENT : OPAQUE;
    Page whole(font, mode, 240, 120);
    Page clipped(font, mode, 240, 120);
    clipped.dc.set_clip_region(&clip);
    const int x = v(rng) / 2 - 10, y = v(rng) / 2;
    whole.dc.text_out(x, y, "Clip me: Wj 123");
    clipped.dc.text_out(x, y, "Clip me: Wj 123");
    for (int py = 0; py < 120; ++py) {
      for (int px = 0; px < 240; ++px) {
        ASSERT_EQ(clipped.surface.at(px, py),
                  clip.contains(px, py) ? whole.surface.at(px, py) : PAPER)
            << "round " << round << " pixel " << px << "," << py;
      }
    }
  }
}

TEST(TextTest, ScalesEnlargeAndMirrorTheText) {
  const FontDescription font = describe("Arial", 20, 3);
  Page upright(font, TRANSPARENT);
  upright.dc.text_out(100, 100, "TTT LLL");
  const PixelBox ink = changed_box(upright.surface, PAPER);
  const TextExtent e = upright.dc.text_extent("TTT LLL");
  const struct {
    float sx, sy;
    PixelBox cell;  // where the cell of logical (0, 0) at device (100, 100) lands
  } cases[] = {{1, -1, {100, 100 - e.height, 100 + e.width, 100}},
               {-1, 1, {100 - e.width, 100, 100, 100 + e.height}},
               {-1, -1, {100 - e.width, 100 - e.height, 100, 100}}};
  for (const auto& c : cases) {
    Page opaque(font, OPAQUE, Transform::scale_offset(c.sx, c.sy, 100, 100));
    opaque.dc.text_out(0, 0, "TTT LLL");
    EXPECT_EQ(changed_box(opaque.surface, PAPER), c.cell) << c.sx << "," << c.sy;
    // The ink is the upright ink reflected about the point (to a pixel of rounding).
    Page clear(font, TRANSPARENT, Transform::scale_offset(c.sx, c.sy, 100, 100));
    clear.dc.text_out(0, 0, "TTT LLL");
    const PixelBox m = changed_box(clear.surface, PAPER);
    EXPECT_NEAR(c.sy < 0 ? 200 - m.bottom : m.top, ink.top, 1);
    EXPECT_NEAR(c.sx < 0 ? 200 - m.right : m.left, ink.left, 1);
  }
  // Mirrored upwards, the bars of the T's are at the bottom.
  Page up(font, TRANSPARENT, Transform::scale_offset(1, -1, 0, 100));
  up.dc.text_out(0, 0, "TTT");
  const PixelBox b = changed_box(up.surface, PAPER);
  auto row_ink = [&](int y) {
    return std::count(up.surface.row(y), up.surface.row(y) + 320, pixel_from_color(TEXT));
  };
  EXPECT_GT(row_ink(b.bottom - 1), 2 * row_ink(b.top));

  for (const FontDescription& f : upright_fonts()) {
    Page one(f, OPAQUE);
    Page two(f, OPAQUE, Transform::scale_offset(2, 2, 0, 0));
    two.dc.text_out(5, 40, "Twice as large");
    const TextExtent e1 = one.dc.text_extent("Twice as large");
    const TextExtent e2 = two.dc.text_extent("Twice as large");
    // Logical extents hardly change (hinting at twice the size rounds a little apart),
    // and the covered box is the cell at twice the size.
    EXPECT_EQ(e2.height, e1.height) << f.face_name;
    EXPECT_NEAR(e2.width, e1.width, e1.width / 10 + 1) << f.face_name;
    const PixelBox box = changed_box(two.surface, PAPER);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.top, 80);
    EXPECT_EQ(box.height(), 2 * e2.height);
    EXPECT_NEAR(box.width(), 2 * e2.width, 1);
  }
}

TEST(TextTest, EscapementOf900RunsUpwardsFromThePoint) {
  for (const FontDescription& upright : upright_fonts()) {
    FontDescription font = upright;
    font.escapement = 900;
    Page opaque(font, OPAQUE);
    opaque.dc.text_out(50, 180, "Upwards text");
    const TextExtent e = opaque.dc.text_extent("Upwards text");
    EXPECT_EQ(changed_box(opaque.surface, PAPER), (PixelBox{50, 180 - e.width, 50 + e.height, 180}))
        << font.face_name;
    Page clear(font, TRANSPARENT);
    clear.dc.text_out(50, 180, "Upwards text");
    const PixelBox ink = changed_box(clear.surface, PAPER);
    EXPECT_GT(ink.height(), 3 * ink.width()) << font.face_name;
  }
}

TEST(TextTest, TheWriteModePlaysNoPart) {
  for (const FontDescription& font : upright_fonts()) {
    for (const BackgroundMode mode : {OPAQUE, TRANSPARENT}) {
      Page copy(font, mode);
      copy.dc.text_out(12, 14, "Write mode");
      for (const int rop2 : {R2_XORPEN, R2_NOP, R2_BLACK, R2_NOT, R2_WHITE}) {
        Page page(font, mode);
        page.dc.set_write_mode(rop2);
        page.dc.text_out(12, 14, "Write mode");
        EXPECT_TRUE(same_pixels(page.surface, copy.surface)) << rop2;
      }
    }
  }
}

// ---- formatted text -------------------------------------------------------------------

TEST(TextTest, CalculatingTheRectangleMeasuresAndDrawsNothing) {
  Page page(default_font_description(), OPAQUE);
  const TextExtent line = page.dc.text_extent("a much longer line");
  const struct {
    const char* text;
    std::uint32_t format;
    int lines;
  } cases[] = {{"a much longer line", 0, 1},
               {"two\nlines", 0, 2},
               {"a much longer line\r\nand a third\nline", FORMAT_CENTER, 3},
               {"no\nbreaks", FORMAT_SINGLELINE, 1}};
  for (const auto& c : cases) {
    PixelBox rect{30, 20, 40, 25};
    EXPECT_EQ(page.dc.draw_text(c.text, rect, c.format | FORMAT_CALCRECT), c.lines * line.height)
        << c.text;
    EXPECT_EQ(rect, (PixelBox{30, 20, rect.right, 20 + c.lines * line.height})) << c.text;
    EXPECT_GT(rect.right, 40) << c.text;
  }
  EXPECT_EQ(testing::count_other(page.surface, PAPER), 0);
  PixelBox rect{0, 0, 500, 0};
  page.dc.draw_text("a much longer line", rect, FORMAT_CALCRECT);
  EXPECT_EQ(rect.right, line.width);
}

TEST(TextTest, AmpersandPrefixesInFormattedText) {
  for (const FontDescription& font : upright_fonts()) {
    Page plain(font, OPAQUE);
    plain.dc.text_out(15, 25, "R&D");
    const struct {
      const char* text;
      std::uint32_t format;
    } same_as_plain[] = {{"R&&D", 0}, {"R&D", FORMAT_NOPREFIX}};
    for (const auto& c : same_as_plain) {
      Page formatted(font, OPAQUE);
      PixelBox rect{15, 25, 300, 100};
      EXPECT_EQ(formatted.dc.draw_text(c.text, rect, c.format), plain.dc.text_extent("R&D").height);
      EXPECT_TRUE(same_pixels(formatted.surface, plain.surface)) << font.face_name << " " << c.text;
      rect = {0, 0, 300, 0};
      formatted.dc.draw_text(c.text, rect, c.format | FORMAT_CALCRECT);
      EXPECT_EQ(rect.right, plain.dc.text_extent("R&D").width);
    }
    if (font.underline) continue;  // the font's own underline hides the mark
    // "&x" underlines the x: the pictures differ below the x's advance alone.
    Page marked(font, TRANSPARENT);
    PixelBox rect{15, 25, 300, 100};
    marked.dc.draw_text("E&xit", rect, 0);
    Page unmarked(font, TRANSPARENT);
    unmarked.dc.text_out(15, 25, "Exit");
    int count = 0;
    for (int y = 0; y < 200; ++y) {
      for (int x = 0; x < 320; ++x) {
        if (marked.surface.at(x, y) == unmarked.surface.at(x, y)) continue;
        ++count;
        EXPECT_GE(x, 15 + unmarked.dc.text_extent("E").width) << font.face_name;
        EXPECT_LT(x, 15 + unmarked.dc.text_extent("Ex").width) << font.face_name;
      }
    }
    EXPECT_GT(count, 0) << font.face_name;
  }
}

TEST(TextTest, FormattedTextIsClippedToItsRectangleUnlessAskedNotTo) {
  const char* text = "Far too long for its small rectangle";
  for (const std::uint32_t no_clip : {0u, FORMAT_NOCLIP}) {
    Page page(describe("Arial", 20, 4), OPAQUE, Transform::scale_offset(1, 1, 10, 10));
    PixelBox rect{20, 30, 90, 45};
    page.dc.draw_text(text, rect, FORMAT_SINGLELINE | no_clip);
    const TextExtent e = page.dc.text_extent(text);
    const PixelBox expected =
        no_clip ? PixelBox{30, 40, 30 + e.width, 40 + e.height} : PixelBox{30, 40, 100, 55};
    EXPECT_EQ(changed_box(page.surface, PAPER), expected);
    // The clip region cuts it as well.
    const Region region = Region::rectangle({0, 0, 60, 200});
    page.dc.set_clip_region(&region);
    page.surface.fill(PAPER);
    page.dc.draw_text(text, rect, FORMAT_SINGLELINE | no_clip);
    EXPECT_EQ(changed_box(page.surface, PAPER),
              (PixelBox{30, 40, 60, no_clip ? 40 + e.height : 55}));
  }
}

// ---- characters, fonts and bad input ----------------------------------------------------

TEST(TextTest, ChineseTextDrawsTwoDifferentGlyphs) {
  Page page(describe("Arial", 24, 4), TRANSPARENT);
  page.dc.text_out(10, 10, CHINESE);
  const int w = page.dc.text_extent("\xE4\xB8\xAD").width;
  const TextExtent both = page.dc.text_extent(CHINESE);
  ASSERT_GT(w, 10);
  EXPECT_NEAR(both.width, 2 * w, 1);
  // Plenty of ink in each half, and different shapes (missing-glyph boxes would match).
  int ink[2] = {0, 0}, different = 0;
  for (int y = 10; y < 10 + both.height; ++y) {
    for (int x = 10; x < 10 + w; ++x) {
      ink[0] += page.surface.at(x, y) != PAPER;
      ink[1] += page.surface.at(x + w, y) != PAPER;
      different += page.surface.at(x, y) != page.surface.at(x + w, y);
    }
  }
  EXPECT_GT(ink[0], 40);
  EXPECT_GT(ink[1], 40);
  EXPECT_GT(different, 40);
}

TEST(TextTest, WithoutAFontOrWithAForeignOneNothingIsDrawn) {
  Surface surface = testing::filled(64, 32, PAPER);
  DeviceContext dc(&surface);
  EXPECT_EQ(dc.font(), nullptr);
  dc.text_out(0, 0, "invisible");
  PixelBox rect{5, 6, 50, 30};
  EXPECT_EQ(dc.draw_text("invisible", rect, 0), 0);
  EXPECT_EQ(dc.draw_text("invisible", rect, FORMAT_CALCRECT), 0);
  EXPECT_EQ(rect, (PixelBox{5, 6, 5, 6}));
  EXPECT_EQ(dc.text_extent("invisible").width, 0);
  EXPECT_EQ(dc.text_extent("invisible").height, 0);
  EXPECT_EQ(testing::count_other(surface, PAPER), 0);

  const auto mine = cache().font(default_font_description());
  dc.select_font(cache(), mine);
  EXPECT_GT(dc.text_extent("visible").width, 0);
  FontCache other;
  EXPECT_THROW(dc.select_font(cache(), other.font(default_font_description())),
               std::invalid_argument);
  EXPECT_EQ(dc.font(), mine);
  dc.select_font(cache(), nullptr);
  EXPECT_EQ(dc.text_extent("visible").width, 0);
}

TEST(TextTest, ExtremePositionsScalesAndTextsAreHarmless) {
  Page page(describe("Arial", 16, 4), OPAQUE, 64, 32);
  for (const std::int32_t v : {INT32_MIN, -70000, 70000, INT32_MAX}) {
    page.dc.text_out(v, 5, "edge");
    page.dc.text_out(5, v, "edge");
  }
  page.dc.text_out(0, 0, "");  // an empty text has an empty cell
  EXPECT_EQ(testing::count_other(page.surface, PAPER), 0);
  // Enormous scales draw enormous (size-limited) glyphs: they only need to end.
  for (const float s : {1e-9f, 0.0f, 1e30f, -1e30f, std::numeric_limits<float>::quiet_NaN()}) {
    page.dc.set_transform(Transform::scale_offset(s, s, 0, 0));
    page.dc.text_out(1, 1, "scale");
    PixelBox rect{0, 0, 10, 10};
    page.dc.draw_text("scale me", rect, FORMAT_WORDBREAK);
  }
  page.dc.set_transform(Transform::identity());
  page.surface.fill(PAPER);
  page.dc.text_out(-1000, 0, std::string(200000, 'W'));
  EXPECT_EQ(testing::count_other(page.surface, PAPER), 64 * page.dc.text_extent("W").height);
  page.dc.text_out(0, 0, std::string("bad \xFF\xC0\xE4\xB8 bytes\0 zero", 20));
}

// ---- the glyph painter ------------------------------------------------------------

// A run of the one glyph, its bitmap's top-left corner on the cell's.
GlyphRun run_of(const GlyphBitmap& bitmap) {
  GlyphRun run;
  run.glyphs.push_back({&bitmap, 0, 0, U'x', false});
  run.bounds_right = bitmap.width;
  run.bounds_bottom = bitmap.height;
  return run;
}

TEST(TextTest, GlyphsAreCutToTheVisiblePixels) {
  Surface s = testing::filled(16, 8, 0);
  const Region clip = Region::rectangle({0, 0, 12, 8});
  const Visibility visible(s.bounds(), &clip);
  // A one-bit glyph of two rows at (-2, 3): columns -2 and -1 lie off the surface,
  // 12 and beyond outside the clip.
  GlyphBitmap one_bit;
  one_bit.width = 16;
  one_bit.height = 2;
  one_bit.spans = {{0, 0, 2}, {0, 12, 16}, {1, 0, 1}, {1, 15, 16}};
  paint_glyph_run(s, visible, run_of(one_bit), {-2, 3}, {.text = 0xFF0000});
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) {
      bool set = false;
      for (const GlyphSpan& span : one_bit.spans)
        set = set || (y == 3 + span.y && x + 2 >= span.x_begin && x + 2 < span.x_end);
      EXPECT_EQ(s.at(x, y), set && x < 12 ? 0xFF0000u : 0u) << x << "," << y;
    }
  }
  // Antialiased: coverage 0 leaves a pixel, 255 replaces it; the last lies outside
  // the clip.
  s.fill(0x204060);
  GlyphBitmap smooth;
  smooth.width = 5;
  smooth.height = 1;
  smooth.antialiased = true;
  smooth.coverage = {0, 255, 128, 51, 200};
  paint_glyph_run(s, visible, run_of(smooth), {8, 0}, {.text = 0xFFFFFF});
  EXPECT_EQ(s.at(8, 0), 0x204060u);
  EXPECT_EQ(s.at(9, 0), 0xFFFFFFu);
  EXPECT_EQ(s.at(10, 0), 0x90A0B0u);  // halfway, rounded
  EXPECT_EQ(s.at(11, 0), 0x4D6680u);  // a fifth of the way
  EXPECT_EQ(testing::count_other(s, 0x204060), 3);
}

TEST(TextTest, CoverageBlendIsExactForEveryCoverageAndChannel) {
  // Row a, column d: the grey d blended by coverage a.
  Surface surface(256, 256);
  GlyphBitmap glyph;
  glyph.width = glyph.height = 256;
  glyph.antialiased = true;
  glyph.coverage.resize(256 * 256);
  for (std::size_t i = 0; i < glyph.coverage.size(); ++i)
    glyph.coverage[i] = static_cast<std::uint8_t>(i / 256);
  const GlyphRun run = run_of(glyph);
  const Visibility visible(surface.bounds(), nullptr);
  for (const Color color : {rgb(0, 0, 0), rgb(255, 255, 255), rgb(1, 128, 254), rgb(200, 7, 99)}) {
    for (std::uint32_t a = 0; a < 256; ++a) {
      for (std::uint32_t d = 0; d < 256; ++d)
        surface.at(static_cast<int>(d), static_cast<int>(a)) = 0x010101u * d;
    }
    const Pixel c = pixel_from_color(color);
    paint_glyph_run(surface, visible, run, {0, 0}, {.text = c});
    for (std::uint32_t a = 0; a < 256; ++a) {
      for (std::uint32_t d = 0; d < 256; ++d) {
        ASSERT_EQ(surface.at(static_cast<int>(d), static_cast<int>(a)),
                  blended(0x010101u * d, c, a))
            << "coverage " << a << " grey " << d;
      }
    }
  }
}

TEST(TextTest, SampleSheet) {
  Page page(default_font_description(), OPAQUE, 640, 300);
  DeviceContext& dc = page.dc;
  dc.text_out(10, 10, "System 16, opaque: y=sin(x)*x, 0123456789");
  dc.set_background_mode(TRANSPARENT);
  dc.set_text_color(rgb(255, 220, 0));
  dc.select_font(cache(), cache().font(describe("Arial", 20, 4)));
  dc.text_out(10, 34, "Arial 20 antialiased, transparent");
  dc.select_font(cache(), cache().font(describe("Arial", 24, 4)));
  dc.text_out(10, 60,
              "\xE4\xB8\xAD\xE6\x96\x87 "
              "\xE8\xAF\xB7\xE8\xBE\x93\xE5\x85\xA5\xE8\xA1\xA8\xE8\xBE\xBE\xE5\xBC\x8F");
  const Region ellipse = Region::ellipse({300, 90, 620, 150});
  dc.set_clip_region(&ellipse);
  dc.set_background_mode(OPAQUE);
  dc.text_out(300, 105, "Clipped by an ellipse region");
  dc.set_clip_region(nullptr);
  dc.select_font(cache(), cache().font(default_font_description()));
  dc.set_transform(Transform::scale_offset(2, 2, 10, 100));
  dc.text_out(0, 0, "Scale 2");
  dc.set_transform(Transform::scale_offset(1, -1, 10, 200));
  dc.text_out(0, 0, "y scale -1");
  dc.set_transform(Transform::identity());
  dc.select_font(cache(), cache().font(describe("Arial", 18, 4, 0, 900)));
  dc.text_out(600, 290, "Rotated by 900");
  dc.select_font(cache(), cache().font(describe("Arial", 18, 4, 0, 300, true)));
  dc.text_out(250, 290, "Thirty degrees, lines");
  dc.select_font(cache(), cache().font(describe("Arial", 16, 4)));
  PixelBox box{10, 215, 190, 290};
  dc.draw_text("Formatted text breaks at words inside its box; E&xit && go on.", box,
               FORMAT_WORDBREAK);
  const std::string path = testing::write_picture(page.surface, "text_samples");
  EXPECT_GT(testing::count_other(page.surface, PAPER), 5000) << path;
}

}  // namespace
}  // namespace korvi::raster
