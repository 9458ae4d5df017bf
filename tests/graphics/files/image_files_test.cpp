// Picture files and embedded resources loaded into images, and images saved.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <korvi/graphics.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "byte_fields.h"

namespace {

using namespace korvi;

using namespace std::string_literals;

using korvi::test::be;
using korvi::test::le;

// The address space the process holds, in bytes.
std::size_t address_space_in_use() {
  std::size_t pages = 0;
  std::ifstream("/proc/self/statm") >> pages;
  return pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

// Loads a translucent picture of 2048 x 2048 (16 MB of pixels; three buffers of
// that at the most) with a few MB more memory at each attempt: each load either
// gives the picture or fails with the image unchanged.
bool loads_soundly_short_of_memory(const std::string& file) {
  constexpr int SIDE = 2048;
  std::vector<std::uint32_t> pixels(SIDE * SIDE, 0x80FF8040);
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), SIDE, SIDE, 32, SIDE * 4,
                                                            SDL_PIXELFORMAT_ARGB8888);
  IMG_SavePNG(surface, file.c_str());
  SDL_FreeSurface(surface);
  pixels = {};
  bool sound = true;
  for (std::size_t spare = 4; spare <= 64; spare += 4) {
    rlimit limit{address_space_in_use() + (spare << 20), RLIM_INFINITY};
    setrlimit(RLIMIT_AS, &limit);
    Image image(2, 2);
    const bool loaded = load_image(&image, file.c_str(), 0, 0, true);
    limit.rlim_cur = RLIM_INFINITY;
    setrlimit(RLIMIT_AS, &limit);
    sound &= loaded ? image.width() == SIDE : image.width() == 2;
  }
  return sound;
}

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

TEST_F(ImageFiles, AFailureWritesOneLineNamingTheFileAndTheReason) {
  const std::string cut = write_png("cut.png"), huge = path("huge.png");
  std::filesystem::resize_file(cut, 60);
  std::ofstream(huge, std::ios::binary)
      << "\x89PNG\r\n\x1a\n"s + be(13, 4) + "IHDR" + be(20000, 4) + be(20000, 4) + "\x08\x02"s;
  std::ofstream(path("empty.bmp")).flush();
  const std::string directory = m_dir.string(), missing = path("missing.png");
  Image image(2, 2), empty;
  const struct {
    std::function<bool()> call;
    std::string line;
  } rows[] = {
      {[&] { return load_image(&image, missing.c_str()); }, "load " + missing + ": not found"},
      {[&] { return load_image(&image, directory.c_str()); },
       "load " + directory + ": not a regular file"},
      {[&] { return load_image(&image, path("empty.bmp").c_str()); },
       "load " + path("empty.bmp") + ": empty"},
      {[&] { return load_image(&image, cut.c_str()); },
       "load " + cut + ": not a picture the library reads, or damaged"},
      {[&] { return load_image(&image, huge.c_str()); },
       "load " + huge + ": the picture is too large (at most 16384 pixels a side and 256 MB of "
                        "pixels)"},
      {[&] { return load_image(&image, cut.c_str(), 100000, 1); },
       "load " + cut + ": the size asked is too large (at most 16384 pixels a side and 256 MB "
                       "of pixels)"},
      {[&] { return load_image(&image, nullptr); }, "load a picture: no file name given"},
      {[&] { return load_image_resource(&image, "BITMAP", "absent"); },
       "load the resource \"absent\" of type BITMAP: not found"},
      {[&] { return save_image((directory + "/no/such.bmp").c_str(), &image); },
       "save " + directory + "/no/such.bmp: No such file or directory"},
      {[&] { return save_image(path("empty.png").c_str(), &empty); },
       "save " + path("empty.png") + ": the image has no pixels"},
  };
  for (const auto& row : rows) {
    ::testing::internal::CaptureStderr();
    const bool done = row.call();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "korvi: cannot " + row.line + "\n");
    EXPECT_FALSE(done) << row.line;
  }
}

