#pragma once
// What a primitive writes: brushes and pens resolved against a device context's
// colours, background mode and write mode, once per change of any of them.

#include <array>
#include <cstdint>
#include <vector>

#include "korvi/raster/brush.h"
#include "korvi/raster/color.h"
#include "korvi/raster/pen.h"
#include "mix.h"
#include "pixel_ops.h"

namespace korvi::raster {

struct PaintColors {
  Pixel text = 0;
  Pixel background = 0;
  bool opaque = true;
  int rop2 = 13;
};

// How an area primitive paints: nothing, one mix everywhere, or an 8 x 8 tile of mixes
// aligned to device (0, 0).
class AreaPaint {
 public:
  AreaPaint() = default;
  static AreaPaint uniform(Mix mix);
  static AreaPaint for_brush(const Brush& brush, const PaintColors& colors);

  bool none() const { return m_kind == Kind::NONE; }
  bool is_uniform() const { return m_kind == Kind::UNIFORM; }
  Mix uniform_mix() const { return m_uniform; }
  // Paints pixels [x0, x1) of row y, whose pixels start at row. Callers clip.
  void paint(Pixel* row, std::int32_t y, std::int32_t x0, std::int32_t x1) const {
    const auto count = static_cast<std::size_t>(x1 - x0);
    if (m_kind == Kind::UNIFORM) {
      if (m_uniform.is_store()) {
        store_run(row + x0, count, m_uniform.xor_mask);
      } else {
        mix_run(row + x0, count, m_uniform);
      }
    } else if (m_kind == Kind::TILED) {
      mix_tile_run(row + x0, x0, count, &m_tile[static_cast<std::size_t>(y & 7) * 8]);
    }
  }

 private:
  enum class Kind { NONE, UNIFORM, TILED };
  Kind m_kind = Kind::NONE;
  Mix m_uniform;
  std::vector<Mix> m_tile;  // 64 entries when tiled
};

// The brush's 8 x 8 tile as the pattern operand of a ternary raster operation (row y & 7,
// column x & 7). Hatch gaps take the background colour; a hollow brush is black.
std::array<Pixel, 64> brush_tile_pixels(const Brush& brush, Pixel text, Pixel background);

// Alternating on and off run lengths, starting with on, repeating; empty means solid.
struct DashRuns {
  std::vector<double> runs;
  double period = 0.0;
  bool solid() const { return runs.empty(); }
};

// A pen resolved for drawing in device space.
struct PenPaint {
  bool visible = false;
  bool wide = false;
  double width = 1.0;  // device pixels, wide pens
  std::uint32_t cap = PEN_CAP_ROUND;
  std::uint32_t join = PEN_JOIN_ROUND;
  Mix on;   // dashes
  Mix off;  // gaps (no-op when the background mode is transparent)
  // Thin pens: runs in whole steps along the major axis. Wide pens: lengths along the
  // path in device pixels.
  DashRuns dashes;
};

// length_scale: how the world transform stretches lengths.
PenPaint resolve_pen(const Pen& pen, double length_scale, const PaintColors& colors);

}  // namespace korvi::raster
