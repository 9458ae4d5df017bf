#pragma once
// Owning handles for FreeType and fontconfig objects. Internal to the font engine.

#include <fontconfig/fontconfig.h>
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
struct FontconfigConfigDeleter {
  void operator()(FcConfig* config) const noexcept { FcConfigDestroy(config); }
};
struct FontconfigPatternDeleter {
  void operator()(FcPattern* pattern) const noexcept { FcPatternDestroy(pattern); }
};
struct FontconfigFontSetDeleter {
  void operator()(FcFontSet* set) const noexcept { FcFontSetDestroy(set); }
};
struct FontconfigCharSetDeleter {
  void operator()(FcCharSet* set) const noexcept { FcCharSetDestroy(set); }
};

using FreeTypeLibraryHandle = std::unique_ptr<FT_LibraryRec_, FreeTypeLibraryDeleter>;
using FreeTypeFaceHandle = std::unique_ptr<FT_FaceRec_, FreeTypeFaceDeleter>;
using FreeTypeSizeHandle = std::unique_ptr<FT_SizeRec_, FreeTypeSizeDeleter>;
using FontconfigConfigHandle = std::unique_ptr<FcConfig, FontconfigConfigDeleter>;
using FontconfigPatternHandle = std::unique_ptr<FcPattern, FontconfigPatternDeleter>;
using FontconfigFontSetHandle = std::unique_ptr<FcFontSet, FontconfigFontSetDeleter>;
using FontconfigCharSetHandle = std::unique_ptr<FcCharSet, FontconfigCharSetDeleter>;

}  // namespace korvi::raster
