#include <gtest/gtest.h>
#include <korvi/graphics.h>

#include <cmath>

namespace {

using korvi::Color;

struct Hsx {
  float h, s, x;
};

Hsx hsv(Color c) {
  Hsx r{};
  korvi::rgb_to_hsv(c, &r.h, &r.s, &r.x);
  return r;
}

Hsx hsl(Color c) {
  Hsx r{};
  korvi::rgb_to_hsl(c, &r.h, &r.s, &r.x);
  return r;
}

TEST(ColorConversion, ForwardConversionsOfPrimariesAndGrey) {
  struct Row {
    Color color;
    float h, s, v;
  };
  const Row rows[] = {
      {0x000000FF, 0, 1, 1},    // red
      {0x0000FF00, 120, 1, 1},  // green
      {0x00FF0000, 240, 1, 1},  // blue
      {0x00FF00FF, 300, 1, 1},  // magenta: max is red and green < blue
      {0x00000000, 0, 0, 0},    // black: no hue, no saturation
      {0x00FFFFFF, 0, 0, 1},
  };
  for (const Row& row : rows) {
    const Hsx r = hsv(row.color);
    EXPECT_FLOAT_EQ(r.h, row.h) << std::hex << row.color;
    EXPECT_FLOAT_EQ(r.s, row.s) << std::hex << row.color;
    EXPECT_FLOAT_EQ(r.x, row.v) << std::hex << row.color;
  }

  const Hsx grey = hsl(0x00808080);
  EXPECT_EQ(grey.h, 0.0f);
  EXPECT_EQ(grey.s, 0.0f);
  EXPECT_EQ(grey.x, 128.0f / 255.0f);

  const Hsx magenta = hsl(0x00FF00FF);
  EXPECT_FLOAT_EQ(magenta.h, 300);
  EXPECT_FLOAT_EQ(magenta.s, 1);
  EXPECT_FLOAT_EQ(magenta.x, 0.5f);
}

TEST(ColorConversion, NullOutPointersAreSkipped) {
  using Forward = void (*)(Color, float*, float*, float*);
  for (const Forward forward : {Forward{korvi::rgb_to_hsv}, Forward{korvi::rgb_to_hsl}}) {
    for (const Color color : {0x00336699u, 0x00808080u}) {  // with a hue and without
      float all[3] = {};
      forward(color, &all[0], &all[1], &all[2]);
      for (int wanted = 0; wanted < 8; ++wanted) {  // bit i: out-pointer i is given
        float some[3] = {-1, -1, -1};
        float* out[3];
        for (int i = 0; i < 3; ++i) out[i] = wanted >> i & 1 ? &some[i] : nullptr;
        forward(color, out[0], out[1], out[2]);
        for (int i = 0; i < 3; ++i)
          EXPECT_EQ(some[i], wanted >> i & 1 ? all[i] : -1.0f)
              << std::hex << color << " " << wanted;
      }
    }
  }
}

TEST(ColorConversion, TiesPickTheRedBranchThenTheGreenBranch) {
  // Yellow: red and green tie for the maximum, so the red branch gives 60.
  EXPECT_FLOAT_EQ(hsv(0x0000FFFF).h, 60);
  EXPECT_FLOAT_EQ(hsl(0x0000FFFF).h, 60);
  // Cyan: green and blue tie, the green branch gives 180.
  EXPECT_FLOAT_EQ(hsv(0x00FFFF00).h, 180);
  EXPECT_FLOAT_EQ(hsl(0x00FFFF00).h, 180);
}

TEST(ColorConversion, BackwardConversions) {
  EXPECT_EQ(korvi::hsl_to_rgb(0, 1, 0.5f), 0x000000FFu);
  EXPECT_EQ(korvi::hsl_to_rgb(120, 1, 0.5f), 0x0000FF00u);
  EXPECT_EQ(korvi::hsl_to_rgb(240, 1, 0.5f), 0x00FF0000u);
  for (float h : {0.0f, 90.0f, 359.0f, 1000.0f})
    EXPECT_EQ(korvi::hsl_to_rgb(h, 0, 1), 0x00FFFFFFu) << h;

  EXPECT_EQ(korvi::hsv_to_rgb(0, 1, 1), 0x000000FFu);
  EXPECT_EQ(korvi::hsv_to_rgb(120, 1, 1), 0x0000FF00u);
  // 360 gives sector 6, which falls into the last branch: magenta.
  EXPECT_EQ(korvi::hsv_to_rgb(360, 1, 1), 0x00FF00FFu);
  // -30 truncates to sector 0 with f = -0.5: green comes out as -127, low byte 0x81.
  EXPECT_EQ(korvi::hsv_to_rgb(-30, 1, 1), 0x000081FFu);
  EXPECT_EQ(korvi::hsv_to_rgb(77, 0, 0.5f), 0x00808080u);
}

TEST(ColorConversion, OutOfRangeInputsGiveDefinedChannels) {
  // Channels take the low 8 bits of the rounded value; a value the 32-bit
  // conversion cannot hold (NaN, huge) yields channel 0, never undefined
  // behaviour.
  EXPECT_EQ(korvi::hsv_to_rgb(0, 0, 2.0f), 0x00FEFEFEu);  // 510.5 -> 510 -> 0xFE
  EXPECT_EQ(korvi::hsv_to_rgb(0, 0, NAN), 0u);
  EXPECT_EQ(korvi::hsv_to_rgb(0, 0, 1e20f), 0u);
  // A NaN hue has no sector: the last branch (V, p, q) with q not a number.
  EXPECT_EQ(korvi::hsv_to_rgb(NAN, 1, 1), 0x000000FFu);
}

TEST(ColorConversion, Grey) {
  EXPECT_EQ(korvi::rgb_to_gray(0x00FFFFFF), 0x00FFFFFFu);
  EXPECT_EQ(korvi::rgb_to_gray(0x000000FF), 0x004C4C4Cu);  // 76
  EXPECT_EQ(korvi::rgb_to_gray(0x0000FF00), 0x00969696u);  // 150
  EXPECT_EQ(korvi::rgb_to_gray(0xFF000000), 0u);           // top byte ignored
}

TEST(ColorConversion, RoundTripsEveryHueOfFullSaturation) {
  // Any colour with one channel at 255 and one at 0 survives both models.
  for (unsigned g = 0; g < 256; ++g) {
    const Color c = 0xFF | g << 8;
    const Hsx v = hsv(c);
    EXPECT_EQ(korvi::hsv_to_rgb(v.h, v.s, v.x), c) << g;
    const Hsx l = hsl(c);
    EXPECT_EQ(korvi::hsl_to_rgb(l.h, l.s, l.x), c) << g;
  }
}

}  // namespace
