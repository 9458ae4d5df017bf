#pragma once
// The row callback of the rasterisers.

#include <cstddef>
#include <cstdint>

#include "korvi/raster/function_ref.h"

namespace korvi::raster {

struct Span;

// Receives the spans of row y, device coordinates, ascending and disjoint.
using RowFn = FunctionRef<void(std::int32_t y, const Span* spans, std::size_t count)>;

}  // namespace korvi::raster
