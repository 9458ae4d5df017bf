#include "region_shapes.h"

#include <algorithm>

#include "ellipse_raster.h"

namespace korvi::raster {
namespace {

constexpr PixelBox LIMIT_BOX{-REGION_LIMIT, -REGION_LIMIT, REGION_LIMIT, REGION_LIMIT};

}  // namespace

Region region_from_edges(EdgeTable& edges, FillRule rule) {
  RegionBuilder builder;
  rasterize_edges(edges, rule, [&](std::int32_t y, const Span* spans, std::size_t count) {
    builder.add_row(y, {spans, count});
  });
  return builder.finish();
}

Region region_from_path(const PolygonPath& path, FillRule rule, PixelBox clip) {
  EdgeTable edges(clip);
  edges.add_path(path);
  return region_from_edges(edges, rule);
}

Region Region::ellipse(PixelBox box) {
  const EllipseRows rows(box.left, box.top, box.right, box.bottom);
  RegionBuilder builder;
  if (rows.empty()) return builder.finish();
  const std::int64_t top = std::max<std::int64_t>(rows.top(), -REGION_LIMIT);
  const std::int64_t bottom = std::min<std::int64_t>(rows.bottom(), REGION_LIMIT);
  for (std::int64_t y = top; y < bottom; ++y) {
    std::int64_t x0 = 0;
    std::int64_t x1 = 0;
    if (!rows.row(y, x0, x1)) continue;
    const Span span{static_cast<std::int32_t>(std::max<std::int64_t>(x0, -REGION_LIMIT)),
                    static_cast<std::int32_t>(std::min<std::int64_t>(x1, REGION_LIMIT))};
    builder.add_row(static_cast<std::int32_t>(y), {&span, 1});
  }
  return builder.finish();
}

Region Region::polygon(std::span<const Point> points, FillRule rule) {
  // A polygon the region coordinates cannot hold is refused whole rather than cut.
  const auto representable = [](const Point& p) {
    return p.x >= -REGION_LIMIT && p.x <= REGION_LIMIT && p.y >= -REGION_LIMIT &&
           p.y <= REGION_LIMIT;
  };
  if (!std::all_of(points.begin(), points.end(), representable)) return Region();
  EdgeTable edges(LIMIT_BOX);
  ContourEdges contour(edges);
  for (const Point& p : points) contour.add_point(fixed_point({p.x, p.y}));
  contour.close();
  return region_from_edges(edges, rule);
}

}  // namespace korvi::raster
