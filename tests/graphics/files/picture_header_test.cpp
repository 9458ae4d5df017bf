#include "files/picture_header.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "byte_fields.h"

namespace {

using namespace std::string_literals;
using korvi::PictureFormat;

using korvi::test::be;
using korvi::test::le;

const std::string PNG = "\x89PNG\r\n\x1a\n"s + be(13, 4) + "IHDR";
const std::string BMP = "BM" + std::string(12, '\0');
const std::string ICO_ONE = le(0, 2) + le(1, 2) + le(1, 2);
const std::string WEBP = "RIFF" + le(0, 4) + "WEBP";
const std::string GIF_SCREEN = "GIF89a" + le(65535, 2) + le(65535, 2) + "\0\0\0"s;
// A frame of 1 x 1 at (0, 0), its code size and one sub-block of data.
const std::string FRAME = "," + le(0, 4) + le(1, 2) + le(1, 2) + "\0\x02\x01\0\0"s;

std::string tiff_entry_le(int tag, int type, std::int64_t value) {
  return le(tag, 2) + le(type, 2) + le(1, 4) + le(value, 4);
}
std::string tiff_entry_be(int tag, int type, std::int64_t value) {
  return be(tag, 2) + be(type, 2) + be(1, 4) + (type == 3 ? be(value, 2) + be(0, 2) : be(value, 4));
}

TEST(PictureHeader, FormatAndTheLargestSizeAskedFor) {
  struct Row {
    const char* what;
    std::string bytes;
    std::optional<PictureFormat> format;  // nothing: refused
    std::int64_t width = 0, height = 0;
  };
  using F = PictureFormat;
  const Row rows[] = {
      {"png", PNG + be(3, 4) + be(2, 4) + "\x08\x02\0\0\0"s, F::png, 3, 2},
      {"png cut short", PNG + be(3, 4), {}},
      {"gif screen", GIF_SCREEN + FRAME + ";", F::gif, 65535, 65535},
      {"gif without a frame", GIF_SCREEN + ";", {}},
      {"gif frame without pixels",
       GIF_SCREEN + "," + le(0, 4) + le(0, 2) + le(1, 2) + "\0\x02\0;"s,
       {}},
      {"gif code size above 8 bits",
       GIF_SCREEN + "," + le(0, 4) + le(1, 2) + le(1, 2) + "\0\x09\0;"s,
       {}},
      {"gif codes starting with a table entry",
       GIF_SCREEN + "," + le(0, 4) + le(1, 2) + le(1, 2) + "\0\x02\x01\x07\0;"s,
       {}},
      {"gif code beyond the table",
       GIF_SCREEN + "," + le(0, 4) + le(1, 2) + le(1, 2) + "\0\x02\x01\x38\0;"s,
       {}},
      {"gif code size below 2 bits",
       GIF_SCREEN + "," + le(0, 4) + le(1, 2) + le(1, 2) + "\0\x01\0;"s,
       {}},
      {"gif frame beyond the screen",
       "GIF89a" + le(2, 2) + le(2, 2) + "\x80\0\0"s + std::string(6, '\0') +  // two colours
           "!\xF9\x04\0\0\0\0\0"s + "\0x" +  // an extension, stray bytes
           "," + le(10, 2) + le(0, 2) + le(300, 2) + le(2, 2) + "\0\x02\x01\0\0;"s,
       F::gif, 310, 2},
      {"bmp top-down", BMP + le(40, 4) + le(30000, 4) + le(-30000, 4), F::bmp, 30000, 30000},
      {"bmp core header", BMP + le(12, 4) + le(640, 2) + le(480, 2), F::bmp, 640, 480},
      {"bmp cut short", BMP + le(40, 4) + le(5, 2), {}},
      {"jpeg",
       "\xFF\xD8\xFF\xE0"s + be(4, 2) + "JF" + "\xFF\xFF\xC2"s + be(11, 2) + "\x08"s + be(100, 2) +
           be(200, 2) + "\x01\x01\x11\x00"s,
       F::jpeg, 200, 100},
      {"jpeg scan before a frame", "\xFF\xD8\xFF\xDA"s + be(2, 2), {}},
      {"jpeg without marker", "\xFF\xD8\xFF\xE0"s + be(2, 2) + "xx", {}},
      {"icon entry larger than its directory",
       ICO_ONE + "\x10\x10\0\0"s + le(1, 2) + le(32, 2) + le(40, 4) + le(22, 4) + le(40, 4) +
           le(20000, 4) + le(32, 4) + std::string(28, '\0'),
       F::ico, 20000, 32},
      {"cursor whose picture is missing",
       le(0, 2) + le(2, 2) + le(1, 2) + std::string(8, '\0') + le(4, 4) + le(999, 4), F::cur, 256,
       256},
      {"icon without entries", le(0, 2) + le(1, 2) + le(0, 2), {}},
      {"icon entry cut short",
       ICO_ONE + "\x10\x10\0\0"s + le(1, 2) + le(32, 2) + le(40, 4) + le(22, 4) + le(40, 4) +
           le(20000, 4) + le(32, 4),
       {}},
      {"webp lossless", WEBP + "VP8L" + le(5, 4) + "\x2F" + le(99 | 49 << 14, 4), F::webp, 100, 50},
      {"webp extended", WEBP + "VP8X" + le(10, 4) + le(0, 4) + le(16383, 3) + le(0, 3), F::webp,
       16384, 1},
      {"webp lossy", WEBP + "VP8 " + le(10, 4) + "\0\0\0\x9D\x01\x2A"s + le(640, 2) + le(480, 2),
       F::webp, 640, 480},
      {"tiff little-endian",
       "II*\0"s + le(8, 4) + le(2, 2) + tiff_entry_le(256, 3, 640) + tiff_entry_le(257, 4, 480),
       F::tiff, 640, 480},
      {"tiff big-endian, tiles larger",
       "MM\0*"s + be(8, 4) + be(3, 2) + tiff_entry_be(256, 3, 640) + tiff_entry_be(257, 4, 480) +
           tiff_entry_be(322, 4, 65536),
       F::tiff, 65536, 480},
      {"tiff without a height", "II*\0"s + le(8, 4) + le(1, 2) + tiff_entry_le(256, 3, 640), {}},
      {"qoi", "qoif" + be(20000, 4) + be(1, 4) + "\x04\0"s, F::qoi, 20000, 1},
      {"pnm with comments", "P6\n# made by hand\n640 #\r480\n255\n", F::pnm, 640, 480},
      {"pnm without a height", "P5 12", {}},
      {"pcx, signed corners",
       "\x0A\x05\x01\x08"s + le(-32768, 2) + le(0, 2) + le(32767, 2) + le(9, 2) +
           std::string(53, '\0') + "\x01"s + le(65536 / 8, 2) + std::string(60, '\0'),
       F::pcx, 65536, 10},
      {"pcx, negative bytes per line",
       "\x0A\x05\x01\x08"s + le(0, 2) + le(0, 2) + le(1, 2) + le(0, 2) + std::string(53, '\0') +
           "\x03"s + le(-16126, 2) + std::string(60, '\0'),
       {}},
      {"lbm",
       "FORM" + be(0, 4) + "ILBM" + "BMHD" + be(20, 4) + be(321, 2) + be(200, 2) +
           std::string(16, '\0'),
       F::lbm, 336, 200},
      {"lbm, the larger of two headers",
       "FORM" + be(0, 4) + "PBM " + "BMHD" + be(20, 4) + be(2, 2) + be(2, 2) +
           std::string(16, '\0') + "BMHD" + be(20, 4) + be(30000, 2) + be(1, 2) +
           std::string(16, '\0') + "BODY",
       F::lbm, 30000, 2},
      {"lbm chunk beyond the file", "FORM" + be(0, 4) + "ILBM" + "ANNO" + be(1000, 4) + "x", {}},
      // Not read: rare formats whose decoders fail on hostile content that no header
      // check can rule out.
      {"xpm", "/* XPM */\nstatic char *p[] = {\n\"4 2 2 1\",\n\"a c #000000\",\n", {}},
      {"xv", "P7 332\n#END_OF_COMMENTS\n80 60 255\n", {}},
      {"svg in absolute units",
       "<?xml version='1.0'?>\n<svg xmlns='x' width=\"10mm\" height='1in'>", F::svg, 38, 96},
      {"svg view box", "< svg viewBox=\"0,0,300,200\">", F::svg, 300, 200},
      {"svg view box larger than the size given",
       "<svg width='10' height='10' viewBox='0 0 900 900'>", F::svg, 10, 10},
      {"svg width given twice", "<svg width='4' height='2' viewBox='1' width='2'>", F::svg, 4, 2},
      {"svg nested, larger", "<svg width='10' height='10'><svg width='30000' height='1'/></svg>",
       F::svg, 30000, 10},
      // A percentage counts as no size: the view box of any element may stand in.
      {"svg percentage", "<svg width='50%' height='2' viewBox='0 0 8 8'><svg viewBox='0 0 400 1'/>",
       F::svg, 400, 2},
      {"svg number read to 63 characters",
       "<svg width='30000." + std::string(60, '0') + "e-4' height='1'>", F::svg, 30000, 1},
      {"svg number after a blank", "<svg width=' 30' height='1' viewBox='0 0 7 7'>", F::svg, 7, 1},
      {"svg without a view box to fall back on", "<svg width='100%' height='100%'>", {}},
      {"svg size taken back, no view box", "<svg width='4' height='3'><svg width=':5'/>", {}},
      {"svg font-relative", "<svg width='10em' height='10em'>", {}},
      {"svg sized by its drawing", "<svg><rect width='99999' height='9'/></svg>", {}},
      {"svg after a zero byte", "\0<svg width='10' height='10'>"s, {}},
      {"svg tag left open", "<svg width='10' height='10'", {}},
      {"svg tag inside a tag", "<svg a='<svg width=\"10\" height=\"10\"'>", {}},
      {"text", "not a picture", {}},
      {"nothing", "", {}},
  };
  for (const Row& row : rows) {
    const auto header = korvi::read_picture_header(
        {reinterpret_cast<const std::uint8_t*>(row.bytes.data()), row.bytes.size()});
    ASSERT_EQ(header.has_value(), row.format.has_value()) << row.what;
    if (!header) continue;
    EXPECT_EQ(header->format, *row.format) << row.what;
    EXPECT_EQ(header->width, row.width) << row.what;
    EXPECT_EQ(header->height, row.height) << row.what;
  }
}

TEST(PictureHeader, AGifIsCutAfterItsFirstFrame) {
  // A decoder that cannot read a frame tries the next: a second, huge frame never
  // reaches it.
  const std::string first = "GIF89a" + le(2, 2) + le(2, 2) + "\0\0\0"s + FRAME;
  // ","s, not ",": GCC 12 at -O3 warns (-Wrestrict, a false positive) on a literal + string.
  const std::string second = ","s + le(0, 4) + le(60000, 2) + le(60000, 2) + "\0\x02\x01\0\0;"s;
  std::vector<std::uint8_t> bytes(first.begin(), first.end());
  bytes.insert(bytes.end(), second.begin(), second.end());
  const auto header = korvi::read_picture_header(bytes);
  ASSERT_TRUE(header);
  EXPECT_EQ(header->width, 2);
  korvi::keep_checked_part(bytes, *header);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), first + ";");
}

}  // namespace
