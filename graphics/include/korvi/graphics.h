// korvi graphics library: a flat drawing API over a window or off-screen images.
//
// Draw by calling the free functions below. They draw on the current target: the
// graphics window (open_graphics) or an off-screen Image (set_working_image). Each
// target keeps its own drawing state: colours, line and fill styles, font, origin
// and scale, clip region, write mode, current position.
//
// Units. Drawing functions take logical coordinates: the target puts logical (x, y)
// on the pixel (x * x_scale + origin_x, y * y_scale + origin_y), rounded to the
// nearest (set_origin, set_aspect_ratio; by default logical units are pixels). Pixels
// ("device coordinates") are what clip regions and the region functions, mouse
// messages, image and window sizes and an image's pixel buffer use. Both start at the
// top-left corner, y growing downwards. A box is two corners (left, top, right,
// bottom); each function says whether its right and bottom edges are included.
//
// Colours are 0x00BBGGRR (rgb()); pixels in an image's buffer are 0x00RRGGBB (see
// "Two colour orders" below). Texts are UTF-8 (an invalid sequence draws a
// replacement character); a null text is an empty one.
//
// Before any target exists, drawing calls do nothing and getters give the defaults
// of a fresh drawing state (get_pixel() gives CLR_INVALID, sizes are 0).
// Which thread may call what, and what the library changes in the process: see
// "Process and threads" below.
#pragma once

#include <korvi/export.h>
#include <korvi/types.h>
#include <korvi/version.h>  // KORVI_VERSION_MAJOR, _MINOR, _PATCH and KORVI_VERSION

#include <cstdint>
#include <memory>


namespace korvi {

// ---- Basic types ---------------------------------------------------------------
// Color (0x00BBGGRR), Point and FontDescription are in <korvi/types.h>.
//
// Two colour orders:
//   Color, in every function       0x00BBGGRR  red in the lowest byte
//   pixel of get_image_buffer()    0x00RRGGBB  blue in the lowest byte
// Between the two the lowest and third bytes trade places:
//   pixel = blue_of(c) | green_of(c) << 8 | red_of(c) << 16, and the same back.
// A Color written into the buffer unconverted, or a pixel passed where a Color is
// expected, shows with red and blue traded: rgb(255, 0, 0) comes out blue. Keep the
// top byte 0 in both.

// The colour of red, green and blue 0..255.
constexpr Color rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return Color{red} | Color{green} << 8 | Color{blue} << 16;
}
// The channels of a colour.
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
// The drawing context of an image (get_image_dc()); no function here takes it.
using DeviceContextHandle = DeviceContextObject*;

// ---- Constants -------------------------------------------------------------------

// Line styles for set_line_style(): a dash kind, optionally with end-cap and join bits
// (caps and joins show on lines wider than one pixel). Dash lengths are in pixels of
// a one-pixel line and grow with the width of wider ones.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;         // 18 on, 6 off
constexpr int PS_DOT = 2;          // 3 on, 3 off
constexpr int PS_DASHDOT = 3;      // 9 on, 6 off, 3 on, 6 off
constexpr int PS_DASHDOTDOT = 4;   // 9 on, 3 off, 3 on, 3 off, 3 on, 3 off
constexpr int PS_NULL = 5;         // draws nothing
constexpr int PS_INSIDEFRAME = 6;  // drawn as PS_SOLID
// Dashes from the 16-bit pattern of set_line_style(), read from its lowest set bit
// upwards and repeated: on a one-pixel line each bit is a pixel (set: drawn); on a
// wider one n set bits give a dash n - 1 units long, n clear bits a gap n + 1 long.
// Pattern 0 draws nothing. With any other style bit the pen is refused.
constexpr int PS_USERSTYLE = 7;
constexpr int PS_ENDCAP_ROUND = 0x000;
constexpr int PS_ENDCAP_SQUARE = 0x100;
constexpr int PS_ENDCAP_FLAT = 0x200;
constexpr int PS_JOIN_ROUND = 0x0000;
constexpr int PS_JOIN_BEVEL = 0x1000;
constexpr int PS_JOIN_MITER = 0x2000;
// Every pen of set_line_style() is geometric (its width in logical units): these two
// bits change nothing, but for PS_USERSTYLE.
constexpr int PS_COSMETIC = 0x00000;
constexpr int PS_GEOMETRIC = 0x10000;

// Hatch codes (the hatches of the fill styles below).
constexpr int HS_HORIZONTAL = 0;
constexpr int HS_VERTICAL = 1;
constexpr int HS_FDIAGONAL = 2;  // "\"
constexpr int HS_BDIAGONAL = 3;  // "/"
constexpr int HS_CROSS = 4;
constexpr int HS_DIAGCROSS = 5;

