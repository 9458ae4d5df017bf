// korvi graphics library: a flat drawing API over a window or off-screen images.
//
// Draw by calling the free functions below. They draw on the current target: the
// graphics window (open_graphics) or an off-screen Image (set_working_image). Each
// target keeps its own drawing state: colours, line and fill styles, font, origin
// and scale, current position. Coordinates are logical units, mapped to pixels by
// the target's origin and aspect ratio; y grows downwards. Colours are 0x00BBGGRR
// (see rgb()). Texts are UTF-8.
//
// Before any target exists, drawing calls do nothing and getters give defaults.
//
// Threads: the target and its state are one for the whole process. Call every
// function from one thread at a time (the drawing thread), except:
// - close_graphics() and get_window_handle(): any thread, at any time;
// - read_key() and key_hit(): one thread at a time, the drawing thread or another;
// - mouse_hit(), get_mouse_message() and flush_mouse_messages(): likewise.
// Closing the window releases the threads waiting for its keys or mouse messages.
// No call waits long on another thread's drawing: the drawing lock goes by turns.
#pragma once

#include <korvi/types.h>
#include <korvi/version.h>  // KORVI_VERSION_MAJOR, _MINOR, _PATCH and KORVI_VERSION

#include <cstdint>
#include <memory>

// Everything declared here is exported from the shared library; the rest is hidden.
#pragma GCC visibility push(default)

namespace korvi {

// ---- Basic types ---------------------------------------------------------------
// Color (0x00BBGGRR), Point and FontDescription are in <korvi/types.h>.

constexpr Color rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return Color{red} | Color{green} << 8 | Color{blue} << 16;
}
constexpr std::uint8_t red_of(Color color) { return color & 0xFF; }
constexpr std::uint8_t green_of(Color color) { return color >> 8 & 0xFF; }
constexpr std::uint8_t blue_of(Color color) { return color >> 16 & 0xFF; }

// The colour get_pixel() gives for a point outside the picture or the clip region.
constexpr Color CLR_INVALID = 0xFFFFFFFF;

// left, top, right, bottom. Which edges are included depends on the function.
struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

class Image;
struct RegionObject;
struct WindowObject;
struct DeviceContextObject;

// Handles are opaque: programs keep them and pass them back, never look inside.
// A clip region in device coordinates (pixels), made by the create_*_region
// functions and freed with delete_region().
using RegionHandle = RegionObject*;
// The graphics window; null when none is open.
using WindowHandle = WindowObject*;
// The drawing context of an image.
using DeviceContextHandle = DeviceContextObject*;

// ---- Constants -------------------------------------------------------------------

// Line styles for set_line_style(): a dash kind, optionally with end-cap and join bits.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;
constexpr int PS_USERSTYLE = 7;  // dashes from the 16-bit pattern of set_line_style()
constexpr int PS_ENDCAP_ROUND = 0x000;
constexpr int PS_ENDCAP_SQUARE = 0x100;
constexpr int PS_ENDCAP_FLAT = 0x200;
constexpr int PS_JOIN_ROUND = 0x0000;
constexpr int PS_JOIN_BEVEL = 0x1000;
constexpr int PS_JOIN_MITER = 0x2000;
constexpr int PS_COSMETIC = 0x00000;
constexpr int PS_GEOMETRIC = 0x10000;

// Hatch codes.
constexpr int HS_HORIZONTAL = 0;
constexpr int HS_VERTICAL = 1;
constexpr int HS_FDIAGONAL = 2;  // "\"
constexpr int HS_BDIAGONAL = 3;  // "/"
constexpr int HS_CROSS = 4;
constexpr int HS_DIAGCROSS = 5;

