#pragma once
// What a font description asks of the face resolver: the family and its style, after
// the names programs commonly ask for are mapped to the faces we carry. Internal to
// the font engine.

#include <string>

#include "font/font_description.h"

namespace korvi::raster {

// Where a face is: a font file and the face's index in it.
struct FaceLocation {
  std::string file;
  int index = 0;

  bool operator==(const FaceLocation&) const = default;
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
// family its pitch and family bits ask for; anything else is passed on as it is.
FaceRequest face_request(const FontDescription& description);

}  // namespace korvi::raster
