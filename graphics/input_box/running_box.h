// A look at the input box that is showing, for tests and screenshots.
#pragma once

#include <cstdint>
#include <optional>

#include "input_box/box_layout.h"
#include "korvi/raster/surface.h"

namespace korvi::dialog {

// The windowing system's id of the box's window, 0 while no box shows.
std::uint32_t running_box_window_id();
// The box's client size and control rectangles, nothing while no box shows.
std::optional<BoxLayout> running_box_layout();
// A copy of the box's picture, empty while no box shows.
raster::Surface running_box_picture();

}  // namespace korvi::dialog
