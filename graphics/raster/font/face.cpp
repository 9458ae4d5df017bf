#include "font/face.h"

#include <utility>

#include FT_ADVANCES_H
#include FT_TRUETYPE_TABLES_H

#include "font/font_error.h"

namespace korvi::raster {

namespace {

constexpr int OS2_BOLD_WEIGHT = 600;

// Average width of lower-case text: the letters and the space weighted by their
// frequency in English text (the per-mille weights fonts traditionally used for
// their average character width). Zero when the face lacks one of them.
int weighted_average_width(FT_Face face) {
  static constexpr int WEIGHTS[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6,  35, 20, 56,
                                      56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2,  166};
  long total = 0;
  for (int i = 0; i < 27; ++i) {
    const char32_t c = i < 26 ? static_cast<char32_t>('a' + i) : U' ';
    const FT_UInt glyph = FT_Get_Char_Index(face, c);
    FT_Fixed advance = 0;
    if (glyph == 0 || FT_Get_Advance(face, glyph, FT_LOAD_NO_SCALE, &advance) != 0) return 0;
    total += static_cast<long>(advance) * WEIGHTS[i];
  }
  return static_cast<int>((total + 500) / 1000);
}

FaceMetrics read_metrics(FT_Face face) {
  FaceMetrics m;
  m.units_per_em = face->units_per_EM > 0 ? face->units_per_EM : 2048;
  m.ascent = face->ascender > 0 ? face->ascender : m.units_per_em * 4 / 5;
  m.descent = face->descender < 0 ? -face->descender : m.units_per_em / 5;
  m.underline_position = face->underline_position;
  m.underline_thickness =
      face->underline_thickness > 0 ? face->underline_thickness : m.units_per_em / 20;
  m.strike_out_position = m.units_per_em / 4;
  m.strike_out_thickness = m.underline_thickness;

  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->version != 0xFFFF) {
    if (os2->usWinAscent + os2->usWinDescent > 0) {
      m.ascent = os2->usWinAscent;
      m.descent = os2->usWinDescent;
    }
    if (os2->yStrikeoutSize > 0) {
      m.strike_out_position = os2->yStrikeoutPosition;
      m.strike_out_thickness = os2->yStrikeoutSize;
    }
  }
  m.average_width = weighted_average_width(face);
  if (m.average_width <= 0) {
    m.average_width = os2 != nullptr && os2->version != 0xFFFF && os2->xAvgCharWidth > 0
                          ? os2->xAvgCharWidth
                          : m.units_per_em / 2;
  }
  return m;
}

bool face_is_bold(FT_Face face) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->version != 0xFFFF && os2->usWeightClass != 0)
    return os2->usWeightClass >= OS2_BOLD_WEIGHT;
  return (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
}

}  // namespace

FreeTypeLibrary::FreeTypeLibrary() {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) throw FontError("FreeType could not be initialised");
  m_library.reset(library);
}

std::shared_ptr<Face> Face::open(std::shared_ptr<FreeTypeLibrary> library, const std::string& file,
                                 int index) {
  FT_Face raw = nullptr;
  if (FT_New_Face(library->get(), file.c_str(), index, &raw) != 0) return nullptr;
  FreeTypeFaceHandle face(raw);
  if (!FT_IS_SCALABLE(raw)) return nullptr;
  // Prefer the Unicode character map; faces without one keep their default map.
  FT_Select_Charmap(raw, FT_ENCODING_UNICODE);
  return std::make_shared<Face>(std::move(library), std::move(face), file, index);
}

Face::Face(std::shared_ptr<FreeTypeLibrary> library, FreeTypeFaceHandle face, std::string file,
           int index)
    : m_library(std::move(library)),
      m_face(std::move(face)),
      m_file(std::move(file)),
      m_index(index),
      m_family(m_face->family_name != nullptr ? m_face->family_name : ""),
      m_bold(face_is_bold(m_face.get())),
      m_italic((m_face->style_flags & FT_STYLE_FLAG_ITALIC) != 0),
      m_metrics(read_metrics(m_face.get())) {}

std::uint32_t Face::glyph_index(char32_t code_point) const noexcept {
  return FT_Get_Char_Index(m_face.get(), code_point);
}

}  // namespace korvi::raster
