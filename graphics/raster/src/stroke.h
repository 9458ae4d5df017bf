#pragma once
// Wide pens: paths in device space turned into closed, positively wound contours whose
// union (the winding rule) is the stroke, so every pixel is written once.

#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "device_point.h"
#include "paint.h"
#include "polygon_raster.h"

namespace korvi::raster {

struct BoxF {
  double left, top, right, bottom;
};

struct StrokeStyle {
  double width = 1.0;
  std::uint32_t cap = PEN_CAP_ROUND;
  std::uint32_t join = PEN_JOIN_ROUND;
  double miter_limit = 10.0;
  // Pieces wholly outside this box are dropped: they could not be seen.
  BoxF keep{-1e300, -1e300, 1e300, 1e300};
};

// Adds the stroke of a polyline (closed: the last point joins the first) to out.
void stroke_path(std::span<const PointF> points, bool closed, const StrokeStyle& style,
                 PolygonPath& out);

// Cuts a path into dash pieces by the runs (starting with a dash); pieces of dashes go
// to on, pieces of gaps to off when it is not null. Each piece is an open path. Only
// the parts inside keep make pieces (the pattern still counts the rest), so the cost
// follows what is visible.
void dash_path(std::span<const PointF> points, bool closed, const DashRuns& runs, const BoxF& keep,
               std::vector<std::vector<PointF>>& on, std::vector<std::vector<PointF>>* off);

// Points of a polygon approximating the circle, counter-clockwise.
void circle_points(PointF centre, double radius, std::vector<PointF>& out);

// Points along the ellipse with the given centre and radii from angle a0 to a1
// (radians, counter-clockwise as seen on screen); enough of them for sub-pixel
// accuracy, but at most a few thousand.
void ellipse_points(PointF centre, double rx, double ry, double a0, double a1,
                    std::vector<PointF>& out);

}  // namespace korvi::raster
