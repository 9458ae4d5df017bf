#pragma once
// Border flood fill: the 4-connected area around a seed pixel, bounded by pixels of a
// border colour and by the edge of what is visible.

#include <cstdint>

#include "korvi/raster/color.h"
#include "korvi/raster/geometry.h"
#include "korvi/raster/surface.h"
#include "korvi/raster/visibility.h"
#include "paint.h"

namespace korvi::raster {

// Paints with paint every pixel of the area that contains seed: the pixels reachable
// from it through visible pixels whose colour (top byte aside) is not border. The area
// is what the picture shows before the fill, whatever the paint writes: a pixel is
// looked at only until it is taken, and painted once, right when it is taken. Callers
// check that seed is visible and not of the border colour.
void flood_fill_device(Surface& surface, const Visibility& visible, Point seed, Pixel border,
                       const AreaPaint& paint);

}  // namespace korvi::raster
