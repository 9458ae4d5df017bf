#pragma once
// Loading and rendering one glyph with FreeType at the face's active size.
// Internal to the font engine.

#include <cstdint>

#include "font/freetype_handles.h"
#include "font/glyph_run.h"

namespace korvi::raster {

struct GlyphStyle {
  bool antialiased = false;        // false: one-bit glyphs hinted for one-bit output
  bool synthetic_bold = false;     // widen the outline and the advance
  bool synthetic_italic = false;   // shear the outline
  std::int32_t bold_strength = 1;  // whole device pixels added by synthetic bold
  // Applied to the outline after hinting, in FreeType's y-up convention
  // (16.16 fixed point): rotation, mirroring and the shear of unequal scales.
  FT_Matrix transform{0x10000, 0, 0, 0x10000};
};

// The glyph's advance along the baseline in whole device pixels, before any
// transform; 0 when the glyph cannot be loaded.
std::int32_t glyph_advance(FT_Face face, std::uint32_t glyph, const GlyphStyle& style);

// Renders the glyph into out (replacing its contents); an unloadable glyph renders
// as an empty bitmap.
void render_glyph(FT_Face face, std::uint32_t glyph, const GlyphStyle& style, GlyphBitmap& out);

}  // namespace korvi::raster