// Fill styles for set_fill_style().
constexpr int FILL_HOLLOW = 1;
constexpr int FILL_SOLID = 2;
constexpr int FILL_HATCH_RISING = 3;  // "/" lines
constexpr int FILL_HATCH_CROSS = 4;
constexpr int FILL_HATCH_DIAGONAL_CROSS = 5;
constexpr int FILL_SPARSE_DOTS = 6;
constexpr int FILL_HATCH_FALLING = 7;  // "\" lines
constexpr int FILL_HATCH_HORIZONTAL = 8;
constexpr int FILL_HATCH_VERTICAL = 9;
constexpr int FILL_THIN_RISING = 10;
constexpr int FILL_GRID = 11;
constexpr int FILL_INTERLEAVE = 12;
constexpr int FILL_WIDE_DOTS = 13;
constexpr int FILL_THIN_FALLING = 14;
constexpr int FILL_HORIZONTAL_LINES = 15;
constexpr int FILL_VERTICAL_LINES = 16;
constexpr int FILL_THICK_RISING = 17;
constexpr int FILL_THICK_GRID = 18;
constexpr int FILL_WEAVE = 19;
constexpr int FILL_SMALL_BLOCKS = 20;
constexpr int FILL_THICK_FALLING = 21;
constexpr int FILL_THICK_HORIZONTAL = 22;
constexpr int FILL_THICK_VERTICAL = 23;
constexpr int FILL_CHECKER = 24;
constexpr int FILL_USER = 25;  // the 8 pattern bytes given to set_fill_style()

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Write modes (binary raster operations) for set_write_mode().
constexpr int R2_BLACK = 1;
constexpr int R2_NOTMERGEPEN = 2;
constexpr int R2_MASKNOTPEN = 3;
constexpr int R2_NOTCOPYPEN = 4;
constexpr int R2_MASKPENNOT = 5;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTMASKPEN = 8;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_MERGENOTPEN = 12;
constexpr int R2_COPYPEN = 13;
constexpr int R2_MERGEPENNOT = 14;
constexpr int R2_MERGEPEN = 15;
constexpr int R2_WHITE = 16;

// Ternary raster operations for put_image() and put_image_part(): any code works;
// these are the common ones.
constexpr std::uint32_t SRCCOPY = 0x00CC0020;
constexpr std::uint32_t SRCPAINT = 0x00EE0086;
constexpr std::uint32_t SRCAND = 0x008800C6;
constexpr std::uint32_t SRCINVERT = 0x00660046;
constexpr std::uint32_t SRCERASE = 0x00440328;
constexpr std::uint32_t NOTSRCCOPY = 0x00330008;
constexpr std::uint32_t NOTSRCERASE = 0x001100A6;
constexpr std::uint32_t MERGECOPY = 0x00C000CA;
constexpr std::uint32_t MERGEPAINT = 0x00BB0226;
constexpr std::uint32_t PATCOPY = 0x00F00021;
constexpr std::uint32_t PATPAINT = 0x00FB0A09;
constexpr std::uint32_t PATINVERT = 0x005A0049;
constexpr std::uint32_t DSTINVERT = 0x00550009;
constexpr std::uint32_t BLACKNESS = 0x00000042;
constexpr std::uint32_t WHITENESS = 0x00FF0062;

// Text format flags for draw_text_in_rect().
constexpr unsigned DT_TOP = 0x0000;
constexpr unsigned DT_LEFT = 0x0000;
constexpr unsigned DT_CENTER = 0x0001;
constexpr unsigned DT_RIGHT = 0x0002;
constexpr unsigned DT_VCENTER = 0x0004;
constexpr unsigned DT_BOTTOM = 0x0008;
constexpr unsigned DT_WORDBREAK = 0x0010;
constexpr unsigned DT_SINGLELINE = 0x0020;
constexpr unsigned DT_EXPANDTABS = 0x0040;
constexpr unsigned DT_NOCLIP = 0x0100;
constexpr unsigned DT_CALCRECT = 0x0400;
constexpr unsigned DT_NOPREFIX = 0x0800;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;

// Font fields.
constexpr int FW_DONTCARE = 0;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr std::uint8_t ANSI_CHARSET = 0;
constexpr std::uint8_t DEFAULT_CHARSET = 1;
constexpr std::uint8_t GB2312_CHARSET = 134;
constexpr std::uint8_t DEFAULT_QUALITY = 0;
constexpr std::uint8_t NONANTIALIASED_QUALITY = 3;
constexpr std::uint8_t ANTIALIASED_QUALITY = 4;

// Region combination modes and results.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;
constexpr int REGION_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;
// Polygon fill rules for create_polygon_region().
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

