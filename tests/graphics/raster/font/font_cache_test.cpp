// Properties of fonts, extents and glyph runs that hold whatever the installed
// faces look like (the setup installs Liberation, DejaVu and WenQuanYi Micro Hei).

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <thread>

#include "coverage_canvas.h"
#include "font/utf8.h"
#include "font_test_support.h"

namespace korvi::raster {
namespace {

using testing::CoverageCanvas;
using testing::describe;
using testing::shared_font_cache;

constexpr std::uint8_t ANTIALIASED = 4;

FontDescription arial20() { return describe("Arial", 20, ANTIALIASED); }

template <typename Change>
FontDescription changed(FontDescription d, Change change) {
  change(d);
  return d;
}

std::int32_t sum_of_advances(FontCache& cache, const Font& font, std::u32string_view text) {
  std::int32_t sum = 0;
  for (char32_t c : text) {
    std::string one;
    append_utf8(one, c);
    sum += cache.text_extent(font, one).width;
  }
  return sum;
}

CoverageCanvas picture_of(FontCache& cache, const Font& font, std::string_view text,
                          TextScale scale = {}, int x = 20, int y = 20, int cell_value = -1) {
  CoverageCanvas canvas(400, 200);
  canvas.draw(cache.glyph_run(font, text, scale), x, y, cell_value);
  return canvas;
}

// ---- making fonts -------------------------------------------------------------

TEST(FontCache, EqualDescriptionsGiveTheSameFont) {
  FontCache cache;
  const FontDescription d = default_font_description();
  auto first = cache.font(d);
  FontDescription same = d;
  same.face_name[25] = 'x';  // after the terminator: not part of the name
  EXPECT_EQ(cache.font(same), first);
  EXPECT_EQ(cache.font(d), first);
  EXPECT_NE(cache.font(changed(d, [](auto& f) { f.height = 17; })), first);
  EXPECT_EQ(cache.statistics().fonts, 2u);

  // The record reads back as given (normalised).
  EXPECT_EQ(std::memcmp(&first->description(), &d, sizeof d), 0);
}

TEST(FontCache, RejectsFontsOfAnotherCache) {
  FontCache mine;
  FontCache other;
  auto foreign = other.font(default_font_description());
  EXPECT_THROW(mine.text_extent(*foreign, "a"), std::invalid_argument);
  GlyphRun run;
  EXPECT_THROW(mine.glyph_run(*foreign, "a", {}, run), std::invalid_argument);
}

TEST(FontCache, DefaultFontIsABoldSixteenPixelCellOfAboutSevenPixelsAverageWidth) {
  auto font = shared_font_cache().font(default_font_description());
  EXPECT_EQ(font->metrics().cell_height, 16);
  EXPECT_EQ(font->metrics().ascent + font->metrics().descent, 16);
  EXPECT_GE(font->metrics().average_char_width, 6);
  EXPECT_LE(font->metrics().average_char_width, 8);
  EXPECT_TRUE(font->bold());
  EXPECT_FALSE(font->antialiased());
  EXPECT_EQ(font->family(), "Liberation Sans");
  EXPECT_EQ(shared_font_cache().font(describe("Arial", 14))->family(), "Liberation Sans");
}

TEST(FontCache, UnknownNamesStillGiveAFont) {
  auto font = shared_font_cache().font(describe("No Such Face Anywhere", 20));
  EXPECT_FALSE(font->family().empty());
  EXPECT_GT(shared_font_cache().text_extent(*font, "abc").width, 0);
}

TEST(FontCache, HeightSelectsCellOrCharacterHeight) {
  FontCache& cache = shared_font_cache();
  for (std::int32_t h : {1, 8, 13, 16, 20, 33, 100, 400}) {
    auto cell = cache.font(describe("Arial", h));
    EXPECT_EQ(cell->metrics().cell_height, h) << h;
    EXPECT_EQ(cache.text_extent(*cell, "x").height, h) << h;
    EXPECT_LE(cell->metrics().em_height, h) << h;

    auto em = cache.font(describe("Arial", -h));
    EXPECT_EQ(em->metrics().em_height, h) << h;
    EXPECT_GE(em->metrics().cell_height, h) << h;
  }
  EXPECT_EQ(cache.font(describe("Arial", 0))->metrics().cell_height, 16);
}

TEST(FontCache, ExtremeSizesAreBoundedAndDoNotFail) {
  FontCache& cache = shared_font_cache();
  for (std::int32_t h : {INT32_MIN, INT32_MIN + 1, -100000, 100000, INT32_MAX}) {
    for (std::int32_t w : {0, INT32_MIN, INT32_MAX}) {
      auto font = cache.font(changed(describe("Arial", h), [w](auto& d) { d.width = w; }));
      GlyphRun run = cache.glyph_run(*font, "W");
      ASSERT_EQ(run.glyphs.size(), 1u);
      EXPECT_LE(run.glyphs[0].bitmap->height, 4 * 2048) << h << " " << w;
      EXPECT_GT(cache.text_extent(*font, "W").height, 0);
    }
  }
  cache.clear_glyphs();  // do not keep megabytes of glyphs for the other tests
}

// ---- extents ------------------------------------------------------------------

TEST(FontCache, ExtentIsTheSumOfAdvancesAndTheCellHeight) {
  FontCache& cache = shared_font_cache();
  const FontDescription descriptions[] = {default_font_description(), arial20(),
                                          changed(arial20(), [](auto& d) { d.weight = 700; }),
                                          changed(arial20(), [](auto& d) { d.italic = 1; })};
  for (const FontDescription& d : descriptions) {
    auto font = cache.font(d);
    const std::u32string text = U"Hello, W\u00F6rld \u4E2D\u6587!";
    std::string bytes;
    for (char32_t c : text) append_utf8(bytes, c);
    const TextExtent extent = cache.text_extent(*font, bytes);
    EXPECT_EQ(extent.width, sum_of_advances(cache, *font, text));
    EXPECT_EQ(extent.height, font->metrics().cell_height);
    EXPECT_EQ(cache.text_extent(*font, "").width, 0);
    EXPECT_EQ(cache.text_extent(*font, "").height, font->metrics().cell_height);

    // Exactly what output covers: the cell of the run.
    GlyphRun run = cache.glyph_run(*font, bytes);
    EXPECT_TRUE(run.cell.axis_aligned);
    EXPECT_EQ(run.cell.left, 0);
    EXPECT_EQ(run.cell.top, 0);
    EXPECT_EQ(run.cell.right, extent.width);
    EXPECT_EQ(run.cell.bottom, extent.height);
  }
}

TEST(FontCache, OpaqueOutputFillsExactlyTheCell) {
  FontCache& cache = shared_font_cache();
  auto font = cache.font(default_font_description());
  // Cell painted 100, glyphs 255: every pixel of the cell is painted, nothing else.
  CoverageCanvas canvas = picture_of(cache, *font, "Opaque text", {}, 30, 40, 100);
  const TextExtent extent = cache.text_extent(*font, "Opaque text");
  const CoverageCanvas::Box box = canvas.ink_box(100);
  EXPECT_EQ(box.left, 30);
  EXPECT_EQ(box.top, 40);
  EXPECT_EQ(box.right, 30 + extent.width);
  EXPECT_EQ(box.bottom, 40 + extent.height);
  EXPECT_EQ(canvas.count_at_least(100), extent.width * extent.height);
}

TEST(FontCache, DescendersStayInsideTheCellAtEveryCellHeight) {
  // A label redrawn in opaque mode must cover all of the text it replaces: no
  // glyph may reach below its cell, whatever the rounding of the em size.
  FontCache& cache = shared_font_cache();
  for (const char* face : {"System", "Arial"}) {
    for (const std::uint8_t quality : {std::uint8_t{3}, ANTIALIASED}) {
      for (int height = 8; height <= 48; ++height) {
        auto font = cache.font(describe(face, height, quality));
        const GlyphRun run = cache.glyph_run(*font, "gjpqy|()_Q,;");
        for (const PlacedGlyph& glyph : run.glyphs)
          ASSERT_LE(glyph.y + glyph.bitmap->height, run.cell.bottom)
              << face << " " << height << " quality " << int{quality};
      }
    }
  }
}

TEST(FontCache, ExtentsScaleWithTheDeviceAndStayInLogicalUnits) {
  FontCache& cache = shared_font_cache();
  auto font = cache.font(arial20());
  const TextExtent unscaled = cache.text_extent(*font, "Scaled text");
  for (double s : {2.0, 3.0, -2.0}) {
    const TextExtent logical = cache.text_extent(*font, "Scaled text", {s, s});
    EXPECT_EQ(logical.height, unscaled.height) << s;
    EXPECT_NEAR(logical.width, unscaled.width, 0.1 * unscaled.width) << s;
    GlyphRun run = cache.glyph_run(*font, "Scaled text", {s, s});
    EXPECT_EQ(run.cell.bottom - run.cell.top, unscaled.height * std::abs(s)) << s;
    EXPECT_NEAR(run.cell.right - run.cell.left, logical.width * std::abs(s), std::abs(s)) << s;
  }
  // A degenerate scale draws nothing and measures as if unscaled.
  for (double bad : {0.0, 1e-9, std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity()}) {
    EXPECT_TRUE(cache.glyph_run(*font, "abc", {bad, 1}).glyphs.empty());
    EXPECT_TRUE(cache.glyph_run(*font, "abc", {1, bad}).cell.empty());
    EXPECT_EQ(cache.text_extent(*font, "Scaled text", {bad, bad}).width, unscaled.width);
  }
}

TEST(FontCache, WiderWidthGivesWiderText) {
  FontCache& cache = shared_font_cache();
  std::int32_t previous = 0;
  for (std::int32_t width : {3, 5, 7, 10, 16}) {
    for (const FontDescription& base : {default_font_description(), arial20()}) {
      auto font = cache.font(changed(base, [width](auto& d) { d.width = width; }));
      EXPECT_EQ(font->metrics().average_char_width, width);
      EXPECT_EQ(font->metrics().cell_height, base.height);  // the height does not change
    }
    auto font = cache.font(changed(arial20(), [width](auto& d) { d.width = width; }));
    const std::int32_t text_width = cache.text_extent(*font, "stretch me").width;
    EXPECT_GT(text_width, previous) << width;
    previous = text_width;
  }
  // A negative width means the same as its magnitude.
  EXPECT_EQ(cache.text_extent(*cache.font(changed(arial20(), [](auto& d) { d.width = -10; })), "ab")
                .width,
            cache.text_extent(*cache.font(changed(arial20(), [](auto& d) { d.width = 10; })), "ab")
                .width);
}

// ---- styles -------------------------------------------------------------------

TEST(FontCache, BoldIsWiderOrDarker) {
  FontCache& cache = shared_font_cache();
  // Liberation has a bold face; WenQuanYi Micro Hei has none, so bold is made up.
  for (const char* face : {"Arial", "WenQuanYi Micro Hei"}) {
    for (std::uint8_t quality : {std::uint8_t{3}, ANTIALIASED}) {
      auto regular = cache.font(describe(face, 20, quality));
      auto bold = cache.font(changed(describe(face, 20, quality), [](auto& d) { d.weight = 700; }));
      const char* text = "Bold text \xE4\xB8\xAD";
      const bool wider =
          cache.text_extent(*bold, text).width > cache.text_extent(*regular, text).width;
      const bool darker =
          picture_of(cache, *bold, text).total() > picture_of(cache, *regular, text).total();
      EXPECT_TRUE(wider || darker) << face << " quality " << int(quality);
    }
  }
  EXPECT_FALSE(cache.font(changed(arial20(), [](auto& d) { d.weight = 599; }))->bold());
  EXPECT_TRUE(cache.font(changed(arial20(), [](auto& d) { d.weight = 600; }))->bold());
}

TEST(FontCache, ItalicLeansWithoutChangingAdvancesWhenSynthesised) {
  FontCache& cache = shared_font_cache();
  auto upright = cache.font(describe("WenQuanYi Micro Hei", 30, ANTIALIASED));
  auto italic = cache.font(
      changed(describe("WenQuanYi Micro Hei", 30, ANTIALIASED), [](auto& d) { d.italic = 1; }));
  EXPECT_EQ(cache.text_extent(*italic, "lll").width, cache.text_extent(*upright, "lll").width);
  // The top of an "l" moves right, its foot stays.
  const CoverageCanvas a = picture_of(cache, *upright, "l");
  const CoverageCanvas b = picture_of(cache, *italic, "l");
  auto row_ink_left = [](const CoverageCanvas& c, int y) {
    for (int x = 0; x < c.width(); ++x)
      if (c.at(x, y) >= 128) return x;
    return -1;
  };
  const CoverageCanvas::Box box = a.ink_box();
  const int top_row = box.top + 1;
  const int foot_row = box.bottom - 1;
  EXPECT_GT(row_ink_left(b, top_row) - row_ink_left(a, top_row), 2);
  EXPECT_LE(std::abs(row_ink_left(b, foot_row) - row_ink_left(a, foot_row)), 1);
}

TEST(FontCache, QualityThreeGivesOneBitGlyphsAndOthersCoverage) {
  FontCache& cache = shared_font_cache();
  for (std::uint8_t quality = 0; quality <= 6; ++quality) {
    auto font = cache.font(describe("Arial", 20, quality));
    GlyphRun run = cache.glyph_run(*font, "Ag");
    ASSERT_EQ(run.glyphs.size(), 2u);
    for (const PlacedGlyph& g : run.glyphs) {
      EXPECT_EQ(g.bitmap->antialiased, quality != 3);
      EXPECT_EQ(g.bitmap->spans.empty(), quality != 3);
      EXPECT_EQ(g.bitmap->coverage.empty(), quality == 3);
    }
    if (quality != 3) {
      // Antialiased glyphs have partly covered pixels.
      const GlyphBitmap& a = *run.glyphs[0].bitmap;
      EXPECT_TRUE(std::any_of(a.coverage.begin(), a.coverage.end(),
                              [](std::uint8_t c) { return c > 0 && c < 255; }));
    }
  }
}

TEST(FontCache, MonoSpansAreSortedDisjointAndInsideTheBitmap) {
  FontCache& cache = shared_font_cache();
  auto font = cache.font(default_font_description());
  GlyphRun run = cache.glyph_run(*font, "AaBbWw%@&\xE4\xB8\xAD");
  for (const PlacedGlyph& g : run.glyphs) {
    const GlyphBitmap& b = *g.bitmap;
    for (std::size_t i = 0; i < b.spans.size(); ++i) {
      const GlyphSpan& s = b.spans[i];
      EXPECT_GE(s.y, 0);
      EXPECT_LT(s.y, b.height);
      EXPECT_GE(s.x_begin, 0);
      EXPECT_LT(s.x_begin, s.x_end);
      EXPECT_LE(s.x_end, b.width);
      if (i > 0) {
        const GlyphSpan& p = b.spans[i - 1];
        EXPECT_TRUE(p.y < s.y || (p.y == s.y && p.x_end < s.x_begin));
      }
    }
  }
}

TEST(FontCache, UnderlineAndStrikeOutLieInTheCellAcrossTheText) {
  FontCache& cache = shared_font_cache();
  for (const FontDescription& base :
       {default_font_description(), arial20(), describe("Arial", 60, 4)}) {
    auto font = cache.font(changed(base, [](auto& d) { d.underline = d.strike_out = 1; }));
    GlyphRun run = cache.glyph_run(*font, "Struck");
    ASSERT_TRUE(run.has_underline);
    ASSERT_TRUE(run.has_strike_out);
    const std::int32_t ascent = font->metrics().ascent;
    for (const TextQuad* q : {&run.underline, &run.strike_out}) {
      EXPECT_TRUE(q->axis_aligned);
      EXPECT_EQ(q->left, 0);
      EXPECT_EQ(q->right, run.cell.right);
      EXPECT_GE(q->top, 0);
      EXPECT_LE(q->bottom, run.cell.bottom);
      EXPECT_GE(q->bottom - q->top, 1);
    }
    EXPECT_GE(run.underline.top, ascent);      // below the baseline
    EXPECT_LT(run.strike_out.bottom, ascent);  // above it
  }
  GlyphRun plain = cache.glyph_run(*cache.font(arial20()), "Plain");
  EXPECT_FALSE(plain.has_underline || plain.has_strike_out || plain.has_mark);
}

TEST(FontCache, MarkedRangeUnderlinesExactlyItsCharacters) {
  FontCache& cache = shared_font_cache();
  auto font = cache.font(arial20());
  GlyphRun run;
  cache.glyph_run(*font, "File", {}, run, MarkedRange{1, 2});  // the "i"
  ASSERT_TRUE(run.has_mark);
  EXPECT_EQ(run.mark.left, cache.text_extent(*font, "F").width);
  EXPECT_EQ(run.mark.right, cache.text_extent(*font, "Fi").width);
  cache.glyph_run(*font, "\xE4\xB8\xAD\xE6\x96\x87", {}, run, MarkedRange{3, 6});
  ASSERT_TRUE(run.has_mark);
  EXPECT_EQ(run.mark.left, cache.text_extent(*font, "\xE4\xB8\xAD").width);
}

// ---- orientation --------------------------------------------------------------

struct Direction {
  std::int32_t escapement;
  int dx;  // sign of the movement of successive glyphs
  int dy;
};

TEST(FontCache, EscapementTurnsTheRunCounterClockwise) {
  FontCache& cache = shared_font_cache();
  const Direction directions[] = {{0, 1, 0},    {900, 0, -1},  {1800, -1, 0}, {2700, 0, 1},
                                  {-900, 0, 1}, {4500, 0, -1}, {450, 1, -1}};
  for (const Direction& dir : directions) {
    for (const FontDescription& base : {default_font_description(), arial20()}) {
      auto font = cache.font(changed(base, [&](auto& d) { d.escapement = dir.escapement; }));
      const TextExtent extent = cache.text_extent(*font, "IIIIIIII");
      GlyphRun run = cache.glyph_run(*font, "IIIIIIII");
      ASSERT_EQ(run.glyphs.size(), 8u);
      const PlacedGlyph& first = run.glyphs.front();
      const PlacedGlyph& last = run.glyphs.back();
      const int dx = (last.x > first.x + 2) - (last.x < first.x - 2);
      const int dy = (last.y > first.y + 2) - (last.y < first.y - 2);
      EXPECT_EQ(dx, dir.dx) << dir.escapement;
      EXPECT_EQ(dy, dir.dy) << dir.escapement;

      // The cell keeps its size, turned: a box for quarter turns.
      const bool quarter = dir.escapement % 900 == 0;
      EXPECT_EQ(run.cell.axis_aligned, quarter) << dir.escapement;
      if (quarter) {
        const bool upright = dir.dy == 0;
        EXPECT_EQ(run.cell.right - run.cell.left, upright ? extent.width : extent.height);
        EXPECT_EQ(run.cell.bottom - run.cell.top, upright ? extent.height : extent.width);
      }
      // The cell is anchored at its top-left corner: one corner at the origin.
      EXPECT_EQ(run.cell.corners[0].x, 0);
      EXPECT_EQ(run.cell.corners[0].y, 0);
    }
  }
}

TEST(FontCache, TextTurnedByNinetyDegreesRunsUpwards) {
  FontCache& cache = shared_font_cache();
  auto up = cache.font(changed(arial20(), [](auto& d) { d.escapement = 900; }));
  CoverageCanvas canvas = picture_of(cache, *up, "Upwards text", {}, 50, 190);
  const CoverageCanvas::Box box = canvas.ink_box();
  EXPECT_GT(box.bottom - box.top, 3 * (box.right - box.left));
  EXPECT_LE(box.bottom, 190);  // everything above the starting point
  EXPECT_GE(box.left, 50);     // the cell lies right of it (its top edge)
  EXPECT_LE(box.right, 50 + up->metrics().cell_height);
}

TEST(FontCache, NegativeScalesMirror) {
  FontCache& cache = shared_font_cache();
  auto font = cache.font(arial20());
  const CoverageCanvas plain = picture_of(cache, *font, "Mirror F", {}, 20, 20);
  const CoverageCanvas x_mirror = picture_of(cache, *font, "Mirror F", {-1, 1}, 380, 20);
  const CoverageCanvas y_mirror = picture_of(cache, *font, "Mirror F", {1, -1}, 20, 180);
  // Mirrored about the vertical line x = 199.5 and the horizontal line y = 99.5.
  int x_mismatch = 0, y_mismatch = 0;
  for (int y = 0; y < plain.height(); ++y) {
    for (int x = 0; x < plain.width(); ++x) {
      x_mismatch += std::abs(plain.at(x, y) - x_mirror.at(plain.width() - 1 - x, y)) > 64;
      y_mismatch += std::abs(plain.at(x, y) - y_mirror.at(x, plain.height() - 1 - y)) > 64;
    }
  }
  // Hinting may differ by a pixel here and there between the two directions.
  const int ink = plain.count_at_least(128);
  EXPECT_LT(x_mismatch, ink / 10);
  EXPECT_LT(y_mismatch, ink / 10);
  EXPECT_GT(ink, 100);
}

// ---- characters ---------------------------------------------------------------

TEST(FontCache, ChineseTextGetsRealGlyphsFromAFallbackFace) {
  FontCache& cache = shared_font_cache();
  for (const FontDescription& d : {default_font_description(), arial20()}) {
    auto font = cache.font(d);
    GlyphRun run = cache.glyph_run(*font, "\xE4\xB8\xAD\xE6\x96\x87\xE8\xBE\x93\xE5\x85\xA5");
    ASSERT_EQ(run.glyphs.size(), 4u);
    for (const PlacedGlyph& g : run.glyphs) {
      EXPECT_FALSE(g.missing) << static_cast<unsigned>(g.code_point);
      EXPECT_FALSE(g.bitmap->empty());
    }
    // Four different characters, four different shapes.
    for (std::size_t i = 1; i < 4; ++i) EXPECT_NE(run.glyphs[i].bitmap, run.glyphs[0].bitmap);
    // A character no installed face has is drawn as the missing-glyph shape.
    GlyphRun unknown = cache.glyph_run(*font, "\xF4\x8F\xBF\xBD");  // U+10FFFD
    ASSERT_EQ(unknown.glyphs.size(), 1u);
    EXPECT_TRUE(unknown.glyphs[0].missing);
  }
}

TEST(FontCache, InvalidUtf8DrawsReplacementsAndTheStringGoesOn) {
  FontCache& cache = shared_font_cache();
  auto font = cache.font(default_font_description());
  GlyphRun run = cache.glyph_run(*font, "ab\xFF\xC0z\xE4\xB8");
  std::u32string seen;
  for (const PlacedGlyph& g : run.glyphs) seen.push_back(g.code_point);
  EXPECT_EQ(seen, (std::u32string{U'a', U'b', REPLACEMENT_CHARACTER, REPLACEMENT_CHARACTER, U'z',
                                  REPLACEMENT_CHARACTER}));
  EXPECT_FALSE(run.glyphs[2].missing);  // some installed face has U+FFFD
  EXPECT_GT(cache.text_extent(*font, "ab\xFF\xC0z\xE4\xB8").width,
            cache.text_extent(*font, "abz").width);
}

// ---- caching ------------------------------------------------------------------

TEST(FontCache, SameStringDrawsIdenticallyEveryTime) {
  FontCache cache;
  for (const FontDescription& d : {default_font_description(), arial20(),
                                   changed(arial20(), [](auto& f) { f.escapement = 300; })}) {
    auto font = cache.font(d);
    const CoverageCanvas first = picture_of(cache, *font, "Same \xE4\xB8\xAD text");
    EXPECT_EQ(picture_of(cache, *font, "Same \xE4\xB8\xAD text"), first);
    cache.clear_glyphs();
    EXPECT_EQ(cache.statistics().strikes, 0u);
    EXPECT_EQ(picture_of(cache, *font, "Same \xE4\xB8\xAD text"), first);
  }
  // Fonts that differ only in their decorations share their glyphs.
  cache.clear_glyphs();
  cache.glyph_run(*cache.font(arial20()), "x");
  cache.glyph_run(*cache.font(changed(arial20(), [](auto& f) { f.underline = 1; })), "x");
  EXPECT_EQ(cache.statistics().strikes, 1u);
}

TEST(FontCache, CachesOnSeparateThreadsDrawAlike) {
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
  GTEST_SKIP() << "a web build without threads";
#endif
  // One cache per thread, no shared state: both draw the same pictures.
  CoverageCanvas pictures[2] = {CoverageCanvas(400, 200), CoverageCanvas(400, 200)};
  auto draw = [](CoverageCanvas& canvas) {
    FontCache cache;
    auto font = cache.font(arial20());
    for (int i = 0; i < 20; ++i)
      canvas.draw(cache.glyph_run(*font, "Threads \xE4\xB8\xAD"), 10, 10 + 8 * i);
  };
  std::thread other(draw, std::ref(pictures[1]));
  draw(pictures[0]);
  other.join();
  EXPECT_EQ(pictures[0], pictures[1]);
  EXPECT_GT(pictures[0].count_at_least(128), 100);
}

}  // namespace
}  // namespace korvi::raster
