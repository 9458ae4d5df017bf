// Writes the first inputs of fuzz_load_picture into a directory: a small picture of
// each format the loader reads (a header alone where a whole file would be long),
// each after the control bytes that fuzz_load_picture reads first.
// Usage: fuzz_picture_seeds <directory>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "files/picture_codec.h"
#include "files/picture_header.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void put(Bytes& out, std::uint32_t value, int bytes, bool big_endian = false) {
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<std::uint8_t>(value >> (8 * (big_endian ? bytes - 1 - i : i))));
}

Bytes text(const std::string& s) { return {s.begin(), s.end()}; }

Bytes tiff() {  // 2 x 1, RGB, one uncompressed strip
  Bytes out = text("II*");
  out.push_back(0);
  put(out, 8, 4);
  const std::uint32_t entries[][3] = {{256, 3, 2}, {257, 3, 1}, {258, 3, 8},
                                      {259, 3, 1}, {262, 3, 2}, {273, 4, 122},
                                      {277, 3, 3}, {278, 3, 1}, {279, 4, 6}};
  put(out, 9, 2);
  for (const auto& e : entries) {
    put(out, e[0], 2);
    put(out, e[1], 2);
    put(out, 1, 4);
    put(out, e[2], 4);
  }
  put(out, 0, 4);
  for (std::uint8_t b : {255, 0, 0, 0, 255, 0}) out.push_back(b);
  return out;
}

Bytes qoi() {
  Bytes out = text("qoif");
  put(out, 2, 4, true);
  put(out, 1, 4, true);
  out.insert(out.end(), {3, 0, 0xFE, 255, 0, 0, 0xFE, 0, 255, 0, 0, 0, 0, 0, 0, 0, 0, 1});
  return out;
}

Bytes pcx() {  // 2 x 1, three planes of 8 bits, run-length coded
  Bytes out = {0x0A, 5, 1, 8};
  put(out, 0, 2);
  put(out, 0, 2);
  put(out, 1, 2);
  put(out, 0, 2);
  out.resize(65, 0);
  out.push_back(3);  // planes
  put(out, 2, 2);    // bytes per line
  out.resize(128, 0);
  out.insert(out.end(), {255, 0, 0, 255, 0, 0});
  return out;
}

Bytes lbm() {  // 2 x 1, chunky 8-bit pixels, each row stored 16 pixels wide
  Bytes body = text("PBM BMHD");
  put(body, 20, 4, true);
  put(body, 2, 2, true);
  put(body, 1, 2, true);
  body.insert(body.end(), {0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 1, 1});
  put(body, 2, 2, true);
  put(body, 1, 2, true);
  body.insert(body.end(), {'C', 'M', 'A', 'P', 0, 0, 0, 6, 255, 0, 0, 0, 255, 0});
  body.insert(body.end(), {'B', 'O', 'D', 'Y', 0, 0, 0, 16, 0, 1});  // rows of 16 pixels
  body.resize(body.size() + 14, 0);
  Bytes out = text("FORM");
  put(out, static_cast<std::uint32_t>(body.size()), 4, true);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes gif() {  // 2 x 2, four colours
  return {'G', 'I', 'F', '8',  '9', 'a', 2, 0,    2,    0,    0xF1, 0,    0, 0xFF,
          0,   0,   0,   0xFF, 0,   0,   0, 0xFF, 0xFF, 0xFF, 0xFF, ',',  0, 0,
          0,   0,   2,   0,    2,   0,   0, 2,    3,    0x44, 0x34, 0x05, 0, ';'};
}

Bytes icon(int type) {  // one 2 x 2 entry, 32 bits with alpha
  Bytes out;
  put(out, 0, 2);
  put(out, static_cast<std::uint32_t>(type), 2);
  put(out, 1, 2);
  out.insert(out.end(), {2, 2, 0, 0});
  put(out, 1, 2);
  put(out, 32, 2);
  put(out, 40 + 16 + 8, 4);
  put(out, 22, 4);
  put(out, 40, 4);
  put(out, 2, 4);
  put(out, 4, 4);
  put(out, 1, 2);
  put(out, 32, 2);
  out.resize(out.size() + 24, 0);
  for (std::uint32_t bgra : {0xFF0000FFu, 0x80FFFFFFu, 0xFFFF0000u, 0x00000000u}) put(out, bgra, 4);
  out.resize(out.size() + 8, 0);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
    return 2;
  }
  const std::uint32_t opaque[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0x000000, 0xFFFFFF, 0x804020};
  const std::vector<std::pair<std::string, Bytes>> seeds = {
      {"bmp", korvi::encode_bmp(opaque, 3, 2)},
      {"png", korvi::encode_png(opaque, 3, 2).value_or(Bytes{})},
      {"gif", gif()},
      {"ico", icon(1)},
      {"cur", icon(2)},
      {"tiff", tiff()},
      {"qoi", qoi()},
      {"pcx", pcx()},
      {"lbm", lbm()},
      {"pnm", text("P3\n2 1\n255\n255 0 0 0 255 0\n")},
      {"svg", text("<svg xmlns='http://www.w3.org/2000/svg' width='4' height='3'>"
                   "<rect width='2' height='2' fill='red' fill-opacity='0.5'/></svg>")},
      {"jpeg-header", {0xFF, 0xD8, 0xFF, 0xC0, 0, 11, 8, 0, 2, 0, 3, 1, 1, 0x11, 0}},
      {"webp-header",
       [] {
         Bytes b = text("RIFF");
         put(b, 0, 4);
         for (char c : std::string("WEBPVP8L")) b.push_back(static_cast<std::uint8_t>(c));
         put(b, 5, 4);
         b.push_back(0x2F);
         put(b, 1 | 1 << 14, 4);
         return b;
       }()},
  };
  for (const auto& [name, bytes] : seeds) {
    const auto header = korvi::read_picture_header(bytes);
    const bool decodes = korvi::decode_picture(std::span<const std::uint8_t>(bytes)).has_value();
    std::printf("%-12s %4zu bytes  header %s  decodes %s\n", name.c_str(), bytes.size(),
                header ? "read" : "refused", decodes ? "yes" : "no");
    // No resize, no size asked, an image of 8 x 8 before.
    std::ofstream file(std::string(argv[1]) + "/seed-" + name, std::ios::binary);
    const char control[6] = {0, 0, 0, 0, 0, 8};
    file.write(control, sizeof control);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  return 0;
}
