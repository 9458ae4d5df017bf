#pragma once
// Regions made by the same rasterisers that draw, so that a region and the shape drawn
// with the same coordinates cover the same pixels.

#include "korvi/raster/region.h"
#include "polygon_raster.h"

namespace korvi::raster {

// The pixels the path covers by the rule, cut to clip.
Region region_from_path(const PolygonPath& path, FillRule rule, PixelBox clip);
// The pixels the edges cover by the rule, cut to their clip.
Region region_from_edges(EdgeTable& edges, FillRule rule);

}  // namespace korvi::raster
