#include <algorithm>
#include <stdexcept>

#include "image_data.h"
#include "library.h"

namespace korvi {

Image::Image(int width, int height) : m_data(std::make_unique<Data>()) {
  library();  // made before the first image, so it is destroyed after the last one
  Image::reset_state();
  if (width != 0 && height != 0) Image::resize(width, height);
}

Image::Image(BackBufferTag) : m_data(std::make_unique<Data>()), m_tracked(false) {
  Image::reset_state();
}

Image::Image(const Image& other) : m_data(std::make_unique<Data>()) {
  library();
  *this = other;
}

Image& Image::operator=(const Image& other) {
  if (this == &other) return *this;
  Data& mine = *m_data;
  const Data& theirs = *other.m_data;
  raster::Surface copy(theirs.width(), theirs.height());
  raster::copy_pixels(copy, {0, 0}, theirs.surface, theirs.surface.bounds());
  mine.surface = std::move(copy);
  mine.dc = theirs.dc;
  mine.dc.bind(&mine.surface);
  mine.state = theirs.state;
  mine.font = theirs.font;
  mine.font_selected = theirs.font_selected;
  return *this;
}

void Image::reset_state() {
  Data& data = *m_data;
  reset_drawing_state_fields(data.state);
  apply_default_dc_settings(data.dc, data.state);
  data.font = raster::default_font_description();
  data.font_selected = false;
}

Image::~Image() {
  if (m_tracked) library().forget_image(this);
}

void Image::resize(int width, int height) {
  if (width <= 0 || height <= 0) return;
  Data& data = *m_data;
  raster::Surface fresh;
  try {
    fresh = raster::Surface(width, height);
  } catch (const std::length_error&) {
    return;  // a size no surface can have: the image stays as it was
  } catch (const std::bad_alloc&) {
    return;
  }
  fresh.fill(raster::pixel_from_color(data.state.bk_color));
  if (!data.surface.empty())
    raster::copy_pixels(fresh, {0, 0}, data.surface, data.surface.bounds());
  data.surface = std::move(fresh);
  data.dc.bind(&data.surface);
}

int Image::width() const { return m_data->width(); }
int Image::height() const { return m_data->height(); }

}  // namespace korvi
