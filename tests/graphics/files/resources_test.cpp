#include "files/resources.h"

#include <gtest/gtest.h>

#include "files/picture_codec.h"

namespace {

TEST(EmbeddedResources, FoundByTypeAndNameIgnoringCase) {
  const auto bytes = korvi::find_resource("bitmap", "QUADRANTS");
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->size(), 54u + 48u);
  const auto picture = korvi::decode_picture(*bytes);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 4);
  EXPECT_EQ(picture->pixels[0] & 0xFFFFFF, 0xFF0000u);   // red top-left
  EXPECT_EQ(picture->pixels[15] & 0xFFFFFF, 0xFFFFFFu);  // white bottom-right

  EXPECT_FALSE(korvi::find_resource("BITMAP", "missing"));
  EXPECT_FALSE(korvi::find_resource("ICON", "quadrants"));
  EXPECT_FALSE(korvi::first_resource_of_type("ICON"));
  EXPECT_TRUE(korvi::first_resource_of_type("Bitmap"));
}

}  // namespace
