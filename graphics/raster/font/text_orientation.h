#pragma once
// How a run is turned and mirrored on the device. Internal to the font engine.

#include <array>
#include <cstdint>

#include "font/freetype_handles.h"
#include "font/glyph_run.h"

namespace korvi::raster {

// The linear part that takes unrotated device offsets (x along the baseline, y down
// from the cell's top, scaled to the device) to device offsets: rotation by the
// escapement, then the scale, divided by the absolute scale the glyphs were sized
// with; so with equal scales it is a rotation, possibly mirrored. Quantised to
// 16.16 so that glyph positions and glyph bitmaps agree exactly.
struct Orientation {
  std::array<FT_Fixed, 4> fixed{0x10000, 0, 0, 0x10000};  // row by row, y down
  std::array<double, 4> t{1, 0, 0, 1};                    // the same as doubles
  bool axis_aligned = true;  // a signed permutation: boxes map to boxes exactly

  bool identity() const noexcept { return t[0] == 1 && t[1] == 0 && t[2] == 0 && t[3] == 1; }
  PointF apply(double x, double y) const noexcept {
    return {t[0] * x + t[1] * y, t[2] * x + t[3] * y};
  }
};

// For an escapement in tenths of a degree (0..3599) and the device's scale factors
// (their signs mirror; the caller ensures they are usable).
Orientation make_orientation(std::int32_t escapement, double scale_x, double scale_y);

// The unrotated box [x0, x1) x [y0, y1) as it lands on the device; its bounds are
// kept within +-2^30.
// Rounds a device coordinate to whole pixels within +-2^30.
std::int32_t round_to_pixel(double v);

TextQuad make_quad(const Orientation& orientation, double x0, double y0, double x1, double y1);

}  // namespace korvi::raster
