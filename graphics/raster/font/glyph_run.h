#pragma once
// What text output draws: glyph bitmaps placed relative to the text cell, the cell
// itself (for the opaque background) and the underline and strike-out strokes.
// All coordinates are device pixels, y grows downwards, boxes are half-open.

#include <array>
#include <cstdint>
#include <vector>

#include "korvi/raster/geometry.h"

namespace korvi::raster {

// One horizontal run of covered pixels of a one-bit glyph: row y, pixels
// [x_begin, x_end), relative to the bitmap's top-left corner.
struct GlyphSpan {
  std::int32_t y;
  std::int32_t x_begin;
  std::int32_t x_end;
};

// A rendered glyph. One-bit glyphs are stored as spans (rows ascending, spans of a
// row left to right, never overlapping), antialiased ones as 8-bit coverage.
struct GlyphBitmap {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t left = 0;  // bitmap top-left relative to the glyph's origin on the baseline
  std::int32_t top = 0;
  bool antialiased = false;
  std::vector<GlyphSpan> spans;        // one-bit glyphs
  std::vector<std::uint8_t> coverage;  // antialiased: width * height bytes, row by row

  bool empty() const noexcept {
    return width <= 0 || height <= 0 || (antialiased ? coverage.empty() : spans.empty());
  }
  std::uint8_t coverage_at(std::int32_t x, std::int32_t y) const noexcept {
    return coverage[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                    static_cast<std::size_t>(x)];
  }
};

// A glyph of a run: its bitmap's top-left corner lands at (x, y) relative to the
// top-left corner of the text cell.
struct PlacedGlyph {
  const GlyphBitmap* bitmap;  // owned by the font cache, never null
  std::int32_t x;
  std::int32_t y;
  char32_t code_point;
  bool missing;  // no installed face has the character: the face's missing-glyph shape
};

// A quadrilateral relative to the text cell's top-left corner. When axis_aligned, it
// is exactly the box [left, right) x [top, bottom) and the corners are integers;
// otherwise left..bottom bound the corners (rounded outwards). Fill it by the pixel
// centre rule.
struct TextQuad {
  std::array<PointF, 4> corners{};
  bool axis_aligned = true;
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  bool empty() const noexcept { return right <= left || bottom <= top; }
};

struct GlyphRun {
  std::vector<PlacedGlyph> glyphs;  // one per character, in text order
  TextQuad cell;                    // the text cell: background of opaque output
  bool has_underline = false;
  TextQuad underline;
  bool has_strike_out = false;
  TextQuad strike_out;
  bool has_mark = false;  // the underline under a marked character range
  TextQuad mark;
  bool antialiased = false;
  // Bounds of everything the run can touch (cell, glyphs, strokes), half-open.
  std::int32_t bounds_left = 0;
  std::int32_t bounds_top = 0;
  std::int32_t bounds_right = 0;
  std::int32_t bounds_bottom = 0;

  void clear() noexcept {
    glyphs.clear();
    cell = {};
    has_underline = has_strike_out = has_mark = false;
    underline = strike_out = mark = {};
    antialiased = false;
    bounds_left = bounds_top = bounds_right = bounds_bottom = 0;
  }
};

}  // namespace korvi::raster
