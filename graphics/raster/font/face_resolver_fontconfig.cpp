#include <fontconfig/fontconfig.h>

#include <memory>

#include "font/face_resolver.h"
#include "font/font_error.h"

namespace korvi::raster {

namespace {

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

using FontconfigConfigHandle = std::unique_ptr<FcConfig, FontconfigConfigDeleter>;
using FontconfigPatternHandle = std::unique_ptr<FcPattern, FontconfigPatternDeleter>;
using FontconfigFontSetHandle = std::unique_ptr<FcFontSet, FontconfigFontSetDeleter>;
using FontconfigCharSetHandle = std::unique_ptr<FcCharSet, FontconfigCharSetDeleter>;

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

// Each resolver owns its own fontconfig configuration.
struct FaceResolver::Impl {
  struct Candidate {
    FaceLocation location;
    FontconfigCharSetHandle charset;
  };

  FontconfigConfigHandle config{FcInitLoadConfigAndFonts()};
  std::vector<Candidate> candidates;
  bool candidates_loaded = false;

  void load_fallback_candidates();
};

FaceResolver::FaceResolver() : m_impl(std::make_unique<Impl>()) {
  if (!m_impl->config) throw FontError("fontconfig could not load its configuration");
}

FaceResolver::~FaceResolver() = default;

std::optional<FaceLocation> FaceResolver::match(const FaceRequest& request) {
  FcConfig* config = m_impl->config.get();
  FontconfigPatternHandle pattern(FcPatternCreate());
  if (!pattern) return std::nullopt;
  FcPatternAddString(pattern.get(), FC_FAMILY,
                     reinterpret_cast<const FcChar8*>(request.family.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, request.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());

  FcResult status = FcResultNoMatch;
  FontconfigPatternHandle match(FcFontMatch(config, pattern.get(), &status));
  FaceLocation location;
  if (!match || !location_of(match.get(), location)) return std::nullopt;
  return location;
}

void FaceResolver::Impl::load_fallback_candidates() {
  candidates_loaded = true;
  FontconfigPatternHandle pattern(FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif")));
  if (!pattern) return;
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config.get(), pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult status = FcResultNoMatch;
  // Trimmed: a face that adds no characters to those before it is left out.
  FontconfigFontSetHandle set(FcFontSort(config.get(), pattern.get(), FcTrue, nullptr, &status));
  if (!set) return;
  for (int i = 0; i < set->nfont; ++i) {
    Candidate candidate;
    FcCharSet* charset = nullptr;
    if (!location_of(set->fonts[i], candidate.location)) continue;
    if (FcPatternGetCharSet(set->fonts[i], FC_CHARSET, 0, &charset) != FcResultMatch) continue;
    candidate.charset.reset(FcCharSetCopy(charset));
    candidates.push_back(std::move(candidate));
  }
}

std::vector<FaceLocation> FaceResolver::covering(char32_t code_point) {
  if (!m_impl->candidates_loaded) m_impl->load_fallback_candidates();
  std::vector<FaceLocation> result;
  for (const Impl::Candidate& candidate : m_impl->candidates) {
    if (FcCharSetHasChar(candidate.charset.get(), code_point)) result.push_back(candidate.location);
  }
  return result;
}

}  // namespace korvi::raster