// Fill styles for set_fill_style(); pictures of all in docs/gallery/fill_styles.png of
// the source tree. Hatches draw lines of the fill colour every 8 pixels; their gaps
// take the background colour in OPAQUE mode and are left alone in TRANSPARENT mode.
// Patterns are 8 x 8 cells, given below as rows 0 to 7 (top first, most significant
// bit leftmost): set bits take the fill colour (the line colour once text has been
// drawn, until the next set_fill_style()), clear bits the background colour in either
// mode. Hatches and patterns repeat from pixel (0, 0) of the picture.
constexpr int FILL_HOLLOW = 1;                // fills nothing
constexpr int FILL_SOLID = 2;                 // the fill colour
constexpr int FILL_HATCH_RISING = 3;          // hatch "/"
constexpr int FILL_HATCH_CROSS = 4;           // hatch "+"
constexpr int FILL_HATCH_DIAGONAL_CROSS = 5;  // hatch "x"
constexpr int FILL_SPARSE_DOTS = 6;           // 80 00 08 00 80 00 08 00
constexpr int FILL_HATCH_FALLING = 7;         // hatch "\"
constexpr int FILL_HATCH_HORIZONTAL = 8;      // hatch "-"
constexpr int FILL_HATCH_VERTICAL = 9;        // hatch "|"
constexpr int FILL_THIN_RISING = 10;          // 44 88 11 22 44 88 11 22
constexpr int FILL_GRID = 11;                 // FF 11 11 11 FF 11 11 11
constexpr int FILL_INTERLEAVE = 12;           // 55 88 55 22 55 88 55 22
constexpr int FILL_WIDE_DOTS = 13;            // 88 00 22 00 88 00 22 00
constexpr int FILL_THIN_FALLING = 14;         // 22 11 88 44 22 11 88 44
constexpr int FILL_HORIZONTAL_LINES = 15;     // 00 00 FF 00 00 00 FF 00
constexpr int FILL_VERTICAL_LINES = 16;       // 11 11 11 11 11 11 11 11
constexpr int FILL_THICK_RISING = 17;         // E0 C1 83 07 0E 1C 38 70
constexpr int FILL_THICK_GRID = 18;           // 30 30 30 30 30 30 FF FF
constexpr int FILL_WEAVE = 19;                // C7 83 C7 EE 7C 38 7C EE
constexpr int FILL_SMALL_BLOCKS = 20;         // C0 C0 0C 0C C0 C0 0C 0C
constexpr int FILL_THICK_FALLING = 21;        // 07 83 C1 E0 70 38 1C 0E
constexpr int FILL_THICK_HORIZONTAL = 22;     // FF FF 00 00 FF FF 00 00
constexpr int FILL_THICK_VERTICAL = 23;       // 33 33 33 33 33 33 33 33
constexpr int FILL_CHECKER = 24;              // CC 33 CC 33 CC 33 CC 33
constexpr int FILL_USER = 25;                 // the 8 bytes given to set_fill_style()

// Background modes for set_bk_mode().
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Write modes for set_write_mode(): how the colour P of a line, outline or fill
// combines with the pixel S already there, bit by bit over the 24 colour bits. The
// mode's truth table is the code minus 1, indexed by P bit * 2 + S bit.
constexpr int R2_BLACK = 1;         // 0
constexpr int R2_NOTMERGEPEN = 2;   // ~(P | S)
constexpr int R2_MASKNOTPEN = 3;    // ~P & S
constexpr int R2_NOTCOPYPEN = 4;    // ~P
constexpr int R2_MASKPENNOT = 5;    // P & ~S
constexpr int R2_NOT = 6;           // ~S
constexpr int R2_XORPEN = 7;        // P ^ S (drawing twice restores the picture)
constexpr int R2_NOTMASKPEN = 8;    // ~(P & S)
constexpr int R2_MASKPEN = 9;       // P & S
constexpr int R2_NOTXORPEN = 10;    // ~(P ^ S)
constexpr int R2_NOP = 11;          // S (draws nothing)
constexpr int R2_MERGENOTPEN = 12;  // ~P | S
constexpr int R2_COPYPEN = 13;      // P (the default)
constexpr int R2_MERGEPENNOT = 14;  // P | ~S
constexpr int R2_MERGEPEN = 15;     // P | S
constexpr int R2_WHITE = 16;        // 0xFFFFFF

