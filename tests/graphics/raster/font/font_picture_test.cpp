// Renders a sheet of sample texts for a person to look at, and checks what does not
// depend on the installed faces' exact shapes.

#include <gtest/gtest.h>

#include "coverage_canvas.h"
#include "font/text_layout.h"
#include "font_test_support.h"

namespace korvi::raster {
namespace {

using testing::CoverageCanvas;
using testing::describe;
using testing::shared_font_cache;

TEST(FontPicture, SampleSheet) {
  FontCache& cache = shared_font_cache();
  CoverageCanvas canvas(640, 400);

  struct Sample {
    FontDescription description;
    const char* text;
    int x, y;
    TextScale scale;
    int cell_value;
  };
  auto with = [](FontDescription d, auto change) {
    change(d);
    return d;
  };
  const FontDescription system = default_font_description();
  const FontDescription arial20 = describe("Arial", 20, 4);
  const Sample samples[] = {
      {system, "System 16: The quick brown fox 0123456789", 10, 10, {}, -1},
      {arial20, "Arial 20 antialiased: Hamburgefonts", 10, 34, {}, -1},
      {with(arial20, [](auto& d) { d.weight = 700; }), "Arial 20 bold", 10, 60, {}, -1},
      {with(arial20, [](auto& d) { d.italic = 1; }), "Arial 20 italic", 200, 60, {}, -1},
      {with(arial20,
            [](auto& d) {
              d.underline = 1;
              d.strike_out = 1;
            }),
       "underline strike",
       380,
       60,
       {},
       -1},
      {with(system, [](auto& d) { d.width = 12; }), "System stretched", 10, 90, {}, -1},
      {with(system, [](auto& d) { d.width = 4; }), "System narrowed", 260, 90, {}, -1},
      {describe("Arial", 24, 4),
       "\xE4\xB8\xAD\xE6\x96\x87 Chinese \xE8\xAF\xB7\xE8\xBE\x93\xE5\x85\xA5",
       10,
       116,
       {},
       -1},
      {system, "opaque cell", 10, 150, {}, 60},
      {system, "bad \xFF\xC0 bytes \xE4\xB8 go on", 200, 150, {}, -1},
      {with(arial20, [](auto& d) { d.escapement = 900; }), "Up 900", 40, 390, {}, -1},
      {with(arial20, [](auto& d) { d.escapement = 450; }), "Diagonal 450", 80, 380, {}, 40},
      {with(system, [](auto& d) { d.escapement = 2700; }), "Down 2700", 250, 190, {}, -1},
      {arial20, "mirrored in x", 600, 200, {-1, 1}, -1},
      {arial20, "upside down", 300, 300, {1, -1}, -1},
      {system, "scaled by two", 300, 320, {2, 2}, -1},
  };
  for (const Sample& s : samples) {
    auto font = cache.font(s.description);
    GlyphRun run = cache.glyph_run(*font, s.text, s.scale);
    canvas.draw(run, s.x, s.y, s.cell_value);
  }
  const std::string path = testing::picture_path("font_samples.png");
  EXPECT_TRUE(canvas.write_png(path)) << path;
  EXPECT_GT(canvas.count_at_least(128), 2000);
}

TEST(FontPicture, FormattedTextSheet) {
  FontCache& cache = shared_font_cache();
  auto font = cache.font(describe("Arial", 14, 4));
  const FontMeasurer measurer(cache, *font);
  CoverageCanvas canvas(560, 240);
  struct Sample {
    const char* text;
    TextRect rect;
    std::uint32_t format;
  };
  const Sample samples[] = {
      {"Please enter the expression to plot, for example sin(x)*x, then press &OK.",
       {10, 10, 277, 100},
       FORMAT_WORDBREAK},
      {"Centred\nlines of\ndifferent width", {290, 10, 550, 100}, FORMAT_CENTER},
      {"Name:\tvalue\nLonger name:\tvalue", {10, 110, 277, 160}, FORMAT_EXPANDTABS},
      {"A line much too long for its box gets an ellipsis",
       {290, 110, 500, 130},
       FORMAT_SINGLELINE | FORMAT_END_ELLIPSIS},
      {"Bottom right, E&xit && more",
       {290, 140, 550, 230},
       FORMAT_SINGLELINE | FORMAT_BOTTOM | FORMAT_RIGHT},
      {"\xE8\xAF\xB7\xE8\xBE\x93\xE5\x85\xA5\xE8\xA1\xA8\xE8\xBE\xBE\xE5\xBC\x8F\xEF\xBC\x9A"
       "\xE8\xBF\x99\xE6\x98\xAF\xE4\xB8\x80\xE4\xB8\xAA\xE5\xBE\x88\xE9\x95\xBF\xE7\x9A\x84"
       "\xE6\x8F\x90\xE7\xA4\xBA",
       {10, 170, 150, 235},
       FORMAT_WORDBREAK},
  };
  GlyphRun run;
  for (const Sample& s : samples) {
    canvas.frame(s.rect.left - 1, s.rect.top - 1, s.rect.right + 1, s.rect.bottom + 1, 50);
    const TextLayout layout = layout_text(s.text, s.rect, s.format, measurer);
    for (const TextPiece& piece : layout.pieces) {
      cache.glyph_run(*font, piece.text, {}, run, piece.mark);
      canvas.draw(run, piece.x, piece.y);
    }
  }
  const std::string path = testing::picture_path("font_layout.png");
  EXPECT_TRUE(canvas.write_png(path)) << path;
  EXPECT_GT(canvas.count_at_least(128), 1000);
}

}  // namespace
}  // namespace korvi::raster
