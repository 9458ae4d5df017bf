// What an Image holds: its pixels, the device context that draws on them, its
// drawing state and the description of its font.
#pragma once

#include <korvi/graphics.h>

#include "drawing_state.h"
#include "font/font_description.h"
#include "korvi/raster/device_context.h"
#include "korvi/raster/surface.h"

namespace korvi {

struct Image::Data {
  raster::Surface surface;
  raster::DeviceContext dc{&surface};
  DrawingState state;
  // The font of the device context. Fonts are made when text is first drawn or
  // measured, so that images that never show text never start the font engine.
  raster::FontDescription font = raster::default_font_description();
  bool font_selected = false;

  int width() const { return surface.width(); }
  int height() const { return surface.height(); }

  Data() = default;
  Data(const Data&) = delete;
  Data& operator=(const Data&) = delete;
};

}  // namespace korvi
