// Every load of a picture file ends. Small valid pictures of each format read, with
// the optional parts that readers must pass over, load whole; cut at every byte they
// load or fail with the image unchanged and a reason, the decoders silent, each load
// within a time limit. The pictures in data/ were made once by hand and with cjpeg,
// wrjpgcom, ppm2tiff and cwebp.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <korvi/graphics.h>
#include <signal.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "files/draw_picture.h"
#include "files/picture_codec.h"

namespace {

using namespace korvi;

// One load taking longer than this ends the test program, naming the file and the
// cut: a load that never ends fails in seconds.
constexpr unsigned LOAD_SECONDS = 2;

char g_current_load[512];
std::size_t g_current_load_length = 0;
int g_report_fd = -1;

void on_alarm(int) {
  static const char PREFIX[] = "a load did not end within its time limit: ";
  (void)!::write(g_report_fd, PREFIX, sizeof PREFIX - 1);
  (void)!::write(g_report_fd, g_current_load, g_current_load_length);
  (void)!::write(g_report_fd, "\n", 1);
  ::_exit(1);
}

// Runs one load with the alarm set, saying which load runs.
template <class Load>
bool timed(const std::string& what, Load&& load) {
  g_current_load_length = what.copy(g_current_load, sizeof g_current_load);
  ::alarm(LOAD_SECONDS);
  const bool loaded = load();
  ::alarm(0);
  return loaded;
}

std::vector<std::uint8_t> read_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The common picture library's reading of a PNG, as 0xAARRGGBB.
std::vector<std::uint32_t> read_by_picture_library(const std::vector<std::uint8_t>& bytes) {
  SDL_Surface* decoded =
      IMG_Load_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < argb->h; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const char*>(argb->pixels) +
                                                             y * argb->pitch);
    pixels.insert(pixels.end(), row, row + argb->w);
  }
  SDL_FreeSurface(argb);
  SDL_FreeSurface(decoded);
  return pixels;
}

TEST(PictureCuts, EveryLoadOfAPictureCutAtAnyByteEnds) {
  const struct {
    const char* file;
    int width, height;
  } PICTURES[] = {
      // gAMA, cHRM, sRGB, bKGD, tRNS, pHYs, tEXt, zTXt before the pixels, which lie
      // in two IDAT chunks; tIME after them.
      {"optional-chunks.png", 6, 4},
      {"palette-alpha.png", 6, 4},  // four bits a pixel, an alpha table, interlaced
      {"baseline.jpg", 6, 4},       // JFIF, a comment
      {"progressive.jpg", 6, 4},
      {"palette.bmp", 6, 4},
      {"quadrants.bmp", 4, 4},
      {"animated.gif", 4, 2},  // a loop extension, a comment, two frames with controls
      {"picture.tiff", 6, 4},  // LZW
      {"lossy-alpha.webp", 6, 4},  // VP8X, ALPH, VP8
      {"lossless.webp", 6, 4},
      {"picture.ico", 2, 2},
      {"picture.cur", 2, 2},
      {"picture.qoi", 2, 1},
      {"picture.pnm", 2, 1},
      {"picture.pcx", 2, 1},
      {"picture.lbm", 16, 1},  // rows kept as whole 16-pixel words
      {"picture.svg", 4, 3},
  };
  // Loaded before any clock runs: opening the libraries takes longer than a load.
  ASSERT_EQ(picture_library_error(), nullptr);
  g_report_fd = ::dup(STDERR_FILENO);
  struct sigaction action {};
  action.sa_handler = on_alarm;
  ::sigaction(SIGALRM, &action, nullptr);

  for (const auto& picture : PICTURES) {
    SCOPED_TRACE(picture.file);
    const std::string file = std::string(KORVI_TEST_DATA) + "/" + picture.file;
    const std::vector<std::uint8_t> bytes = read_bytes(file);
    ASSERT_FALSE(bytes.empty());
    Image whole;
    ASSERT_TRUE(timed(picture.file, [&] { return load_image(&whole, file.c_str()); }));
    EXPECT_EQ(whole.width(), picture.width);
    EXPECT_EQ(whole.height(), picture.height);
    if (std::string_view(picture.file).ends_with(".png")) {
      // The pixels the common reader gives, where they show.
      const auto decoded = decode_picture(bytes);
      ASSERT_TRUE(decoded);
      const std::vector<std::uint32_t> expected = read_by_picture_library(bytes);
      ASSERT_EQ(decoded->pixels.size(), expected.size());
      for (std::size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] >> 24 != 0 || decoded->pixels[i] >> 24 != 0) {
          ASSERT_EQ(decoded->pixels[i], expected[i]) << i;
        }
      }
    }

    // The file's bytes as loading reads them, cut short. A failed load leaves the
    // image as it was (a cut that loads draws into it), with a reason.
    Image image(3, 3);
    std::uint32_t* const pixels = get_image_buffer(&image);
    int failures = 0;
    std::vector<std::size_t> unsound;
    ::testing::internal::CaptureStderr();
    for (std::size_t length = 0; length < bytes.size(); ++length) {
      for (std::uint32_t i = 0; i < 9; ++i) pixels[i] = 0x10203u * i;
      PictureFault fault = PictureFault::none;
      const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(length));
      if (timed(std::string(picture.file) + " cut to " + std::to_string(length) + " bytes",
                [&] { return draw_picture(cut, image, 0, 0, false, &fault); }))
        continue;
      ++failures;
      bool unchanged = image.width() == 3 && image.height() == 3;
      for (std::uint32_t i = 0; i < 9; ++i) unchanged &= pixels[i] == 0x10203u * i;
      if (!unchanged || fault == PictureFault::none) unsound.push_back(length);
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");  // no decoder's messages
    EXPECT_TRUE(unsound.empty()) << "first at a cut to " << unsound[0] << " bytes";
    EXPECT_GT(failures, 0);
  }
}

}  // namespace
