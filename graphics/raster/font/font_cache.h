#pragma once
// The font engine's entry point. A FontCache owns the FreeType library, the
// fontconfig lookups and everything made from them: faces by file, fonts by
// description, measured and rendered glyphs by strike. It is not shared between
// threads: make one per thread, or guard one with a lock. There is no global state.
//
// Drawing text at logical (x, y) with a world transform of scale (sx, sy):
//   run = cache.glyph_run(*font, text, {sx, sy})   (reuse one GlyphRun)
//   origin = the device point of (x, y), rounded; every run coordinate is added to it
//   opaque mode: fill run.cell (a box when axis_aligned, else a quad) with the
//   background; then each glyph's spans or coverage at origin + (glyph.x, glyph.y)
//   in the text colour; then the underline, strike-out and mark quads.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "font/font.h"
#include "font/font_description.h"
#include "font/font_error.h"
#include "font/glyph_run.h"

namespace korvi::raster {

// The device's scale of logical units (its world transform's x and y scale). A
// negative scale mirrors the text along that axis.
struct TextScale {
  double x = 1.0;
  double y = 1.0;
};

// Width and height of a text in logical units.
struct TextExtent {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// A byte range [begin, end) of the text whose characters get a mark underneath
// (the underline of formatted text's "&" prefix). Empty by default.
struct MarkedRange {
  std::size_t begin = 0;
  std::size_t end = 0;
};

struct FontCacheStatistics {
  std::size_t fonts = 0;
  std::size_t faces = 0;
  std::size_t strikes = 0;
  std::size_t glyph_bytes = 0;
};

class FontCache {
 public:
  FontCache();  // throws FontError when FreeType or fontconfig cannot start
  ~FontCache();
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  // The font for a description; the same object again for an equal description
  // (cheap: one hash lookup). Never null: a face that cannot be found falls back to
  // other installed faces.
  std::shared_ptr<const Font> font(const FontDescription& description);

  // True when font was made by this cache: only such fonts measure and draw with it.
  bool owns(const Font& font) const noexcept;

  // Width (sum of the characters' advances) and height (the cell height) of a
  // UTF-8 text drawn with font at the given scale, in logical units; exactly what
  // glyph_run covers at that scale. A degenerate scale measures at scale 1.
  // Throws std::invalid_argument for a font of another cache.
  TextExtent text_extent(const Font& font, std::string_view utf8, TextScale scale = {});

  // The glyphs of a UTF-8 text drawn with font at the given scale, positioned in
  // device pixels relative to the top-left corner of the text cell, rotated by the
  // font's escapement and mirrored by negative scales. No kerning. The bitmaps
  // belong to the cache and stay valid until the next call of glyph_run,
  // text_extent or clear_glyphs. A degenerate scale (zero, tiny or not finite)
  // gives an empty run; output stops 2^30 pixels along the baseline. Throws
  // std::invalid_argument for a font of another cache.
  void glyph_run(const Font& font, std::string_view utf8, TextScale scale, GlyphRun& out,
                 MarkedRange marked = {});
  GlyphRun glyph_run(const Font& font, std::string_view utf8, TextScale scale = {});

  // Drops every measured and rendered glyph (fonts and faces stay).
  void clear_glyphs();

  FontCacheStatistics statistics() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace korvi::raster
