// Draws one scene of shapes and text through the raster core and writes its pixels,
// 32-bit words 0x00RRGGBB in the machine's byte order, row by row, to the file named
// by the only argument. Built natively and for the web: both must write the same
// bytes (same FreeType, same fonts).

#include <array>
#include <cstdio>
#include <exception>
#include <string_view>

#include "font/font_cache.h"
#include "font/text_layout.h"
#include "korvi/raster/brush.h"
#include "korvi/raster/device_context.h"
#include "korvi/raster/pen.h"
#include "korvi/raster/raster_ops.h"
#include "korvi/raster/region.h"
#include "korvi/raster/surface.h"

namespace {

using namespace korvi::raster;

constexpr int WIDTH = 640;
constexpr int HEIGHT = 400;

FontDescription font(std::string_view face, std::int32_t height, std::int32_t weight = 400,
                     std::uint8_t quality = 4) {
  FontDescription d{};
  d.height = height;
  d.weight = weight;
  d.quality = quality;
  d.char_set = CHARSET_DEFAULT;
  set_face_name(d, face);
  return d;
}

void draw_shapes(DeviceContext& dc) {
  dc.fill_rect({0, 0, WIDTH, HEIGHT}, Brush::solid(rgb(250, 248, 240)));
  dc.select_pen(Pen::cosmetic(DashKind::SOLID, rgb(20, 40, 160)));
  dc.select_brush(*Brush::hatched(5, rgb(200, 60, 40)));
  dc.rectangle(10, 10, 150, 90);
  dc.select_brush(Brush::solid(rgb(60, 170, 90)));
  dc.ellipse(170, 10, 300, 110);
  dc.select_pen(*Pen::geometric(PEN_CAP_ROUND | PEN_JOIN_MITER | 1, 7, rgb(120, 30, 160)));
  dc.pie(320, 10, 440, 130, 440, 70, 380, 10);
  dc.arc(460, 10, 620, 120, 620, 20, 460, 20);
  const std::array<Point, 5> star = {{{80, 120}, {120, 230}, {20, 160}, {140, 160}, {40, 230}}};
  dc.select_brush(Brush::solid(rgb(240, 200, 30)));
  dc.polygon(star);
  dc.set_write_mode(R2_XORPEN);
  dc.select_pen(Pen::cosmetic(DashKind::SOLID, rgb(255, 255, 255)));
  dc.move_to(0, 240);
  dc.line_to(WIDTH, 120);
  dc.set_write_mode(R2_COPYPEN);
  // A turned, scaled copy of a box and a dashed line through the transform.
  dc.set_transform({0.8f, 0.5f, -0.5f, 0.8f, 250.0f, 130.0f});
  dc.select_pen(Pen::cosmetic(DashKind::DASH_DOT, rgb(0, 0, 0)));
  dc.select_brush(Brush::solid(rgb(90, 160, 220)));
  dc.rectangle(0, 0, 120, 60);
  dc.set_transform(Transform::identity());
  // Clipped to an ellipse: a flood-filled frame and a stretched copy of the top left.
  const Region clip = Region::ellipse({420, 140, 620, 260});
  dc.set_clip_region(&clip);
  dc.stretch_blt(420, 140, 200, 120, &dc, 0, 0, 150, 90, SRCCOPY);
  dc.set_clip_region(nullptr);
  dc.select_pen(Pen::cosmetic(DashKind::SOLID, rgb(200, 0, 0)));
  dc.select_brush(Brush::hollow());
  dc.rectangle(330, 150, 400, 200);
  dc.select_brush(Brush::solid(rgb(255, 180, 200)));
  dc.flood_fill(360, 170, rgb(200, 0, 0));
}

void draw_text(DeviceContext& dc, FontCache& cache) {
  dc.set_background_mode(BackgroundMode::TRANSPARENT);
  dc.set_text_color(rgb(10, 10, 10));
  int y = 250;
  for (const FontDescription& d : {font("Arial", 22), font("Times New Roman", 22, 700),
                                   font("Courier New", 20), font("System", 16),
                                   font("Arial", 18, 400, QUALITY_NONANTIALIASED)}) {
    dc.select_font(cache, cache.font(d));
    dc.text_out(10, y, "Pixels alike: 0123 ÄÖÜ gjpq 中文输入");
    y += 28;
  }
  FontDescription italic = font("Times New Roman", 26);
  italic.italic = 1;
  italic.underline = 1;
  dc.select_font(cache, cache.font(italic));
  dc.set_background_mode(BackgroundMode::OPAQUE);
  dc.set_background_color(rgb(255, 255, 160));
  dc.text_out(420, 280, "Italic text");
  FontDescription turned = font("", 20, 700);
  turned.escapement = 450;
  dc.select_font(cache, cache.font(turned));
  dc.set_background_mode(BackgroundMode::TRANSPARENT);
  dc.set_text_color(rgb(0, 90, 200));
  dc.text_out(450, 390, "Turned 45°");
  PixelBox box{330, 210, 410, 250};
  dc.select_font(cache, cache.font(font("Arial", 12)));
  dc.draw_text("Formatted text wraps inside its box", box, FORMAT_WORDBREAK | FORMAT_CENTER);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: raster_scene PIXEL-FILE\n");
    return 2;
  }
  try {
    Surface surface(WIDTH, HEIGHT);
    FontCache cache;
    DeviceContext dc(&surface);
    draw_shapes(dc);
    draw_text(dc, cache);
    std::FILE* out = std::fopen(argv[1], "wb");
    bool written = out != nullptr;
    for (int y = 0; written && y < HEIGHT; ++y) {
      written = std::fwrite(surface.row(y), sizeof(Pixel), WIDTH, out) == WIDTH;
    }
    if (out != nullptr && std::fclose(out) != 0) written = false;
    if (!written) {
      std::fprintf(stderr, "raster_scene: cannot write %s\n", argv[1]);
      return 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "raster_scene: %s\n", e.what());
    return 1;
  }
  return 0;
}
