// The drawing API on off-screen images, through the public functions.
#include <gtest/gtest.h>
#include <korvi/graphics.h>

#include <array>
#include <cmath>
#include <numbers>

#include "devices/image_device.h"
#include "state/graphics_library.h"

namespace {

using namespace korvi;

constexpr Color RED = 0x0000FF;
constexpr Color GREEN = 0x00FF00;
constexpr Color BLUE = 0xFF0000;
constexpr Color WHITE = 0xFFFFFF;

// Pixels of the working image as colour values (0x00BBGGRR).
Color at(Image& image, int x, int y) {
  const std::uint32_t pixel = get_image_buffer(&image)[y * image.width() + x];
  return (pixel & 0xFF) << 16 | (pixel & 0xFF00) | (pixel >> 16 & 0xFF);
}

int count(Image& image, Color color) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += at(image, x, y) == color;
  return n;
}

class DrawingApi : public ::testing::Test {
 protected:
  void SetUp() override { set_working_image(&m_image); }
  Image m_image{64, 48};
};

TEST(DrawingApiWithoutTarget, CallsDoNothingAndGettersGiveDefaults) {
  // A fresh process has no target; an image that was the target and is gone leaves
  // none behind either.
  {
    Image doomed(4, 4);
    set_working_image(&doomed);
  }
  draw_line(0, 0, 10, 10);
  clear_device();
  EXPECT_EQ(get_line_color(), 0xFCFCFCu);
  EXPECT_EQ(get_bk_color(), 0u);
  EXPECT_EQ(get_pixel(0, 0), CLR_INVALID);
  EXPECT_EQ(text_width("abc"), 0);
  int style = -1, thickness = -1;
  get_line_style(&style, nullptr, &thickness);
  EXPECT_EQ(style, PS_SOLID);
  EXPECT_EQ(thickness, 1);
  float sx = 0, sy = 0;
  get_aspect_ratio(&sx, &sy);
  EXPECT_EQ(sx, 1.0f);
  EXPECT_EQ(sy, 1.0f);
}

TEST_F(DrawingApi, DefaultsResetAndTheWriteModeSurvivesReset) {
  EXPECT_EQ(get_line_color(), 0xFCFCFCu);
  EXPECT_EQ(get_bk_color(), 0u);
  Color fill = 0;
  int style = 0;
  get_fill_style(&fill, &style, nullptr);
  EXPECT_EQ(fill, 0xFCFCFCu);
  EXPECT_EQ(style, FILL_SOLID);
  EXPECT_EQ(count(m_image, 0), 64 * 48);  // a new image is black

  set_line_color(RED);
  set_line_style(PS_DASH, 0x1234, 3);
  set_fill_style(GREEN, FILL_USER, std::array<std::uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}.data());
  set_write_mode(R2_XORPEN);
  reset_drawing_state();
  EXPECT_EQ(get_line_color(), 0xFCFCFCu);
  std::uint16_t pattern = 0;
  get_line_style(&style, &pattern, nullptr);
  EXPECT_EQ(style, PS_SOLID);
  EXPECT_EQ(pattern, 0x1234);  // patterns are kept by a reset
  // The write mode is kept: a line drawn twice leaves nothing.
  draw_line(0, 0, 20, 0);
  draw_line(0, 0, 20, 0);
  EXPECT_EQ(count(m_image, 0), 64 * 48);
}

TEST_F(DrawingApi, ClearingLinesAndThePosition) {
  set_bk_color(RED);
  move_to(5, 5);
  clear_device();
  EXPECT_EQ(get_image_buffer(&m_image)[0], 0x00FF0000u);  // pixel order
  EXPECT_EQ(get_x(), 0);
  EXPECT_EQ(get_y(), 0);

  draw_line(0, 0, 10, 0);
  EXPECT_EQ(get_x(), 0);
  line_to(10, 0);
  EXPECT_EQ(get_x(), 10);
  line_rel(5, 5);
  EXPECT_EQ(get_x(), 15);
  EXPECT_EQ(get_y(), 5);
  move_rel(-1, 2);
  EXPECT_EQ(get_x(), 14);
  EXPECT_EQ(get_y(), 7);
}

