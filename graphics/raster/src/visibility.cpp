#include "korvi/raster/visibility.h"

namespace korvi::raster {

Visibility::Visibility(PixelBox surface_bounds, const Region* clip) {
  if (surface_bounds.empty()) return;
  if (clip == nullptr) {
    m_bounds = surface_bounds;
    return;
  }
  m_region = clip->intersected(surface_bounds);
  m_bounds = m_region.bounds();
  m_is_rectangle = m_region.is_rectangle() || m_region.empty();
  if (m_region.empty()) m_bounds = {};
}

}  // namespace korvi::raster
