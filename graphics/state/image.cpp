#include <stdexcept>

#include "state/graphics_library.h"
#include "state/image_impl.h"

namespace korvi {

Image::Image(int width, int height) : m_impl(std::make_unique<ImageImpl>()) {
  library();  // made before the first image, so it is destroyed after the last one
  Image::reset_state();
  if (width != 0 && height != 0) Image::resize(width, height);
}

Image::Image(std::unique_ptr<ImageImpl> impl) : m_impl(std::move(impl)) { Image::reset_state(); }

Image::Image(const Image& other) : m_impl(std::make_unique<ImageImpl>()) {
  library();
  *this = other;
}

Image& Image::operator=(const Image& other) {
  if (this == &other) return *this;
  ImageImpl& mine = *m_impl;
  const ImageImpl& theirs = *other.m_impl;
  raster::Surface copy(theirs.width(), theirs.height());
  raster::copy_pixels(copy, {0, 0}, theirs.surface, theirs.surface.bounds());
  const auto lock = library().lock_if_shown(*this);
  mine.surface = std::move(copy);
  mine.dc = theirs.dc;
  mine.dc.bind(&mine.surface);
  mine.state = theirs.state;
  mine.font = theirs.font;
  return *this;
}

void Image::reset_state() {
  ImageImpl& impl = *m_impl;
  reset_drawing_state_fields(impl.state);
  apply_default_dc_settings(impl.dc, impl.state);
  impl.font = raster::default_font_description();
}

Image::~Image() {
  if (m_impl->tracked) library().forget_image(this);
}

void Image::resize(int width, int height) {
  if (width <= 0 || height <= 0) return;
  ImageImpl& impl = *m_impl;
  raster::Surface fresh;
  try {
    fresh = raster::Surface(width, height);
  } catch (const std::length_error&) {
    return;  // a size no surface can have: the image stays as it was
  } catch (const std::bad_alloc&) {
    return;
  }
  fresh.fill(raster::pixel_from_color(impl.state.bk_color));
  if (!impl.surface.empty())
    raster::copy_pixels(fresh, {0, 0}, impl.surface, impl.surface.bounds());
  replace_pixels(*this, std::move(fresh));
}

void replace_pixels(Image& image, raster::Surface pixels) {
  ImageImpl& impl = impl_of(image);
  const auto lock = library().lock_if_shown(image);
  impl.surface = std::move(pixels);
  impl.dc.bind(&impl.surface);
}

int Image::width() const { return m_impl->width(); }
int Image::height() const { return m_impl->height(); }

}  // namespace korvi
