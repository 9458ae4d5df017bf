#pragma once
// Formatted text in a rectangle: lines broken at line breaks and, on request, at
// word boundaries; tabs expanded; "&" prefixes turned into marks; lines aligned
// and cut with an ellipsis. Pure layout: it measures through a TextMeasurer and
// returns where each piece of text goes; drawing is the caller's.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "font/font_cache.h"

namespace korvi::raster {

// Format flags (the values programs pass).
inline constexpr std::uint32_t FORMAT_LEFT = 0x0;
inline constexpr std::uint32_t FORMAT_CENTER = 0x1;
inline constexpr std::uint32_t FORMAT_RIGHT = 0x2;
inline constexpr std::uint32_t FORMAT_VCENTER = 0x4;  // single line only
inline constexpr std::uint32_t FORMAT_BOTTOM = 0x8;   // single line only
inline constexpr std::uint32_t FORMAT_WORDBREAK = 0x10;
inline constexpr std::uint32_t FORMAT_SINGLELINE = 0x20;
inline constexpr std::uint32_t FORMAT_EXPANDTABS = 0x40;  // tab stops every 8 average widths
inline constexpr std::uint32_t FORMAT_NOCLIP = 0x100;
inline constexpr std::uint32_t FORMAT_CALCRECT = 0x400;  // measure only, draw nothing
inline constexpr std::uint32_t FORMAT_NOPREFIX = 0x800;  // "&" is an ordinary character
inline constexpr std::uint32_t FORMAT_END_ELLIPSIS = 0x8000;

// Measures text in logical units.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  virtual std::int32_t text_width(std::string_view utf8) const = 0;
  virtual std::int32_t line_height() const = 0;
  virtual std::int32_t average_char_width() const = 0;
};

// Measures with a font of a cache at a device scale, exactly as output draws.
class FontMeasurer final : public TextMeasurer {
 public:
  FontMeasurer(FontCache& cache, const Font& font, TextScale scale = {});
  std::int32_t text_width(std::string_view utf8) const override;
  std::int32_t line_height() const override { return m_line_height; }
  std::int32_t average_char_width() const override { return m_average_char_width; }

 private:
  FontCache* m_cache;
  const Font* m_font;
  TextScale m_scale;
  std::int32_t m_line_height;
  std::int32_t m_average_char_width;
};

// Logical coordinates, half-open: right and bottom are outside.
struct TextRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  bool operator==(const TextRect&) const = default;
};

// One piece of text to draw with text output, its cell's top-left corner at (x, y).
struct TextPiece {
  std::string text;
  std::int32_t x = 0;
  std::int32_t y = 0;
  MarkedRange mark;  // the "&"-prefixed character to underline, if any
};

struct TextLayout {
  std::vector<TextPiece> pieces;  // empty with FORMAT_CALCRECT
  // The rectangle the text needs: left and top as given, right at the widest
  // line's end, bottom under the last line (what FORMAT_CALCRECT reports).
  TextRect bounds;
  // The result the formatting call returns: the height of the text, or with
  // FORMAT_VCENTER / FORMAT_BOTTOM on a single line, the offset from the
  // rectangle's top to the bottom of the drawn text.
  std::int32_t height = 0;
  bool draws = true;  // false with FORMAT_CALCRECT
  bool clips = true;  // output is clipped to the given rectangle (no FORMAT_NOCLIP)
  TextRect clip;
};

TextLayout layout_text(std::string_view utf8, const TextRect& rect, std::uint32_t format,
                       const TextMeasurer& measurer);

}  // namespace korvi::raster
