// Raster core throughput on an 800 x 600 surface, fixed seeds. The memset and memcpy
// cases are the physical limits the clear and the copy transfer are measured against.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <random>
#include <vector>

#include "korvi/raster/device_context.h"
#include "workloads.h"

namespace {

using namespace korvi::raster;

using korvi::bench::HEIGHT;
using korvi::bench::WIDTH;
constexpr std::size_t BYTES = std::size_t{WIDTH} * HEIGHT * sizeof(Pixel);

void BM_Memset(benchmark::State& state) {
  Surface surface(WIDTH, HEIGHT);
  int value = 0;
  for (auto _ : state) {
    std::memset(surface.pixels(), value++ & 0xFF, BYTES);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BYTES));
}
BENCHMARK(BM_Memset);

void BM_ClearWithFillRect(benchmark::State& state) {
  Surface surface(WIDTH, HEIGHT);
  DeviceContext dc(&surface);
  Color c = 0;
  for (auto _ : state) {
    dc.fill_rect({0, 0, WIDTH, HEIGHT}, Brush::solid(c++));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BYTES));
}
BENCHMARK(BM_ClearWithFillRect);

void BM_Memcpy(benchmark::State& state) {
  Surface from(WIDTH, HEIGHT);
  Surface to(WIDTH, HEIGHT);
  for (auto _ : state) {
    std::memcpy(to.pixels(), from.pixels(), BYTES);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BYTES));
}
BENCHMARK(BM_Memcpy);

// A full-surface transfer with the copy code, then with exclusive-or.
void BM_Blit(benchmark::State& state) {
  Surface from(WIDTH, HEIGHT);
  Surface to(WIDTH, HEIGHT);
  DeviceContext src(&from);
  DeviceContext dst(&to);
  const auto rop = static_cast<std::uint32_t>(state.range(0));
  for (auto _ : state) {
    dst.bit_blt(0, 0, WIDTH, HEIGHT, &src, 0, 0, rop);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BYTES));
}
BENCHMARK(BM_Blit)->Arg(SRCCOPY)->Arg(SRCINVERT);

using korvi::bench::random_centres;
using korvi::bench::random_lines;
using korvi::bench::Segment;

// Random 1..200-pixel lines with the pen.
void draw_random_lines(benchmark::State& state, const Pen& pen) {
  Surface surface(WIDTH, HEIGHT);
  DeviceContext dc(&surface);
  dc.select_pen(pen);
  const auto lines = random_lines(4096);
  std::size_t i = 0;
  for (auto _ : state) {
    const Segment& s = lines[i++ & 4095];
    dc.move_to(s.x1, s.y1);
    dc.line_to(s.x2, s.y2);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_ThinLines(benchmark::State& state) {
  draw_random_lines(state, Pen::cosmetic(DashKind::SOLID, 0x00FF00));
}
BENCHMARK(BM_ThinLines);

void BM_DashedLines(benchmark::State& state) {
  draw_random_lines(state, Pen::cosmetic(DashKind::DASH_DOT, 0x00FF00));
}
BENCHMARK(BM_DashedLines);

void BM_WideLines(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  draw_random_lines(state, *Pen::geometric(PEN_CAP_ROUND | PEN_JOIN_ROUND, width, 0x00FF00));
}
BENCHMARK(BM_WideLines)->Arg(3)->Arg(10);

// Filled and outlined circles of radius 20 at random places.
void draw_random_circles(benchmark::State& state, DeviceContext& dc) {
  const auto centres = random_centres(4096, 20);
  std::size_t i = 0;
  for (auto _ : state) {
    const auto c = centres[i++ & 4095];
    dc.ellipse(c.x - 20, c.y - 20, c.x + 20, c.y + 20);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_FilledCircles(benchmark::State& state) {
  Surface surface(WIDTH, HEIGHT);
  DeviceContext dc(&surface);
  dc.select_pen(Pen::cosmetic(DashKind::SOLID, 0xFFFFFF));
  dc.select_brush(Brush::solid(0x3366CC));
  draw_random_circles(state, dc);
}
BENCHMARK(BM_FilledCircles);

void BM_PatternFillFullSurface(benchmark::State& state) {
  Surface surface(WIDTH, HEIGHT);
  DeviceContext dc(&surface);
  const Brush brush = Brush::pattern({0x80, 0, 0x08, 0, 0x80, 0, 0x08, 0});
  for (auto _ : state) {
    dc.fill_rect({0, 0, WIDTH, HEIGHT}, brush);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BYTES));
}
BENCHMARK(BM_PatternFillFullSurface);

void BM_CircleClippedByEllipseRegion(benchmark::State& state) {
  Surface surface(WIDTH, HEIGHT);
  DeviceContext dc(&surface);
  const Region clip = Region::ellipse({0, 0, WIDTH, HEIGHT});
  dc.set_clip_region(&clip);
  draw_random_circles(state, dc);
}
BENCHMARK(BM_CircleClippedByEllipseRegion);

void BM_Polygons20(benchmark::State& state) {
  Surface surface(WIDTH, HEIGHT);
  DeviceContext dc(&surface);
  dc.select_pen(Pen::null());
  dc.select_brush(Brush::solid(0xCC8844));
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> origin_x(0, WIDTH - 200);
  std::uniform_int_distribution<int> origin_y(0, HEIGHT - 200);
  std::uniform_int_distribution<int> offset(0, 199);
  std::vector<std::vector<Point>> polygons(512);
  for (auto& poly : polygons) {
    const int ox = origin_x(rng);
    const int oy = origin_y(rng);
    for (int k = 0; k < 20; ++k) poly.push_back({ox + offset(rng), oy + offset(rng)});
  }
  std::size_t i = 0;
  for (auto _ : state) dc.polygon(polygons[i++ & 511]);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_Polygons20);

}  // namespace
