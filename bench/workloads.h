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

// A half-open box: left <= x < right, top <= y < bottom.
struct Box {
  int left, top, right, bottom;
};

// Boxes of 2 to 21 pixels a side at random places on the surface.
inline std::vector<Box> random_boxes(std::size_t count) {
  std::mt19937 rng(2718);
  std::uniform_int_distribution<int> side(2, 21);
  std::uniform_int_distribution<int> x(0, WIDTH - 21);
  std::uniform_int_distribution<int> y(0, HEIGHT - 21);
  std::vector<Box> boxes;
  for (std::size_t i = 0; i < count; ++i) {
    const int left = x(rng), top = y(rng);
    boxes.push_back({left, top, left + side(rng), top + side(rng)});
  }
  return boxes;
}

// 5 x 5 boxes 8 pixels apart, 100 to a row, row after row from the top.
inline std::vector<Box> grid_boxes(std::size_t count) {
  std::vector<Box> boxes;
  for (std::size_t i = 0; i < count; ++i) {
    const int left = static_cast<int>(i % 100) * 8;
    const int top = static_cast<int>(i / 100) * 8;
    boxes.push_back({left, top, left + 5, top + 5});
  }
  return boxes;
}

struct Vertex {
  int x, y;
};

// The corners of a regular polygon of the given radius in the middle of the surface.
inline std::vector<Vertex> regular_polygon(std::size_t count, double radius) {
  std::vector<Vertex> points;
  points.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const double a = 2.0 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(count);
    points.push_back({static_cast<int>(std::lround(WIDTH / 2 + radius * std::cos(a))),
                      static_cast<int>(std::lround(HEIGHT / 2 + radius * std::sin(a)))});
  }
  return points;
}

// Random points inside the box: as a polygon, many edges cross every row.
inline std::vector<Vertex> random_points(std::size_t count, Box inside) {
  std::mt19937 rng(31415);
  std::uniform_int_distribution<int> x(inside.left, inside.right - 1);
  std::uniform_int_distribution<int> y(inside.top, inside.bottom - 1);
  std::vector<Vertex> points;
  points.reserve(count);
  for (std::size_t i = 0; i < count; ++i) points.push_back({x(rng), y(rng)});
  return points;
}

}  // namespace korvi::bench
