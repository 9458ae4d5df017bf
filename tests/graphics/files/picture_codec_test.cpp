#include "files/picture_codec.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A 3 x 2 picture whose pixels all differ, as 0x00RRGGBB.
const std::vector<std::uint32_t> SAMPLE = {0xFF0000, 0x00FF00, 0x0000FF,
                                           0x000000, 0xFFFFFF, 0x804020};

void append_le(Bytes& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// Saves SAMPLE with one of the decoder library's own writers.
Bytes saved_with(int (*save)(SDL_Surface*, SDL_RWops*)) {
  std::vector<std::uint32_t> pixels = SAMPLE;
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), 3, 2, 32, 3 * 4, SDL_PIXELFORMAT_RGB888);
  Bytes buffer(64 * 1024);
  SDL_RWops* stream = SDL_RWFromMem(buffer.data(), static_cast<int>(buffer.size()));
  EXPECT_EQ(save(surface, stream), 0) << SDL_GetError();
  buffer.resize(static_cast<std::size_t>(SDL_RWtell(stream)));
  SDL_RWclose(stream);
  SDL_FreeSurface(surface);
  return buffer;
}

int save_png(SDL_Surface* s, SDL_RWops* rw) { return IMG_SavePNG_RW(s, rw, 0); }
int save_jpeg(SDL_Surface* s, SDL_RWops* rw) { return IMG_SaveJPG_RW(s, rw, 0, 100); }

TEST(PictureCodec, BmpRoundTripIsExact) {
  const Bytes bmp = korvi::encode_bmp(SAMPLE.data(), 3, 2);
  // 54 bytes of headers, two rows of 9 bytes padded to 12.
  ASSERT_EQ(bmp.size(), 54u + 24u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  const auto picture = korvi::decode_picture(bmp);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 3);
  EXPECT_EQ(picture->height, 2);
  for (std::size_t i = 0; i < SAMPLE.size(); ++i)
    EXPECT_EQ(picture->pixels[i], 0xFF000000 | SAMPLE[i]) << i;
}

TEST(PictureCodec, DecodesPngExactlyAndJpegClosely) {
  const auto png = korvi::decode_picture(saved_with(save_png));
  ASSERT_TRUE(png);
  ASSERT_EQ(png->pixels.size(), SAMPLE.size());
  for (std::size_t i = 0; i < SAMPLE.size(); ++i)
    EXPECT_EQ(png->pixels[i] & 0xFFFFFF, SAMPLE[i]) << i;

  const auto jpeg = korvi::decode_picture(saved_with(save_jpeg));
  ASSERT_TRUE(jpeg);
  EXPECT_EQ(jpeg->width, 3);
  EXPECT_EQ(jpeg->height, 2);
}

TEST(PictureCodec, DecodesGifAndIcon) {
  // GIF89a, 2 x 2, a global table of four colours, LZW codes
  // clear, 0, 1, 2, 3, end.
  Bytes gif = {'G', 'I', 'F', '8',  '9', 'a', 2, 0,    2,    0,    0xF1, 0,    0, 0xFF,
               0,   0,   0,   0xFF, 0,   0,   0, 0xFF, 0xFF, 0xFF, 0xFF, ',',  0, 0,
               0,   0,   2,   0,    2,   0,   0, 2,    3,    0x44, 0x34, 0x05, 0, ';'};
  const auto decoded_gif = korvi::decode_picture(gif);
  ASSERT_TRUE(decoded_gif);
  ASSERT_EQ(decoded_gif->pixels.size(), 4u);
  EXPECT_EQ(decoded_gif->pixels[0] & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(decoded_gif->pixels[1] & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(decoded_gif->pixels[2] & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(decoded_gif->pixels[3] & 0xFFFFFF, 0xFFFFFFu);

  // An icon of one 2 x 2 image, 32 bits per pixel with alpha.
  Bytes ico;
  append_le(ico, 0, 2);
  append_le(ico, 1, 2);  // icon
  append_le(ico, 1, 2);  // one image
  const std::uint32_t dib_size = 40 + 4 * 4 + 2 * 4;
  ico.insert(ico.end(), {2, 2, 0, 0});
  append_le(ico, 1, 2);   // planes
  append_le(ico, 32, 2);  // bits
  append_le(ico, dib_size, 4);
  append_le(ico, 22, 4);
  append_le(ico, 40, 4);
  append_le(ico, 2, 4);
  append_le(ico, 4, 4);  // twice the height: colour rows and mask rows
  append_le(ico, 1, 2);
  append_le(ico, 32, 2);
  for (int i = 0; i < 6; ++i) append_le(ico, 0, 4);
  // Bottom row first: blue, white; then the top row: red, green. All opaque.
  for (std::uint32_t bgra : {0xFF0000FFu, 0xFFFFFFFFu, 0xFFFF0000u, 0xFF00FF00u})
    append_le(ico, bgra, 4);
  append_le(ico, 0, 4);  // mask rows, each padded to 32 bits
  append_le(ico, 0, 4);
  const auto decoded_ico = korvi::decode_picture(ico);
  ASSERT_TRUE(decoded_ico);
  ASSERT_EQ(decoded_ico->pixels.size(), 4u);
  EXPECT_EQ(decoded_ico->pixels[0], 0xFFFF0000u);
  EXPECT_EQ(decoded_ico->pixels[1], 0xFF00FF00u);
  EXPECT_EQ(decoded_ico->pixels[2], 0xFF0000FFu);
  EXPECT_EQ(decoded_ico->pixels[3], 0xFFFFFFFFu);
}

TEST(PictureCodec, RejectsEmptyAndUndecodableData) {
  EXPECT_FALSE(korvi::decode_picture({}));
  const Bytes garbage = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};
  EXPECT_FALSE(korvi::decode_picture(garbage));
  Bytes truncated = korvi::encode_bmp(SAMPLE.data(), 3, 2);
  truncated.resize(30);
  EXPECT_FALSE(korvi::decode_picture(truncated));
}

}  // namespace
