#include "korvi/raster/brush.h"

namespace korvi::raster {

Brush Brush::hollow() {
  Brush b;
  b.m_kind = Kind::HOLLOW;
  b.m_color = 0;
  return b;
}

Brush Brush::solid(Color color) {
  Brush b;
  b.m_color = color;
  return b;
}

std::optional<Brush> Brush::hatched(int code, Color color) {
  if (code < 0 || code > 5) return std::nullopt;
  Brush b;
  b.m_kind = Kind::HATCHED;
  b.m_color = color;
  b.m_hatch = static_cast<Hatch>(code);
  return b;
}

Brush Brush::pattern(const std::array<std::uint8_t, 8>& rows) {
  Brush b;
  b.m_kind = Kind::PATTERN;
  b.m_color = 0;
  b.m_rows = rows;
  return b;
}

bool Brush::cell_bit(std::int64_t x, std::int64_t y) const {
  const int cx = static_cast<int>(x & 7);
  const int cy = static_cast<int>(y & 7);
  switch (m_kind) {
    case Kind::PATTERN: return (m_rows[cy] >> (7 - cx) & 1) != 0;
    case Kind::HATCHED: {
      const bool horizontal = cy == 3;
      const bool vertical = cx == 4;
      const bool falling = cx == cy;
      const bool rising = cx + cy == 7;
      switch (m_hatch) {
        case Hatch::HORIZONTAL: return horizontal;
        case Hatch::VERTICAL: return vertical;
        case Hatch::FALLING_DIAGONAL: return falling;
        case Hatch::RISING_DIAGONAL: return rising;
        case Hatch::CROSS: return horizontal || vertical;
        case Hatch::DIAGONAL_CROSS: return falling || rising;
      }
      return false;
    }
    case Kind::SOLID: return true;
    case Kind::HOLLOW: return false;
  }
  return false;
}

}  // namespace korvi::raster
