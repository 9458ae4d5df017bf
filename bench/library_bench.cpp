// The drawing API on an 800 x 600 image through the public free functions, against
// the same work done by memset, memcpy and the raster core (raster_bench).
#include <benchmark/benchmark.h>
#include <korvi/graphics.h>

#include <cstring>
#include <vector>

#include "workloads.h"

namespace {

using namespace korvi;
using korvi::bench::HEIGHT;
using korvi::bench::WIDTH;

constexpr std::size_t BYTES = std::size_t{WIDTH} * HEIGHT * 4;

void BM_MemsetSameBytes(benchmark::State& state) {
  std::vector<std::uint32_t> pixels(std::size_t{WIDTH} * HEIGHT);
  int value = 0;
  for (auto _ : state) {
    std::memset(pixels.data(), value++ & 0xFF, BYTES);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BYTES));
}
BENCHMARK(BM_MemsetSameBytes);

void BM_ClearDevice(benchmark::State& state) {
  Image image(WIDTH, HEIGHT);
  set_working_image(&image);
  Color color = 0;
  for (auto _ : state) {
    set_bk_color(color++);
    clear_device();
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BYTES));
}
BENCHMARK(BM_ClearDevice);

void BM_DrawLine(benchmark::State& state) {
  Image image(WIDTH, HEIGHT);
  set_working_image(&image);
  set_line_color(0x00FF00);
  const auto lines = korvi::bench::random_lines(4096);
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& s = lines[i++ & 4095];
    draw_line(s.x1, s.y1, s.x2, s.y2);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_DrawLine);

void BM_MemcpySameBytes(benchmark::State& state) {
  std::vector<std::uint32_t> from(std::size_t{WIDTH} * HEIGHT, 1), to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), BYTES);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BYTES));
}
BENCHMARK(BM_MemcpySameBytes);

void BM_PutImage(benchmark::State& state) {
  Image target(WIDTH, HEIGHT), source(WIDTH, HEIGHT);
  set_working_image(&target);
  for (auto _ : state) {
    put_image(0, 0, &source, SRCCOPY);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BYTES));
}
BENCHMARK(BM_PutImage);

// A region grown one random rectangle at a time, as a program builds a clip region:
// combine_region(acc, acc, piece, RGN_OR).
void BM_RegionUnionOneAtATime(benchmark::State& state) {
  const auto boxes = korvi::bench::random_boxes(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    UniqueRegion acc(create_rect_region(0, 0, 0, 0));
    for (const auto& b : boxes) {
      UniqueRegion piece(create_rect_region(b.left, b.top, b.right, b.bottom));
      combine_region(acc.get(), acc.get(), piece.get(), RGN_OR);
    }
    benchmark::DoNotOptimize(acc.get());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RegionUnionOneAtATime)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// A filled regular polygon of radius 280 with many vertices, through draw_polygon.
void BM_DrawPolygonManyVertices(benchmark::State& state) {
  const auto vertices =
      korvi::bench::regular_polygon(static_cast<std::size_t>(state.range(0)), 280.0);
  std::vector<Point> points;
  points.reserve(vertices.size());
  for (const auto& v : vertices) points.push_back({v.x, v.y});
  Image image(WIDTH, HEIGHT);
  set_working_image(&image);
  set_line_style(PS_NULL);
  set_fill_style(0x3366CC);
  for (auto _ : state) {
    draw_polygon(static_cast<int>(points.size()), points.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DrawPolygonManyVertices)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
