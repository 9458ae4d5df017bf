// Draws the gallery of docs/gallery: every fill style, line style and write mode,
// the raster operations of put_image(), clip regions, the shapes and the fonts, each
// picture labelled with the names a program uses.
// Usage: make_gallery DIRECTORY    (writes the pictures there; needs no display)
#include <korvi/graphics.h>

#include <cstdio>
#include <numbers>
#include <string>

using namespace korvi;

namespace {

constexpr Color PAPER = rgb(255, 255, 255);
constexpr Color INK = rgb(30, 30, 30);
constexpr Color BLUE = rgb(40, 90, 200);
constexpr double PI = std::numbers::pi;

// A plain font of this height and face.
void plain_font(int height, const char* face) {
  set_text_style_ext(height, 0, face, 0, 0, FW_NORMAL, false, false, false);
}

// A fresh white image to draw on, with its title.
void start(Image& image, const char* title) {
  set_working_image(&image);
  set_bk_color(PAPER);
  clear_device();
  set_bk_mode(TRANSPARENT);
  set_line_color(INK);
  plain_font(20, "Arial");
  draw_text(12, 8, title);
}

// A caption under a sample; the line colour stays as it was.
void caption(int x, int y, const std::string& text) {
  const Color line = get_line_color();
  set_line_color(INK);
  plain_font(13, "Arial");
  draw_text(x, y, text.c_str());
  set_line_color(line);
}

void fill_styles(Image& image) {
  const char* names[] = {"FILL_HOLLOW",
                         "FILL_SOLID",
                         "FILL_HATCH_RISING",
                         "FILL_HATCH_CROSS",
                         "FILL_HATCH_DIAGONAL_CROSS",
                         "FILL_SPARSE_DOTS",
                         "FILL_HATCH_FALLING",
                         "FILL_HATCH_HORIZONTAL",
                         "FILL_HATCH_VERTICAL",
                         "FILL_THIN_RISING",
                         "FILL_GRID",
                         "FILL_INTERLEAVE",
                         "FILL_WIDE_DOTS",
                         "FILL_THIN_FALLING",
                         "FILL_HORIZONTAL_LINES",
                         "FILL_VERTICAL_LINES",
                         "FILL_THICK_RISING",
                         "FILL_THICK_GRID",
                         "FILL_WEAVE",
                         "FILL_SMALL_BLOCKS",
                         "FILL_THICK_FALLING",
                         "FILL_THICK_HORIZONTAL",
                         "FILL_THICK_VERTICAL",
                         "FILL_CHECKER",
                         "FILL_USER"};
  start(image, "Fill styles: set_fill_style(color, style); gaps in the background colour");
  const std::uint8_t heart[8] = {0x00, 0x66, 0xFF, 0xFF, 0x7E, 0x3C, 0x18, 0x00};
  for (int style = FILL_HOLLOW; style <= FILL_USER; ++style) {
    const int left = 12 + (style - 1) % 4 * 214, top = 40 + (style - 1) / 4 * 64;
    set_bk_color(rgb(250, 235, 200));
    set_bk_mode(OPAQUE);
    set_fill_style(BLUE, style, heart);
    fill_bar(left, top, left + 149, top + 39);
    draw_rectangle(left, top, left + 149, top + 39);
    set_bk_mode(TRANSPARENT);
    caption(left, top + 42, std::to_string(style) + " " + names[style - 1]);
  }
  // The hatches again in TRANSPARENT mode, over stripes: their gaps keep what is there.
  plain_font(16, "Arial");
  draw_text(12, 500, "set_bk_mode(TRANSPARENT): the gaps of hatches are left alone");
  const int hatches[] = {FILL_HATCH_RISING,  FILL_HATCH_CROSS,      FILL_HATCH_DIAGONAL_CROSS,
                         FILL_HATCH_FALLING, FILL_HATCH_HORIZONTAL, FILL_HATCH_VERTICAL};
  const Color tints[] = {rgb(255, 236, 150), rgb(255, 200, 210), rgb(190, 235, 240)};
  for (int i = 0; i < 6; ++i) {
    const int left = 12 + i % 4 * 214, top = 528 + i / 4 * 64;
    for (int stripe = 0; stripe < 5; ++stripe) {
      set_fill_style(tints[stripe % 3], FILL_SOLID);
      fill_bar(left + stripe * 30, top, left + stripe * 30 + 29, top + 39);
    }
    set_fill_style(BLUE, hatches[i]);
    fill_bar(left, top, left + 149, top + 39);
    draw_rectangle(left, top, left + 149, top + 39);
    caption(left, top + 42, std::to_string(hatches[i]) + " " + names[hatches[i] - 1]);
  }
}

void line_styles(Image& image) {
  start(image, "Line styles: set_line_style(style, pattern, thickness)");
  const char* dashes[] = {"PS_SOLID",   "PS_DASH",       "PS_DOT",
                          "PS_DASHDOT", "PS_DASHDOTDOT", "PS_NULL"};
  for (int style = PS_SOLID; style <= PS_NULL; ++style) {
    const int y = 50 + style * 26;
    set_line_style(style);
    draw_line(12, y, 300, y);
    caption(310, y - 8, dashes[style]);
  }
  set_line_style(PS_USERSTYLE, 0x0F3F);
  draw_line(12, 206, 300, 206);
  caption(310, 198, "PS_USERSTYLE, pattern 0x0F3F (bit 0 first)");
  for (int i = 0; i < 3; ++i) {
    const int thickness[] = {2, 5, 10};
    set_line_style(PS_SOLID, 0, thickness[i]);
    draw_line(12, 240 + i * 24, 300, 240 + i * 24);
    caption(310, 232 + i * 24, "thickness " + std::to_string(thickness[i]));
  }
  const int caps[] = {PS_ENDCAP_ROUND, PS_ENDCAP_SQUARE, PS_ENDCAP_FLAT};
  const char* cap_names[] = {"PS_ENDCAP_ROUND", "PS_ENDCAP_SQUARE", "PS_ENDCAP_FLAT"};
  const int joins[] = {PS_JOIN_ROUND, PS_JOIN_BEVEL, PS_JOIN_MITER};
  const char* join_names[] = {"PS_JOIN_ROUND", "PS_JOIN_BEVEL", "PS_JOIN_MITER"};
  for (int i = 0; i < 3; ++i) {
    const int left = 560, top = 50 + i * 100;
    set_line_color(BLUE);
    set_line_style(PS_GEOMETRIC | caps[i] | joins[i], 0, 16);
    const Point zigzag[] = {
        {left, top + 50}, {left + 40, top + 10}, {left + 80, top + 50}, {left + 130, top + 20}};
    draw_polyline(4, zigzag);
    set_line_color(rgb(230, 60, 60));  // the thin line the wide one was drawn on
    set_line_style(PS_SOLID);
    draw_polyline(4, zigzag);
    caption(left - 150, top + 14, cap_names[i]);
    caption(left - 150, top + 30, join_names[i]);
    set_line_color(INK);
  }
}

// The six stripes of the destination in the write modes' and raster operations'
// pictures: black, white, red, green, blue, grey, each 28 pixels wide.
void stripes(int left, int top, int height) {
  const Color colours[] = {rgb(0, 0, 0),     rgb(255, 255, 255), rgb(220, 40, 40),
                           rgb(40, 160, 60), rgb(40, 80, 220),   rgb(128, 128, 128)};
  for (int i = 0; i < 6; ++i) {
    set_fill_style(colours[i], FILL_SOLID);
    fill_bar(left + i * 28, top, left + i * 28 + 27, top + height - 1);
  }
}

void write_modes(Image& image) {
  const char* names[] = {"R2_BLACK",      "R2_NOTMERGEPEN", "R2_MASKNOTPEN", "R2_NOTCOPYPEN",
                         "R2_MASKPENNOT", "R2_NOT",         "R2_XORPEN",     "R2_NOTMASKPEN",
                         "R2_MASKPEN",    "R2_NOTXORPEN",   "R2_NOP",        "R2_MERGENOTPEN",
                         "R2_COPYPEN",    "R2_MERGEPENNOT", "R2_MERGEPEN",   "R2_WHITE"};
  start(image, "Write modes: set_write_mode(mode), pen P (orange) on stripes S");
  for (int mode = R2_BLACK; mode <= R2_WHITE; ++mode) {
    const int left = 12 + (mode - 1) % 4 * 196, top = 40 + (mode - 1) / 4 * 100;
    stripes(left, top, 64);
    set_write_mode(mode);
    set_line_color(rgb(255, 160, 0));
    set_line_style(PS_SOLID, 0, 12);
    draw_line(left + 8, top + 20, left + 160, top + 20);
    set_fill_style(rgb(255, 160, 0), FILL_SOLID);
    set_line_style(PS_SOLID);
    draw_circle(left + 84, top + 46, 12);
    set_write_mode(R2_COPYPEN);
    caption(left, top + 68, std::to_string(mode) + " " + names[mode - 1]);
  }
}

void raster_operations(Image& image) {
  start(image, "Raster operations: put_image(x, y, image, rop), source S on stripes D");
  // The source: an orange disc and a black band on white.
  Image source(168, 56);
  set_working_image(&source);
  set_bk_color(rgb(255, 255, 255));
  clear_device();
  set_fill_style(rgb(0, 0, 0), FILL_SOLID);
  fill_bar(0, 38, 168, 56);
  set_line_color(rgb(255, 160, 0));
  set_fill_style(rgb(255, 160, 0), FILL_SOLID);
  draw_circle(84, 28, 24);
  set_working_image(&image);

  struct Operation {
    std::uint32_t rop;
    const char* name;
    const char* formula;
  };
  const Operation operations[] = {{SRCCOPY, "SRCCOPY", "S"},
                                  {SRCPAINT, "SRCPAINT", "S | D"},
                                  {SRCAND, "SRCAND", "S & D"},
                                  {SRCINVERT, "SRCINVERT", "S ^ D"},
                                  {SRCERASE, "SRCERASE", "S & ~D"},
                                  {NOTSRCCOPY, "NOTSRCCOPY", "~S"},
                                  {NOTSRCERASE, "NOTSRCERASE", "~(S | D)"},
                                  {MERGEPAINT, "MERGEPAINT", "~S | D"},
                                  {MERGECOPY, "MERGECOPY", "P & S"},
                                  {PATCOPY, "PATCOPY", "P"},
                                  {PATPAINT, "PATPAINT", "P | ~S | D"},
                                  {PATINVERT, "PATINVERT", "P ^ D"},
                                  {DSTINVERT, "DSTINVERT", "~D"},
                                  {BLACKNESS, "BLACKNESS", "0"},
                                  {WHITENESS, "WHITENESS", "0xFFFFFF"}};
  // The operands first: D, S, and the pattern P (the target's fill style). Each
  // cell in a grey frame, for the white ones.
  const auto cell = [](int i) { return Point{12 + i % 4 * 196, 40 + i / 4 * 92}; };
  set_line_color(rgb(200, 200, 200));
  for (int i = 0; i < 18; ++i)
    draw_rectangle(cell(i).x - 1, cell(i).y - 1, cell(i).x + 168, cell(i).y + 56);
  Point p = cell(0);
  stripes(p.x, p.y, 56);
  caption(p.x, p.y + 60, "D: the target");
  p = cell(1);
  put_image(p.x, p.y, &source);
  caption(p.x, p.y + 60, "S: the image");
  p = cell(2);
  set_bk_color(rgb(255, 255, 255));
  set_bk_mode(OPAQUE);
  set_fill_style(rgb(40, 160, 60), FILL_HATCH_DIAGONAL_CROSS);
  fill_bar(p.x, p.y, p.x + 167, p.y + 55);
  set_bk_mode(TRANSPARENT);
  caption(p.x, p.y + 60, "P: the fill style, a hatch");
  for (int i = 0; i < 15; ++i) {
    p = cell(i + 3);
    stripes(p.x, p.y, 56);
    set_fill_style(rgb(40, 160, 60), FILL_HATCH_DIAGONAL_CROSS);
    put_image(p.x, p.y, &source, operations[i].rop);
    caption(p.x, p.y + 60, std::string(operations[i].name) + "  " + operations[i].formula);
  }
}

// Rings on a tint drawn over a cell of 140 x 90 in a frame, clipped to the region
// (given in the cell's coordinates).
void clipped_sample(Point cell, RegionHandle region, const std::string& label) {
  UniqueRegion moved(create_rect_region(0, 0, 0, 0));
  combine_region(moved.get(), region, nullptr, RGN_COPY);
  offset_region(moved.get(), cell.x, cell.y);
  set_line_color(rgb(200, 200, 200));
  draw_rectangle(cell.x, cell.y, cell.x + 140, cell.y + 90);
  set_clip_region(moved.get());
  // Rings and a hatch, drawn over the whole cell; only the region takes them.
  set_fill_style(rgb(255, 220, 150), FILL_SOLID);
  fill_bar(cell.x, cell.y, cell.x + 140, cell.y + 90);
  set_line_style(PS_SOLID, 0, 3);
  set_line_color(BLUE);
  for (int radius = 8; radius < 90; radius += 10)
    draw_circle_outline(cell.x + 70, cell.y + 45, radius);
  set_line_style(PS_SOLID);
  set_clip_region(nullptr);
  caption(cell.x, cell.y + 94, label);
}

void clip_regions(Image& image) {
  start(image, "Clip regions: set_clip_region(region); drawing outside it is left out");
  const auto cell = [](int i) { return Point{12 + i % 5 * 156, 40 + i / 5 * 120}; };
  const Point star[] = {{70, 2},  {84, 34}, {136, 34}, {94, 54}, {110, 88},
                        {70, 66}, {30, 88}, {46, 54},  {4, 34},  {56, 34}};
  const Point crossed[] = {{70, 4}, {116, 86}, {4, 32}, {136, 32}, {24, 86}};
  UniqueRegion rect(create_rect_region(10, 10, 130, 80));
  UniqueRegion ellipse(create_elliptic_region(4, 4, 136, 86));
  UniqueRegion alternate(create_polygon_region(crossed, 5, ALTERNATE));
  UniqueRegion winding(create_polygon_region(crossed, 5, WINDING));
  UniqueRegion star_region(create_polygon_region(star, 10, ALTERNATE));
  clipped_sample(cell(0), rect.get(), "create_rect_region");
  clipped_sample(cell(1), ellipse.get(), "create_elliptic_region");
  clipped_sample(cell(2), star_region.get(), "create_polygon_region");
  clipped_sample(cell(3), alternate.get(), "polygon, ALTERNATE");
  clipped_sample(cell(4), winding.get(), "polygon, WINDING");

  // combine_region() of a left disc a and a right box b.
  const int modes[] = {RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY};
  const char* mode_names[] = {"RGN_AND: a and b", "RGN_OR: a or b", "RGN_XOR: either, not both",
                              "RGN_DIFF: a without b", "RGN_COPY: a"};
  for (int i = 0; i < 5; ++i) {
    UniqueRegion a(create_elliptic_region(4, 4, 94, 86));
    UniqueRegion b(create_rect_region(54, 16, 136, 74));
    UniqueRegion combined(create_rect_region(0, 0, 0, 0));
    combine_region(combined.get(), a.get(), b.get(), modes[i]);
    clipped_sample(cell(5 + i), combined.get(), mode_names[i]);
  }

  // clear_clip_region() fills the region with the background colour.
  const Point p = cell(10);
  UniqueRegion hole(create_elliptic_region(30, 20, 110, 70));
  clipped_sample(p, rect.get(), "clear_clip_region");
  offset_region(hole.get(), p.x, p.y);
  set_bk_color(rgb(220, 240, 255));
  set_clip_region(hole.get());
  clear_clip_region();
  set_clip_region(nullptr);
  set_bk_color(PAPER);
}

void shapes(Image& image) {
  start(image, "Shapes: outlines in the line colour, insides in the fill style");
  set_line_color(rgb(120, 30, 30));
  set_fill_style(rgb(240, 170, 70), FILL_SOLID);
  const auto cell = [](int i) { return Point{12 + i % 5 * 156, 40 + i / 5 * 110}; };
  Point p = cell(0);
  for (int i = 0; i < 200; i += 3) put_pixel(p.x + i % 100, p.y + (i * 7) % 80, BLUE);
  caption(p.x, p.y + 86, "put_pixel");
  p = cell(1);
  draw_line(p.x, p.y, p.x + 100, p.y + 80);
  move_to(p.x, p.y + 80);
  line_to(p.x + 50, p.y + 10);
  line_rel(50, 20);
  caption(p.x, p.y + 86, "draw_line, line_to, line_rel");
  p = cell(2);
  draw_rectangle(p.x, p.y, p.x + 100, p.y + 80);
  caption(p.x, p.y + 86, "draw_rectangle");
  p = cell(3);
  fill_bar(p.x, p.y, p.x + 100, p.y + 80);
  caption(p.x, p.y + 86, "fill_bar");
  p = cell(4);
  draw_bar3d(p.x, p.y + 16, p.x + 80, p.y + 80, 16, true);
  caption(p.x, p.y + 86, "draw_bar3d");
  p = cell(5);
  draw_circle_outline(p.x + 40, p.y + 40, 38);
  caption(p.x, p.y + 86, "draw_circle_outline");
  p = cell(6);
  draw_circle(p.x + 40, p.y + 40, 38);
  caption(p.x, p.y + 86, "draw_circle");
  p = cell(7);
  draw_ellipse_outline(p.x, p.y + 10, p.x + 120, p.y + 70);
  caption(p.x, p.y + 86, "draw_ellipse_outline");
  p = cell(8);
  draw_ellipse(p.x, p.y + 10, p.x + 120, p.y + 70);
  caption(p.x, p.y + 86, "draw_ellipse");
  p = cell(9);
  draw_arc(p.x, p.y, p.x + 100, p.y + 80, PI / 4, 3 * PI / 2);
  caption(p.x, p.y + 86, "draw_arc");
  p = cell(10);
  draw_pie(p.x, p.y, p.x + 100, p.y + 80, PI / 4, 3 * PI / 2);
  caption(p.x, p.y + 86, "draw_pie");
  p = cell(11);
  const Point star[] = {{p.x + 50, p.y},      {p.x + 62, p.y + 30}, {p.x + 100, p.y + 30},
                        {p.x + 70, p.y + 50}, {p.x + 82, p.y + 80}, {p.x + 50, p.y + 62},
                        {p.x + 18, p.y + 80}, {p.x + 30, p.y + 50}, {p.x, p.y + 30},
                        {p.x + 38, p.y + 30}};
  draw_polyline(10, star);
  caption(p.x, p.y + 86, "draw_polyline");
  p = cell(12);
  const Point crossed[] = {{p.x + 50, p.y},
                           {p.x + 80, p.y + 80},
                           {p.x, p.y + 28},
                           {p.x + 100, p.y + 28},
                           {p.x + 20, p.y + 80}};
  draw_polygon(5, crossed);
  caption(p.x, p.y + 86, "draw_polygon (alternate)");
  p = cell(13);
  draw_circle_outline(p.x + 40, p.y + 40, 38);
  draw_line(p.x, p.y + 40, p.x + 80, p.y + 40);
  set_fill_style(rgb(90, 180, 90), FILL_HATCH_CROSS);
  flood_fill(p.x + 40, p.y + 20, get_line_color());
  caption(p.x, p.y + 86, "flood_fill up to a border");
  p = cell(14);
  set_line_color(INK);
  plain_font(18, "Arial");
  draw_text(p.x, p.y + 10, "draw_text");
  Rect box{p.x, p.y + 36, p.x + 120, p.y + 80};
  plain_font(13, "Arial");
  draw_text_in_rect("draw_text_in_rect, broken into lines", &box, DT_WORDBREAK | DT_CENTER);
}

void fonts(Image& image) {
  start(image, "Fonts: set_text_style(height, width, face) and set_text_style_ext()");
  const char* faces[] = {"System", "Arial", "Times New Roman", "Courier New", ""};
  for (int i = 0; i < 5; ++i) {
    const int y = 44 + i * 40;
    caption(12, y + 6, *faces[i] ? std::string("\"") + faces[i] + "\"" : "\"\" (default)");
    set_text_style_ext(24, 0, faces[i], 0, 0, FW_NORMAL, false, false, false);
    // "System" is a bold face: its FW_NORMAL is bold too.
    draw_text(150, y, i == 0 ? "Bold face" : "Regular");
    set_text_style_ext(24, 0, faces[i], 0, 0, FW_BOLD, false, false, false);
    draw_text(290, y, "Bold");
    set_text_style_ext(24, 0, faces[i], 0, 0, FW_NORMAL, true, false, false);
    draw_text(380, y, "Italic");
    set_text_style_ext(24, 0, faces[i], 0, 0, FW_NORMAL, false, true, true);
    draw_text(480, y, "Under+Strike");
    plain_font(24, faces[i]);
    draw_text(660, y, "中文字");
  }
  caption(12, 256, "quality");
  set_text_style_full(24, 0, "Arial", 0, 0, FW_NORMAL, false, false, false, DEFAULT_CHARSET, 0, 0,
                      ANTIALIASED_QUALITY, 0);
  draw_text(150, 250, "ANTIALIASED_QUALITY");
  set_text_style_full(24, 0, "Arial", 0, 0, FW_NORMAL, false, false, false, DEFAULT_CHARSET, 0, 0,
                      NONANTIALIASED_QUALITY, 0);
  draw_text(450, 250, "NONANTIALIASED_QUALITY");
  caption(12, 300, "heights");
  int x = 150;
  for (int height = 8; height <= 48; height += 8) {
    plain_font(height, "Arial");
    draw_text(x, 340 - height, std::to_string(height).c_str());
    x += text_width(std::to_string(height).c_str()) + 20;
  }
  set_text_style_ext(20, 0, "Arial", 300, 300, FW_NORMAL, false, false, false);
  draw_text(470, 345, "counter-clockwise");
  caption(640, 310, "escapement 300");
  caption(640, 326, "(30 degrees)");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_gallery DIRECTORY\n");
    return 2;
  }
  struct Picture {
    const char* name;
    int width, height;
    void (*draw)(Image&);
  };
  const Picture pictures[] = {{"fill_styles.png", 860, 656, fill_styles},
                              {"line_styles.png", 792, 350, line_styles},
                              {"write_modes.png", 792, 440, write_modes},
                              {"raster_operations.png", 792, 500, raster_operations},
                              {"clip_regions.png", 792, 400, clip_regions},
                              {"shapes.png", 792, 370, shapes},
                              {"fonts.png", 792, 380, fonts}};
  for (const Picture& picture : pictures) {
    Image image(picture.width, picture.height);
    picture.draw(image);
    const std::string path = std::string(argv[1]) + "/" + picture.name;
    if (!save_image(path.c_str(), &image)) {
      std::fprintf(stderr, "make_gallery: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
