#pragma once
// Brushes: immutable values, cheap to copy and to share between device contexts.

#include <array>
#include <cstdint>
#include <optional>

#include "korvi/raster/color.h"

namespace korvi::raster {

// Hatch codes: 8 x 8 cells aligned to device (0, 0); device pixel (x, y) takes the
// cell's bit (x mod 8, y mod 8).
enum class Hatch : int {
  HORIZONTAL = 0,        // cell row 3
  VERTICAL = 1,          // cell column 4
  FALLING_DIAGONAL = 2,  // "\": upper left to lower right
  RISING_DIAGONAL = 3,   // "/": lower left to upper right
  CROSS = 4,             // horizontal and vertical
  DIAGONAL_CROSS = 5,    // both diagonals
};

class Brush {
 public:
  enum class Kind { HOLLOW, SOLID, HATCHED, PATTERN };

  // Solid white.
  Brush() = default;
  static Brush hollow();
  static Brush solid(Color color);
  // Lines in the colour; the gaps take the background colour when the background
  // mode is opaque and are left alone when it is transparent. Codes outside 0..5
  // give nothing.
  static std::optional<Brush> hatched(int code, Color color);
  // 8 x 8 monochrome pattern, row 0 on top, the most significant bit leftmost: a set
  // bit paints the text colour and a clear bit the background colour, in every mode.
  static Brush pattern(const std::array<std::uint8_t, 8>& rows);

  Kind kind() const { return m_kind; }
  Color color() const { return m_color; }
  Hatch hatch() const { return m_hatch; }
  // Whether the cell pixel (x & 7, y & 7) of a hatch or pattern is a set bit.
  bool cell_bit(std::int64_t x, std::int64_t y) const;

  friend bool operator==(const Brush&, const Brush&) = default;

 private:
  Kind m_kind = Kind::SOLID;
  Color m_color = 0xFFFFFF;
  Hatch m_hatch = Hatch::HORIZONTAL;
  std::array<std::uint8_t, 8> m_rows{};
};

}  // namespace korvi::raster
