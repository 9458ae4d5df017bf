#pragma once
// Pens: immutable values, cheap to copy and to share between device contexts.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "korvi/raster/color.h"

namespace korvi::raster {

// Dash kinds: the low four bits of a pen style.
enum class DashKind : std::uint32_t {
  SOLID = 0,
  DASH = 1,          // 18 on, 6 off (scaled with the width of wide pens)
  DOT = 2,           // 3 on, 3 off
  DASH_DOT = 3,      // 9, 6, 3, 6
  DASH_DOT_DOT = 4,  // 9, 3, 3, 3, 3, 3
  NONE = 5,          // draws nothing
  INSIDE_FRAME = 6,  // drawn as solid
  USER = 7,          // the pen's own dash array
};

// Style bits of geometric pens.
inline constexpr std::uint32_t PEN_STYLE_MASK = 0x0000000Fu;
inline constexpr std::uint32_t PEN_CAP_ROUND = 0x000u;
inline constexpr std::uint32_t PEN_CAP_SQUARE = 0x100u;
inline constexpr std::uint32_t PEN_CAP_FLAT = 0x200u;
inline constexpr std::uint32_t PEN_CAP_MASK = 0xF00u;
inline constexpr std::uint32_t PEN_JOIN_ROUND = 0x0000u;
inline constexpr std::uint32_t PEN_JOIN_BEVEL = 0x1000u;
inline constexpr std::uint32_t PEN_JOIN_MITER = 0x2000u;
inline constexpr std::uint32_t PEN_JOIN_MASK = 0xF000u;
inline constexpr std::uint32_t PEN_GEOMETRIC = 0x10000u;
inline constexpr std::size_t MAX_DASHES = 16;

class Pen {
 public:
  // Cosmetic, solid, black.
  Pen() = default;
  // One pixel wide, whatever the transform. NONE draws nothing; USER and
  // INSIDE_FRAME draw solid.
  static Pen cosmetic(DashKind kind, Color color);
  // Width in logical units (scaled by the world transform; a device width of at most
  // one pixel draws thin lines exactly like a cosmetic pen). The style holds a dash
  // kind, cap and join bits (PEN_GEOMETRIC may be set or not). A USER style takes 1 to
  // MAX_DASHES lengths, dash first, not all zero; other styles take none.
  // Returns nothing for what the platform refuses: unknown kinds or bits, a USER style
  // without a valid dash array, dashes with another kind, a negative width.
  static std::optional<Pen> geometric(std::uint32_t style, std::int32_t width, Color color,
                                      std::span<const std::uint32_t> dashes = {});
  static Pen null() { return cosmetic(DashKind::NONE, 0); }

  bool is_geometric() const { return m_geometric; }
  DashKind dash_kind() const { return static_cast<DashKind>(m_style & PEN_STYLE_MASK); }
  std::uint32_t cap() const { return m_style & PEN_CAP_MASK; }
  std::uint32_t join() const { return m_style & PEN_JOIN_MASK; }
  std::uint32_t style() const { return m_style; }
  std::int32_t width() const { return m_width; }
  Color color() const { return m_color; }
  std::span<const std::uint32_t> dashes() const { return {m_dashes.data(), m_dash_count}; }
  bool draws_nothing() const { return dash_kind() == DashKind::NONE; }

  friend bool operator==(const Pen& a, const Pen& b);

 private:
  bool m_geometric = false;
  std::uint32_t m_style = 0;
  std::int32_t m_width = 1;
  Color m_color = 0;
  std::size_t m_dash_count = 0;
  std::array<std::uint32_t, MAX_DASHES> m_dashes{};
};

}  // namespace korvi::raster
