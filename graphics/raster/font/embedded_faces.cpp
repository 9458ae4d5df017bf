#include "font/embedded_faces.h"

#include <array>
#include <cctype>
#include <string>
#include <string_view>

namespace korvi::raster {

namespace {

struct EmbeddedFace {
  std::string_view family;  // lower case
  bool bold;
  bool italic;
  std::string_view file;
  int index;
};

#define KORVI_FONTS "/usr/share/fonts/truetype/"

// fonts-dejavu-core, fonts-liberation2 and fonts-wqy-microhei, in the order of
// fontconfig's sort for sans-serif.
constexpr std::array<EmbeddedFace, 20> FACES = {{
    {"dejavu sans", false, false, KORVI_FONTS "dejavu/DejaVuSans.ttf", 0},
    {"dejavu sans", true, false, KORVI_FONTS "dejavu/DejaVuSans-Bold.ttf", 0},
    {"wenquanyi micro hei", false, false, KORVI_FONTS "wqy/wqy-microhei.ttc", 0},
    {"dejavu sans mono", false, false, KORVI_FONTS "dejavu/DejaVuSansMono.ttf", 0},
    {"dejavu serif", false, false, KORVI_FONTS "dejavu/DejaVuSerif.ttf", 0},
    {"liberation mono", false, false, KORVI_FONTS "liberation2/LiberationMono-Regular.ttf", 0},
    {"liberation sans", false, false, KORVI_FONTS "liberation2/LiberationSans-Regular.ttf", 0},
    {"liberation serif", false, false, KORVI_FONTS "liberation2/LiberationSerif-Regular.ttf", 0},
    {"wenquanyi micro hei mono", false, false, KORVI_FONTS "wqy/wqy-microhei.ttc", 1},
    {"dejavu sans mono", true, false, KORVI_FONTS "dejavu/DejaVuSansMono-Bold.ttf", 0},
    {"dejavu serif", true, false, KORVI_FONTS "dejavu/DejaVuSerif-Bold.ttf", 0},
    {"liberation mono", true, false, KORVI_FONTS "liberation2/LiberationMono-Bold.ttf", 0},
    {"liberation sans", true, false, KORVI_FONTS "liberation2/LiberationSans-Bold.ttf", 0},
    {"liberation serif", true, false, KORVI_FONTS "liberation2/LiberationSerif-Bold.ttf", 0},
    {"liberation mono", false, true, KORVI_FONTS "liberation2/LiberationMono-Italic.ttf", 0},
    {"liberation sans", false, true, KORVI_FONTS "liberation2/LiberationSans-Italic.ttf", 0},
    {"liberation serif", false, true, KORVI_FONTS "liberation2/LiberationSerif-Italic.ttf", 0},
    {"liberation mono", true, true, KORVI_FONTS "liberation2/LiberationMono-BoldItalic.ttf", 0},
    {"liberation sans", true, true, KORVI_FONTS "liberation2/LiberationSans-BoldItalic.ttf", 0},
    {"liberation serif", true, true, KORVI_FONTS "liberation2/LiberationSerif-BoldItalic.ttf", 0},
}};

#undef KORVI_FONTS

struct FamilyName {
  std::string_view name;    // lower case
  std::string_view family;  // a family of FACES
};

// Other names fontconfig resolves to these families: the faces' own other names, the
// generic families, metric-compatible families (its metric aliases) and common names
// it counts as serif or monospace.
constexpr std::array<FamilyName, 40> FAMILY_NAMES = {{
    {"文泉驛微米黑", "wenquanyi micro hei"},
    {"文泉驿微米黑", "wenquanyi micro hei"},
    {"文泉驛等寬微米黑", "wenquanyi micro hei mono"},
    {"文泉驿等宽微米黑", "wenquanyi micro hei mono"},
    {"sans-serif", "dejavu sans"},
    {"sans", "dejavu sans"},
    {"serif", "dejavu serif"},
    {"monospace", "dejavu sans mono"},
    {"mono", "dejavu sans mono"},
    {"arimo", "liberation sans"},
    {"albany", "liberation sans"},
    {"albany amt", "liberation sans"},
    {"nimbus sans", "liberation sans"},
    {"nimbus sans l", "liberation sans"},
    {"tex gyre heros", "liberation sans"},
    {"times", "liberation serif"},
    {"tinos", "liberation serif"},
    {"thorndale", "liberation serif"},
    {"thorndale amt", "liberation serif"},
    {"nimbus roman", "liberation serif"},
    {"nimbus roman no9 l", "liberation serif"},
    {"tex gyre termes", "liberation serif"},
    {"cousine", "liberation mono"},
    {"cumberland", "liberation mono"},
    {"cumberland amt", "liberation mono"},
    {"nimbus mono ps", "liberation mono"},
    {"nimbus mono l", "liberation mono"},
    {"tex gyre cursor", "liberation mono"},
    {"simsun", "dejavu serif"},
    {"cambria", "dejavu serif"},
    {"constantia", "dejavu serif"},
    {"georgia", "dejavu serif"},
    {"garamond", "dejavu serif"},
    {"palatino", "dejavu serif"},
    {"palatino linotype", "dejavu serif"},
    {"nsimsun", "dejavu sans mono"},
    {"consolas", "dejavu sans mono"},
    {"fixedsys", "dejavu sans mono"},
    {"terminal", "dejavu sans mono"},
    {"andale mono", "dejavu sans mono"},
}};

constexpr std::string_view DEFAULT_FAMILY = "dejavu sans";

std::string lower_ascii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

std::string_view carried_family(std::string_view request_family) {
  const std::string name = lower_ascii(request_family);
  for (const EmbeddedFace& face : FACES) {
    if (face.family == name) return face.family;
  }
  for (const FamilyName& alias : FAMILY_NAMES) {
    if (alias.name == name) return alias.family;
  }
  return DEFAULT_FAMILY;
}

FaceLocation location_of(const EmbeddedFace& face) {
  return {std::string(face.file), face.index};
}

}  // namespace

FaceLocation embedded_face(const FaceRequest& request) {
  const std::string_view family = carried_family(request.family);
  // Ranked by slant, then weight.
  const EmbeddedFace* best = nullptr;
  int best_rank = -1;
  for (const EmbeddedFace& face : FACES) {
    if (face.family != family) continue;
    const int rank = (face.italic == request.italic ? 2 : 0) + (face.bold == request.bold ? 1 : 0);
    if (rank > best_rank) {
      best = &face;
      best_rank = rank;
    }
  }
  return location_of(*best);  // every family named in the tables has a face
}

std::vector<FaceLocation> embedded_fallback_faces() {
  std::vector<FaceLocation> faces;
  faces.reserve(FACES.size());
  for (const EmbeddedFace& face : FACES) faces.push_back(location_of(face));
  return faces;
}

}  // namespace korvi::raster