// open_graphics() flag kept for programs written for other systems: the terminal is
// never hidden or moved here, so the flag changes nothing; the window system places
// the window.
constexpr int SHOW_CONSOLE = 1;

// ---- The graphics window -----------------------------------------------------------

// Opens the graphics window with a client area of width x height pixels and makes
// it the drawing target, with the default drawing state. An open window is closed
// first. Returns null (and says why on standard error) when no window can be made;
// drawing then still goes to the window's picture in memory.
WindowHandle open_graphics(int width, int height, int flags = 0);
// open_graphics(640, 480, 0).
WindowHandle open_graphics_default();
// Closes the window; its picture stays in memory. Nothing happens without a window.
// Threads waiting for its keys or mouse messages go on without it. Any thread.
void close_graphics();
// The open window's handle, null without one; every window opened gets a new one.
WindowHandle get_window_handle();
// Places the window so that its outer rectangle (frame and caption included) is
// (x, y, width, height); repaint shows the picture again at once. False without a
// window or with the handle of a window closed since.
bool move_window(WindowHandle window, int x, int y, int width, int height, bool repaint);
const char* get_library_version();
const char* get_library_credits();

// ---- Keys ----------------------------------------------------------------------------

// Keys without a character come from read_key() as two codes, a prefix then the key:
//   int key = read_key();
//   if (key == KEY_PREFIX_EXTENDED || key == KEY_PREFIX_FUNCTION) {
//     if (read_key() == KEY_LEFT) x -= 1;  // KEY_UP, KEY_F1, ...
//   }
// Arrows, the editing block, F11 and F12 come after KEY_PREFIX_EXTENDED.
constexpr int KEY_PREFIX_EXTENDED = 224;
// F1 to F10 come after KEY_PREFIX_FUNCTION.
constexpr int KEY_PREFIX_FUNCTION = 0;
constexpr int KEY_UP = 72;
constexpr int KEY_LEFT = 75;
constexpr int KEY_RIGHT = 77;
constexpr int KEY_DOWN = 80;
constexpr int KEY_HOME = 71;
constexpr int KEY_END = 79;
constexpr int KEY_PAGE_UP = 73;
constexpr int KEY_PAGE_DOWN = 81;
constexpr int KEY_INSERT = 82;
constexpr int KEY_DELETE = 83;
constexpr int KEY_F1 = 59;
constexpr int KEY_F2 = 60;
constexpr int KEY_F3 = 61;
constexpr int KEY_F4 = 62;
constexpr int KEY_F5 = 63;
constexpr int KEY_F6 = 64;
constexpr int KEY_F7 = 65;
constexpr int KEY_F8 = 66;
constexpr int KEY_F9 = 67;
constexpr int KEY_F10 = 68;
constexpr int KEY_F11 = 133;
constexpr int KEY_F12 = 134;
// Other keys give the bytes of their character (UTF-8), Enter 13, Esc 27,
// Backspace 8, Tab 9, Ctrl+letter its control code (1 to 26); modifiers alone give
// nothing. A UTF-8 lead byte 224 is followed by a byte of 160 or more.

// Waits for a key typed in the terminal (without echo, without Enter) or pressed in
// the graphics window and returns its next code. Returns -1 at once when no code is
// held and there is neither a terminal nor a window to wait on.
int read_key();
// Whether a code is waiting to be read: a key, or the second code of a pair.
bool key_hit();

// ---- Drawing state ---------------------------------------------------------------------

