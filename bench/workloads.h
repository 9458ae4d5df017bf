// Fixed-seed drawing workloads shared by the benchmarks, so that the raster core,
// the library's image drawing and its window drawing are measured on the same work.
#pragma once

#include <cmath>
#include <cstddef>
#include <numbers>
#include <random>
#include <vector>

namespace korvi::bench {

constexpr int WIDTH = 800;
constexpr int HEIGHT = 600;

struct Segment {
  int x1, y1, x2, y2;
};

// Lines from random points, random angle, 1 to 200 pixels long.
inline std::vector<Segment> random_lines(std::size_t count) {
  std::mt19937 rng(1234);
  std::uniform_real_distribution<double> angle(0.0, 2.0 * std::numbers::pi);
  std::uniform_int_distribution<int> length(1, 200);
  std::uniform_int_distribution<int> x(0, WIDTH - 1);
  std::uniform_int_distribution<int> y(0, HEIGHT - 1);
  std::vector<Segment> lines;
  for (std::size_t i = 0; i < count; ++i) {
    const int x1 = x(rng), y1 = y(rng);
    const double t = angle(rng);
    const int len = length(rng);
    lines.push_back({x1, y1, x1 + static_cast<int>(std::lround(len * std::cos(t))),
                     y1 + static_cast<int>(std::lround(len * std::sin(t)))});
  }
  return lines;
}

struct Centre {
  int x, y;
};

// Centres of circles of the given radius that lie wholly inside the surface.
inline std::vector<Centre> random_centres(std::size_t count, int radius) {
  std::mt19937 rng(99);
  std::uniform_int_distribution<int> x(radius, WIDTH - radius - 1);
  std::uniform_int_distribution<int> y(radius, HEIGHT - radius - 1);
  std::vector<Centre> centres;
  for (std::size_t i = 0; i < count; ++i) centres.push_back({x(rng), y(rng)});
  return centres;
}

}  // namespace korvi::bench
