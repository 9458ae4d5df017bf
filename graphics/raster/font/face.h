#pragma once
// One opened font file (a face of it) with the design metrics text layout needs.
// Internal to the font engine; one cache's faces are used by one thread at a time.

#include <cstdint>
#include <memory>
#include <string>

#include "font/freetype_handles.h"

namespace korvi::raster {

// The FreeType library instance of one font cache, shared by its faces so that a
// face never outlives the library that made it.
class FreeTypeLibrary {
 public:
  FreeTypeLibrary();  // throws FontError
  FT_Library get() const noexcept { return m_library.get(); }

 private:
  FreeTypeLibraryHandle m_library;
};

// Design metrics in font units.
struct FaceMetrics {
  int units_per_em = 2048;
  int ascent = 1638;              // the cell above the baseline (the face's "win" ascent)
  int descent = 410;              // the cell below the baseline, positive
  int average_width = 1024;       // average width of lower-case text, frequency-weighted
  int underline_position = -205;  // centre of the underline, negative below the baseline
  int underline_thickness = 102;
  int strike_out_position = 530;  // top of the strike-out stroke above the baseline
  int strike_out_thickness = 102;
};

class Face {
 public:
  // Opens face `index` of `file`; null when FreeType cannot read it or it is not a
  // scalable face.
  static std::shared_ptr<Face> open(std::shared_ptr<FreeTypeLibrary> library,
                                    const std::string& file, int index);

  Face(std::shared_ptr<FreeTypeLibrary> library, FreeTypeFaceHandle face, std::string file,
       int index);

  FT_Face ft_face() const noexcept { return m_face.get(); }
  const FreeTypeLibrary* library() const noexcept { return m_library.get(); }
  const std::string& file() const noexcept { return m_file; }
  int index() const noexcept { return m_index; }
  const std::string& family() const noexcept { return m_family; }
  bool bold() const noexcept { return m_bold; }
  bool italic() const noexcept { return m_italic; }
  const FaceMetrics& metrics() const noexcept { return m_metrics; }

  // 0 when the face has no glyph for the character.
  std::uint32_t glyph_index(char32_t code_point) const noexcept;

 private:
  std::shared_ptr<FreeTypeLibrary> m_library;  // declared first: outlives m_face
  FreeTypeFaceHandle m_face;
  std::string m_file;
  int m_index;
  std::string m_family;
  bool m_bold;
  bool m_italic;
  FaceMetrics m_metrics;
};

}  // namespace korvi::raster
