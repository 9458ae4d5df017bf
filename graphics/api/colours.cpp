// Conversions between colour values (0x00BBGGRR) and the hue-based models HSV and
// HSL, and to grey. Every named intermediate is a 32-bit float so that results are
// the same bit for bit on every build; float-to-integer conversions follow the
// processor's truncating conversion, whose out-of-range result is INT32_MIN.
#include <korvi/graphics.h>

#include <algorithm>
#include <cstdint>

namespace korvi {
namespace {

// Truncation toward zero as the hardware does it: NaN and values outside the
// 32-bit range give INT32_MIN instead of undefined behaviour.
std::int32_t truncate_to_int(float value) {
  if (!(value > -2147483904.0f && value < 2147483648.0f)) return INT32_MIN;
  return static_cast<std::int32_t>(value);
}

std::uint32_t channel_from_unit(float unit) {
  return static_cast<std::uint32_t>(truncate_to_int(unit * 255.0f + 0.5f)) & 0xFFu;
}

Color color_from_units(float r, float g, float b) {
  return channel_from_unit(r) | channel_from_unit(g) << 8 | channel_from_unit(b) << 16;
}

struct UnitRgb {
  float r, g, b;
  float max, min, delta;
};

UnitRgb unit_rgb(Color color) {
  UnitRgb c;
  c.r = static_cast<float>(color & 0xFF) / 255.0f;
  c.g = static_cast<float>(color >> 8 & 0xFF) / 255.0f;
  c.b = static_cast<float>(color >> 16 & 0xFF) / 255.0f;
  c.max = std::max({c.r, c.g, c.b});
  c.min = std::min({c.r, c.g, c.b});
  c.delta = c.max - c.min;
  return c;
}

float hue_to_unit(float p, float q, float h) {
  if (h < 0.0f)
    h += 360.0f;
  else if (h >= 360.0f)
    h -= 360.0f;
  if (h < 60.0f) return p + (q - p) * h / 60.0f;
  if (h < 180.0f) return q;
  if (h < 240.0f) return p + (q - p) * (240.0f - h) / 60.0f;
  return p;
}

// Out-parameters may be null, as in every getter: that value is not wanted.
void store(float* out, float value) {
  if (out) *out = value;
}

}  // namespace

void rgb_to_hsv(Color color, float* h, float* s, float* v) {
  const UnitRgb c = unit_rgb(color);
  store(v, c.max);
  if (c.delta == 0.0f) {
    store(h, 0.0f);
    store(s, 0.0f);
    return;
  }
  float hue;
  if (c.max == c.r) {
    hue = (c.g - c.b) / c.delta;
    if (c.g < c.b) hue += 6.0f;
  } else if (c.max == c.g) {
    hue = (c.b - c.r) / c.delta + 2.0f;
  } else {
    hue = (c.r - c.g) / c.delta + 4.0f;
  }
  store(h, hue * 60.0f);
  store(s, c.delta / c.max);
}

void rgb_to_hsl(Color color, float* h, float* s, float* l) {
  const UnitRgb c = unit_rgb(color);
  const float lightness = (c.max + c.min) / 2.0f;
  store(l, lightness);
  if (c.max == c.min) {
    store(h, 0.0f);
    store(s, 0.0f);
    return;
  }
  store(s, lightness > 0.5f ? c.delta / (2.0f - c.max - c.min) : c.delta / (c.max + c.min));
  float hue;
  if (c.max == c.r) {
    hue = (c.g - c.b) / c.delta / 6.0f * 360.0f;
    if (c.g < c.b) hue += 360.0f;
  } else if (c.max == c.g) {
    hue = (c.b - c.r) / c.delta / 6.0f * 360.0f + 120.0f;
  } else {
    hue = (c.r - c.g) / c.delta / 6.0f * 360.0f + 240.0f;
  }
  store(h, hue);
}

Color hsv_to_rgb(float h, float s, float v) {
  if (s == 0.0f) return color_from_units(v, v, v);
  const float sector = h / 60.0f;
  const std::int32_t i = truncate_to_int(sector);
  const float f = sector - static_cast<float>(i);
  const float p = (1.0f - s) * v;
  const float q = (1.0f - s * f) * v;
  const float t = (1.0f - (1.0f - f) * s) * v;
  switch (i) {
    case 0: return color_from_units(v, t, p);
    case 1: return color_from_units(q, v, p);
    case 2: return color_from_units(p, v, t);
    case 3: return color_from_units(p, q, v);
    case 4: return color_from_units(t, p, v);
    default: return color_from_units(v, p, q);
  }
}

Color hsl_to_rgb(float h, float s, float l) {
  if (s == 0.0f) return color_from_units(l, l, l);
  const float q = l <= 0.5f ? l * s + l : l + s - l * s;
  const float p = 2.0f * l - q;
  return color_from_units(hue_to_unit(p, q, h + 120.0f), hue_to_unit(p, q, h),
                          hue_to_unit(p, q, h - 120.0f));
}

Color rgb_to_gray(Color color) {
  const float y = static_cast<float>(color & 0xFF) * 0.299f +
                  static_cast<float>(color >> 8 & 0xFF) * 0.587f +
                  static_cast<float>(color >> 16 & 0xFF) * 0.114f + 0.5f;
  const std::uint32_t grey = static_cast<std::uint32_t>(truncate_to_int(y)) & 0xFFu;
  return grey | grey << 8 | grey << 16;
}

}  // namespace korvi
