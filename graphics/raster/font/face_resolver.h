#pragma once
// Finding installed faces with fontconfig: by family for a font description, and by
// character coverage for characters the chosen face lacks. Internal to the font
// engine. Each resolver owns its own fontconfig configuration.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "font/font_description.h"
#include "font/freetype_handles.h"

namespace korvi::raster {

struct FaceLocation {
  std::string file;
  int index = 0;
};

// What a description asks of the face: the family to look for and its style.
struct FaceRequest {
  std::string family;
  bool bold = false;
  bool italic = false;

  bool operator==(const FaceRequest&) const = default;
};

// Maps the description's face name to an installed family of similar look and
// metrics: "System" (the default font, always bold) and "Arial" to Liberation Sans,
// the other common metric-compatible names likewise; an empty name to the generic
// family its pitch and family bits ask for; anything else is passed to fontconfig.
FaceRequest face_request(const FontDescription& description);

class FaceResolver {
 public:
  FaceResolver();  // throws FontError

  // The installed face fontconfig finds closest to the request, if any.
  std::optional<FaceLocation> match(const FaceRequest& request);

  // Installed faces that have a glyph for the character, best first.
  std::vector<FaceLocation> covering(char32_t code_point);

 private:
  struct Candidate {
    FaceLocation location;
    FontconfigCharSetHandle charset;
  };

  void load_fallback_candidates();

  FontconfigConfigHandle m_config;
  std::vector<Candidate> m_candidates;
  bool m_candidates_loaded = false;
};

}  // namespace korvi::raster
