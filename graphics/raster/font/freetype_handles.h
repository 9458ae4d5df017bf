#pragma once
// Owning handles for FreeType objects. Internal to the font engine.

#include <ft2build.h>

#include <memory>
#include FT_FREETYPE_H
#include FT_SIZES_H

namespace korvi::raster {

struct FreeTypeLibraryDeleter {
  void operator()(FT_Library library) const noexcept { FT_Done_FreeType(library); }
};
struct FreeTypeFaceDeleter {
  void operator()(FT_Face face) const noexcept { FT_Done_Face(face); }
};
struct FreeTypeSizeDeleter {
  void operator()(FT_Size size) const noexcept { FT_Done_Size(size); }
};

using FreeTypeLibraryHandle = std::unique_ptr<FT_LibraryRec_, FreeTypeLibraryDeleter>;
using FreeTypeFaceHandle = std::unique_ptr<FT_FaceRec_, FreeTypeFaceDeleter>;
using FreeTypeSizeHandle = std::unique_ptr<FT_SizeRec_, FreeTypeSizeDeleter>;

}  // namespace korvi::raster
