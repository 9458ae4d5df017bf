// Every setting and primitive of the screen device against two independent models:
// the same calls replayed on one off-screen image for the back buffer and on another
// for the window's picture. Each case runs on a fresh window and on one whose picture
// lags its back buffer after a partial flush, so the window's own context (its clip,
// transform, write mode, font, pixels) decides what it shows.
#include <gtest/gtest.h>
#include <korvi/graphics.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "state/graphics_library.h"

namespace {

using namespace korvi;

const bool offscreen = [] { return setenv("SDL_VIDEODRIVER", "offscreen", 1) == 0; }();

constexpr int WIDTH = 120;
constexpr int HEIGHT = 80;
constexpr Color RED = 0x0000FF;
constexpr Color GREEN = 0x00FF00;
constexpr Color BLUE = 0xFF0000;

struct Case {
  const char* name;
  void (*calls)();
};

// A 30 x 20 picture of stripes, made through its pixels (not as a drawing target).
const Image& sprite() {
  static const Image picture = [] {
    Image image(30, 20);
    std::uint32_t* pixels = get_image_buffer(&image);
    for (int i = 0; i < 30 * 20; ++i) pixels[i] = (i / 30) % 4 < 2 ? 0x00FF8000u : 0x000080FFu;
    return image;
  }();
  return picture;
}

constexpr Point TRIANGLE[] = {{10, 70}, {60, 5}, {110, 70}};

const Case CASES[] = {
    {"line colour and lines",
     [] {
       set_line_color(RED);
       draw_line(0, 0, 119, 79);
       move_to(5, 70);
       line_to(60, 20);
       line_rel(40, 40);
       move_rel(-10, -50);
       line_rel(-80, 0);
     }},
    {"opaque dashes in the background colour",
     [] {
       set_bk_color(BLUE);
       set_bk_mode(OPAQUE);
       set_line_style(PS_DASH);
       draw_line(0, 15, 119, 15);
     }},
    {"transparent dashes",
     [] {
       set_bk_mode(TRANSPARENT);
       set_line_style(PS_DASHDOT, 0, 1);
       draw_rectangle(3, 3, 100, 60);
     }},
    {"wide user-styled pen",
     [] {
       set_line_style(PS_USERSTYLE | PS_ENDCAP_FLAT, 0x0F0F, 5);
       draw_polyline(3, TRIANGLE);
     }},
    {"origin and aspect ratio",
     [] {
       set_origin(60, 40);
       set_aspect_ratio(2.0f, -0.5f);
       draw_ellipse(-20, -30, 20, 30);
       fill_bar(-25, 10, -15, 20);
     }},
    {"clip region",
     [] {
       const UniqueRegion clip(create_elliptic_region(20, 10, 100, 70));
       set_clip_region(clip.get());
       set_fill_style(GREEN, FILL_HATCH_CROSS);
       fill_bar(0, 0, 119, 79);
     }},
    {"clearing the clip region",
     [] {
       const UniqueRegion clip(create_rect_region(30, 20, 90, 60));
       set_clip_region(clip.get());
       set_bk_color(BLUE);
       clear_clip_region();
     }},
    {"write mode on the picture's own pixels",
     [] {
       set_write_mode(R2_XORPEN);
       set_line_color(0xFFFFFF);
       set_fill_style(RED);
       draw_circle(20, 20, 15);
       draw_polygon(3, TRIANGLE);
     }},
    {"fill styles and outlines",
     [] {
       set_fill_style(BLUE, FILL_CHECKER);
       draw_pie(5, 5, 70, 70, 0.5, 4.0);
       draw_arc(50, 10, 115, 75, 1.0, 5.5);
       draw_circle_outline(90, 30, 20);
       draw_ellipse_outline(10, 40, 100, 78);
       draw_bar3d(40, 30, 70, 60, 12, true);
     }},
    {"pixels",
     [] {
       for (int i = 0; i < 40; ++i) put_pixel(i * 3, i * 2, RED + static_cast<Color>(i));
     }},
    {"flood fill by the picture's own borders",
     [] {
       set_line_color(RED);
       draw_rectangle(5, 5, 60, 45);
       set_fill_style(GREEN);
       flood_fill(20, 20, RED);
     }},
    {"text, fonts and text in a rectangle",
     [] {
       set_line_color(GREEN);
       set_text_style(20, 0, "Arial");
       draw_text(2, 2, "Hello");
       set_bk_mode(TRANSPARENT);
       set_text_style_ext(14, 0, nullptr, 0, 0, FW_BOLD, true, true, false);
       move_to(5, 30);
       write_text("ab");
       write_text("c");
       Rect box{60, 40, 118, 78};
       draw_text_in_rect("centred words wrap", &box, DT_CENTER | DT_WORDBREAK);
     }},
    {"clearing",
     [] {
       set_bk_color(0x123456);
       clear_device();
       put_pixel(3, 3, RED);
     }},
    {"image transfers on the picture's own pixels",
     [] {
       put_image(5, 5, &sprite(), SRCINVERT);
       put_image_part(50, 30, 20, 10, &sprite(), 5, 5, SRCCOPY);
     }},
};

enum class Start { FRESH, LAGGING };

// What happens before a case. A lagging window: a green fill drawn in batch mode,
// of which only a 20 x 20 box has been shown.
void prepare(Start start, bool window_model) {
  if (start == Start::FRESH) return;
  set_fill_style(GREEN);
  if (window_model)
    fill_bar(10, 10, 29, 29);
  else
    fill_bar(0, 0, WIDTH - 1, HEIGHT - 1);
  set_fill_style(0xFCFCFC);
}

void prepare_window(Start start) {
  if (start == Start::FRESH) return;
  begin_batch();
  set_fill_style(GREEN);
  fill_bar(0, 0, WIDTH - 1, HEIGHT - 1);
  set_fill_style(0xFCFCFC);
  end_batch_rect(10, 10, 29, 29);
}

// The first pixel where two pictures differ, or "" when they agree.
std::string first_difference(const std::uint32_t* actual, const std::uint32_t* expected) {
  for (int y = 0; y < HEIGHT; ++y)
    for (int x = 0; x < WIDTH; ++x) {
      const int i = y * WIDTH + x;
      // std::string("("), not "(": GCC 12 at -O3 warns (-Wrestrict) on a literal + string.
      if (actual[i] != expected[i])
        return std::string("(") + std::to_string(x) + ", " + std::to_string(y) +
               "): " + std::to_string(actual[i]) + " instead of " + std::to_string(expected[i]);
    }
  return "";
}

class ScreenDeviceModel : public ::testing::TestWithParam<Start> {};

TEST_P(ScreenDeviceModel, WindowAndBackBufferMatchTheirModels) {
  ASSERT_TRUE(offscreen);
  for (const Case& c : CASES) {
    SCOPED_TRACE(c.name);
    Image back_buffer_model(WIDTH, HEIGHT), window_model(WIDTH, HEIGHT);
    for (Image* model : {&back_buffer_model, &window_model}) {
      set_working_image(model);
      prepare(GetParam(), model == &window_model);
      c.calls();
    }

    ASSERT_NE(open_graphics(WIDTH, HEIGHT), nullptr);
    set_write_mode(R2_COPYPEN);  // the one setting a reopened window keeps
    clear_device();
    prepare_window(GetParam());
    c.calls();
    set_working_image(nullptr);
    const raster::Surface shown = library().graphics_window.window_picture();
    EXPECT_EQ(first_difference(get_image_buffer(nullptr), get_image_buffer(&back_buffer_model)), "")
        << "back buffer";
    EXPECT_EQ(first_difference(shown.pixels(), get_image_buffer(&window_model)), "") << "window";
    close_graphics();
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, ScreenDeviceModel,
                         ::testing::Values(Start::FRESH, Start::LAGGING), [](const auto& info) {
                           return info.param == Start::FRESH ? "Fresh" : "LaggingAfterAFlush";
                         });

}  // namespace