// Ternary raster operations for put_image() and put_image_part(). Bits 16..23 of the
// value are a truth table: for pattern bit P, source bit S and destination bit D the
// result bit is bit P * 4 + S * 2 + D of that byte, over the 24 colour bits; the low
// 16 bits are ignored, so any of the 256 tables works. S is the image, D the target,
// P the target's fill style (its colour, gaps in the background colour; FILL_HOLLOW
// gives black). These are the common ones:
constexpr std::uint32_t SRCCOPY = 0x00CC0020;      // S
constexpr std::uint32_t SRCPAINT = 0x00EE0086;     // S | D
constexpr std::uint32_t SRCAND = 0x008800C6;       // S & D
constexpr std::uint32_t SRCINVERT = 0x00660046;    // S ^ D
constexpr std::uint32_t SRCERASE = 0x00440328;     // S & ~D
constexpr std::uint32_t NOTSRCCOPY = 0x00330008;   // ~S
constexpr std::uint32_t NOTSRCERASE = 0x001100A6;  // ~(S | D)
constexpr std::uint32_t MERGECOPY = 0x00C000CA;    // P & S
constexpr std::uint32_t MERGEPAINT = 0x00BB0226;   // ~S | D
constexpr std::uint32_t PATCOPY = 0x00F00021;      // P
constexpr std::uint32_t PATPAINT = 0x00FB0A09;     // P | ~S | D
constexpr std::uint32_t PATINVERT = 0x005A0049;    // P ^ D
constexpr std::uint32_t DSTINVERT = 0x00550009;    // ~D
constexpr std::uint32_t BLACKNESS = 0x00000042;    // 0
constexpr std::uint32_t WHITENESS = 0x00FF0062;    // 0xFFFFFF

// Text format flags for draw_text_in_rect().
constexpr unsigned DT_TOP = 0x0000;
constexpr unsigned DT_LEFT = 0x0000;
constexpr unsigned DT_CENTER = 0x0001;
constexpr unsigned DT_RIGHT = 0x0002;
constexpr unsigned DT_VCENTER = 0x0004;  // with DT_SINGLELINE only
constexpr unsigned DT_BOTTOM = 0x0008;   // with DT_SINGLELINE only
constexpr unsigned DT_WORDBREAK = 0x0010;
constexpr unsigned DT_SINGLELINE = 0x0020;
constexpr unsigned DT_EXPANDTABS = 0x0040;  // tab stops every 8 average character widths
constexpr unsigned DT_NOCLIP = 0x0100;
constexpr unsigned DT_CALCRECT = 0x0400;
constexpr unsigned DT_NOPREFIX = 0x0800;  // else "&x" underlines x and "&&" is "&"
constexpr unsigned DT_END_ELLIPSIS = 0x8000;

// Font fields (see FontDescription).
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
constexpr int RGN_DIFF = 4;  // a without b
constexpr int RGN_COPY = 5;  // a
constexpr int REGION_ERROR = 0;
constexpr int NULLREGION = 1;     // empty
constexpr int SIMPLEREGION = 2;   // one rectangle
constexpr int COMPLEXREGION = 3;  // anything else
// Polygon fill rules for create_polygon_region().
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

// open_graphics() flag kept for programs written for other systems: the terminal is
// never hidden or moved here, so the flag changes nothing; the window system places
// the window.
constexpr int SHOW_CONSOLE = 1;

// ---- The graphics window -----------------------------------------------------------

// Process and threads.
// The library runs one thread of its own, the UI thread: started by the first
// open_graphics() or input_box() and kept until the program ends, asleep while no
// window shows. It makes every call into the window system, shows the window's
// picture and receives keys, mouse messages and the close box; no code of the
// program runs on it.
// The target and its state are one for the whole process. Call every function from
// one thread at a time (the drawing thread), except:
// - close_graphics() and get_window_handle(): any thread, at any time;
// - read_key() and key_hit(): one thread at a time, the drawing thread or another;
// - mouse_hit(), get_mouse_message() and flush_mouse_messages(): likewise;
// - wait_for_input(): the thread that reads both keys and mouse messages;
// - delay_ms(): any thread.
// Closing the window releases the threads waiting for its keys or mouse messages.
// No call waits long on another thread's drawing: the drawing lock goes by turns.
// What the library changes in the process:
// - From the first open_graphics() on (a failed one too), Ctrl+C (SIGINT) is ignored
//   until the program ends.
// - The window's close box ends the program at once with status 0, by quick_exit():
//   standard output is flushed and the terminal's modes put back, but destructors and
//   atexit() handlers do not run. It does nothing while an input box shows.
// - read_key() puts the controlling terminal in raw mode (no echo, each key read as it
//   is typed) while it waits, key_hit() while it looks; the mode is put back when they
//   return and on every way the program ends meanwhile.
// - When the connection to the display breaks (the X server or the Wayland compositor
//   ends), the program ends at once with "korvi: the display was lost" on standard
//   error and status 1, the terminal's modes and colours put back.
// Windows show on X11 (DISPLAY) or, without an X display, on Wayland
// (WAYLAND_DISPLAY); SDL_VIDEODRIVER chooses between them where both are there.
// Display scaling: KORVI_SCALE=n (1 to 4) shows each of the program's pixels as an
// n x n block of screen pixels, without smoothing; the program still draws, sizes
// and receives mouse positions in its own pixels, and the input box scales alike.
// Without KORVI_SCALE the desktop decides: the output's scale on Wayland; GDK_SCALE,
// or an Xft.dpi resource of 192 or more (scale 2), on X11; otherwise 1.

