#include "font_test_support.h"

namespace korvi::raster::testing {

FontCache& shared_font_cache() {
  static FontCache cache;
  return cache;
}

FontDescription describe(std::string_view face, std::int32_t height, std::uint8_t quality) {
  FontDescription d;
  d.height = height;
  d.char_set = CHARSET_DEFAULT;
  d.quality = quality;
  set_face_name(d, face);
  return d;
}

}  // namespace korvi::raster::testing
