#include "input_box/box_layout.h"

#include <algorithm>

namespace korvi::dialog {
namespace {

raster::PixelBox rect_at(int x, int y, int width, int height) {
  return {x, y, x + std::max(0, width), y + std::max(0, height)};
}

int clamp_side(std::int64_t side) {
  return static_cast<int>(std::clamp<std::int64_t>(side, 1, MAX_CLIENT_SIDE));
}

}  // namespace

int client_width_for(int width) {
  return clamp_side(width == 0 ? DEFAULT_CLIENT_WIDTH : std::max(width, MIN_CLIENT_WIDTH));
}

BoxLayout box_layout(int width, int height, std::int64_t prompt_height, bool only_ok) {
  BoxLayout layout;
  layout.multi_line = height > 0;
  layout.client_width = client_width_for(width);
  std::int64_t client_height = std::max(height, MIN_CLIENT_HEIGHT);
  std::int64_t prompt = std::max<std::int64_t>(prompt_height, MIN_PROMPT_HEIGHT);
  client_height += prompt - MIN_PROMPT_HEIGHT;
  layout.client_height = clamp_side(client_height);
  layout.prompt_height = static_cast<int>(std::min<std::int64_t>(prompt, layout.client_height));

  const int cw = layout.client_width;
  const int ch = layout.client_height;
  const int ph = layout.prompt_height;
  layout.prompt = rect_at(9, 10, cw - PROMPT_WIDTH_MARGIN, ph);
  layout.edit = rect_at(9, ph + 20, cw - 18, ch - ph - 30);
  layout.ok = rect_at(cw - 69, 10, 60, 21);
  if (!only_ok) layout.cancel = rect_at(cw - 69, 34, 60, 21);
  return layout;
}

std::int64_t measure_prompt(std::string_view prompt, int width,
                            const raster::TextMeasurer& measurer) {
  const raster::TextRect bounds{0, 0, width, 10};
  return raster::layout_text(prompt, bounds, PROMPT_FORMAT | raster::FORMAT_CALCRECT, measurer)
      .height;
}

}  // namespace korvi::dialog
