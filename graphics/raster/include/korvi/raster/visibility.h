#pragma once
// The visible part of a surface: its bounds, cut by an optional clip region.

#include <algorithm>
#include <cstdint>

#include "korvi/raster/geometry.h"
#include "korvi/raster/region.h"

namespace korvi::raster {

class Visibility {
 public:
  // Nothing visible.
  Visibility() = default;
  Visibility(PixelBox surface_bounds, const Region* clip);

  bool empty() const { return m_bounds.empty(); }
  // Bounding box of the visible pixels.
  PixelBox bounds() const { return m_bounds; }
  // True when the visible pixels are exactly bounds().
  bool is_rectangle() const { return m_is_rectangle; }
  const Region& region() const { return m_region; }
  bool contains(std::int64_t x, std::int64_t y) const {
    return m_bounds.contains(x, y) && (m_is_rectangle || m_region.contains(x, y));
  }

  // Calls f(y, x0, x1) for each visible piece of the pixels [x0, x1) of row y.
  template <class F>
  void clip_span(std::int64_t y, std::int64_t x0, std::int64_t x1, F&& f) const {
    if (y < m_bounds.top || y >= m_bounds.bottom) return;
    const std::int64_t left = std::max<std::int64_t>(x0, m_bounds.left);
    const std::int64_t right = std::min<std::int64_t>(x1, m_bounds.right);
    if (left >= right) return;
    const auto row = static_cast<std::int32_t>(y);
    if (m_is_rectangle) {
      f(row, static_cast<std::int32_t>(left), static_cast<std::int32_t>(right));
      return;
    }
    const Region::Band* band = m_region.band_at(y);
    if (band == nullptr) return;
    const auto spans = m_region.spans(*band);
    auto it = std::upper_bound(spans.begin(), spans.end(), left,
                               [](std::int64_t v, const Span& s) { return v < s.right; });
    for (; it != spans.end() && it->left < right; ++it) {
      f(row, static_cast<std::int32_t>(std::max<std::int64_t>(it->left, left)),
        static_cast<std::int32_t>(std::min<std::int64_t>(it->right, right)));
    }
  }

  // Calls f(y, x0, x1) for each visible span inside rect, rows ascending.
  template <class F>
  void for_each_span(PixelBox rect, F&& f) const {
    const PixelBox r = rect.intersected(m_bounds);
    if (r.empty()) return;
    if (m_is_rectangle) {
      for (std::int32_t y = r.top; y < r.bottom; ++y) f(y, r.left, r.right);
      return;
    }
    for (const Region::Band& band : m_region.bands()) {
      if (band.bottom <= r.top) continue;
      if (band.top >= r.bottom) break;
      const auto spans = m_region.spans(band);
      const std::int32_t top = std::max(band.top, r.top);
      const std::int32_t bottom = std::min(band.bottom, r.bottom);
      for (std::int32_t y = top; y < bottom; ++y) {
        for (const Span& s : spans) {
          const std::int32_t a = std::max(s.left, r.left);
          const std::int32_t b = std::min(s.right, r.right);
          if (a < b) f(y, a, b);
        }
      }
    }
  }

 private:
  PixelBox m_bounds;
  bool m_is_rectangle = true;
  Region m_region;
};

}  // namespace korvi::raster
