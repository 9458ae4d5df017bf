#include "font/embedded_faces.h"
#include "font/face_resolver.h"

namespace korvi::raster {

// The carried faces need no configuration: the resolver is a view of their table.
struct FaceResolver::Impl {};

FaceResolver::FaceResolver() = default;

FaceResolver::~FaceResolver() = default;

std::optional<FaceLocation> FaceResolver::match(const FaceRequest& request) {
  return embedded_face(request);
}

std::vector<FaceLocation> FaceResolver::covering(char32_t) { return embedded_fallback_faces(); }

}  // namespace korvi::raster
