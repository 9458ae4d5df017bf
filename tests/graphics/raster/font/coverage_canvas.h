#pragma once
// A small 8-bit picture for the font tests: glyph runs are painted into it as the
// device context will paint them (ink 255 on background 0, cell optionally filled),
// and it can be written as a PNG for a person to look at.

#include <cstdint>
#include <string>
#include <vector>

#include "font/glyph_run.h"

namespace korvi::raster::testing {

class CoverageCanvas {
 public:
  CoverageCanvas(int width, int height);

  int width() const { return m_width; }
  int height() const { return m_height; }
  std::uint8_t at(int x, int y) const { return m_pixels[index(x, y)]; }

  // Paints the run with the cell's top-left corner at (x, y): the cell in
  // cell_value first when it is not negative, then glyphs, underline, strike-out
  // and mark at full ink, antialiased coverage blended towards 255.
  void draw(const GlyphRun& run, int x, int y, int cell_value = -1);

  // Outlines the box [left, right) x [top, bottom) in value (to show a layout's
  // rectangle).
  void frame(int left, int top, int right, int bottom, std::uint8_t value);

  // Pixels of at least the threshold.
  int count_at_least(std::uint8_t threshold) const;
  // Bounding box [left, right) x [top, bottom) of pixels of at least the
  // threshold; all zero when there are none.
  struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
  };
  Box ink_box(std::uint8_t threshold = 128) const;
  // Sum of all pixel values: the "darkness" of the text.
  long total() const;

  bool operator==(const CoverageCanvas&) const = default;

  // Writes a greyscale PNG; returns false when the file cannot be written.
  bool write_png(const std::string& path) const;

 private:
  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
           static_cast<std::size_t>(x);
  }
  void paint(int x, int y, std::uint8_t coverage);
  void fill_quad(const TextQuad& quad, int x, int y, std::uint8_t value);

  int m_width;
  int m_height;
  std::vector<std::uint8_t> m_pixels;
};

// Where the tests put pictures: the build directory's test-pictures/, or the
// temporary directory when run outside the build.
std::string picture_path(const std::string& name);

}  // namespace korvi::raster::testing
