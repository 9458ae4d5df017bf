#pragma once
// A font made from a description: the face it resolved to and its sizes. Immutable;
// shared by every device context that selects it. Fonts are made by FontCache.

#include <cstdint>
#include <memory>
#include <string_view>

#include "font/font_description.h"

namespace korvi::raster {

class Face;
class FreeTypeLibrary;

// Sizes of a font when drawn without scaling, in logical units (= pixels).
struct FontMetrics {
  std::int32_t cell_height = 0;  // ascent + descent: the height of a line of text
  std::int32_t ascent = 0;
  std::int32_t descent = 0;
  std::int32_t em_height = 0;  // character height: cell_height minus internal leading
  std::int32_t average_char_width = 0;
};

class Font {
 public:
  // Made by FontCache: description normalised, face null when no face could be
  // opened at all (such a font draws nothing and measures zero widths). The owner
  // is the cache's library, kept alive by the font; serial is unique in the cache.
  Font(const FontDescription& description, std::shared_ptr<Face> face,
       std::shared_ptr<const FreeTypeLibrary> owner, std::uint64_t serial);

  const FontDescription& description() const noexcept { return m_description; }
  const FontMetrics& metrics() const noexcept { return m_metrics; }
  std::string_view family() const noexcept;  // the resolved face's family, or ""

  bool bold() const noexcept { return m_bold; }
  bool italic() const noexcept { return m_italic; }
  bool underline() const noexcept { return m_description.underline != 0; }
  bool strike_out() const noexcept { return m_description.strike_out != 0; }
  bool antialiased() const noexcept { return m_description.quality != QUALITY_NONANTIALIASED; }
  // The text direction in tenths of a degree counter-clockwise, 0..3599.
  std::int32_t escapement() const noexcept { return m_escapement; }

  // For the engine: the primary face and the unscaled em sizes in pixels.
  const std::shared_ptr<Face>& face() const noexcept { return m_face; }
  double em_x() const noexcept { return m_em_x; }
  double em_y() const noexcept { return m_em_y; }
  // The cell height the description asks for, 0 when it asks for an em height.
  double requested_cell() const noexcept { return m_requested_cell; }
  const FreeTypeLibrary* owner() const noexcept { return m_owner.get(); }
  std::uint64_t serial() const noexcept { return m_serial; }

 private:
  FontDescription m_description;
  std::shared_ptr<Face> m_face;
  std::shared_ptr<const FreeTypeLibrary> m_owner;
  std::uint64_t m_serial;
  bool m_bold;
  bool m_italic;
  std::int32_t m_escapement;
  double m_em_x = 0;
  double m_em_y = 0;
  double m_requested_cell = 0;
  FontMetrics m_metrics;
};

}  // namespace korvi::raster
