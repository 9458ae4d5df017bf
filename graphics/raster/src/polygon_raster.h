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
#include "korvi/raster/geometry.h"
#include "korvi/raster/region.h"
#include "row_callback.h"

namespace korvi::raster {

inline constexpr int FIXED_SHIFT = 8;
inline constexpr std::int64_t FIXED_ONE = std::int64_t{1} << FIXED_SHIFT;

// The fixed-point position of a device pixel's corner.
inline DevicePoint fixed_point(DevicePoint pixel) {
  return {pixel.x * FIXED_ONE, pixel.y * FIXED_ONE};
}

// Closed contours; each ends where the next begins.
class PolygonPath {
 public:
  void add_point(std::int64_t fx, std::int64_t fy) { m_points.push_back({fx, fy}); }
  // Device coordinates, rounded to the fixed grid and saturated at twice DEVICE_LIMIT.
  void add_point(PointF p);
  void add_pixel_point(DevicePoint p) { m_points.push_back(fixed_point(p)); }
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

// One non-horizontal edge that crosses the centre line of rows [first_row, end_row)
// inside the clip; (x0, y0) is its upper end, fixed point.
struct PolygonEdge {
  std::int64_t x0, y0;
  std::int64_t dx, dy;  // dy > 0
  std::int32_t first_row;
  std::int32_t end_row;
  int winding;  // +1 downwards, -1 upwards
};

// The edge table of a scanline fill: the edges of closed contours that cross a row
// centre inside a clip box. Edges come one at a time, so the points of a polygon can
// stream in without being stored; edges that cannot change a visible pixel are left
// out as they come.
class EdgeTable {
 public:
  explicit EdgeTable(PixelBox clip);
  // The edge between two fixed-point points; its direction gives its winding.
  void add_edge(DevicePoint from, DevicePoint to) {
    if (from.y != to.y) add_sloped_edge(from, to);
  }
  // Every edge of the path's closed contours.
  void add_path(const PolygonPath& path);

  PixelBox clip() const { return m_clip; }
  std::vector<PolygonEdge>& edges() { return m_edges; }

 private:
  void add_sloped_edge(DevicePoint from, DevicePoint to);

  PixelBox m_clip;
  std::int64_t m_clip_left_fixed;   // centre of the clip's first column
  std::int64_t m_clip_right_fixed;  // centre of the first column right of the clip
  std::vector<PolygonEdge> m_edges;
};

// A closed contour streamed into an edge table point by point: each point adds the
// edge from the one before, close() the edge back to the first.
class ContourEdges {
 public:
  explicit ContourEdges(EdgeTable& table) : m_table(table) {}
  void add_point(DevicePoint fixed) {
    if (m_count++ == 0) {
      m_first = fixed;
    } else {
      m_table.add_edge(m_last, fixed);
    }
    m_last = fixed;
  }
  void close() {
    if (m_count > 1) m_table.add_edge(m_last, m_first);
    m_count = 0;
  }

 private:
  EdgeTable& m_table;
  DevicePoint m_first;
  DevicePoint m_last;
  std::size_t m_count = 0;
};

// Emits the covered spans row by row, cut to the table's clip, rows ascending; within a
// row the spans are ascending, disjoint and not touching. Rows without spans are
// skipped. The table's edges are reordered.
void rasterize_edges(EdgeTable& table, FillRule rule, RowFn out);
// The same for a path.
void rasterize_polygon(const PolygonPath& path, FillRule rule, PixelBox clip, RowFn out);

}  // namespace korvi::raster
