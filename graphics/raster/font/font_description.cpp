#include "font/font_description.h"

#include <algorithm>
#include <cstring>

namespace korvi::raster {

namespace {

constexpr std::size_t MAX_FACE_NAME_LENGTH = FACE_NAME_SIZE - 1;

bool is_utf8_continuation(char c) noexcept {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::uint64_t load_u64(const unsigned char* p) noexcept {
  std::uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

}  // namespace

std::string_view face_name(const FontDescription& description) noexcept {
  const char* begin = description.face_name;
  const char* end = std::find(begin, begin + FACE_NAME_SIZE, '\0');
  return {begin, static_cast<std::size_t>(end - begin)};
}

void set_face_name(FontDescription& description, std::string_view name) noexcept {
  std::size_t length = std::min(name.size(), MAX_FACE_NAME_LENGTH);
  if (length < name.size()) {
    // Do not leave half a character behind.
    while (length > 0 && is_utf8_continuation(name[length])) --length;
  }
  std::memset(description.face_name, 0, FACE_NAME_SIZE);
  std::memcpy(description.face_name, name.data(), length);
}

FontDescription normalized(const FontDescription& description) noexcept {
  FontDescription result = description;
  std::string_view name = face_name(description);
  std::size_t length = std::min(name.size(), MAX_FACE_NAME_LENGTH);
  std::memset(result.face_name + length, 0, FACE_NAME_SIZE - length);
  return result;
}

std::size_t hash_value(const FontDescription& description) noexcept {
  // The record has no padding, so hashing its normalised bytes is exact.
  const FontDescription n = normalized(description);
  unsigned char bytes[64] = {};
  std::memcpy(bytes, &n, sizeof n);
  std::uint64_t h = 0x9E3779B97F4A7C15ull;
  for (std::size_t i = 0; i < sizeof bytes; i += 8) {
    h ^= load_u64(bytes + i);
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 31;
  }
  return static_cast<std::size_t>(h);
}

FontDescription default_font_description() noexcept {
  FontDescription d;
  d.height = 16;
  d.char_set = CHARSET_DEFAULT;
  d.quality = QUALITY_NONANTIALIASED;
  set_face_name(d, "System");
  return d;
}

}  // namespace korvi::raster

bool korvi::operator==(const FontDescription& a, const FontDescription& b) noexcept {
  const FontDescription na = raster::normalized(a);
  const FontDescription nb = raster::normalized(b);
  return std::memcmp(&na, &nb, sizeof na) == 0;
}