// Opens the graphics window with a client area of width x height pixels, titled with
// the program's name, and makes it the target with the default drawing state. The
// window's picture takes that size, keeping its old pixels where the sizes overlap.
// An open window is closed first; flags are ignored (see SHOW_CONSOLE). Returns the
// new window's handle, or null when no window can be made (a size below 1 x 1, no
// display, SDL2 missing; the first failure says why on standard error): drawing then
// goes to the window's picture in memory.
KORVI_API WindowHandle open_graphics(int width, int height, int flags = 0);
// open_graphics(640, 480, 0).
KORVI_API WindowHandle open_graphics_default();
// Closes the window; its picture stays in memory, and the target if it was. Nothing
// happens without a window. Threads waiting for its keys or mouse messages go on
// without it. Any thread.
KORVI_API void close_graphics();
// The open window's handle, null without one; every window opened gets a new one.
// Any thread.
KORVI_API WindowHandle get_window_handle();
// Places the window so that its outer rectangle (frame and caption included) is
// (x, y, width, height) in screen pixels (the program's pixels when scaled); repaint
// shows the picture again at once. False without a window or with the handle of a
// window closed since. On Wayland, which lets no program place its windows, it
// does nothing (and returns true for the open window).
KORVI_API bool move_window(WindowHandle window, int x, int y, int width, int height, bool repaint);
// The library's own version text, "v20111031(beta)"; the package's is KORVI_VERSION.
KORVI_API const char* get_library_version();
// One line saying what the library is built on.
KORVI_API const char* get_library_credits();

// ---- Keys ----------------------------------------------------------------------------

// Keys without a character come from read_key() as two codes, a prefix then the key:
//   int key = read_key();
//   if (key == KEY_PREFIX_EXTENDED || key == KEY_PREFIX_FUNCTION) {
//     int code = read_key();
//     if (code == KEY_LEFT) x -= 1;  // KEY_UP, KEY_F1, ...
//   }
// Arrows, the editing block, F11 and F12 come after KEY_PREFIX_EXTENDED; F1 to F10
// after KEY_PREFIX_FUNCTION. The keypad's editing keys (Num Lock off) count as theirs.
constexpr int KEY_PREFIX_EXTENDED = 224;
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
// nothing. A 224 followed by a byte of 160 or more is the lead byte of a UTF-8
// character, not KEY_PREFIX_EXTENDED (whose key codes are all below 160).

// Waits for the next key code: one held (the second of a pair), a key typed in the
// controlling terminal (even with standard input redirected; no echo, no Enter
// needed) or one pressed in the graphics window. Returns -1 when no code is held and
// there is neither a terminal nor an open window to wait on (at once, or when the
// window closes).
KORVI_API int read_key();
// Whether a code is waiting to be read (held, or a key in the terminal or the
// window); never waits.
KORVI_API bool key_hit();

// ---- Drawing state ---------------------------------------------------------------------

// The line colour.
KORVI_API Color get_line_color();
// The colour of lines, outlines and text; the line style is kept.
KORVI_API void set_line_color(Color color);
// The background colour.
KORVI_API Color get_bk_color();
// The background colour: clearing, text cells and the gaps of dashes and hatches (in
// OPAQUE mode), clear bits of fill patterns, new pixels of a resized image.
KORVI_API void set_bk_color(Color color);
// OPAQUE (the default): text cells and the gaps of dashes and hatches take the
// background colour; TRANSPARENT leaves them alone. Other values change nothing.
KORVI_API void set_bk_mode(int mode);
// Where logical (0, 0) lands, in pixels (the scale does not apply to it).
KORVI_API void set_origin(int x, int y);
// A logical unit becomes x_scale by y_scale pixels, line widths and text included; a
// negative scale mirrors (a negative y scale turns the y axis upwards).
KORVI_API void set_aspect_ratio(float x_scale, float y_scale);
// The two scale factors; each out argument may be null.
KORVI_API void get_aspect_ratio(float* x_scale, float* y_scale);
// Clips all drawing but clear_device() to a copy of the region (pixels: the origin and
// scale do not move it); the caller still owns and frees the region. Null: no clipping.
KORVI_API void set_clip_region(RegionHandle region);
// Fills the clip region with the background colour (whatever the write mode), or
// clears the picture like clear_device() when there is none. On the window it shows at
// once, in batch drawing too.
KORVI_API void clear_clip_region();
// A write mode R2_* (1..16; other values change nothing) for lines, outlines, fills
// and flood fills. put_pixel(), text, fill_bar() and clearing write plainly.
KORVI_API void set_write_mode(int mode);
// Style PS_* (a dash kind with cap and join bits), a dash pattern for PS_USERSTYLE and
// a width in logical units (0 and 1: one pixel). A pen that cannot be made (unknown
// bits, a negative width, PS_USERSTYLE with other bits) is refused: lines keep the
// previous pen, while get_line_style() reports the values given.
KORVI_API void set_line_style(int style, std::uint16_t pattern = 0, int thickness = 1);
// The values last given to set_line_style(); each out argument may be null.
KORVI_API void get_line_style(int* style, std::uint16_t* pattern, int* thickness);
// A fill colour and a style FILL_* (1..25), with 8 pattern bytes for FILL_USER (null
// keeps the last ones given). A style outside 1..25 is recorded but shapes keep
// filling as before.
KORVI_API void set_fill_style(Color color, int style = FILL_SOLID,
                              const std::uint8_t* pattern = nullptr);
