// Drawing on the graphics window (offscreen driver, outside batch mode) against the
// same drawing on an image; the delay from a primitive's return to its present;
// and the plot of 10000 points from its samples to the whole picture shown.
#include <benchmark/benchmark.h>
#include <korvi/graphics.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "render_plot.h"
#include "state/graphics_library.h"
#include "workloads.h"

namespace {

using namespace korvi;
using korvi::bench::HEIGHT;
using korvi::bench::WIDTH;

// Draws on the window when the argument is 1, on an image when it is 0.
class Target {
 public:
  explicit Target(bool window) : m_image(window ? 0 : WIDTH, window ? 0 : HEIGHT) {
    if (window)
      open_graphics(WIDTH, HEIGHT);
    else
      set_working_image(&m_image);
  }
  ~Target() { close_graphics(); }

 private:
  Image m_image;
};

// Everything the drawing has asked of the UI thread is done, presents included.
void settle() {
  library().ui_thread().call([] {});
}

void BM_Lines(benchmark::State& state) {
  Target target(state.range(0) == 1);
  set_line_color(0x00FF00);
  const auto lines = korvi::bench::random_lines(4096);
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& s = lines[i++ & 4095];
    draw_line(s.x1, s.y1, s.x2, s.y2);
  }
  settle();
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_Lines)->ArgName("window")->Arg(0)->Arg(1);

void BM_FilledCircles(benchmark::State& state) {
  Target target(state.range(0) == 1);
  const auto centres = korvi::bench::random_centres(4096, 20);
  std::size_t i = 0;
  for (auto _ : state) {
    const auto c = centres[i++ & 4095];
    draw_circle(c.x, c.y, 20);
  }
  settle();
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_FilledCircles)->ArgName("window")->Arg(0)->Arg(1);

// From a primitive's return until the UI thread has put it on the window.
void BM_PrimitiveToScreen(benchmark::State& state) {
  Target target(true);
  settle();
  int y = 0;
  for (auto _ : state) {
    draw_line(0, y, WIDTH, y);
    y = (y + 1) % HEIGHT;
    settle();
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_PrimitiveToScreen)->UseRealTime()->Unit(benchmark::kMicrosecond);

// The plot of 10000 samples of y = sin(x)^2 + cos(x), from the samples to the whole
// plot on the window (the sampling has its own benchmark in calc_bench).
void BM_PlotOf10000Points(benchmark::State& state) {
  constexpr int N = 10000;
  std::vector<double> xs(N), ys(N);
  for (int i = 0; i < N; ++i) {
    xs[i] = -10.0 + 20.0 * i / (N - 1);
    ys[i] = std::pow(std::sin(xs[i]), 2) + std::cos(xs[i]);
  }
  for (auto _ : state) {
    calc::draw_plot(xs.data(), ys.data(), N);
    settle();
    close_graphics();
  }
}
BENCHMARK(BM_PlotOf10000Points)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Windows go to the offscreen driver unless the caller chose a driver.
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
