#include "font/face_request.h"

#include <array>
#include <cctype>
#include <string_view>

namespace korvi::raster {

namespace {

struct Alias {
  std::string_view name;
  std::string_view family;
  bool bold;
};

// Names programs ask for, mapped to installed faces with the same metrics.
constexpr std::array<Alias, 6> ALIASES = {{
    {"system", "Liberation Sans", true},
    {"arial", "Liberation Sans", false},
    {"helvetica", "Liberation Sans", false},
    {"times new roman", "Liberation Serif", false},
    {"courier new", "Liberation Mono", false},
    {"courier", "Liberation Mono", false},
}};

std::string lower_ascii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

std::string_view generic_family(std::uint8_t pitch_and_family) {
  const std::uint8_t family = pitch_and_family & 0xF0;
  if (family == FAMILY_MODERN || (pitch_and_family & 0x03) == PITCH_FIXED) return "monospace";
  if (family == FAMILY_ROMAN) return "serif";
  return "sans-serif";
}

}  // namespace

FaceRequest face_request(const FontDescription& description) {
  FaceRequest request;
  request.bold = description.weight >= WEIGHT_BOLD_THRESHOLD;
  request.italic = description.italic != 0;
  const std::string_view name = face_name(description);
  if (name.empty()) {
    request.family = generic_family(description.pitch_and_family);
    return request;
  }
  const std::string lower = lower_ascii(name);
  for (const Alias& alias : ALIASES) {
    if (lower == alias.name) {
      request.family = alias.family;
      request.bold = request.bold || alias.bold;
      return request;
    }
  }
  request.family = name;
  return request;
}

}  // namespace korvi::raster
