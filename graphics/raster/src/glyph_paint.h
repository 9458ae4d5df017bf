#pragma once
// Painting a glyph run: what text output puts on a surface.

#include "font/glyph_run.h"
#include "korvi/raster/color.h"
#include "korvi/raster/geometry.h"
#include "korvi/raster/surface.h"
#include "korvi/raster/visibility.h"

namespace korvi::raster {

struct TextColors {
  Pixel text = 0;
  Pixel background = 0;
  bool opaque = false;
};

// Paints run with its cell's top-left corner at the device pixel origin: when opaque,
// the cell in the background colour first; then the glyphs in the text colour (one-bit
// glyphs stored, antialiased ones blended by their coverage), then the underline,
// strike-out and mark strokes. Plain stores: no write mode applies. Every write is cut
// to visible, which must lie inside the surface.
void paint_glyph_run(Surface& surface, const Visibility& visible, const GlyphRun& run,
                     DevicePoint origin, const TextColors& colors);

}  // namespace korvi::raster