Color get_line_color();
// The colour of lines, outlines and text; the line style is kept.
void set_line_color(Color color);
Color get_bk_color();
// The background colour: clearing, text background, gaps of dashes and hatches.
void set_bk_color(Color color);
// TRANSPARENT or OPAQUE.
void set_bk_mode(int mode);
// Where logical (0, 0) lands, in pixels.
void set_origin(int x, int y);
// Scale factors of logical units; a negative y scale turns the y axis upwards.
void set_aspect_ratio(float x_scale, float y_scale);
void get_aspect_ratio(float* x_scale, float* y_scale);
// Clips drawing to a copy of the region (device coordinates); null removes clipping.
void set_clip_region(RegionHandle region);
// Fills the clip region with the background colour, or clears the picture when
// there is none.
void clear_clip_region();
// A write mode R2_*: how lines and fills combine with the picture.
void set_write_mode(int mode);
// Style bits PS_*, a 16-bit dash pattern for PS_USERSTYLE (bit 0 first), a width in
// logical units. Each out argument may be null.
void set_line_style(int style, std::uint16_t pattern = 0, int thickness = 1);
void get_line_style(int* style, std::uint16_t* pattern, int* thickness);
// A fill colour, a style FILL_* (1..25) and, for FILL_USER, 8 pattern bytes (row 0
// on top, most significant bit leftmost; set bits take the fill colour, clear bits
// the background colour). A style outside 1..25 is recorded but draws as before.
void set_fill_style(Color color, int style = FILL_SOLID, const std::uint8_t* pattern = nullptr);
// The pattern is written only for FILL_USER.
void get_fill_style(Color* color, int* style, std::uint8_t* pattern);
// Back to the defaults: white-ish (0xFCFCFC) solid lines and fills on black, origin
// (0, 0), scale 1, no clip region, the default font. The write mode is kept.
void reset_drawing_state();
int get_width();
int get_height();
int get_x();
int get_y();

// ---- Shapes ------------------------------------------------------------------------------

// Fills the whole picture with the background colour and moves to (0, 0).
void clear_device();
Color get_pixel(int x, int y);
void put_pixel(int x, int y, Color color);
void move_to(int x, int y);
void move_rel(int dx, int dy);
// A line from (x1, y1) to (x2, y2), the end point not drawn; the position stays.
void draw_line(int x1, int y1, int x2, int y2);
// A line from the position, which moves to the end.
void line_to(int x, int y);
void line_rel(int dx, int dy);
// The outline of the box, all four edges included.
void draw_rectangle(int left, int top, int right, int bottom);
// Outlines only.
void draw_circle_outline(int x, int y, int radius);
void draw_ellipse_outline(int left, int top, int right, int bottom);
// Outlined and filled.
void draw_circle(int x, int y, int radius);
void draw_ellipse(int left, int top, int right, int bottom);
// Arcs and pies of the ellipse in the box, counter-clockwise from the start angle to
// the end angle (radians, 0 pointing right).
void draw_arc(int left, int top, int right, int bottom, double start, double end);
void draw_pie(int left, int top, int right, int bottom, double start, double end);
// Fills the box, right and bottom edges included, with the fill style; no outline.
void fill_bar(int left, int top, int right, int bottom);
// A bar with a depth: the front face outlined and filled, the side and (with
// top_face) the top face outlined.
void draw_bar3d(int left, int top, int right, int bottom, int depth, bool top_face);
void draw_polyline(int count, const Point* points);
// Closed, outlined and filled (alternate rule).
void draw_polygon(int count, const Point* points);
// Fills the area around (x, y) bounded by pixels of the border colour.
void flood_fill(int x, int y, Color border);

// ---- Text -----------------------------------------------------------------------------------

// Text at the position, which moves right by its width.
void write_text(const char* text);
// Text with the top-left corner of its cell at (x, y).
void draw_text(int x, int y, const char* text);
// Text formatted in a rectangle by the DT_* flags; returns the height of the text.
// With DT_CALCRECT nothing is drawn and the rectangle is set to what the text needs.
int draw_text_in_rect(const char* text, Rect* rect, unsigned format);
int text_width(const char* text);
int text_height(const char* text);
void write_text_char(char c);
void draw_text_char(int x, int y, char c);
int draw_text_in_rect_char(char c, Rect* rect, unsigned format);
int text_width_char(char c);
int text_height_char(char c);
void set_font(const FontDescription* font);
void get_font(FontDescription* font);
// Sets every field of the font; a null face leaves the face name empty.
void set_text_style_full(int height, int width, const char* face, int escapement, int orientation,
                         int weight, bool italic, bool underline, bool strike_out,
                         std::uint8_t char_set, std::uint8_t out_precision,
                         std::uint8_t clip_precision, std::uint8_t quality,
                         std::uint8_t pitch_and_family);
