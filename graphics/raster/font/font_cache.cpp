#include "font/font_cache.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <unordered_map>

#include "font/face.h"
#include "font/face_resolver.h"
#include "font/font_scaling.h"
#include "font/strike.h"
#include "font/text_orientation.h"
#include "font/utf8.h"

namespace korvi::raster {

namespace {

// Limits that keep a long-running program's cache bounded. When glyphs or strikes
// exceed them, every strike is dropped at the start of the next call.
constexpr std::size_t MAX_GLYPH_BYTES = std::size_t{64} << 20;
constexpr std::size_t MAX_STRIKES = 512;
constexpr std::size_t MAX_FONTS = 4096;
// Output stops at this pen position: nothing beyond it lands on any surface.
constexpr std::int64_t MAX_PEN = std::int64_t{1} << 30;

// Device pixels divided by the scale, rounded, as a logical size.
std::int32_t logical_units(double v) {
  return static_cast<std::int32_t>(std::min<double>(std::round(v), INT32_MAX));
}

struct Bounds {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool any = false;

  void add(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    if (r <= l || b <= t) return;
    if (!any) {
      left = l;
      top = t;
      right = r;
      bottom = b;
      any = true;
      return;
    }
    left = std::min(left, l);
    top = std::min(top, t);
    right = std::max(right, r);
    bottom = std::max(bottom, b);
  }
  void add(const TextQuad& q) { add(q.left, q.top, q.right, q.bottom); }
};

// The strike last used for one font at one scale: consecutive calls with the same
// font and scale (the usual case) skip the key computation and the hash lookup.
struct StrikeMemo {
  std::uint64_t serial = 0;  // 0: empty (serials start at 1)
  double scale_x = 0;
  double scale_y = 0;
  Strike* strike = nullptr;
  Orientation orientation;
};

std::string location_key(const FaceLocation& location) {
  return location.file + '\n' + std::to_string(location.index);
}

std::string request_key(const FaceRequest& request) {
  return request.family + '\n' + (request.bold ? 'b' : '-') + (request.italic ? 'i' : '-');
}

}  // namespace

struct FontCache::Impl final : FallbackFaces {
  std::shared_ptr<FreeTypeLibrary> library = std::make_shared<FreeTypeLibrary>();
  FaceResolver resolver;
  std::unordered_map<std::string, std::shared_ptr<Face>> faces_by_location;
  std::unordered_map<std::string, std::shared_ptr<Face>> faces_by_request;
  std::unordered_map<char32_t, std::shared_ptr<Face>> fallbacks;
  std::unordered_map<FontDescription, std::shared_ptr<const Font>> fonts;
  std::unordered_map<StrikeKey, std::unique_ptr<Strike>, StrikeKeyHash> strikes;
  std::size_t glyph_bytes = 0;
  std::uint64_t next_serial = 1;
  StrikeMemo measure_memo;
  StrikeMemo draw_memo;

  std::shared_ptr<Face> open_face(const FaceLocation& location) {
    const std::string key = location_key(location);
    auto found = faces_by_location.find(key);
    if (found != faces_by_location.end()) return found->second;
    std::shared_ptr<Face> face = Face::open(library, location.file, location.index);
    faces_by_location.emplace(key, face);  // a failure is remembered too
    return face;
  }

  std::shared_ptr<Face> face_for(const FaceRequest& request) {
    const std::string key = request_key(request);
    auto found = faces_by_request.find(key);
    if (found != faces_by_request.end()) return found->second;

    std::shared_ptr<Face> face;
    if (auto location = resolver.match(request)) face = open_face(*location);
    if (!face && request.family != "sans-serif") {
      // The match could not be opened: any readable sans-serif face will do.
      FaceRequest generic = request;
      generic.family = "sans-serif";
      face = face_for(generic);
    }
    faces_by_request.emplace(key, face);
    return face;
  }