TEST_F(DrawingApi, FillBarIncludesBothEdgesWhateverTheCornerOrder) {
  fill_bar(10, 10, 0, 0);
  EXPECT_EQ(count(m_image, 0xFCFCFC), 121);
  EXPECT_EQ(at(m_image, 10, 10), 0xFCFCFCu);
  EXPECT_EQ(at(m_image, 11, 10), 0u);
  set_fill_style(RED, FILL_HOLLOW);
  fill_bar(20, 20, 30, 30);  // hollow fills nothing
  EXPECT_EQ(count(m_image, RED), 0);
}

TEST_F(DrawingApi, RectangleOutlineClosesWithAllFourEdges) {
  set_write_mode(R2_XORPEN);
  set_line_color(WHITE);
  draw_rectangle(2, 3, 12, 9);
  // Every edge pixel written exactly once: 2 * (10 + 6) pixels, corners included.
  EXPECT_EQ(count(m_image, WHITE), 32);
  EXPECT_EQ(at(m_image, 12, 9), WHITE);
  EXPECT_EQ(at(m_image, 2, 3), WHITE);
}

TEST_F(DrawingApi, OriginAndAspectRatio) {
  Image big(200, 100);
  set_working_image(&big);
  set_line_color(WHITE);
  set_origin(100, 50);
  draw_line(0, 0, 10, 0);
  EXPECT_EQ(at(big, 100, 50), WHITE);
  EXPECT_EQ(at(big, 109, 50), WHITE);
  EXPECT_EQ(at(big, 110, 50), 0u);
  // Both scales, told apart: x doubled, y halved and turned upwards.
  set_aspect_ratio(2.0f, -0.5f);
  float sx = 0, sy = 0;
  get_aspect_ratio(&sx, &sy);
  EXPECT_EQ(sx, 2.0f);
  EXPECT_EQ(sy, -0.5f);
  set_line_color(RED);
  draw_line(0, 10, 10, 10);  // device row 45, columns 100..119
  EXPECT_EQ(at(big, 100, 45), RED);
  EXPECT_EQ(at(big, 119, 45), RED);
  EXPECT_EQ(at(big, 120, 45), 0u);
  draw_line(-20, 0, -20, 40);  // device column 60, rows 50 up to 31
  EXPECT_EQ(at(big, 60, 50), RED);
  EXPECT_EQ(at(big, 60, 31), RED);
  EXPECT_EQ(at(big, 60, 30), 0u);
  EXPECT_EQ(at(big, 60, 51), 0u);
}

TEST_F(DrawingApi, ArcPointsAndBar3dGeometry) {
  int x1, y1, x2, y2;
  library().image_device.compute_arc_points(0, 0, 100, 50, 0, std::numbers::pi / 2, &x1, &y1, &x2,
                                            &y2);
  EXPECT_EQ(x1, 100);
  EXPECT_EQ(y1, 25);
  EXPECT_EQ(x2, 50);
  EXPECT_EQ(y2, 0);

  Image canvas(80, 80);
  set_working_image(&canvas);
  set_fill_style(0, FILL_HOLLOW);
  set_line_color(WHITE);
  move_to(3, 4);
  draw_bar3d(10, 20, 50, 60, 8, false);
  EXPECT_EQ(get_x(), 3);
  EXPECT_EQ(get_y(), 4);
  EXPECT_EQ(at(canvas, 50, 60), WHITE);  // front face corner
  EXPECT_EQ(at(canvas, 54, 57), WHITE);  // on the edge (50, 60) -> (58, 54)
  EXPECT_EQ(at(canvas, 58, 30), WHITE);  // on the edge (58, 54) -> (58, 14)
  EXPECT_EQ(at(canvas, 34, 14), 0u);     // no top face
  draw_bar3d(10, 20, 50, 60, 8, true);
  EXPECT_EQ(at(canvas, 34, 14), WHITE);  // (18, 14) -> (58, 14)
  EXPECT_EQ(at(canvas, 14, 17), WHITE);  // (10, 20) -> (18, 14)
}

