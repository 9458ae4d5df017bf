#pragma once
// The faces a build without fontconfig carries (the web page's), from the Debian font
// packages the library depends on, at the paths they are installed at, and the names
// that find them. Lookups give the faces fontconfig gives on Linux with the same
// packages installed, for the families of these faces, the generic families, the
// metric-compatible names and the common names fontconfig counts as serif or
// monospace; any other name finds the default sans-serif face, as it does there.
// Internal to the font engine; pure code, usable (and tested) in every build.

#include <optional>
#include <vector>

#include "font/face_request.h"

namespace korvi::raster {

// The face for a request: the family's face of the same slant if it has one, then
// of the nearest weight (fontconfig ranks slant above weight). A face the family
// lacks is synthesised from the one returned.
FaceLocation embedded_face(const FaceRequest& request);

// Every carried face, in the order fontconfig tries them for characters the chosen
// face lacks (its sort for sans-serif).
std::vector<FaceLocation> embedded_fallback_faces();

}  // namespace korvi::raster
