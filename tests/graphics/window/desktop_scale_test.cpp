// Reading a scale from KORVI_SCALE (or GDK_SCALE) and from X resources.
#include "desktop_scale.h"

#include <gtest/gtest.h>

namespace {

using korvi::window::parse_scale;
using korvi::window::scale_of_x_resources;

TEST(DesktopScale, OnlyWholeNumbersOneToFourAreScales) {
  const std::pair<const char*, std::optional<int>> CASES[] = {
      {"1", 1}, {"2", 2}, {" 4 ", 4}, {"0", std::nullopt}, {"5", std::nullopt},
      {"-2", std::nullopt}, {"1.5", std::nullopt}, {"2x", std::nullopt}, {"", std::nullopt},
      {"abc", std::nullopt}, {nullptr, std::nullopt},
  };
  for (const auto& [text, scale] : CASES) EXPECT_EQ(parse_scale(text), scale) << (text ? text : "null");
}

TEST(DesktopScale, AnXftDpiOf192OrMoreMeansTwo) {
  EXPECT_EQ(scale_of_x_resources(""), 1);
  EXPECT_EQ(scale_of_x_resources("Xft.dpi:\t96\n"), 1);
  EXPECT_EQ(scale_of_x_resources("Xft.dpi:\t191.9\n"), 1);
  EXPECT_EQ(scale_of_x_resources("Xcursor.size:\t48\nXft.dpi:\t192\nXft.hinting:\t1\n"), 2);
  EXPECT_EQ(scale_of_x_resources("Xft.dpi:\t288\n"), 2);
  EXPECT_EQ(scale_of_x_resources("*Xft.dpi:\t192\n"), 1);  // another resource
}

}  // namespace