TEST_F(DrawingApi, CirclesFillAndOutline) {
  draw_circle(20, 20, 8);
  EXPECT_EQ(at(m_image, 20, 20), 0xFCFCFCu);
  Image other(64, 48);
  set_working_image(&other);
  draw_circle_outline(20, 20, 8);
  EXPECT_EQ(at(other, 20, 20), 0u);  // the inside stays
  EXPECT_GT(count(other, 0xFCFCFC), 30);
}

TEST_F(DrawingApi, FillStylesPaintTheirPatternsInFillAndBackgroundColours) {
  struct Row {
    int style;
    std::array<std::uint8_t, 8> rows;
  };
  const Row rows[] = {
      {6, {0x80, 0x00, 0x08, 0x00, 0x80, 0x00, 0x08, 0x00}},
      {12, {0x55, 0x88, 0x55, 0x22, 0x55, 0x88, 0x55, 0x22}},
      {19, {0xC7, 0x83, 0xC7, 0xEE, 0x7C, 0x38, 0x7C, 0xEE}},
      {24, {0xCC, 0x33, 0xCC, 0x33, 0xCC, 0x33, 0xCC, 0x33}},
      {25, {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x81}},
  };
  set_bk_color(BLUE);
  for (const Row& row : rows) {
    set_fill_style(RED, row.style, row.rows.data());
    fill_bar(0, 0, 15, 15);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const bool set = (row.rows[y % 8] >> (7 - x % 8) & 1) != 0;
        ASSERT_EQ(at(m_image, x, y), set ? RED : BLUE) << row.style << " at " << x << "," << y;
      }
  }
  std::uint8_t pattern[8] = {};
  int style = 0;
  get_fill_style(nullptr, &style, pattern);
  EXPECT_EQ(style, 25);
  EXPECT_EQ(pattern[7], 0x81);
  // Another style leaves the caller's buffer alone; one outside 1..25 is recorded
  // but keeps the brush.
  set_fill_style(GREEN, 26);
  std::uint8_t untouched[8] = {9, 9, 9, 9, 9, 9, 9, 9};
  Color colour = 0;
  get_fill_style(&colour, &style, untouched);
  EXPECT_EQ(style, 26);
  EXPECT_EQ(colour, GREEN);
  EXPECT_EQ(untouched[0], 9);
  fill_bar(0, 0, 15, 15);
  EXPECT_EQ(at(m_image, 7, 7), RED);  // still the pattern of style 25, still red
}

TEST_F(DrawingApi, HatchGapsFollowTheBackgroundMode) {
  set_bk_color(BLUE);
  set_fill_style(RED, FILL_HATCH_HORIZONTAL);
  fill_bar(0, 0, 15, 15);
  EXPECT_EQ(count(m_image, RED) + count(m_image, BLUE), 256);
  EXPECT_GT(count(m_image, RED), 0);
  clear_device();  // blue
  set_bk_color(0);
  set_bk_mode(TRANSPARENT);
  fill_bar(0, 0, 15, 15);
  EXPECT_EQ(count(m_image, RED) + count(m_image, BLUE), 64 * 48);  // gaps left blue
}

TEST_F(DrawingApi, UserDashPatternsDrawTheirRuns) {
  struct Row {
    std::uint16_t pattern;
    const char* first16;  // '#' on, '.' off, from the line's start
  };
  const Row rows[] = {
      {0x00FF, "########........"}, {0x0F0F, "####....####...."}, {0xF0F0, "####....####...."},
      {0x5555, "#.#.#.#.#.#.#.#."}, {0xFFFF, "################"},
  };
  for (const Row& row : rows) {
    clear_device();
    set_line_style(PS_USERSTYLE, row.pattern, 1);
    set_line_color(WHITE);
    draw_line(0, 10, 40, 10);
    std::string drawn;
    for (int x = 0; x < 16; ++x) drawn += at(m_image, x, 10) == WHITE ? '#' : '.';
    EXPECT_EQ(drawn, row.first16) << std::hex << row.pattern;
  }
  // A zero pattern draws nothing; user dashes with cap bits are refused and the
  // previous pen stays, though the record keeps the new values.
  clear_device();
  set_line_style(PS_USERSTYLE, 0, 1);
  draw_line(0, 10, 40, 10);
  EXPECT_EQ(count(m_image, WHITE), 0);
  set_line_style(PS_SOLID, 0, 1);
  set_line_style(PS_USERSTYLE | PS_ENDCAP_FLAT, 0x00FF, 1);
  int style = 0;
  get_line_style(&style, nullptr, nullptr);
  EXPECT_EQ(style, PS_USERSTYLE | PS_ENDCAP_FLAT);
  draw_line(0, 10, 40, 10);
  EXPECT_EQ(count(m_image, WHITE), 40);  // still the solid pen
}