// Changes these fields of the current font; a null face keeps the face.
void set_text_style_ext(int height, int width, const char* face, int escapement, int orientation,
                        int weight, bool italic, bool underline, bool strike_out);
void set_text_style(int height, int width, const char* face);

// ---- Batch drawing (while the window is the target) ---------------------------------------

// Primitives drawn after begin_batch() go to the window's picture in memory only; a
// flush shows them all at once.
void begin_batch();
void flush_batch();
// Shows the box (both edges included, logical coordinates).
void flush_batch_rect(int left, int top, int right, int bottom);
void end_batch();
void end_batch_rect(int left, int top, int right, int bottom);

// ---- Images ----------------------------------------------------------------------------------

// An off-screen picture of 32-bit pixels with a drawing state of its own. Select it
// with set_working_image() to draw on it. Copies copy the picture and the drawing
// state.
class Image {
 public:
  // width x height black pixels; 0 x 0 gives an image without pixels.
  explicit Image(int width = 0, int height = 0);
  Image(const Image& other);
  Image& operator=(const Image& other);

  // Back to the default drawing state.
  virtual void reset_state();
  virtual ~Image();
  // New size; the overlapping top-left part of the picture is kept, new pixels take
  // the background colour. A size of 0 (or below) changes nothing.
  virtual void resize(int width, int height);

  int width() const;
  int height() const;

  // The library's own part of an image: pixels, drawing context, drawing state.
  class Impl;

 protected:
  // For the graphics window, whose Image part is the window's picture in memory.
  explicit Image(std::unique_ptr<Impl> impl);

 private:
  friend struct ImageAccess;
  std::unique_ptr<Impl> m_impl;
};

// Draws on the image from now on; null selects the graphics window again.
void set_working_image(Image* image);
// The image being drawn on. Null only while the window is the target and open;
// while the window is the target but closed (or was never opened), the window's
// picture in memory, which survives the window and shows again when it reopens.
Image* get_working_image();
// Resizes the image; null resizes the window's picture and the window.
void resize_image(Image* image, int width, int height);
// The drawing context and the pixels (0x00RRGGBB, row by row) of an image; null
// means the window's picture.
DeviceContextHandle get_image_dc(Image* image);
std::uint32_t* get_image_buffer(Image* image);

// Copies the box of width x height at (x, y) of the current target into the image,
// which takes that size. Parts outside the target come out black.
void get_image(Image* image, int x, int y, int width, int height);
// Draws the image at (x, y) with a ternary raster operation (SRCCOPY and the like).
void put_image(int x, int y, const Image* image, std::uint32_t rop = SRCCOPY);
// Draws the part of the image at (source_x, source_y) of width x height.
void put_image_part(int x, int y, int width, int height, const Image* image, int source_x,
                    int source_y, std::uint32_t rop = SRCCOPY);
// Loads a picture file (BMP, GIF, JPEG, PNG, icons, ...; the extension plays no
// part) into the image (null: the window's picture), scaled to width x height when
// both are at least 1, else at its own size. The image takes that size when it has
// no pixels or when resize is true. Returns false, leaving the image unchanged,
// when the file cannot be read or decoded.
bool load_image(Image* image, const char* file_name, int width = 0, int height = 0,
                bool resize = false);
// The same for a file embedded into the program with korvi_embed_resources().
bool load_image_resource(Image* image, const char* type, const char* name, int width = 0,
                         int height = 0, bool resize = false);
// Writes the image (null: the window's picture) as a PNG file when the name ends in
// ".png" (any case), else as a BMP file. Returns false when the image has no pixels,
// the PNG writer cannot be loaded or the file cannot be written.
bool save_image(const char* file_name, const Image* image);

// ---- Regions ---------------------------------------------------------------------------------

