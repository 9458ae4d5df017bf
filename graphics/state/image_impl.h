// What an Image holds: its pixels, the device context that draws on them, its
// drawing state and the description of its font.
#pragma once

#include <korvi/graphics.h>

#include "font/font_description.h"
#include "korvi/raster/device_context.h"
#include "korvi/raster/surface.h"
#include "state/drawing_state.h"

namespace korvi {

class ImageImpl {
 public:
  ImageImpl() = default;
  ImageImpl(const ImageImpl&) = delete;
  ImageImpl& operator=(const ImageImpl&) = delete;

  int width() const { return surface.width(); }
  int height() const { return surface.height(); }

  raster::Surface surface;
  raster::DeviceContext dc{&surface};
  DrawingState state;
  // The font of the drawing state. A device context gets it when it first draws
  // or measures text (see select_current_font), so that images that never show
  // text never start the font engine.
  FontDescription font = raster::default_font_description();
  // Whether the library forgets the image when it is destroyed while it is the
  // target: every image but the graphics window's own picture.
  bool tracked = true;
};

// The library's way into an image.
struct ImageAccess {
  static ImageImpl& of(Image& image) { return *image.m_impl; }
  static const ImageImpl& of(const Image& image) { return *image.m_impl; }
};

inline ImageImpl& impl_of(Image& image) { return ImageAccess::of(image); }
inline const ImageImpl& impl_of(const Image& image) { return ImageAccess::of(image); }

// Gives the image these pixels in place of its own; its device context draws on them
// from then on. The window's picture changes under the drawing lock.
void replace_pixels(Image& image, raster::Surface pixels);

}  // namespace korvi
