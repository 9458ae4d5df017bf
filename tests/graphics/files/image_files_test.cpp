// Picture files and embedded resources loaded into images, and images saved.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <korvi/graphics.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace korvi;

std::uint32_t pixel(Image& image, int x, int y) {
  return get_image_buffer(&image)[y * image.width() + x];
}

class ImageFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = std::filesystem::temp_directory_path() /
            ("korvi-image-files-" + std::to_string(::getpid()));
    std::filesystem::create_directories(m_dir);
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }
  std::string path(const char* name) const { return (m_dir / name).string(); }

  // A 3 x 2 picture written by the decoder library's own PNG writer.
  std::string write_png(const char* name) const {
    std::uint32_t pixels[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0x000000, 0xFFFFFF, 0x804020};
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(pixels, 3, 2, 32, 12, SDL_PIXELFORMAT_RGB888);
    const std::string file = path(name);
    IMG_SavePNG(surface, file.c_str());
    SDL_FreeSurface(surface);
    return file;
  }

  std::filesystem::path m_dir;
};

TEST_F(ImageFiles, SaveThenLoadGivesBackTheSamePixels) {
  Image original(37, 21);  // an odd width: rows are padded in the file
  set_working_image(&original);
  for (int i = 0; i < 37 * 21; ++i) get_image_buffer(&original)[i] = 0x010203u * (i % 80);
  const std::string file = path("picture.jpg");  // the extension plays no part
  ASSERT_TRUE(save_image(file.c_str(), &original));
  char magic[2] = {};
  std::ifstream(file, std::ios::binary).read(magic, 2);
  EXPECT_EQ(std::string(magic, 2), "BM");

  Image loaded;  // no pixels yet: takes the picture's size
  ASSERT_TRUE(load_image(&loaded, file.c_str()));
  ASSERT_EQ(loaded.width(), 37);
  ASSERT_EQ(loaded.height(), 21);
  for (int i = 0; i < 37 * 21; ++i)
    ASSERT_EQ(get_image_buffer(&loaded)[i], get_image_buffer(&original)[i]) << i;

  Image empty;
  EXPECT_FALSE(save_image(path("empty.bmp").c_str(), &empty));
  EXPECT_FALSE(save_image(nullptr, &original));
  EXPECT_FALSE(save_image((m_dir / "no" / "such" / "dir.bmp").c_str(), &original));
}

TEST_F(ImageFiles, NamesEndingInPngSavePngOthersBmp) {
  Image original(5, 3);
  for (int i = 0; i < 5 * 3; ++i) get_image_buffer(&original)[i] = 0x00FFFFFFu & (0x9E3779B9u * i);
  const struct {
    const char* name;
    const char* magic;
  } rows[] = {
      {"a.png", "\x89PNG"}, {"b.PNG", "\x89PNG"}, {"c.pNg", "\x89PNG"}, {".png", "\x89PNG"},
      {"png", "BM"},        {"d.png.bmp", "BM"},  {"e.pngx", "BM"},     {"f.bmp", "BM"},
  };
  for (const auto& row : rows) {
    const std::string file = path(row.name);
    ASSERT_TRUE(save_image(file.c_str(), &original)) << row.name;
    std::string magic(std::strlen(row.magic), '\0');
    std::ifstream(file, std::ios::binary).read(magic.data(), static_cast<long>(magic.size()));
    EXPECT_EQ(magic, row.magic) << row.name;
    Image loaded;
    ASSERT_TRUE(load_image(&loaded, file.c_str())) << row.name;
    ASSERT_EQ(std::pair(loaded.width(), loaded.height()), std::pair(5, 3)) << row.name;
    for (int i = 0; i < 5 * 3; ++i)
      ASSERT_EQ(get_image_buffer(&loaded)[i], get_image_buffer(&original)[i]) << row.name << i;
  }
}

TEST_F(ImageFiles, SizesAndTheResizeFlag) {
  const std::string png = write_png("small.png");
  Image natural;
  ASSERT_TRUE(load_image(&natural, png.c_str(), 200, 0));  // one size below 1: natural size
  EXPECT_EQ(natural.width(), 3);
  EXPECT_EQ(pixel(natural, 0, 0), 0xFF0000u);
  EXPECT_EQ(pixel(natural, 2, 1), 0x804020u);

  Image scaled;
  ASSERT_TRUE(load_image(&scaled, png.c_str(), 6, 4));
  EXPECT_EQ(scaled.width(), 6);
  EXPECT_EQ(pixel(scaled, 1, 1), 0xFF0000u);  // each source pixel covers 2 x 2
  EXPECT_EQ(pixel(scaled, 5, 3), 0x804020u);

  Image kept(10, 10);  // has pixels: drawn into them, clipped, size kept
  ASSERT_TRUE(load_image(&kept, png.c_str()));
  EXPECT_EQ(kept.width(), 10);
  EXPECT_EQ(pixel(kept, 1, 0), 0x00FF00u);
  EXPECT_EQ(pixel(kept, 5, 5), 0u);
  ASSERT_TRUE(load_image(&kept, png.c_str(), 0, 0, true));
  EXPECT_EQ(kept.width(), 3);
}

TEST_F(ImageFiles, UnreadableFilesLeaveTheImageUnchanged) {
  Image image(4, 4);
  set_working_image(&image);
  set_bk_color(0x00FF00);
  clear_device();
  EXPECT_FALSE(load_image(&image, path("missing.png").c_str()));
  std::ofstream(path("garbage.png")) << "this is not a picture";
  EXPECT_FALSE(load_image(&image, path("garbage.png").c_str()));
  EXPECT_FALSE(load_image(&image, m_dir.c_str()));  // a directory
  EXPECT_FALSE(load_image(&image, nullptr));
  EXPECT_EQ(image.width(), 4);
  EXPECT_EQ(pixel(image, 3, 3), 0x00FF00u);
}

TEST_F(ImageFiles, TranslucentPicturesBlendOverWhatIsThere) {
  std::uint32_t pixels[2] = {0x80FFFFFF, 0x00FFFFFF};  // half and fully transparent white
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormatFrom(pixels, 2, 1, 32, 8, SDL_PIXELFORMAT_ARGB8888);
  const std::string file = path("alpha.png");
  IMG_SavePNG(surface, file.c_str());
  SDL_FreeSurface(surface);

  Image image(2, 1);
  set_working_image(&image);
  set_bk_color(0x000000);
  clear_device();
  ASSERT_TRUE(load_image(&image, file.c_str()));
  EXPECT_EQ(pixel(image, 0, 0), 0x808080u);
  EXPECT_EQ(pixel(image, 1, 0), 0u);
}

TEST_F(ImageFiles, EmbeddedResourcesLoadByTypeAndName) {
  Image image;
  ASSERT_TRUE(load_image_resource(&image, "BITMAP", "quadrants"));
  EXPECT_EQ(image.width(), 4);
  EXPECT_EQ(pixel(image, 0, 0), 0xFF0000u);
  EXPECT_EQ(pixel(image, 3, 3), 0xFFFFFFu);
  EXPECT_FALSE(load_image_resource(&image, "BITMAP", "absent"));
}

}  // namespace
