#include "font/glyph_renderer.h"

#include FT_OUTLINE_H

namespace korvi::raster {

namespace {

constexpr FT_Fixed ITALIC_SHEAR = 0x3333;  // 0.2: x grows by a fifth of the height

FT_Int32 load_flags(const GlyphStyle& style) {
  return FT_LOAD_NO_BITMAP | (style.antialiased ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO);
}

bool load(FT_Face face, std::uint32_t glyph, const GlyphStyle& style) {
  return FT_Load_Glyph(face, glyph, load_flags(style)) == 0;
}

const unsigned char* row_pointer(const FT_Bitmap& bitmap, unsigned int y) {
  if (bitmap.pitch >= 0) return bitmap.buffer + static_cast<std::size_t>(y) * bitmap.pitch;
  // A negative pitch stores the rows bottom-up.
  const std::size_t flow = static_cast<std::size_t>(-bitmap.pitch);
  return bitmap.buffer + static_cast<std::size_t>(bitmap.rows - 1 - y) * flow;
}

void copy_mono(const FT_Bitmap& bitmap, GlyphBitmap& out) {
  for (unsigned int y = 0; y < bitmap.rows; ++y) {
    const unsigned char* row = row_pointer(bitmap, y);
    std::int32_t run_start = -1;
    for (unsigned int x = 0; x <= bitmap.width; ++x) {
      const bool set = x < bitmap.width && (row[x >> 3] & (0x80 >> (x & 7))) != 0;
      if (set && run_start < 0) {
        run_start = static_cast<std::int32_t>(x);
      } else if (!set && run_start >= 0) {
        out.spans.push_back(
            {static_cast<std::int32_t>(y), run_start, static_cast<std::int32_t>(x)});
        run_start = -1;
      }
    }
  }
}

void copy_gray(const FT_Bitmap& bitmap, GlyphBitmap& out) {
  out.coverage.resize(static_cast<std::size_t>(bitmap.width) * bitmap.rows);
  const unsigned int levels = bitmap.num_grays > 1 ? bitmap.num_grays - 1 : 255;
  std::uint8_t* target = out.coverage.data();
  bool any = false;
  for (unsigned int y = 0; y < bitmap.rows; ++y) {
    const unsigned char* row = row_pointer(bitmap, y);
    for (unsigned int x = 0; x < bitmap.width; ++x) {
      const unsigned int value = levels == 255 ? row[x] : row[x] * 255u / levels;
      *target++ = static_cast<std::uint8_t>(value);
      any = any || value != 0;
    }
  }
  if (!any) out.coverage.clear();
}

}  // namespace

std::int32_t glyph_advance(FT_Face face, std::uint32_t glyph, const GlyphStyle& style) {
  if (!load(face, glyph, style)) return 0;
  std::int32_t advance = static_cast<std::int32_t>((face->glyph->advance.x + 32) >> 6);
  if (style.synthetic_bold) advance += style.bold_strength;
  return advance;
}

void render_glyph(FT_Face face, std::uint32_t glyph, const GlyphStyle& style, GlyphBitmap& out) {
  out = GlyphBitmap{};
  out.antialiased = style.antialiased;
  if (!load(face, glyph, style)) return;
  FT_GlyphSlot slot = face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return;

  if (style.synthetic_bold) FT_Outline_EmboldenXY(&slot->outline, style.bold_strength * 64, 0);
  if (style.synthetic_italic) {
    FT_Matrix shear{0x10000, ITALIC_SHEAR, 0, 0x10000};
    FT_Outline_Transform(&slot->outline, &shear);
  }
  FT_Outline_Transform(&slot->outline, &style.transform);
  if (FT_Render_Glyph(slot, style.antialiased ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0)
    return;

  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.width == 0 || bitmap.rows == 0 || bitmap.buffer == nullptr) return;
  out.width = static_cast<std::int32_t>(bitmap.width);
  out.height = static_cast<std::int32_t>(bitmap.rows);
  out.left = slot->bitmap_left;
  out.top = -slot->bitmap_top;
  if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
    out.antialiased = false;
    copy_mono(bitmap, out);
  } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
    out.antialiased = true;
    copy_gray(bitmap, out);
  }
}

}  // namespace korvi::raster
