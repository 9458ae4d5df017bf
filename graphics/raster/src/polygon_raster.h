#pragma once
// Scanline fill of closed polygons at pixel centres.
//
// Vertices are fixed point with FIXED_SHIFT fraction bits. A pixel (x, y) is covered
// when its centre (x + 1/2, y + 1/2) is inside by the fill rule; a centre exactly on a
// left edge is inside and on a right edge outside, and rows follow the same half-open
// rule, so polygons that share an edge cover each pixel along it exactly once.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "device_point.h"
#include "function_ref.h"
#include "korvi/raster/geometry.h"
#include "korvi/raster/region.h"

namespace korvi::raster {

inline constexpr int FIXED_SHIFT = 8;
inline constexpr std::int64_t FIXED_ONE = std::int64_t{1} << FIXED_SHIFT;

// Closed contours; each ends where the next begins.
class PolygonPath {
 public:
  void add_point(std::int64_t fx, std::int64_t fy) { m_points.push_back({fx, fy}); }
  // Device coordinates, rounded to the fixed grid and saturated at twice DEVICE_LIMIT.
  void add_point(PointF p);
  void add_pixel_point(DevicePoint p) { add_point(p.x * FIXED_ONE, p.y * FIXED_ONE); }
  // Ends the current contour; contours of fewer than 3 points are dropped.
  void close_contour();
  // Adds a closed contour, reversed if needed so that it winds positively (so that a
  // union of such contours fills by the winding rule without holes).
  void add_positive_contour(const std::vector<PointF>& points);
  bool empty() const { return m_ends.empty(); }
  void clear();

  const std::vector<DevicePoint>& points() const { return m_points; }
  const std::vector<std::size_t>& ends() const { return m_ends; }

 private:
  std::vector<DevicePoint> m_points;
  std::vector<std::size_t> m_ends;
};

// Emits the covered spans row by row, cut to clip, rows ascending; within a row the
// spans are ascending and disjoint. Rows without spans are skipped.
void rasterize_polygon(const PolygonPath& path, FillRule rule, Rect clip, RowFn out);

}  // namespace korvi::raster
