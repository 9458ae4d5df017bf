// The input box's edit field with texts of growing size: one keystroke (a
// character typed, then erased) in a single-line and in a wrapped multi-line
// field, and painting the field. Edits grow with the text's length (it is laid
// out again); painting draws only what shows and should not.

#include <benchmark/benchmark.h>

#include <string>

#include "font/font_cache.h"
#include "input_box/edit_field.h"
#include "korvi/raster/device_context.h"

namespace {

using namespace korvi;
using korvi::dialog::EditField;
using korvi::dialog::EditKey;

constexpr raster::PixelBox FIELD{9, 65, 348, 300};  // a tall box's edit field

raster::FontDescription box_font() {
  raster::FontDescription d;
  d.height = 14;
  d.char_set = raster::CHARSET_DEFAULT;
  raster::set_face_name(d, "Arial");
  return d;
}

// Words and, every few words, a line break (multi-line) or a space (single-line).
std::string sample_text(std::size_t bytes, bool multi_line) {
  const std::string words[] = {"lorem ", "ipsum ", "dolor ", "sit ", "amet, ", "中文 "};
  std::string text;
  for (std::size_t i = 0; text.size() < bytes; ++i) {
    text += words[i % 6];
    if (i % 11 == 10) text += multi_line ? "\n" : " ";
  }
  return text;
}

struct Fixture {
  raster::FontCache cache;
  std::shared_ptr<const raster::Font> font = cache.font(box_font());
  raster::FontMeasurer measurer{cache, *font};
};

void keystroke(benchmark::State& state, bool multi_line) {
  Fixture fixture;
  const auto size = static_cast<std::size_t>(state.range(0));
  EditField field(FIELD, 2 * size, multi_line, fixture.measurer);
  field.set_text(sample_text(size, multi_line));
  field.key(EditKey::HOME, false, true);
  for (int i = 0; i < 1000; ++i) field.key(EditKey::RIGHT, false, false);
  for (auto _ : state) {
    field.type("x");
    field.key(EditKey::BACKSPACE, false, false);
  }
  state.SetItemsProcessed(2 * state.iterations());
  state.SetBytesProcessed(2 * state.iterations() * static_cast<std::int64_t>(size));
}

void keystroke_single_line(benchmark::State& state) { keystroke(state, false); }
void keystroke_multi_line(benchmark::State& state) { keystroke(state, true); }

// The whole field with the caret at the end of the text (the view scrolled there).
void paint(benchmark::State& state, bool multi_line) {
  Fixture fixture;
  const auto size = static_cast<std::size_t>(state.range(0));
  EditField field(FIELD, size, multi_line, fixture.measurer);
  field.set_text(sample_text(size, multi_line));
  raster::Surface surface(357, 320);
  raster::DeviceContext dc(&surface);
  dc.select_font(fixture.cache, fixture.font);
  for (auto _ : state) field.paint(dc, true);
  state.SetItemsProcessed(state.iterations());
}

void paint_single_line(benchmark::State& state) { paint(state, false); }
void paint_multi_line(benchmark::State& state) { paint(state, true); }

BENCHMARK(keystroke_single_line)
    ->RangeMultiplier(16)
    ->Range(1 << 10, 1 << 20)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(keystroke_multi_line)
    ->RangeMultiplier(16)
    ->Range(1 << 10, 1 << 20)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(paint_single_line)
    ->RangeMultiplier(16)
    ->Range(1 << 10, 1 << 20)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(paint_multi_line)
    ->RangeMultiplier(16)
    ->Range(1 << 10, 1 << 20)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
