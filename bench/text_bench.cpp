// Text through the device context on an 800 x 600 surface: output of a 16-character
// ASCII string, its extent, and selecting a font made before.

#include <benchmark/benchmark.h>

#include <string>

#include "korvi/raster/device_context.h"

namespace {

using namespace korvi::raster;

constexpr int WIDTH = 800;
constexpr int HEIGHT = 600;
constexpr const char* TEXT = "Plot of y=sin(x)";  // 16 characters
static_assert(std::char_traits<char>::length(TEXT) == 16);

FontDescription arial20_antialiased() {
  FontDescription d;
  d.height = 20;
  d.char_set = CHARSET_DEFAULT;
  d.quality = 4;
  set_face_name(d, "Arial");
  return d;
}

// Strings per second drawn at positions spread over the surface, in the given
// background mode, as the default drawing state draws them (light text on black).
void text_out(benchmark::State& state, const FontDescription& description, BackgroundMode mode) {
  FontCache cache;
  Surface surface(WIDTH, HEIGHT);
  DeviceContext dc(&surface);
  dc.select_font(cache, cache.font(description));
  dc.set_background_color(0x000000);
  dc.set_text_color(0xFCFCFC);
  dc.set_background_mode(mode);
  int i = 0;
  for (auto _ : state) {
    dc.text_out((i * 37) % 600, (i * 53) % 560, TEXT);
    ++i;
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(text_out, default_font_opaque, default_font_description(),
                  BackgroundMode::OPAQUE);
BENCHMARK_CAPTURE(text_out, default_font_transparent, default_font_description(),
                  BackgroundMode::TRANSPARENT);
BENCHMARK_CAPTURE(text_out, arial20_antialiased_opaque, arial20_antialiased(),
                  BackgroundMode::OPAQUE);
BENCHMARK_CAPTURE(text_out, arial20_antialiased_transparent, arial20_antialiased(),
                  BackgroundMode::TRANSPARENT);

void text_extent(benchmark::State& state) {
  FontCache cache;
  Surface surface(WIDTH, HEIGHT);
  DeviceContext dc(&surface);
  dc.select_font(cache, cache.font(default_font_description()));
  for (auto _ : state) {
    auto extent = dc.text_extent(TEXT);
    benchmark::DoNotOptimize(extent);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(text_extent);

// A program that sets its font before every string: the record was used before.
void select_font_used_before(benchmark::State& state) {
  FontCache cache;
  Surface surface(WIDTH, HEIGHT);
  DeviceContext dc(&surface);
  FontDescription descriptions[4] = {default_font_description(), arial20_antialiased(),
                                     arial20_antialiased(), default_font_description()};
  descriptions[2].weight = 700;
  descriptions[3].height = 24;
  for (const FontDescription& d : descriptions) dc.select_font(cache, cache.font(d));
  std::size_t i = 0;
  for (auto _ : state) {
    dc.select_font(cache, cache.font(descriptions[i++ & 3]));
    benchmark::DoNotOptimize(dc.font().get());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(select_font_used_before);

// Formatted text, word-broken into a box: the input box's prompt.
void draw_text_word_break(benchmark::State& state) {
  FontCache cache;
  Surface surface(WIDTH, HEIGHT);
  DeviceContext dc(&surface);
  dc.select_font(cache, cache.font(arial20_antialiased()));
  const std::string prompt =
      "Please enter the expression to plot, for example sin(x)*x, then press OK.";
  for (auto _ : state) {
    PixelBox rect{10, 10, 300, 200};
    benchmark::DoNotOptimize(dc.draw_text(prompt, rect, FORMAT_WORDBREAK));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(draw_text_word_break);

}  // namespace
