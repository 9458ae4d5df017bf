// The free functions of text and fonts: each forwards to the current device.
#include <korvi/graphics.h>

#include "api/forward_to_device.h"
#include "font/font_description.h"

namespace korvi {
namespace {

// A record of zeros with the fields both long text-style forms set; the face name
// only when one is given.
FontDescription styled_font(int height, int width, const char* face, int escapement,
                            int orientation, int weight, bool italic, bool underline,
                            bool strike_out) {
  FontDescription font;
  font.height = height;
  font.width = width;
  font.escapement = escapement;
  font.orientation = orientation;
  font.weight = weight;
  font.italic = italic;
  font.underline = underline;
  font.strike_out = strike_out;
  if (face) raster::set_face_name(font, face);
  return font;
}

}  // namespace

void write_text(const char* text) {
  on_current_device([&](ImageDevice& d) { d.write_text(text); });
}
void draw_text(int x, int y, const char* text) {
  on_current_device([&](ImageDevice& d) { d.draw_text(x, y, text); });
}
int draw_text_in_rect(const char* text, Rect* rect, unsigned format) {
  return on_current_device(0,
                           [&](ImageDevice& d) { return d.draw_text_in_rect(text, rect, format); });
}
int text_width(const char* text) {
  return on_current_device(0, [&](ImageDevice& d) { return d.text_width(text); });
}
int text_height(const char* text) {
  return on_current_device(0, [&](ImageDevice& d) { return d.text_height(text); });
}

void write_text_char(char c) {
  const char text[2] = {c, '\0'};
  write_text(text);
}
void draw_text_char(int x, int y, char c) {
  const char text[2] = {c, '\0'};
  draw_text(x, y, text);
}
int draw_text_in_rect_char(char c, Rect* rect, unsigned format) {
  const char text[2] = {c, '\0'};
  return draw_text_in_rect(text, rect, format);
}
int text_width_char(char c) {
  const char text[2] = {c, '\0'};
  return text_width(text);
}
int text_height_char(char c) {
  const char text[2] = {c, '\0'};
  return text_height(text);
}

void set_font(const FontDescription* font) {
  on_current_device([&](ImageDevice& d) { d.set_font(font); });
}

void get_font(FontDescription* font) {
  if (ImageDevice* d = library().current_device()) return d->get_font(font);
  if (font) *font = raster::default_font_description();
}

void set_text_style_full(int height, int width, const char* face, int escapement, int orientation,
                         int weight, bool italic, bool underline, bool strike_out,
                         std::uint8_t char_set, std::uint8_t out_precision,
                         std::uint8_t clip_precision, std::uint8_t quality,
                         std::uint8_t pitch_and_family) {
  FontDescription font = styled_font(height, width, face, escapement, orientation, weight, italic,
                                     underline, strike_out);
  font.char_set = char_set;
  font.out_precision = out_precision;
  font.clip_precision = clip_precision;
  font.quality = quality;
  font.pitch_and_family = pitch_and_family;
  on_current_device([&](ImageDevice& d) { d.set_text_style_full(font); });
}

void set_text_style_ext(int height, int width, const char* face, int escapement, int orientation,
                        int weight, bool italic, bool underline, bool strike_out) {
  const FontDescription style = styled_font(height, width, face, escapement, orientation, weight,
                                            italic, underline, strike_out);
  on_current_device([&](ImageDevice& d) { d.set_text_style_ext(style, face == nullptr); });
}

void set_text_style(int height, int width, const char* face) {
  on_current_device([&](ImageDevice& d) { d.set_text_style(height, width, face); });
}

}  // namespace korvi
