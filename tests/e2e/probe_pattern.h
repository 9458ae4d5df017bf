// The picture window_probe's "pattern" mode shows, for the tests to find and check
// pixel by pixel: every pixel its own mix of its coordinates (neighbours always
// differ, none is black), and a one-pixel red line down one column.
#pragma once

#include <cstdint>

namespace korvi::test {

constexpr int PATTERN_WIDTH = 200;
constexpr int PATTERN_HEIGHT = 100;
constexpr int PATTERN_LINE_X = 50;

// 0x00RRGGBB.
constexpr std::uint32_t pattern_pixel(int x, int y) {
  if (x == PATTERN_LINE_X) return 0xFF0000;
  const std::uint32_t red = static_cast<std::uint32_t>(x * 3 + y * 7) % 250 + 3;
  const std::uint32_t green = static_cast<std::uint32_t>(x * 11 + 40) % 256;
  const std::uint32_t blue = static_cast<std::uint32_t>(y * 5 + x + 90) % 256;
  return red << 16 | green << 8 | blue;
}

}  // namespace korvi::test