// The colour and style last given; the 8 pattern bytes are written only for FILL_USER.
// Each out argument may be null.
KORVI_API void get_fill_style(Color* color, int* style, std::uint8_t* pattern);
// Back to the defaults: off-white (0xFCFCFC) solid one-pixel lines and solid fills,
// black OPAQUE background, origin (0, 0), scale 1, position (0, 0), no clip region,
// the default font ("System", 16-pixel cell, one-bit glyphs). The write mode and the
// PS_USERSTYLE and FILL_USER patterns are kept; the picture is not touched.
KORVI_API void reset_drawing_state();
// The target's size in pixels; 0 without pixels or target.
KORVI_API int get_width();
KORVI_API int get_height();
// The current position (logical).
KORVI_API int get_x();
KORVI_API int get_y();

// ---- Shapes ------------------------------------------------------------------------------
// Outlines take the pen (line colour and style), fills the fill style. Boxes take
// their corners in any order, but for arcs and pies. On the window, shapes show at
// once outside batch drawing.

// Fills the whole picture with the background colour, whatever the clip region, origin
// or write mode, and moves to (0, 0).
KORVI_API void clear_device();
// The colour of the pixel at (x, y); CLR_INVALID outside the picture or clip region.
KORVI_API Color get_pixel(int x, int y);
// Sets the pixel at (x, y) to the colour; pen and write mode play no part.
KORVI_API void put_pixel(int x, int y, Color color);
// Moves the position to (x, y), or by (dx, dy); nothing is drawn.
KORVI_API void move_to(int x, int y);
KORVI_API void move_rel(int dx, int dy);
// A line from (x1, y1) to (x2, y2), the end point not drawn; the position stays.
KORVI_API void draw_line(int x1, int y1, int x2, int y2);
// A line from the position to (x, y), or by (dx, dy), which becomes the position.
KORVI_API void line_to(int x, int y);
KORVI_API void line_rel(int dx, int dy);
// The outline of the box, all four edges included; the inside is untouched.
KORVI_API void draw_rectangle(int left, int top, int right, int bottom);
// The circle in the box (x - radius, y - radius) to (x + radius, y + radius), right
// and bottom excluded, so 2 * |radius| pixels across; radius 0 draws nothing.
// Outline only.
KORVI_API void draw_circle_outline(int x, int y, int radius);
// The ellipse inscribed in the box, right and bottom excluded. Outline only.
KORVI_API void draw_ellipse_outline(int left, int top, int right, int bottom);
// The same circle and ellipse, outlined and filled.
KORVI_API void draw_circle(int x, int y, int radius);
KORVI_API void draw_ellipse(int left, int top, int right, int bottom);
// The arc of the ellipse in the box (right and bottom excluded), counter-clockwise
// from the start angle to the end angle. An angle t (radians, 0 pointing right) is the
// ray from the centre (cx, cy) through (cx + a cos t, cy - b sin t), a and b the
// half-width and half-height; angles giving the same point draw the whole ellipse.
KORVI_API void draw_arc(int left, int top, int right, int bottom, double start, double end);
// The same arc closed by two radii, outlined and filled.
KORVI_API void draw_pie(int left, int top, int right, int bottom, double start, double end);
// Fills the box, right and bottom edges included, with the fill style, always by plain
// copy (the write mode plays no part); no outline.
KORVI_API void fill_bar(int left, int top, int right, int bottom);
// A bar with a depth: the front face is the box (right and bottom excluded) outlined
// and filled; lines of the pen draw the side face, from (right, bottom) out by (depth,
// -floor(3 * depth / 4)) and up by the box's height, and with top_face the top face.
// The position stays.
KORVI_API void draw_bar3d(int left, int top, int right, int bottom, int depth, bool top_face);
// Lines through count points, each point drawn once, the last not drawn; nothing
// for fewer than 2 points or null.
KORVI_API void draw_polyline(int count, const Point* points);
// The closed polygon through count points, filled by the alternate rule (pixels whose
// centres lie inside) and outlined; nothing for fewer than 2 points or null.
KORVI_API void draw_polygon(int count, const Point* points);
// Fills with the fill style the area 4-connected to (x, y) that is bounded by pixels
// of the border colour and by the edges of the picture and clip region; nothing when
// (x, y) has the border colour or cannot be seen.
KORVI_API void flood_fill(int x, int y, Color border);

// ---- Text -----------------------------------------------------------------------------------
// Text takes the line colour and the current font; in OPAQUE mode its cells are
// filled with the background colour first. The write mode plays no part. Sizes are in
// logical units. The *_char forms take one byte (an ASCII character) as the text.

