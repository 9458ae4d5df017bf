// The plain types that the drawing library and its software raster core share: a
// colour value, a point and the font description record. Included by
// <korvi/graphics.h>; programs need not include it themselves.
#pragma once

#include <cstdint>

namespace korvi {

// A colour value 0x00BBGGRR: red in the lowest byte (rgb() makes one). Pixels in an
// image's buffer are the other way round, 0x00RRGGBB: see "Two colour orders" in
// <korvi/graphics.h>.
using Color = std::uint32_t;

// A point in 32-bit integer coordinates: logical units for drawing, pixels for
// regions.
struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// A font description: the fields of the platform's font record, in its order and
// layout (60 bytes). Sizes are logical units. The four fields marked "no effect" are
// kept and copied but change nothing drawn.
struct FontDescription {
  // > 0: the cell height; < 0: the character height; 0: a default.
  std::int32_t height = 0;
  // 0 keeps the face's proportions; otherwise the average character width.
  std::int32_t width = 0;
  // Turns the text counter-clockwise, in tenths of a degree.
  std::int32_t escapement = 0;
  std::int32_t orientation = 0;  // no effect: the glyphs follow the escapement
  std::int32_t weight = 0;       // 600 and above is bold
  std::uint8_t italic = 0;
  std::uint8_t underline = 0;
  std::uint8_t strike_out = 0;
  std::uint8_t char_set = 0;        // no effect
  std::uint8_t out_precision = 0;   // no effect
  std::uint8_t clip_precision = 0;  // no effect
  // 3 (NONANTIALIASED_QUALITY) draws one-bit glyphs, any other value antialiased ones.
  std::uint8_t quality = 0;
  // The kind of face (fixed pitch, serif, ...) when face_name is empty.
  std::uint8_t pitch_and_family = 0;
  char face_name[32] = {};  // UTF-8, zero-terminated, at most 31 bytes
};
static_assert(sizeof(FontDescription) == 60);

}  // namespace korvi
