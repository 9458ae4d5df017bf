// What a region handle points to.
#pragma once

#include <korvi/graphics.h>

#include "korvi/raster/region.h"

namespace korvi {

struct RegionObject {
  raster::Region region;
};

}  // namespace korvi
