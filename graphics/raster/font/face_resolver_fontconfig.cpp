#include "font/face_resolver.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "font/font_error.h"

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

// file and index of a fontconfig result pattern, if it names a file.
bool location_of(FcPattern* pattern, FaceLocation& location) {
  FcChar8* file = nullptr;
  if (FcPatternGetString(pattern, FC_FILE, 0, &file) != FcResultMatch || file == nullptr)
    return false;
  int index = 0;
  if (FcPatternGetInteger(pattern, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
  location.file = reinterpret_cast<const char*>(file);
  location.index = index;
  return true;
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

FaceResolver::FaceResolver() : m_config(FcInitLoadConfigAndFonts()) {
  if (!m_config) throw FontError("fontconfig could not load its configuration");
}

std::optional<FaceLocation> FaceResolver::match(const FaceRequest& request) {
  FontconfigPatternHandle pattern(FcPatternCreate());
  if (!pattern) return std::nullopt;
  FcPatternAddString(pattern.get(), FC_FAMILY,
                     reinterpret_cast<const FcChar8*>(request.family.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, request.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(m_config.get(), pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());

  FcResult status = FcResultNoMatch;
  FontconfigPatternHandle match(FcFontMatch(m_config.get(), pattern.get(), &status));
  FaceLocation location;
  if (!match || !location_of(match.get(), location)) return std::nullopt;
  return location;
}

void FaceResolver::load_fallback_candidates() {
  m_candidates_loaded = true;
  FontconfigPatternHandle pattern(FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif")));
  if (!pattern) return;
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(m_config.get(), pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult status = FcResultNoMatch;
  // Trimmed: a face that adds no characters to those before it is left out.
  FontconfigFontSetHandle set(FcFontSort(m_config.get(), pattern.get(), FcTrue, nullptr, &status));
  if (!set) return;
  for (int i = 0; i < set->nfont; ++i) {
    Candidate candidate;
    FcCharSet* charset = nullptr;
    if (!location_of(set->fonts[i], candidate.location)) continue;
    if (FcPatternGetCharSet(set->fonts[i], FC_CHARSET, 0, &charset) != FcResultMatch) continue;
    candidate.charset.reset(FcCharSetCopy(charset));
    m_candidates.push_back(std::move(candidate));
  }
}

std::vector<FaceLocation> FaceResolver::covering(char32_t code_point) {
  if (!m_candidates_loaded) load_fallback_candidates();
  std::vector<FaceLocation> result;
  for (const Candidate& candidate : m_candidates) {
    if (FcCharSetHasChar(candidate.charset.get(), code_point)) result.push_back(candidate.location);
  }
  return result;
}

}  // namespace korvi::raster
