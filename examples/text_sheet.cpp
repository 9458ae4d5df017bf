// A sheet of text: faces, sizes, styles, turned text, text laid out in boxes and
// Chinese text, drawn into an off-screen image and saved as text_sheet.bmp, or under
// the file name given as argument.
#include <korvi/graphics.h>

#include <cstdio>
#include <string>

using namespace korvi;

namespace {

constexpr int WIDTH = 640;
constexpr int HEIGHT = 440;

// A plain font: set_text_style() alone would keep the weight, styles and angle
// of the font before.
void plain_font(int height, const char* face) {
  set_text_style_ext(height, 0, face, 0, 0, FW_NORMAL, false, false, false);
}

void draw_faces(int top) {
  const char* faces[] = {"System", "Arial", "Times New Roman", "Courier New"};
  for (const char* face : faces) {
    plain_font(22, face);
    draw_text(20, top, (std::string(face) + ": The quick brown fox").c_str());
    top += 28;
  }
}

void draw_sizes(int top) {
  int left = 20;
  for (int size = 10; size <= 40; size += 6) {
    plain_font(size, "Arial");
    const std::string text = std::to_string(size) + "px";
    draw_text(left, top + 40 - size, text.c_str());  // standing on one line
    left += text_width(text.c_str()) + 14;
  }
}

void draw_styles(int top) {
  const char* names[] = {"bold", "italic", "underline", "strike-out"};
  int left = 20;
  for (int i = 0; i < 4; ++i) {
    set_text_style_ext(24, 0, "Arial", 0, 0, i == 0 ? FW_BOLD : FW_NORMAL, i == 1, i == 2, i == 3);
    draw_text(left, top, names[i]);
    left += text_width(names[i]) + 24;
  }
}

// The same word turned counter-clockwise in steps of 45 degrees around one point.
void draw_turned(int x, int y) {
  for (int tenths = 0; tenths < 3600; tenths += 450) {
    set_text_style_ext(18, 0, "Arial", tenths, tenths, FW_NORMAL, false, false, false);
    draw_text(x, y, "  turned");
  }
}

void draw_boxes(int top) {
  plain_font(16, "Arial");
  const unsigned formats[] = {DT_LEFT | DT_WORDBREAK, DT_CENTER | DT_WORDBREAK,
                              DT_RIGHT | DT_WORDBREAK};
  for (int i = 0; i < 3; ++i) {
    Rect box{24 + i * 150, top + 4, 160 + i * 150, top + 76};  // inside a frame
    draw_rectangle(box.left - 5, box.top - 5, box.right + 4, box.bottom + 4);
    draw_text_in_rect("Text in a box, broken between words to fit.", &box, formats[i]);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const char* file_name = argc > 1 ? argv[1] : "text_sheet.bmp";
  Image sheet(WIDTH, HEIGHT);
  set_working_image(&sheet);
  set_bk_color(rgb(255, 255, 255));
  clear_device();
  set_line_color(rgb(20, 20, 60));
  set_bk_mode(TRANSPARENT);

  draw_faces(16);
  draw_sizes(136);
  draw_styles(196);
  draw_boxes(250);
  draw_turned(530, 130);

  plain_font(28, "Arial");
  draw_text(20, 350, "中文：你好，世界！");
  set_bk_mode(OPAQUE);
  set_bk_color(rgb(255, 230, 120));
  set_text_style_full(20, 0, "Courier New", 0, 0, FW_NORMAL, false, false, false, DEFAULT_CHARSET,
                      0, 0, NONANTIALIASED_QUALITY, 0);
  draw_text(20, 400, "opaque background, one-bit glyphs");

  if (!save_image(file_name, &sheet)) {
    std::fprintf(stderr, "cannot write %s\n", file_name);
    return 1;
  }
  std::printf("wrote %s\n", file_name);
  return 0;
}
