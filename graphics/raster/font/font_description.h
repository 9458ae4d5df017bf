#pragma once
// The 60-byte font description record: the fields a program fills in to ask for a
// font, laid out exactly like the platform's record so that it can be copied in and
// out of callers' memory byte for byte.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "korvi/types.h"

namespace korvi::raster {

inline constexpr std::size_t FACE_NAME_SIZE = 32;  // bytes, terminating zero included

inline constexpr std::int32_t WEIGHT_BOLD_THRESHOLD = 600;  // weights from here on are bold
inline constexpr std::uint8_t QUALITY_NONANTIALIASED = 3;   // one-bit glyphs
inline constexpr std::uint8_t CHARSET_DEFAULT = 1;

// Low nibble of pitch_and_family: pitch; high nibble: family.
inline constexpr std::uint8_t PITCH_FIXED = 1;
inline constexpr std::uint8_t FAMILY_ROMAN = 0x10;
inline constexpr std::uint8_t FAMILY_SWISS = 0x20;
inline constexpr std::uint8_t FAMILY_MODERN = 0x30;
inline constexpr std::uint8_t FAMILY_SCRIPT = 0x40;
inline constexpr std::uint8_t FAMILY_DECORATIVE = 0x50;

// The record is the library's own (see korvi/types.h): programs fill it in, the
// font engine reads it.
using FontDescription = korvi::FontDescription;

static_assert(sizeof(FontDescription) == 60);
static_assert(alignof(FontDescription) == 4);
static_assert(offsetof(FontDescription, height) == 0);
static_assert(offsetof(FontDescription, width) == 4);
static_assert(offsetof(FontDescription, escapement) == 8);
static_assert(offsetof(FontDescription, orientation) == 12);
static_assert(offsetof(FontDescription, weight) == 16);
static_assert(offsetof(FontDescription, italic) == 20);
static_assert(offsetof(FontDescription, underline) == 21);
static_assert(offsetof(FontDescription, strike_out) == 22);
static_assert(offsetof(FontDescription, char_set) == 23);
static_assert(offsetof(FontDescription, out_precision) == 24);
static_assert(offsetof(FontDescription, clip_precision) == 25);
static_assert(offsetof(FontDescription, quality) == 26);
static_assert(offsetof(FontDescription, pitch_and_family) == 27);
static_assert(offsetof(FontDescription, face_name) == 28);

// The face name up to its terminating zero (all 32 bytes when there is none).
std::string_view face_name(const FontDescription& description) noexcept;

// Stores name as the face name, cut to 31 bytes at a UTF-8 character boundary,
// zero-filling the rest.
void set_face_name(FontDescription& description, std::string_view name) noexcept;

// The same record with the face name cut to 31 bytes and every byte after its
// terminating zero cleared: the form fonts are cached and reported under.
FontDescription normalized(const FontDescription& description) noexcept;

// Consistent with operator==.
std::size_t hash_value(const FontDescription& description) noexcept;

// The record every drawing state starts with: "System", 16 px cell, one-bit glyphs.
FontDescription default_font_description() noexcept;

}  // namespace korvi::raster

namespace korvi {
// Equal when every field is equal and the face names are equal up to their zero
// (beside the record's type, so that argument lookup finds it everywhere).
bool operator==(const FontDescription& a, const FontDescription& b) noexcept;
}  // namespace korvi

template <>
struct std::hash<korvi::FontDescription> {
  std::size_t operator()(const korvi::FontDescription& d) const noexcept {
    return korvi::raster::hash_value(d);
  }
};
