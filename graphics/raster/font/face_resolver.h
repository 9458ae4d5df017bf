#pragma once
// Finding faces: by family for a font description, and by character coverage for
// characters the chosen face lacks. Internal to the font engine. Two builds: with
// fontconfig among the installed fonts (face_resolver_fontconfig.cpp), and from the
// table of faces a build without fontconfig carries (face_resolver_embedded.cpp).

#include <memory>
#include <optional>
#include <vector>

#include "font/face_request.h"

namespace korvi::raster {

class FaceResolver {
 public:
  FaceResolver();  // throws FontError
  ~FaceResolver();
  FaceResolver(const FaceResolver&) = delete;
  FaceResolver& operator=(const FaceResolver&) = delete;

  // The face closest to the request, if any.
  std::optional<FaceLocation> match(const FaceRequest& request);

  // Faces that may have a glyph for the character, best first. The caller checks
  // the glyph: a face may also be missing or unreadable.
  std::vector<FaceLocation> covering(char32_t code_point);

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace korvi::raster
