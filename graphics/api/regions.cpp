// Region handles: clip regions made, combined and freed by the caller.
#include <korvi/graphics.h>

#include <algorithm>
#include <memory>
#include <span>

#include "state/region_object.h"

namespace korvi {
namespace {

int complexity(const raster::Region& region) {
  if (region.empty()) return NULLREGION;
  return region.is_rectangle() ? SIMPLEREGION : COMPLEXREGION;
}

// A half-open box from two corners in any order, limited to what regions hold.
raster::PixelBox ordered_box(int left, int top, int right, int bottom) {
  auto limit = [](int v) { return std::clamp(v, -raster::REGION_LIMIT, raster::REGION_LIMIT); };
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  return {limit(left), limit(top), limit(right), limit(bottom)};
}

// Ownership passes to the caller with the handle, and back at delete_region().
RegionHandle make(raster::Region region) {
  return std::make_unique<RegionObject>(RegionObject{std::move(region)}).release();
}

}  // namespace

RegionHandle create_rect_region(int left, int top, int right, int bottom) {
  return make(raster::Region::rectangle(ordered_box(left, top, right, bottom)));
}

RegionHandle create_elliptic_region(int left, int top, int right, int bottom) {
  return make(raster::Region::ellipse(ordered_box(left, top, right, bottom)));
}

RegionHandle create_polygon_region(const Point* points, int count, int fill_mode) {
  if (!points || count < 0 || (fill_mode != ALTERNATE && fill_mode != WINDING)) return nullptr;
  return make(
      raster::Region::polygon(std::span<const Point>(points, static_cast<std::size_t>(count)),
                              static_cast<raster::FillRule>(fill_mode)));
}

int combine_region(RegionHandle destination, RegionHandle a, RegionHandle b, int mode) {
  if (!destination || !a || mode < RGN_AND || mode > RGN_COPY) return REGION_ERROR;
  if (mode == RGN_COPY) {
    destination->region = a->region;
  } else {
    if (!b) return REGION_ERROR;
    const auto combine_mode = static_cast<raster::CombineMode>(mode);
    // Growing a region piece by piece, in place, costs about the piece.
    if (destination == a && b != a)
      destination->region.combine_with(b->region, combine_mode);
    else
      destination->region = raster::Region::combine(a->region, b->region, combine_mode);
  }
  return complexity(destination->region);
}

int offset_region(RegionHandle region, int dx, int dy) {
  if (!region) return REGION_ERROR;
  region->region.translate(dx, dy);
  return complexity(region->region);
}

bool point_in_region(RegionHandle region, int x, int y) {
  return region && region->region.contains(x, y);
}

bool equal_region(RegionHandle a, RegionHandle b) { return a && b && a->region == b->region; }

int get_region_box(RegionHandle region, Rect* box) {
  if (!region || !box) return REGION_ERROR;
  const raster::PixelBox bounds = region->region.bounds();
  *box = {bounds.left, bounds.top, bounds.right, bounds.bottom};
  return complexity(region->region);
}

void delete_region(RegionHandle region) { std::unique_ptr<RegionObject> owned(region); }

}  // namespace korvi
