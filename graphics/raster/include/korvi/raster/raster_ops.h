#pragma once
// Raster-operation codes: binary ones (write modes) and ternary ones (transfers).

#include <cstdint>

namespace korvi::raster {

// Write modes, codes 1..16: the truth table (code - 1) indexed by pen bit * 2 + dest bit.
inline constexpr int R2_BLACK = 1;
inline constexpr int R2_NOT = 6;
inline constexpr int R2_XORPEN = 7;
inline constexpr int R2_NOP = 11;
inline constexpr int R2_COPYPEN = 13;
inline constexpr int R2_WHITE = 16;

// Ternary raster operations: bits 16..23 are the truth table indexed by
// pattern bit * 4 + source bit * 2 + destination bit; the low word is ignored.
inline constexpr std::uint32_t SRCCOPY = 0x00CC0020u;
inline constexpr std::uint32_t SRCPAINT = 0x00EE0086u;
inline constexpr std::uint32_t SRCAND = 0x008800C6u;
inline constexpr std::uint32_t SRCINVERT = 0x00660046u;
inline constexpr std::uint32_t SRCERASE = 0x00440328u;
inline constexpr std::uint32_t NOTSRCCOPY = 0x00330008u;
inline constexpr std::uint32_t NOTSRCERASE = 0x001100A6u;
inline constexpr std::uint32_t MERGECOPY = 0x00C000CAu;
inline constexpr std::uint32_t MERGEPAINT = 0x00BB0226u;
inline constexpr std::uint32_t PATCOPY = 0x00F00021u;
inline constexpr std::uint32_t PATPAINT = 0x00FB0A09u;
inline constexpr std::uint32_t PATINVERT = 0x005A0049u;
inline constexpr std::uint32_t DSTINVERT = 0x00550009u;
inline constexpr std::uint32_t BLACKNESS = 0x00000042u;
inline constexpr std::uint32_t WHITENESS = 0x00FF0062u;

constexpr std::uint8_t rop3_table(std::uint32_t rop) {
  return static_cast<std::uint8_t>(rop >> 16);
}
// Whether the operation reads the source.
constexpr bool rop3_uses_source(std::uint32_t rop) {
  const unsigned t = rop3_table(rop);
  return ((t >> 2) & 0x33u) != (t & 0x33u);
}

}  // namespace korvi::raster
