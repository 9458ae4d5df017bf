#include "font/strike.h"

#include <utility>

namespace korvi::raster {

namespace {

// C0 and C1 controls never go looking for a fallback face: the primary face's
// shape for them (usually the missing-glyph box) is what text output shows.
bool is_control(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

std::size_t bitmap_bytes(const GlyphBitmap& bitmap) {
  return sizeof(GlyphBitmap) + bitmap.spans.size() * sizeof(GlyphSpan) + bitmap.coverage.size();
}

}  // namespace

std::size_t StrikeKeyHash::operator()(const StrikeKey& key) const noexcept {
  std::uint64_t h = reinterpret_cast<std::uintptr_t>(key.face);
  auto mix = [&h](std::uint64_t v) { h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2); };
  mix(static_cast<std::uint32_t>(key.em_x));
  mix(static_cast<std::uint32_t>(key.em_y));
  mix(static_cast<std::uint32_t>(key.cell));
  mix((key.antialiased ? 1u : 0u) | (key.bold ? 2u : 0u) | (key.italic ? 4u : 0u));
  for (FT_Fixed t : key.transform) mix(static_cast<std::uint64_t>(t));
  return static_cast<std::size_t>(h);
}

Strike::Strike(const StrikeKey& key, std::shared_ptr<Face> primary, const DeviceFontSize& size,
               std::size_t& glyph_bytes)
    : m_key(key), m_size(size), m_glyph_bytes(glyph_bytes) {
  m_empty.antialiased = key.antialiased;
  slot_of(primary);
}

std::uint16_t Strike::slot_of(const std::shared_ptr<Face>& face) {
  for (std::size_t i = 0; i < m_slots.size(); ++i) {
    if (m_slots[i].face == face) return static_cast<std::uint16_t>(i);
  }
  FaceSlot slot;
  slot.face = face;
  if (face) {
    FT_Size size = nullptr;
    if (FT_New_Size(face->ft_face(), &size) == 0) {
      slot.size.reset(size);
      FT_Activate_Size(size);
      if (FT_Set_Pixel_Sizes(face->ft_face(), static_cast<FT_UInt>(m_key.em_x),
                             static_cast<FT_UInt>(m_key.em_y)) != 0) {
        slot.size.reset();
      }
    }
  }
  slot.style.antialiased = m_key.antialiased;
  slot.style.synthetic_bold = face && m_key.bold && !face->bold();
  slot.style.synthetic_italic = face && m_key.italic && !face->italic();
  slot.style.bold_strength = m_size.bold_strength;
  // FreeType's y axis points up: flip the y-down transform into it.
  slot.style.transform =
      FT_Matrix{m_key.transform[0], -m_key.transform[1], -m_key.transform[2], m_key.transform[3]};
  m_slots.push_back(std::move(slot));
  return static_cast<std::uint16_t>(m_slots.size() - 1);
}

bool Strike::activate(FaceSlot& slot) {
  return slot.face && slot.size && FT_Activate_Size(slot.size.get()) == 0;
}

GlyphEntry& Strike::other_entry(char32_t code_point, FallbackFaces& fallback) {
  GlyphEntry& e = m_other[code_point];
  if (!e.loaded) load(code_point, e, fallback);
  return e;
}

void Strike::load(char32_t code_point, GlyphEntry& entry, FallbackFaces& fallback) {
  entry.loaded = true;
  entry.face_slot = 0;
  const std::shared_ptr<Face>& primary = m_slots[0].face;
  entry.glyph_index = primary ? primary->glyph_index(code_point) : 0;
  if (entry.glyph_index == 0 && !is_control(code_point)) {
    std::shared_ptr<Face> other = fallback.fallback_face(code_point);
    if (other && other != primary) {
      entry.face_slot = slot_of(other);
      entry.glyph_index = other->glyph_index(code_point);
    }
  }
  entry.missing = entry.glyph_index == 0;
  FaceSlot& slot = m_slots[entry.face_slot];
  entry.advance =
      activate(slot) ? glyph_advance(slot.face->ft_face(), entry.glyph_index, slot.style) : 0;
}

void Strike::render(GlyphEntry& entry) {
  FaceSlot& slot = m_slots[entry.face_slot];
  if (!activate(slot)) {
    entry.bitmap = &m_empty;
    return;
  }
  GlyphBitmap bitmap;
  render_glyph(slot.face->ft_face(), entry.glyph_index, slot.style, bitmap);
  if (bitmap.empty()) {
    entry.bitmap = &m_empty;
    return;
  }
  m_glyph_bytes += bitmap_bytes(bitmap);
  entry.bitmap = &m_bitmaps.emplace_back(std::move(bitmap));
}

}  // namespace korvi::raster
