// Raster core operations whose work grows with their input: region unions, huge and
// dense polygons, flood fill of a large maze and very long text. Each runs at sizes
// that show how the time grows; fixed seeds.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "korvi/raster/device_context.h"
#include "workloads.h"

namespace {

using namespace korvi::raster;
using korvi::bench::Box;
using korvi::bench::HEIGHT;
using korvi::bench::Vertex;
using korvi::bench::WIDTH;

std::vector<Region> box_regions(const std::vector<Box>& boxes) {
  std::vector<Region> regions;
  regions.reserve(boxes.size());
  for (const Box& b : boxes)
    regions.push_back(Region::rectangle({b.left, b.top, b.right, b.bottom}));
  return regions;
}

// One rectangle at a time into an accumulated region: each result a new region (as
// the library combines today), or worked into the region in place.
void unite_one_at_a_time(benchmark::State& state, const std::vector<Box>& boxes, bool in_place) {
  const std::vector<Region> pieces = box_regions(boxes);
  for (auto _ : state) {
    Region acc;
    for (const Region& piece : pieces) {
      if (in_place) {
        acc.combine_with(piece, CombineMode::OR);
      } else {
        acc = Region::combine(acc, piece, CombineMode::OR);
      }
    }
    benchmark::DoNotOptimize(acc);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_UniteRandomRects(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  unite_one_at_a_time(state, korvi::bench::random_boxes(count), false);
}
BENCHMARK(BM_UniteRandomRects)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_UniteRandomRectsInPlace(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  unite_one_at_a_time(state, korvi::bench::random_boxes(count), true);
}
BENCHMARK(BM_UniteRandomRectsInPlace)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

void BM_UniteGridRects(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  unite_one_at_a_time(state, korvi::bench::grid_boxes(count), false);
}
BENCHMARK(BM_UniteGridRects)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_UniteGridRectsInPlace(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  unite_one_at_a_time(state, korvi::bench::grid_boxes(count), true);
}
BENCHMARK(BM_UniteGridRectsInPlace)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

std::vector<Point> as_points(const std::vector<Vertex>& vertices) {
  std::vector<Point> points;
  points.reserve(vertices.size());
  for (const Vertex& v : vertices) points.push_back({v.x, v.y});
  return points;
}

void fill_polygon(benchmark::State& state, const std::vector<Point>& points) {
  Surface surface(WIDTH, HEIGHT);
  DeviceContext dc(&surface);
  dc.select_pen(Pen::null());
  dc.select_brush(Brush::solid(0x3366CC));
  for (auto _ : state) {
    dc.polygon(points);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A regular polygon of radius 280: almost every edge is shorter than a pixel.
void BM_RegularPolygon(benchmark::State& state) {
  fill_polygon(state, as_points(korvi::bench::regular_polygon(
                          static_cast<std::size_t>(state.range(0)), 280.0)));
}
BENCHMARK(BM_RegularPolygon)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

constexpr Box DENSE_BOX{300, 225, 500, 375};  // 200 x 150

// Random points inside 200 x 150: thousands of edges cross every row.
void BM_DensePolygon(benchmark::State& state) {
  fill_polygon(state, as_points(korvi::bench::random_points(
                          static_cast<std::size_t>(state.range(0)), DENSE_BOX)));
}
BENCHMARK(BM_DensePolygon)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_DensePolygonRegion(benchmark::State& state) {
  const std::vector<Point> points =
      as_points(korvi::bench::random_points(static_cast<std::size_t>(state.range(0)), DENSE_BOX));
  for (auto _ : state) benchmark::DoNotOptimize(Region::polygon(points, FillRule::ALTERNATE));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DensePolygonRegion)
    ->Arg(30000)
    ->Arg(100000)
    ->Arg(300000)
    ->Unit(benchmark::kMillisecond);

constexpr Pixel WALL = 0x000000;

// A size x size maze: a wall in every fourth column, open alternately at the top and
// at the bottom, so the one corridor winds through the whole picture.
Surface maze(int size) {
  Surface s(size, size);
  s.fill(0xFFFFFF);
  for (int x = 3; x < size; x += 4) {
    const int gap = (x / 4) % 2 == 0 ? size - 1 : 0;
    for (int y = 0; y < size; ++y) {
      if (y != gap) s.at(x, y) = WALL;
    }
  }
  return s;
}

void BM_FloodFillMaze(benchmark::State& state) {
  Surface surface = maze(static_cast<int>(state.range(0)));
  DeviceContext dc(&surface);
  Color color = 0x0000FF;
  for (auto _ : state) {
    dc.select_brush(Brush::solid(color));
    dc.flood_fill(0, 0, WALL);
    color ^= 0x00FFFF;  // the next fill finds the maze in another colour
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}
BENCHMARK(BM_FloodFillMaze)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond);

// The baseline for flood fill: the classic scanline fill, painting a solid colour
// straight into the pixels and taking that colour as "done".
void plain_span_fill(Surface& s, int x, int y, Pixel border, Pixel fill) {
  auto open = [&](Pixel p) { return p != border && p != fill; };
  std::vector<std::pair<int, int>> seeds{{x, y}};
  while (!seeds.empty()) {
    const auto [sx, sy] = seeds.back();
    seeds.pop_back();
    Pixel* row = s.row(sy);
    if (!open(row[sx])) continue;
    int left = sx;
    int right = sx + 1;
    while (left > 0 && open(row[left - 1])) --left;
    while (right < s.width() && open(row[right])) ++right;
    std::fill(row + left, row + right, fill);
    for (const int ny : {sy - 1, sy + 1}) {
      if (ny < 0 || ny >= s.height()) continue;
      const Pixel* next = s.row(ny);
      bool in_run = false;
      for (int px = left; px < right; ++px) {
        const bool o = open(next[px]);
        if (o && !in_run) seeds.push_back({px, ny});
        in_run = o;
      }
    }
  }
}

void BM_PlainSpanFillMaze(benchmark::State& state) {
  Surface surface = maze(static_cast<int>(state.range(0)));
  Pixel color = 0x0000FF;
  for (auto _ : state) {
    plain_span_fill(surface, 0, 0, WALL, color);
    color ^= 0x00FFFF;
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}
BENCHMARK(BM_PlainSpanFillMaze)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond);

// One very long line of text across an 800-pixel-wide surface.
void BM_LongText(benchmark::State& state) {
  const std::string unit = "The quick brown fox jumps over the lazy dog. ";
  std::string text;
  while (text.size() < static_cast<std::size_t>(state.range(0))) text += unit;
  text.resize(static_cast<std::size_t>(state.range(0)));
  FontCache cache;
  Surface surface(WIDTH, HEIGHT);
  DeviceContext dc(&surface);
  dc.select_font(cache, cache.font(default_font_description()));
  for (auto _ : state) {
    dc.text_out(0, 300, text);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LongText)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