// Draws the text at the position, which moves right by text_width(text).
KORVI_API void write_text(const char* text);
// Draws the text with the top-left corner of its cell at (x, y); the position stays.
KORVI_API void draw_text(int x, int y, const char* text);
// Draws the text in the rectangle (right and bottom excluded) as the DT_* flags say,
// clipped to it unless DT_NOCLIP; returns the height of the text (with DT_SINGLELINE
// and DT_VCENTER or DT_BOTTOM: from the rectangle's top to the text's bottom), 0 for
// a null rect. With DT_CALCRECT nothing is drawn and right and bottom are set to what
// the text needs.
KORVI_API int draw_text_in_rect(const char* text, Rect* rect, unsigned format);
// The width of the text (its advances) and its height (the cell's, also for "").
KORVI_API int text_width(const char* text);
KORVI_API int text_height(const char* text);
// The same for the one-character text c.
KORVI_API void write_text_char(char c);
KORVI_API void draw_text_char(int x, int y, char c);
KORVI_API int draw_text_in_rect_char(char c, Rect* rect, unsigned format);
KORVI_API int text_width_char(char c);
KORVI_API int text_height_char(char c);
// The font of the record (see FontDescription: a face name is looked up among the
// installed fonts, an unknown one gets a similar face, and characters the face lacks
// come from a face that has them); null changes nothing.
KORVI_API void set_font(const FontDescription* font);
// Copies the current font's record; null is ignored.
KORVI_API void get_font(FontDescription* font);
// Sets every field of the font; a null face leaves the face name empty (a face
// chosen by pitch_and_family).
KORVI_API void set_text_style_full(int height, int width, const char* face, int escapement,
                                   int orientation, int weight, bool italic, bool underline,
                                   bool strike_out, std::uint8_t char_set,
                                   std::uint8_t out_precision, std::uint8_t clip_precision,
                                   std::uint8_t quality, std::uint8_t pitch_and_family);
// Changes these fields of the current font, keeping char_set, the precisions, quality
// and pitch_and_family; a null face keeps the face.
KORVI_API void set_text_style_ext(int height, int width, const char* face, int escapement,
                                  int orientation, int weight, bool italic, bool underline,
                                  bool strike_out);
// Changes the height and width of the current font, and its face unless null.
KORVI_API void set_text_style(int height, int width, const char* face);

// ---- Batch drawing (while the window is the target) ---------------------------------------
// Outside batch drawing each primitive shows on the window at once. After
// begin_batch() primitives go to the window's picture in memory only (settings still
// take effect at once), and a flush shows them all at once. Calls do not nest: one end
// ends any number of begins. While an image is the target these do nothing.

// Starts batch drawing.
KORVI_API void begin_batch();
// Shows the whole picture; batch drawing goes on.
KORVI_API void flush_batch();
// Shows the box (logical coordinates, both edges included); batch drawing goes on.
KORVI_API void flush_batch_rect(int left, int top, int right, int bottom);
// flush_batch() or flush_batch_rect(), then ends batch drawing.
KORVI_API void end_batch();
KORVI_API void end_batch_rect(int left, int top, int right, int bottom);

// ---- Images ----------------------------------------------------------------------------------

// Not for programs: the library's own part of an image (its pixels, drawing context
// and drawing state), and the library's way into it.
class ImageImpl;
struct ImageAccess;

// An off-screen picture of 32-bit pixels with a drawing state of its own. Select it
// with set_working_image() to draw on it. Copies copy the picture and the whole
// drawing state. Destroying the image that is the target leaves no target: drawing
// does nothing until set_working_image() or open_graphics().
class KORVI_API Image {
 public:
  // width x height black pixels; a side of 0 or below (or a size that cannot be
  // allocated) gives an image without pixels, 0 x 0.
  explicit Image(int width = 0, int height = 0);
  Image(const Image& other);
  Image& operator=(const Image& other);

  // Back to the default drawing state (see reset_drawing_state()).
  virtual void reset_state();
  virtual ~Image();
  // New size; the overlapping top-left part of the picture is kept, new pixels take
  // the background colour. A side of 0 or below (or a size that cannot be allocated)
  // changes nothing.
  virtual void resize(int width, int height);

  // The size in pixels.
  int width() const;
  int height() const;

 protected:
  // Not for programs: the graphics window, whose Image part is the window's picture
  // in memory, makes it from the library's own part.
  explicit Image(std::unique_ptr<ImageImpl> impl);

 private:
  friend struct ImageAccess;
  std::unique_ptr<ImageImpl> m_impl;
};