RegionHandle create_rect_region(int left, int top, int right, int bottom);
RegionHandle create_elliptic_region(int left, int top, int right, int bottom);
// fill_mode: ALTERNATE or WINDING.
RegionHandle create_polygon_region(const Point* points, int count, int fill_mode);
// destination = a combined with b by mode RGN_*; returns NULLREGION, SIMPLEREGION,
// COMPLEXREGION, or REGION_ERROR for a null handle or a bad mode.
int combine_region(RegionHandle destination, RegionHandle a, RegionHandle b, int mode);
int offset_region(RegionHandle region, int dx, int dy);
bool point_in_region(RegionHandle region, int x, int y);
bool equal_region(RegionHandle a, RegionHandle b);
// The smallest rectangle holding the region (right and bottom excluded).
int get_region_box(RegionHandle region, Rect* box);
void delete_region(RegionHandle region);

struct RegionDeleter {
  void operator()(RegionObject* region) const { delete_region(region); }
};
// Owns a region: UniqueRegion clip(create_rect_region(0, 0, 10, 10));
using UniqueRegion = std::unique_ptr<RegionObject, RegionDeleter>;

// ---- Colour conversions -------------------------------------------------------------------

// Hue in degrees [0, 360), saturation, value and lightness in [0, 1].
void rgb_to_hsv(Color color, float* h, float* s, float* v);
void rgb_to_hsl(Color color, float* h, float* s, float* l);
Color hsv_to_rgb(float h, float s, float v);
Color hsl_to_rgb(float h, float s, float l);
// The grey of equal luminance (weights 0.299, 0.587, 0.114).
Color rgb_to_gray(Color color);

// ---- Mouse messages -------------------------------------------------------------------------

constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr std::uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr std::uint32_t WM_RBUTTONUP = 0x0205;
constexpr std::uint32_t WM_RBUTTONDBLCLK = 0x0206;
constexpr std::uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr std::uint32_t WM_MBUTTONUP = 0x0208;
constexpr std::uint32_t WM_MBUTTONDBLCLK = 0x0209;
constexpr std::uint32_t WM_MOUSEWHEEL = 0x020A;

// Key and button flags of a mouse event.
constexpr std::uint32_t MK_LBUTTON = 0x0001;
constexpr std::uint32_t MK_RBUTTON = 0x0002;
constexpr std::uint32_t MK_SHIFT = 0x0004;
constexpr std::uint32_t MK_CONTROL = 0x0008;
constexpr std::uint32_t MK_MBUTTON = 0x0010;

// One mouse event on the graphics window. x and y are client coordinates; wheel is
// the distance turned, 120 per notch, positive away from the user (0 for the other
// messages).
struct MouseMessage {
  std::uint32_t message = 0;
  bool ctrl = false;
  bool shift = false;
  bool left_button = false;
  bool middle_button = false;
  bool right_button = false;
  std::int16_t x = 0;
  std::int16_t y = 0;
  std::int16_t wheel = 0;
};

// Whether a mouse message is waiting.
bool mouse_hit();
// The oldest mouse message, waiting for one when none is held. Without a window,
// or when the window closes meanwhile, a message whose code is 0.
MouseMessage get_mouse_message();
// Drops every waiting mouse message.
void flush_mouse_messages();

// ---- Input box ----------------------------------------------------------------------------------

// Shows a modal box with a prompt, an edit field holding default_text, and OK (and
// Cancel unless only_ok). On OK the text (at most size - 1 bytes and a zero, never a
// UTF-8 character cut in two) goes to buffer and the result is true; Cancel, Esc or
// closing the box leave the buffer alone and give false. width and height are the
// client size wanted (0: defaults); a height makes the edit field multi-line (Enter
// starts a line, written as "\n"; Ctrl+Enter confirms). A null title takes the
// window's caption. The graphics window, when open, takes no input while the box
// shows. Also false, at once: without a display (the reason goes to standard error
// once), while another box shows, for a null buffer or a size below 1.
bool input_box(char* buffer, int size, const char* prompt = nullptr, const char* title = nullptr,
               const char* default_text = nullptr, int width = 0, int height = 0,
               bool only_ok = false);

// ---- Embedded resources -----------------------------------------------------------------------

// One file embedded into a program by the CMake function korvi_embed_resources();
// the build generates the table, the library reads it.
struct EmbeddedResource {
  const char* type;
  const char* name;
  const unsigned char* begin;
  const unsigned char* end;
};

}  // namespace korvi

#pragma GCC visibility pop