  std::shared_ptr<Face> fallback_face(char32_t code_point) override {
    auto found = fallbacks.find(code_point);
    if (found != fallbacks.end()) return found->second;
    std::shared_ptr<Face> chosen;
    for (const FaceLocation& location : resolver.covering(code_point)) {
      std::shared_ptr<Face> face = open_face(location);
      if (face && face->glyph_index(code_point) != 0) {
        chosen = face;
        break;
      }
    }
    fallbacks.emplace(code_point, chosen);
    return chosen;
  }

  void check_owner(const Font& font) const {
    if (font.owner() != library.get())
      throw std::invalid_argument("the font was made by another font cache");
  }

  void clear_strikes() {
    measure_memo = {};
    draw_memo = {};
    strikes.clear();
    glyph_bytes = 0;
  }

  void evict_if_full() {
    if (glyph_bytes > MAX_GLYPH_BYTES || strikes.size() > MAX_STRIKES) clear_strikes();
  }

  // The strike for the font at the scale; with oriented, rotated and mirrored as
  // output draws it, else upright (for measuring). Null for a degenerate scale.
  const StrikeMemo* strike_for(const Font& font, double sx, double sy, bool oriented) {
    StrikeMemo& memo = oriented ? draw_memo : measure_memo;
    if (memo.serial == font.serial() && memo.scale_x == sx && memo.scale_y == sy) return &memo;
    if (!usable_scale(sx, sy)) return nullptr;

    const DeviceFontSize size = device_font_size(font, sx, sy);
    const Orientation orientation =
        oriented ? make_orientation(font.escapement(), sx, sy) : Orientation{};
    StrikeKey key;
    key.face = font.face().get();
    key.em_x = size.em_x;
    key.em_y = size.em_y;
    key.cell = size.cell;
    key.antialiased = font.antialiased();
    key.bold = font.bold();
    key.italic = font.italic();
    key.transform = orientation.fixed;

    auto found = strikes.find(key);
    if (found == strikes.end()) {
      auto strike = std::make_unique<Strike>(key, font.face(), size, glyph_bytes);
      found = strikes.emplace(key, std::move(strike)).first;
    }
    memo.serial = font.serial();
    memo.scale_x = sx;
    memo.scale_y = sy;
    memo.strike = found->second.get();
    memo.orientation = orientation;
    return &memo;
  }
};

FontCache::FontCache() : m_impl(std::make_unique<Impl>()) {}

FontCache::~FontCache() = default;

std::shared_ptr<const Font> FontCache::font(const FontDescription& description) {
  Impl& impl = *m_impl;
  auto found = impl.fonts.find(description);
  if (found != impl.fonts.end()) return found->second;

  const FontDescription key = normalized(description);
  std::shared_ptr<Face> face = impl.face_for(face_request(key));
  auto font = std::make_shared<const Font>(key, std::move(face), impl.library, impl.next_serial++);
  // Fonts in use stay alive with their users; the table only forgets them.
  if (impl.fonts.size() >= MAX_FONTS) impl.fonts.clear();
  impl.fonts.emplace(key, font);
  return font;
}

bool FontCache::owns(const Font& font) const noexcept {
  return font.owner() == m_impl->library.get();
}

TextExtent FontCache::text_extent(const Font& font, std::string_view utf8, TextScale scale) {
  Impl& impl = *m_impl;
  impl.check_owner(font);
  impl.evict_if_full();
  if (!usable_scale(scale.x, scale.y)) scale = TextScale{};
  const double ax = std::abs(scale.x);
  const double ay = std::abs(scale.y);
  const StrikeMemo* memo = impl.strike_for(font, ax, ay, false);
  Strike& strike = *memo->strike;

  std::int64_t width = 0;
  std::size_t position = 0;
  while (position < utf8.size()) {
    const auto byte = static_cast<unsigned char>(utf8[position]);
    const char32_t c = byte < 0x80 ? (++position, byte) : next_code_point(utf8, position);
    width += strike.entry(c, impl).advance;
  }
  TextExtent extent;
  extent.width = logical_units(static_cast<double>(width) / ax);
  extent.height = logical_units(strike.size().cell / ay);
  return extent;
}

void FontCache::glyph_run(const Font& font, std::string_view utf8, TextScale scale, GlyphRun& out,
                          MarkedRange marked) {
  Impl& impl = *m_impl;
  out.clear();
  impl.check_owner(font);
  impl.evict_if_full();
  out.antialiased = font.antialiased();
  const StrikeMemo* memo = impl.strike_for(font, scale.x, scale.y, true);
  if (memo == nullptr) return;
  Strike& strike = *memo->strike;
  const Orientation& o = memo->orientation;
  const DeviceFontSize& size = strike.size();
  const double ascent = size.ascent;

  Bounds bounds;
  out.glyphs.reserve(std::min<std::size_t>(utf8.size(), 4096));
  std::int64_t pen = 0;
  std::int64_t mark_begin = -1;
  std::int64_t mark_end = -1;
  std::size_t position = 0;
  while (position < utf8.size() && pen < MAX_PEN) {
    const std::size_t start = position;
    const auto byte = static_cast<unsigned char>(utf8[position]);
    const char32_t c = byte < 0x80 ? (++position, byte) : next_code_point(utf8, position);
    const GlyphEntry& entry = strike.rendered_entry(c, impl);
    const GlyphBitmap& bitmap = *entry.bitmap;

    std::int32_t x;
    std::int32_t y;
    if (o.identity()) {
      x = static_cast<std::int32_t>(pen);
      y = size.ascent;
    } else {
      const PointF origin = o.apply(static_cast<double>(pen), ascent);
      x = round_to_pixel(origin.x);
      y = round_to_pixel(origin.y);
    }
    x += bitmap.left;
    y += bitmap.top;
    out.glyphs.push_back({&bitmap, x, y, c, entry.missing});
    if (!bitmap.empty()) bounds.add(x, y, x + bitmap.width, y + bitmap.height);

    if (start >= marked.begin && start < marked.end) {
      if (mark_begin < 0) mark_begin = pen;
      mark_end = pen + entry.advance;
    }
    pen += entry.advance;
  }

  const double width = static_cast<double>(pen);
  out.cell = make_quad(o, 0, 0, width, size.cell);
  bounds.add(out.cell);
  if (font.underline()) {
    out.has_underline = true;
    out.underline =
        make_quad(o, 0, size.underline_top, width, size.underline_top + size.underline_thickness);
    bounds.add(out.underline);
  }
  if (font.strike_out()) {
    out.has_strike_out = true;
    out.strike_out = make_quad(o, 0, size.strike_out_top, width,
                               size.strike_out_top + size.strike_out_thickness);
    bounds.add(out.strike_out);
  }
  if (mark_begin >= 0 && mark_end > mark_begin) {
    out.has_mark = true;
    out.mark =
        make_quad(o, static_cast<double>(mark_begin), size.underline_top,
                  static_cast<double>(mark_end), size.underline_top + size.underline_thickness);
    bounds.add(out.mark);
  }
  out.bounds_left = bounds.left;
  out.bounds_top = bounds.top;
  out.bounds_right = bounds.right;
  out.bounds_bottom = bounds.bottom;
}

GlyphRun FontCache::glyph_run(const Font& font, std::string_view utf8, TextScale scale) {
  GlyphRun run;
  glyph_run(font, utf8, scale, run);
  return run;
}

void FontCache::clear_glyphs() { m_impl->clear_strikes(); }

FontCacheStatistics FontCache::statistics() const {
  FontCacheStatistics s;
  s.fonts = m_impl->fonts.size();
  for (const auto& [location, face] : m_impl->faces_by_location) s.faces += face ? 1 : 0;
  s.strikes = m_impl->strikes.size();
  s.glyph_bytes = m_impl->glyph_bytes;
  return s;
}

}  // namespace korvi::raster
