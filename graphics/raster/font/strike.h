#pragma once
// A strike: one font's faces at one device size and orientation, with the glyphs
// already measured and rendered. Internal to the font engine.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <unordered_map>
#include <vector>

#include "font/face.h"
#include "font/font_scaling.h"
#include "font/glyph_renderer.h"

namespace korvi::raster {

// Everything that makes two strikes draw differently.
struct StrikeKey {
  const Face* face = nullptr;  // the primary face (null: a font without faces)
  std::int32_t em_x = 0;
  std::int32_t em_y = 0;
  std::int32_t cell = 0;
  bool antialiased = false;
  bool bold = false;    // bold wanted: synthesised on faces that are not bold
  bool italic = false;  // likewise, by shearing
  // Rotation, mirroring and the shear of unequal scales, 16.16, y downwards,
  // row by row: device offset = T * unrotated offset.
  std::array<FT_Fixed, 4> transform{0x10000, 0, 0, 0x10000};

  bool operator==(const StrikeKey&) const = default;
};

struct StrikeKeyHash {
  std::size_t operator()(const StrikeKey& key) const noexcept;
};

// Where the strike gets faces for characters its primary face lacks.
class FallbackFaces {
 public:
  virtual std::shared_ptr<Face> fallback_face(char32_t code_point) = 0;

 protected:
  ~FallbackFaces() = default;
};

struct GlyphEntry {
  const GlyphBitmap* bitmap = nullptr;  // null until rendered
  std::int32_t advance = 0;             // unrotated device pixels
  std::uint32_t glyph_index = 0;
  std::uint16_t face_slot = 0;
  bool loaded = false;
  bool missing = false;
};

class Strike {
 public:
  // primary may be null; glyph_bytes counts the bytes of every rendered bitmap.
  Strike(const StrikeKey& key, std::shared_ptr<Face> primary, const DeviceFontSize& size,
         std::size_t& glyph_bytes);
  Strike(const Strike&) = delete;
  Strike& operator=(const Strike&) = delete;

  const StrikeKey& key() const noexcept { return m_key; }
  const DeviceFontSize& size() const noexcept { return m_size; }

  // The measured entry of a character (its bitmap may not be rendered yet).
  const GlyphEntry& entry(char32_t code_point, FallbackFaces& fallback) {
    return find(code_point, fallback);
  }

  // The entry with its bitmap rendered.
  const GlyphEntry& rendered_entry(char32_t code_point, FallbackFaces& fallback) {
    GlyphEntry& e = find(code_point, fallback);
    if (e.bitmap == nullptr) render(e);
    return e;
  }

 private:
  static constexpr char32_t LATIN_COUNT = 256;

  struct FaceSlot {
    std::shared_ptr<Face> face;  // declared first: outlives its size
    FreeTypeSizeHandle size;
    GlyphStyle style;
  };

  GlyphEntry& find(char32_t code_point, FallbackFaces& fallback) {
    if (code_point < LATIN_COUNT) {
      GlyphEntry& e = m_latin[code_point];
      if (!e.loaded) load(code_point, e, fallback);
      return e;
    }
    return other_entry(code_point, fallback);
  }
  GlyphEntry& other_entry(char32_t code_point, FallbackFaces& fallback);
  void load(char32_t code_point, GlyphEntry& entry, FallbackFaces& fallback);
  void render(GlyphEntry& entry);
  std::uint16_t slot_of(const std::shared_ptr<Face>& face);
  bool activate(FaceSlot& slot);

  StrikeKey m_key;
  DeviceFontSize m_size;
  std::size_t& m_glyph_bytes;
  std::vector<FaceSlot> m_slots;  // slot 0: the primary face
  std::array<GlyphEntry, LATIN_COUNT> m_latin{};
  std::unordered_map<char32_t, GlyphEntry> m_other;
  std::deque<GlyphBitmap> m_bitmaps;  // a deque: pointers stay valid as it grows
  GlyphBitmap m_empty;
};

}  // namespace korvi::raster