// Draws on the image from now on; null selects the graphics window (its picture in
// memory when it is not open). Each keeps its own drawing state.
KORVI_API void set_working_image(Image* image);
// The image being drawn on, or null: while the window is the target and open, after
// close_graphics() until set_working_image() is called again, and before any target
// exists. Otherwise the selected image, or, when the window was selected while closed
// (or never opened), the window's picture in memory, which survives the window and
// shows again when it reopens.
KORVI_API Image* get_working_image();
// Image::resize(); null resizes the window's picture and gives the open window that
// outer size (frame and caption included, so its client area becomes smaller).
KORVI_API void resize_image(Image* image, int width, int height);
// The image's drawing context (null: the window's picture's).
KORVI_API DeviceContextHandle get_image_dc(Image* image);
// The image's pixels (null: the window's picture's), 0x00RRGGBB, height rows of width
// pixels, top row first, without padding; null without pixels. The pointer lasts until
// the image gets new pixels (a resize, get_image(), a loading that resizes). Pixels
// written to the window's picture show at the next flush_batch().
KORVI_API std::uint32_t* get_image_buffer(Image* image);

// Copies the box of width x height at (x, y) of the current target (logical units)
// into the image, which gets width x height pixels; parts outside the target come out
// black. Nothing for a null image, a side of 0 or below, or without a target. The
// image's drawing state stays.
KORVI_API void get_image(Image* image, int x, int y, int width, int height);
// put_image_part() of the whole image.
KORVI_API void put_image(int x, int y, const Image* image, std::uint32_t rop = SRCCOPY);
// Draws the part of the image at (source_x, source_y) of width x height (in the
// image's own logical units) at (x, y) of the target by the raster operation; a
// different size in pixels on either side stretches. Clipped; nothing for a null
// image, one without pixels, or a side of 0 or below.
KORVI_API void put_image_part(int x, int y, int width, int height, const Image* image, int source_x,
                              int source_y, std::uint32_t rop = SRCCOPY);
// Loads a picture file (BMP, GIF, JPEG, PNG, icons, WebP, TIFF, ...; the extension
// plays no part) into the image (null: the window's picture, shown whole while the
// window is the target) at logical (0, 0), scaled to width x height when both are at
// least 1, else at its own size; transparent parts blend over what is there. The image
// (null: the window too) takes that size when it has no pixels or when resize is true.
// Returns false, leaving the image unchanged, when the file cannot be read or decoded
// (cut short or damaged, or SDL2_image is missing for a format other than PNG), is no
// regular file or is above 256 MB, when the picture or the size asked has a side above
// 16384 pixels or more than 2^28 bytes of pixels (8192 x 8192), or when memory runs
// out; it then writes one line to standard error naming the file and the reason. Every
// load ends, whatever the file holds.
KORVI_API bool load_image(Image* image, const char* file_name, int width = 0, int height = 0,
                          bool resize = false);
// The same for a file embedded into the program with korvi_embed_resources() (type
// and name compared without regard to ASCII case).
KORVI_API bool load_image_resource(Image* image, const char* type, const char* name, int width = 0,
                                   int height = 0, bool resize = false);
// Writes the image (null: the window's picture) as a PNG file when the name ends in
// ".png" (any case), else as a 24-bit BMP file, replacing the file. Returns false for a
// null name, an image without pixels, a PNG writer that cannot be loaded, or a file
// that cannot be written, after one line to standard error naming the file and the
// reason.
KORVI_API bool save_image(const char* file_name, const Image* image);

// ---- Regions ---------------------------------------------------------------------------------
// Sets of pixels (device coordinates), for set_clip_region(). They hold what lies
// within +-2^21 on both axes. Each create_* function gives a new region to free with
// delete_region() (or to keep in a UniqueRegion); boxes take their corners in any
// order, right and bottom excluded.

// The pixels of the box.
KORVI_API RegionHandle create_rect_region(int left, int top, int right, int bottom);
// The pixels of draw_ellipse() in the box: those whose centres lie in the ellipse.
KORVI_API RegionHandle create_elliptic_region(int left, int top, int right, int bottom);
// The pixels whose centres lie in the polygon by the rule ALTERNATE or WINDING; null
// for null points, a negative count or another rule; empty when a point lies beyond
// +-2^21.
KORVI_API RegionHandle create_polygon_region(const Point* points, int count, int fill_mode);
// destination = a combined with b by mode RGN_* (b unused for RGN_COPY; destination
// may be a or b); returns NULLREGION, SIMPLEREGION, COMPLEXREGION, or REGION_ERROR
// for a null handle or a bad mode, leaving destination as it was.
KORVI_API int combine_region(RegionHandle destination, RegionHandle a, RegionHandle b, int mode);
// Moves the region by (dx, dy); returns its kind as combine_region() does.
KORVI_API int offset_region(RegionHandle region, int dx, int dy);
// Whether the pixel (x, y) is in the region; false for null.
KORVI_API bool point_in_region(RegionHandle region, int x, int y);
// Whether both hold the same pixels; false when either is null.
KORVI_API bool equal_region(RegionHandle a, RegionHandle b);
// Writes the smallest box holding the region (right and bottom excluded; all 0 when
// it is empty) and returns the region's kind; REGION_ERROR for a null region or box.
KORVI_API int get_region_box(RegionHandle region, Rect* box);
// Frees the region; null is ignored. A target keeps its own copy of a clip region.
KORVI_API void delete_region(RegionHandle region);

