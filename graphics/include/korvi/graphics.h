// korvi graphics library: a flat drawing API over a window or off-screen images.
#pragma once

#include <cstdint>

namespace korvi {

// A colour value 0x00BBGGRR: red in the lowest byte.
using Color = std::uint32_t;

// ---- Colour conversions ------------------------------------------------------
// Hue in degrees [0, 360), saturation, value and lightness in [0, 1].
void rgb_to_hsv(Color color, float* h, float* s, float* v);
void rgb_to_hsl(Color color, float* h, float* s, float* l);
Color hsv_to_rgb(float h, float s, float v);
Color hsl_to_rgb(float h, float s, float l);
// The grey of equal luminance (weights 0.299, 0.587, 0.114).
Color rgb_to_gray(Color color);

// ---- Embedded resources ------------------------------------------------------
// One file embedded into a program by the CMake function korvi_embed_resources();
// the build generates the table, the library reads it.
struct EmbeddedResource {
    const char* type;
    const char* name;
    const unsigned char* begin;
    const unsigned char* end;
};

// ---- Mouse messages ------------------------------------------------------------
// Message codes of mouse input on the graphics window.
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

// Key and button flags of a mouse event, as packed by the windowing layer.
constexpr std::uint32_t MK_LBUTTON = 0x0001;
constexpr std::uint32_t MK_RBUTTON = 0x0002;
constexpr std::uint32_t MK_SHIFT = 0x0004;
constexpr std::uint32_t MK_CONTROL = 0x0008;
constexpr std::uint32_t MK_MBUTTON = 0x0010;

// One mouse event. x and y are client coordinates of the pointer; wheel is the
// distance turned, in multiples of 120 per notch, positive away from the user
// (0 for the other messages).
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

} // namespace korvi