TEST_F(DrawingApi, ClipRegionsAndClearingThem) {
  UniqueRegion clip(create_rect_region(10, 10, 20, 20));
  set_clip_region(clip.get());
  set_fill_style(RED);
  fill_bar(0, 0, 63, 47);
  EXPECT_EQ(count(m_image, RED), 100);
  set_bk_color(GREEN);
  clear_clip_region();  // fills only the region
  EXPECT_EQ(count(m_image, GREEN), 100);
  set_clip_region(nullptr);
  clear_clip_region();  // without a region: the whole image
  EXPECT_EQ(count(m_image, GREEN), 64 * 48);

  UniqueRegion a(create_rect_region(0, 0, 10, 10));
  UniqueRegion b(create_elliptic_region(5, 5, 15, 15));
  UniqueRegion both(create_rect_region(0, 0, 0, 0));
  EXPECT_EQ(combine_region(both.get(), a.get(), b.get(), RGN_OR), COMPLEXREGION);
  EXPECT_TRUE(point_in_region(both.get(), 12, 10));
  EXPECT_EQ(combine_region(both.get(), a.get(), nullptr, RGN_COPY), SIMPLEREGION);
  EXPECT_TRUE(equal_region(both.get(), a.get()));
  EXPECT_EQ(offset_region(both.get(), 3, 4), SIMPLEREGION);
  Rect box;
  get_region_box(both.get(), &box);
  EXPECT_EQ(box.left, 3);
  EXPECT_EQ(box.bottom, 14);
  EXPECT_EQ(combine_region(both.get(), a.get(), a.get(), RGN_DIFF), NULLREGION);
  EXPECT_EQ(combine_region(both.get(), a.get(), b.get(), 9), REGION_ERROR);

  // Combined in place (the destination is the first region) by every mode, and
  // with itself, a region is what a fresh combination gives.
  for (const int mode : {RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF}) {
    UniqueRegion in_place(create_rect_region(0, 0, 10, 10));
    UniqueRegion fresh(create_rect_region(0, 0, 0, 0));
    combine_region(fresh.get(), in_place.get(), b.get(), mode);
    combine_region(in_place.get(), in_place.get(), b.get(), mode);
    EXPECT_TRUE(equal_region(in_place.get(), fresh.get())) << mode;
    combine_region(fresh.get(), in_place.get(), in_place.get(), mode);
    combine_region(in_place.get(), in_place.get(), in_place.get(), mode);
    EXPECT_TRUE(equal_region(in_place.get(), fresh.get())) << mode;
  }
}

TEST_F(DrawingApi, EachImageKeepsItsOwnState) {
  Image second(16, 16);
  set_line_color(RED);
  set_origin(5, 5);
  move_to(3, 3);
  set_working_image(&second);
  EXPECT_EQ(get_line_color(), 0xFCFCFCu);
  EXPECT_EQ(get_x(), 0);
  EXPECT_EQ(get_working_image(), &second);
  set_line_color(GREEN);
  set_working_image(&m_image);
  EXPECT_EQ(get_line_color(), RED);
  EXPECT_EQ(get_x(), 3);
  draw_line(0, 0, 1, 0);
  EXPECT_EQ(at(m_image, 5, 5), RED);  // the origin came back with the image
  EXPECT_EQ(count(second, RED), 0);
}