struct RegionDeleter {
  void operator()(RegionObject* region) const { delete_region(region); }
};
// Owns a region: UniqueRegion clip(create_rect_region(0, 0, 10, 10));
using UniqueRegion = std::unique_ptr<RegionObject, RegionDeleter>;

// ---- Colour conversions -------------------------------------------------------------------
// Hue in degrees [0, 360), saturation, value and lightness in [0, 1]; a grey has hue 0
// and saturation 0. A null out-pointer skips that value. Inputs outside these ranges
// are not clamped: each channel keeps the low 8 bits of round(unit * 255).

// The hue, saturation and value of the colour.
KORVI_API void rgb_to_hsv(Color color, float* h, float* s, float* v);
// The hue, saturation and lightness of the colour.
KORVI_API void rgb_to_hsl(Color color, float* h, float* s, float* l);
// The colour of a hue, saturation and value.
KORVI_API Color hsv_to_rgb(float h, float s, float v);
// The colour of a hue, saturation and lightness.
KORVI_API Color hsl_to_rgb(float h, float s, float l);
// The grey of equal luminance (weights 0.299, 0.587, 0.114).
KORVI_API Color rgb_to_gray(Color color);

// ---- Mouse messages -------------------------------------------------------------------------

constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;  // a double click: down, up, this, up
constexpr std::uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr std::uint32_t WM_RBUTTONUP = 0x0205;
constexpr std::uint32_t WM_RBUTTONDBLCLK = 0x0206;
constexpr std::uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr std::uint32_t WM_MBUTTONUP = 0x0208;
constexpr std::uint32_t WM_MBUTTONDBLCLK = 0x0209;
constexpr std::uint32_t WM_MOUSEWHEEL = 0x020A;
// A second click within the double-click time (500 ms) comes as WM_LBUTTONDBLCLK
// instead of a second WM_LBUTTONDOWN (the same for the right and middle buttons); a
// third click is a WM_LBUTTONDOWN again. A program that counts clicks counts both.

// Key and button flags of a mouse event (MouseMessage holds them as its bool fields).
constexpr std::uint32_t MK_LBUTTON = 0x0001;
constexpr std::uint32_t MK_RBUTTON = 0x0002;
constexpr std::uint32_t MK_SHIFT = 0x0004;
constexpr std::uint32_t MK_CONTROL = 0x0008;
constexpr std::uint32_t MK_MBUTTON = 0x0010;

// One mouse event on the graphics window. x and y are pixels of the client area (the
// origin and scale play no part); ctrl and shift the keys held, the *_button fields
// the buttons held after the event; wheel is the distance turned, 120 per notch,
// positive away from the user (0 for the other messages).
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

// The window keeps at most 63 messages; more are lost unless a reader is taking them.

// Whether a mouse message is waiting.
KORVI_API bool mouse_hit();
// The oldest mouse message, waiting for one when none is held. Without a window,
// or when the window closes meanwhile, a message whose code is 0.
KORVI_API MouseMessage get_mouse_message();
// Drops every waiting mouse message.
KORVI_API void flush_mouse_messages();

// ---- Waiting ------------------------------------------------------------------------------------
// What paces a loop without using the processor; the window stays live meanwhile
// (it repaints, and keys and mouse messages are still taken in).

// Pauses the calling thread for that many milliseconds (none when 0 or negative).
KORVI_API void delay_ms(int milliseconds);
// Waits until a key or a mouse message is waiting (what key_hit() or mouse_hit() would
// report), the window closes, or timeout_ms milliseconds pass (negative: no limit).
// True when input is waiting. False at once when nothing could come: no limit, no
// window and no terminal. The terminal is in raw mode for the wait, as for read_key().
KORVI_API bool wait_for_input(int timeout_ms);

// ---- Input box ----------------------------------------------------------------------------------

// Shows a modal box with a prompt, an edit field holding default_text, and OK (and
// Cancel unless only_ok). On OK the text (at most size - 1 bytes and a zero, never a
// UTF-8 character cut in two) goes to buffer and the result is true; Cancel, Esc or
// closing the box leave the buffer alone and give false (with only_ok, Esc and the
// close box do nothing). width and height are the client size wanted in pixels (0:
// 357 and 93; at least 200 and 93, taller for a long prompt); a height above 0 makes
// the edit field multi-line (Enter starts a line, written as "\n"; Ctrl+Enter
// confirms). A null title takes the window's caption (the program's name). The
// graphics window, when open, takes no input while the box shows. Also false, at
// once: without a display (the reason goes to standard error once), while another box
// shows, for a null buffer or a size below 1.
KORVI_API bool input_box(char* buffer, int size, const char* prompt = nullptr,
                         const char* title = nullptr, const char* default_text = nullptr,
                         int width = 0, int height = 0, bool only_ok = false);

}  // namespace korvi
