#include "font/font_description.h"

#include <gtest/gtest.h>

#include <cstring>
#include <unordered_set>

namespace korvi::raster {
namespace {

TEST(FontDescription, DefaultRecordIsTheResetFont) {
  const FontDescription d = default_font_description();
  EXPECT_EQ(d.height, 16);
  EXPECT_EQ(d.width, 0);
  EXPECT_EQ(d.weight, 0);
  EXPECT_EQ(d.char_set, 1);
  EXPECT_EQ(d.quality, 3);
  EXPECT_EQ(face_name(d), "System");
}

TEST(FontDescription, FaceNamesAreCutToThirtyOneBytesAtCharacterBoundaries) {
  struct Case {
    const char* name;
    std::size_t stored;
  };
  const Case cases[] = {
      {"", 0},
      {"Arial", 5},
      {"0123456789012345678901234567890", 31},
      {"01234567890123456789012345678901234", 31},
      // 30 ASCII bytes then a three-byte character: it would not fit whole.
      {"012345678901234567890123456789\xE4\xB8\xAD", 30},
      // Ten three-byte characters fill 30 bytes; the eleventh is dropped.
      {"\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD"
       "\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD",
       30},
  };
  for (const Case& c : cases) {
    FontDescription d;
    std::memset(d.face_name, 'x', sizeof d.face_name);
    set_face_name(d, c.name);
    EXPECT_EQ(face_name(d).size(), c.stored) << c.name;
    EXPECT_EQ(d.face_name[31], '\0');
    EXPECT_EQ(std::string_view(c.name).substr(0, c.stored), face_name(d));
  }
}

TEST(FontDescription, EqualityIgnoresBytesAfterTheFaceNameTerminator) {
  FontDescription a = default_font_description();
  FontDescription b = a;
  b.face_name[20] = 'z';  // after the terminator
  EXPECT_EQ(a, b);
  EXPECT_EQ(hash_value(a), hash_value(b));
  const FontDescription nb = normalized(b);
  EXPECT_EQ(std::memcmp(&nb, &a, sizeof a), 0);

  // A name without a terminator compares by its first 31 bytes.
  FontDescription c, d;
  std::memset(c.face_name, 'q', sizeof c.face_name);
  std::memset(d.face_name, 'q', 31);
  EXPECT_EQ(c, d);
  EXPECT_EQ(hash_value(c), hash_value(d));
}

TEST(FontDescription, EveryFieldTakesPartInEqualityAndHash) {
  const FontDescription base = default_font_description();
  using Change = void (*)(FontDescription&);
  const Change changes[] = {
      [](FontDescription& d) { d.height = -16; },
      [](FontDescription& d) { d.width = 7; },
      [](FontDescription& d) { d.escapement = 900; },
      [](FontDescription& d) { d.orientation = 900; },
      [](FontDescription& d) { d.weight = 700; },
      [](FontDescription& d) { d.italic = 1; },
      [](FontDescription& d) { d.underline = 1; },
      [](FontDescription& d) { d.strike_out = 1; },
      [](FontDescription& d) { d.char_set = 134; },
      [](FontDescription& d) { d.out_precision = 4; },
      [](FontDescription& d) { d.clip_precision = 2; },
      [](FontDescription& d) { d.quality = 4; },
      [](FontDescription& d) { d.pitch_and_family = 0x22; },
      [](FontDescription& d) { set_face_name(d, "Arial"); },
      [](FontDescription& d) { set_face_name(d, "system"); },
  };
  std::unordered_set<std::size_t> hashes{hash_value(base)};
  for (std::size_t i = 0; i < std::size(changes); ++i) {
    FontDescription changed = base;
    changes[i](changed);
    EXPECT_NE(changed, base) << "change " << i;
    hashes.insert(hash_value(changed));
  }
  // Not a requirement of hashing, but a sign the hash mixes every field.
  EXPECT_EQ(hashes.size(), std::size(changes) + 1);
}

}  // namespace
}  // namespace korvi::raster