TEST_F(ImageFiles, HostileFilesAreRefusedBeforeDecoding) {
  const std::string png = "\x89PNG\r\n\x1a\n"s + be(13, 4) + "IHDR";
  const std::string png_rest = "\x08\x02\0\0\0"s + std::string(4, '\0');
  const struct {
    const char* name;
    std::string bytes;
  } rows[] = {
      // A screen and a frame of 65535 x 65535 in 35 bytes.
      {"huge.gif", "GIF89a" + le(65535, 2) + le(65535, 2) + "\0\0\0,"s + le(0, 4) + le(65535, 2) +
                       le(65535, 2) + "\0\x02\x02\x4C\x01\0;"s + std::string(7, '\0')},
      {"huge.bmp", "BM" + le(1078, 4) + le(0, 4) + le(54, 4) + le(40, 4) + le(30000, 4) +
                       le(30000, 4) + le(1, 2) + le(24, 2) + std::string(1024, '\0')},
      {"huge.png", png + be(20000, 4) + be(20000, 4) + png_rest},
      {"too-wide.png", png + be(16385, 4) + be(1, 4) + png_rest},
      {"too-many-bytes.png", png + be(8192, 4) + be(8193, 4) + png_rest},
      {"huge.jpg",
       "\xFF\xD8\xFF\xC0"s + be(11, 2) + "\x08"s + be(65535, 2) + be(65535, 2) + "\x01"s},
      {"huge-entry.ico", le(0, 2) + le(1, 2) + le(1, 2) + "\x10\x10\0\0"s + le(1, 2) + le(32, 2) +
                             le(40, 4) + le(22, 4) + le(40, 4) + le(30000, 4) + le(60000, 4) +
                             std::string(28, '\0')},
      {"huge.svg", "<svg width='30000' height='30000'/>"},
      // Codes: colour, colour, clear, then the end code where a colour must come. One
      // decoder takes it as a colour and reads on into chains of codes without end.
      {"end-after-clear.gif", "GIF89a" + le(2, 2) + le(37, 2) + "\x69\x77\xFF,"s + le(0, 4) +
                                  le(1026, 2) + le(45, 2) + "\0\x02\x03\0\x4B\0"s +
                                  "\x05\x0F\xBE\xBE\xBE\x77"},
  };
  std::vector<std::string> files;
  for (const auto& row : rows) {
    files.push_back(path(row.name));
    std::ofstream(files.back(), std::ios::binary) << row.bytes;
  }
  // Not regular files, or too large to read (a sparse file: a small picture, then
  // a hole up to 257 MB).
  files.push_back(m_dir.string());
  files.push_back("/dev/zero");
  files.push_back(path("zero-link"));
  std::filesystem::create_symlink("/dev/zero", files.back());
  files.push_back(path("pipe"));
  ASSERT_EQ(::mkfifo(files.back().c_str(), 0600), 0);  // no writer: must not wait for one
  files.push_back(write_png("large.png"));
  std::filesystem::resize_file(files.back(), std::uintmax_t{257} << 20);

  Image image(4, 4);
  set_working_image(&image);
  set_bk_color(0x00FF00);
  clear_device();
  for (const std::string& file : files) {
    EXPECT_FALSE(load_image(&image, file.c_str())) << file;
    EXPECT_EQ(image.width(), 4) << file;
    EXPECT_EQ(pixel(image, 3, 3), 0x00FF00u) << file;
  }
  Image empty;
  EXPECT_FALSE(load_image(&empty, files.front().c_str()));
  EXPECT_EQ(empty.width(), 0);
}

TEST_F(ImageFiles, TargetSizesBeyondTheLimitsAreRefused) {
  const std::string png = write_png("small.png");  // 3 x 2
  const struct {
    int width, height;  // of the image before
    int asked_width, asked_height;
    bool resize;
    bool loads;
    int final_width, final_height;
  } rows[] = {
      {10, 10, 100000, 100000, false, false, 10, 10},
      {10, 10, 100000, 100000, true, false, 10, 10},
      {0, 0, 100000, 100000, false, false, 0, 0},
      {0, 0, 16385, 1, false, false, 0, 0},
      {0, 0, 8192, 8193, false, false, 0, 0},
      {0, 0, 16384, 2, false, true, 16384, 2},
      {10, 10, 6, 4, false, true, 10, 10},
      {10, 10, 6, 4, true, true, 6, 4},
  };
  for (const auto& row : rows) {
    Image image(row.width, row.height);
    EXPECT_EQ(load_image(&image, png.c_str(), row.asked_width, row.asked_height, row.resize),
              row.loads)
        << row.asked_width << " x " << row.asked_height;
    EXPECT_EQ(std::pair(image.width(), image.height()),
              std::pair(row.final_width, row.final_height))
        << row.asked_width << " x " << row.asked_height;
  }
}

// Under a limit on memory, loading either succeeds or fails cleanly, wherever the
// memory runs out.
TEST_F(ImageFiles, RunningOutOfMemoryIsAFailure) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves more address space than any limit leaves";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  GTEST_SKIP() << "the address sanitizer reserves more address space than any limit leaves";
#endif
#endif
  const std::string file = path("translucent.png");
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::_Exit(loads_soundly_short_of_memory(file) ? 0 : 1), ::testing::ExitedWithCode(0),
              "");
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