TEST_F(DrawingApi, ResizeKeepsTheWholePictureAndCopiesAreDeep) {
  Image big(700, 500);
  set_working_image(&big);
  put_pixel(699, 499, RED);
  set_bk_color(BLUE);
  big.resize(900, 600);
  EXPECT_EQ(at(big, 699, 499), RED);
  EXPECT_EQ(at(big, 899, 599), BLUE);  // new pixels take the background colour
  big.resize(0, 10);                   // nothing happens
  EXPECT_EQ(big.width(), 900);

  Image copy = big;
  put_pixel(0, 0, GREEN);
  EXPECT_EQ(at(copy, 699, 499), RED);
  EXPECT_NE(at(copy, 0, 0), GREEN);
}

TEST_F(DrawingApi, GetAndPutImage) {
  put_pixel(0, 0, RED);
  put_pixel(63, 47, GREEN);
  Image piece;
  get_image(&piece, 60, 44, 8, 8);  // half of it lies outside: black there
  EXPECT_EQ(piece.width(), 8);
  EXPECT_EQ(at(piece, 3, 3), GREEN);
  EXPECT_EQ(at(piece, 7, 7), 0u);

  clear_device();
  put_image(10, 10, &piece);
  EXPECT_EQ(at(m_image, 13, 13), GREEN);
  put_image(10, 10, &piece, SRCINVERT);  // exclusive-or twice restores
  EXPECT_EQ(at(m_image, 13, 13), 0u);
  // A source box beyond the image copies only what exists.
  put_image_part(0, 0, 20, 20, &piece, 2, 2, SRCCOPY);
  EXPECT_EQ(at(m_image, 1, 1), GREEN);
  EXPECT_EQ(count(m_image, GREEN), 1);
}

TEST_F(DrawingApi, TextMovesThePositionByItsWidth) {
  const int ab = text_width("ab");
  const int c = text_width("c");
  EXPECT_GT(ab, 0);
  EXPECT_GT(text_height("ab"), 0);
  move_to(1, 2);
  write_text("ab");
  EXPECT_EQ(get_x(), 1 + ab);
  write_text("c");
  EXPECT_EQ(get_x(), 1 + ab + c);
  EXPECT_EQ(get_y(), 2);

  Image one(32, 32), other(32, 32);
  set_working_image(&one);
  draw_text_char(3, 4, 'A');
  set_working_image(&other);
  draw_text(3, 4, "A");
  for (int i = 0; i < 32 * 32; ++i)
    ASSERT_EQ(get_image_buffer(&one)[i], get_image_buffer(&other)[i]);
}

TEST_F(DrawingApi, FontRecordsAndTextStyles) {
  FontDescription font;
  get_font(&font);
  EXPECT_EQ(font.height, 16);
  EXPECT_STREQ(font.face_name, "System");
  EXPECT_EQ(font.quality, 3);
  set_text_style(20, 0, nullptr);  // keeps everything else
  get_font(&font);
  EXPECT_EQ(font.height, 20);
  EXPECT_STREQ(font.face_name, "System");
  set_text_style_ext(-12, 5, "Arial", 900, 0, FW_BOLD, true, false, false);
  get_font(&font);
  EXPECT_EQ(font.escapement, 900);
  EXPECT_EQ(font.quality, 3);  // not touched by the short form
  EXPECT_STREQ(font.face_name, "Arial");
  // A face name longer than 31 bytes is cut at a character boundary.
  set_text_style(0, 0, "Abcdefghijklmnopqrstuvwxyz0123\xe4\xb8\xad");
  get_font(&font);
  EXPECT_EQ(std::string(font.face_name), "Abcdefghijklmnopqrstuvwxyz0123");
}

TEST_F(DrawingApi, PatternBitsTakeTheLineColourAfterText) {
  set_line_color(GREEN);
  set_fill_style(RED, FILL_SPARSE_DOTS);
  draw_text(40, 30, "x");
  fill_bar(0, 0, 7, 7);
  EXPECT_EQ(at(m_image, 0, 0), GREEN);  // a set bit of the pattern
  EXPECT_EQ(at(m_image, 1, 0), 0u);
}

}  // namespace
