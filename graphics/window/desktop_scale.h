// How many screen pixels wide each of the program's pixels is shown: KORVI_SCALE
// when set, else what the desktop asks for.
#pragma once

#include <optional>
#include <string>

namespace korvi::window {

constexpr int MAX_SCALE = 4;

// A scale written as a whole number 1 to MAX_SCALE (surrounding blanks allowed);
// nothing for anything else.
std::optional<int> parse_scale(const char* text);

// The scale an X resource database (the text of the RESOURCE_MANAGER property)
// asks for: 2 when its Xft.dpi is 192 or more, else 1.
int scale_of_x_resources(const std::string& resources);

// The windows' scale, once the windowing system runs on this driver ("x11",
// "wayland", ...): KORVI_SCALE, else GDK_SCALE or Xft.dpi on X11, else the output's
// scale on Wayland (output_scale), else 1. A KORVI_SCALE that is no scale is said
// on standard error and ignored. UI thread.
int window_scale(const std::string& driver, int output_scale);

// The scale of the first Wayland output, as the windowing system measures it (its
// pixels over its logical size), 1 when unknown. UI thread, windowing system running.
int wayland_output_scale();

}  // namespace korvi::window
