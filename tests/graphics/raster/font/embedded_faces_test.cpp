// The web build's table of carried faces against fontconfig among the same installed
// files: names find the same face, and characters fall back to the same face. Faces
// this machine has beyond the carried ones make fontconfig's answer incomparable;
// such cases are skipped.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "font/embedded_faces.h"
#include "font/face.h"
#include "font/face_resolver.h"

namespace korvi::raster {
namespace {

bool carried(const FaceLocation& location) {
  const std::vector<FaceLocation> faces = embedded_fallback_faces();
  return std::find(faces.begin(), faces.end(), location) != faces.end();
}

TEST(EmbeddedFaces, NamesFindTheFacesFontconfigFinds) {
  FaceResolver fontconfig;
  int compared = 0;
  for (const char* name :
       {"Liberation Sans", "LIBERATION SERIF", "Liberation Mono", "DejaVu Sans", "DejaVu Serif",
        "DejaVu Sans Mono", "WenQuanYi Micro Hei", "文泉驿微米黑", "WenQuanYi Micro Hei Mono",
        "sans-serif", "serif", "monospace", "mono", "Times", "Arimo", "Tinos", "Cousine",
        "Nimbus Sans", "TeX Gyre Cursor", "Georgia", "Cambria", "SimSun", "NSimSun", "Consolas",
        "Fixedsys", "Terminal", "Verdana", "宋体", "no such face"}) {
    for (const bool bold : {false, true}) {
      for (const bool italic : {false, true}) {
        const FaceRequest request{name, bold, italic};
        const std::optional<FaceLocation> native = fontconfig.match(request);
        if (!native || !carried(*native)) continue;
        EXPECT_EQ(embedded_face(request), *native) << name << (bold ? " bold" : "")
                                                   << (italic ? " italic" : "");
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 80);
}

TEST(EmbeddedFaces, CharactersFallBackToTheFaceFontconfigChooses) {
  FaceResolver fontconfig;
  auto library = std::make_shared<FreeTypeLibrary>();
  std::vector<std::shared_ptr<Face>> faces;
  for (const FaceLocation& location : embedded_fallback_faces()) {
    faces.push_back(Face::open(library, location.file, location.index));
    ASSERT_TRUE(faces.back()) << location.file;
  }
  int compared = 0;
  for (const char32_t c : {U'A', U'é', U'Ж', U'Ω', U'→', U'☃', U'─', U'中', U'文', U'あ', U'가',
                           U'！', U'€', U'\U0001F600'}) {
    const std::vector<FaceLocation> native = fontconfig.covering(c);
    if (!native.empty() && !carried(native.front())) continue;
    const auto first = std::find_if(faces.begin(), faces.end(),
                                    [c](const auto& face) { return face->glyph_index(c) != 0; });
    if (native.empty()) {
      EXPECT_EQ(first, faces.end()) << static_cast<unsigned>(c);
    } else {
      ASSERT_NE(first, faces.end()) << static_cast<unsigned>(c);
      EXPECT_EQ((FaceLocation{(*first)->file(), (*first)->index()}), native.front())
          << static_cast<unsigned>(c);
    }
    ++compared;
  }
  EXPECT_GT(compared, 10);
}

}  // namespace
}  // namespace korvi::raster
