// The input box's client size and the places of its controls, from the size the
// caller asks for and the height its prompt needs.
#pragma once

#include <cstdint>
#include <string_view>

#include "font/text_layout.h"
#include "korvi/raster/geometry.h"

namespace korvi::dialog {

inline constexpr int DEFAULT_CLIENT_WIDTH = 357;
inline constexpr int MIN_CLIENT_WIDTH = 200;
inline constexpr int MIN_CLIENT_HEIGHT = 93;
inline constexpr int MIN_PROMPT_HEIGHT = 45;
// The prompt is measured and drawn this much narrower than the client area.
inline constexpr int PROMPT_WIDTH_MARGIN = 90;
// The largest client side the windowing system takes.
inline constexpr int MAX_CLIENT_SIDE = 32767;
// How the prompt is measured and drawn.
inline constexpr std::uint32_t PROMPT_FORMAT =
    raster::FORMAT_WORDBREAK | raster::FORMAT_EXPANDTABS | raster::FORMAT_NOPREFIX;

// Rectangles are half-open, in client pixels.
struct BoxLayout {
  int client_width = 0;
  int client_height = 0;
  bool multi_line = false;
  int prompt_height = 0;  // at least MIN_PROMPT_HEIGHT
  raster::PixelBox prompt;
  raster::PixelBox edit;
  raster::PixelBox ok;
  raster::PixelBox cancel;  // empty without a Cancel button
};

// The client width for the width argument: the default for 0, at least the minimum.
int client_width_for(int width);

// width and height are the caller's (0: defaults; a height above 0 makes the edit
// multi-line); prompt_height is what the prompt needs in the box's font when
// word-wrapped to client_width_for(width) - PROMPT_WIDTH_MARGIN pixels. A prompt
// higher than the minimum makes the box that much higher.
BoxLayout box_layout(int width, int height, std::int64_t prompt_height, bool only_ok);

// The height the prompt needs when word-wrapped to the given width.
std::int64_t measure_prompt(std::string_view prompt, int width,
                            const raster::TextMeasurer& measurer);

}  // namespace korvi::dialog
