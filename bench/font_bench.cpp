// Speed of the font engine's hot paths: finding a font made before, measuring and
// producing the glyph run of a 16-character ASCII string.

#include <benchmark/benchmark.h>

#include "font/font_cache.h"

namespace {

using korvi::raster::FontCache;
using korvi::raster::FontDescription;
using korvi::raster::GlyphRun;

constexpr const char* TEXT = "Plot of y=sin(x)";  // 16 characters
static_assert(std::char_traits<char>::length(TEXT) == 16);

FontDescription arial20_antialiased() {
  FontDescription d;
  d.height = 20;
  d.char_set = korvi::raster::CHARSET_DEFAULT;
  d.quality = 4;
  korvi::raster::set_face_name(d, "Arial");
  return d;
}

void font_lookup(benchmark::State& state) {
  FontCache cache;
  FontDescription descriptions[8];
  for (int i = 0; i < 8; ++i) {
    descriptions[i] = arial20_antialiased();
    descriptions[i].height = 12 + i;
    cache.font(descriptions[i]);
  }
  std::size_t i = 0;
  for (auto _ : state) {
    auto font = cache.font(descriptions[i++ & 7]);
    benchmark::DoNotOptimize(font);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(font_lookup);

void text_extent(benchmark::State& state) {
  FontCache cache;
  auto font = cache.font(korvi::raster::default_font_description());
  for (auto _ : state) {
    auto extent = cache.text_extent(*font, TEXT);
    benchmark::DoNotOptimize(extent);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(text_extent);

void glyph_run(benchmark::State& state, const FontDescription& description) {
  FontCache cache;
  auto font = cache.font(description);
  GlyphRun run;
  for (auto _ : state) {
    cache.glyph_run(*font, TEXT, {}, run);
    benchmark::DoNotOptimize(run.glyphs.data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(glyph_run, default_font, korvi::raster::default_font_description());
BENCHMARK_CAPTURE(glyph_run, arial20_antialiased, arial20_antialiased());

}  // namespace
