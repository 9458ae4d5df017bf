#pragma once

#include <stdexcept>

namespace korvi::raster {

// Raised when the font machinery itself cannot start (FreeType or fontconfig fail to
// initialise). Missing faces are no error: they fall back to other installed faces.
class FontError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace korvi::raster
