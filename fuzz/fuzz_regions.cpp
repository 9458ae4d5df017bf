// libFuzzer target: builds rectangle, ellipse and polygon regions through the
// library's region functions, combines and moves them, and checks every result:
// the banded form is canonical, the bounds are exact, a combination holds exactly
// the pixels its mode says, and shape regions hold exactly the pixels that filling
// the shape paints.
#include <korvi/graphics.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "korvi/raster/brush.h"
#include "korvi/raster/device_context.h"
#include "korvi/raster/pen.h"
#include "korvi/raster/region.h"
#include "korvi/raster/surface.h"
#include "state/region_object.h"

namespace {

using korvi::raster::Region;

void check(bool condition) {
  if (!condition) std::abort();
}

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  bool more() const { return m_at < m_size; }
  std::uint8_t byte() { return m_at < m_size ? m_data[m_at++] : 0; }
  // Mostly small coordinates; an escape byte gives any 32-bit value.
  int coordinate() {
    const std::uint8_t b = byte();
    if (b < 0xF8) return static_cast<std::int8_t>(b);
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= std::uint32_t{byte()} << (8 * i);
    return static_cast<std::int32_t>(value);
  }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_at = 0;
};

const Region& region_of(korvi::RegionHandle handle) { return handle->region; }

// Bands sorted and apart, spans sorted and apart, touching bands differ, every
// coordinate within the limit, and the bounds those of the spans.
void check_canonical(const Region& region) {
  const auto bands = region.bands();
  korvi::raster::PixelBox box{0, 0, 0, 0};
  bool first = true;
  for (std::size_t i = 0; i < bands.size(); ++i) {
    const auto& band = bands[i];
    check(band.top < band.bottom && band.count > 0);
    check(band.top >= -korvi::raster::REGION_LIMIT && band.bottom <= korvi::raster::REGION_LIMIT);
    const auto spans = region.spans(band);
    for (std::size_t j = 0; j < spans.size(); ++j) {
      check(spans[j].left < spans[j].right);
      check(spans[j].left >= -korvi::raster::REGION_LIMIT &&
            spans[j].right <= korvi::raster::REGION_LIMIT);
      if (j > 0) check(spans[j - 1].right < spans[j].left);
    }
    if (i > 0) {
      const auto& previous = bands[i - 1];
      check(previous.bottom <= band.top);
      if (previous.bottom == band.top) {
        const auto above = region.spans(previous);
        check(!std::equal(above.begin(), above.end(), spans.begin(), spans.end()));
      }
    }
    const korvi::raster::PixelBox band_box{spans.front().left, band.top, spans.back().right,
                                           band.bottom};
    if (first) {
      box = band_box;
      first = false;
    } else {
      box = {std::min(box.left, band_box.left), box.top, std::max(box.right, band_box.right),
             band_box.bottom};
    }
  }
  const auto bounds = region.bounds();
  check(bounds.left == box.left && bounds.top == box.top && bounds.right == box.right &&
        bounds.bottom == box.bottom);
}

bool small(const korvi::raster::PixelBox& r) {
  return r.left >= -512 && r.top >= -512 && r.right <= 512 && r.bottom <= 512;
}

korvi::raster::PixelBox joined(korvi::raster::PixelBox a, korvi::raster::PixelBox b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

bool combined(bool a, bool b, int mode) {
  switch (mode) {
    case korvi::RGN_AND: return a && b;
    case korvi::RGN_OR: return a || b;
    case korvi::RGN_XOR: return a != b;
    case korvi::RGN_DIFF: return a && !b;
    default: return a;
  }
}

// The pixels a filled shape paints in the box (small), by a context without a pen.
template <class Draw>
void check_against_fill(const Region& region, korvi::raster::PixelBox box, Draw draw) {
  const int width = box.right - box.left, height = box.bottom - box.top;
  if (width <= 0 || height <= 0) {
    check(region.empty());  // no pixel centre inside a shape without area
    return;
  }
  korvi::raster::Surface surface(width, height);
  korvi::raster::DeviceContext dc(&surface);
  dc.select_pen(korvi::raster::Pen::null());
  dc.select_brush(korvi::raster::Brush::solid(0xFFFFFF));
  draw(dc, -box.left, -box.top);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      check((surface.at(x, y) != 0) == region.contains(x + box.left, y + box.top));
  // Nothing outside the box.
  check(region.empty() ||
        (region.bounds().left >= box.left && region.bounds().top >= box.top &&
         region.bounds().right <= box.right && region.bounds().bottom <= box.bottom));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  std::array<korvi::UniqueRegion, 4> slots;
  for (auto& slot : slots) slot.reset(korvi::create_rect_region(0, 0, 0, 0));
  int steps = 0;
  while (in.more() && ++steps < 64) {
    const std::uint8_t op = in.byte();
    korvi::UniqueRegion& target = slots[op >> 4 & 3];
    switch (op % 5) {
      case 0: {
        const int l = in.coordinate(), t = in.coordinate(), r = in.coordinate(),
                  b = in.coordinate();
        target.reset(korvi::create_rect_region(l, t, r, b));
        break;
      }
      case 1: {
        const int l = in.coordinate(), t = in.coordinate(), r = in.coordinate(),
                  b = in.coordinate();
        // At most 2^16 rows: an ellipse has a band per row, and millions of them (up
        // to the region limit) would slow every run down to a few a second.
        const int top = std::min(t, b);
        const int bottom = static_cast<int>(std::min<std::int64_t>(std::max(t, b), top + 65536));
        target.reset(korvi::create_elliptic_region(l, top, r, bottom));
        const korvi::raster::PixelBox box{std::min(l, r), top, std::max(l, r), bottom};
        if (small(box))
          check_against_fill(region_of(target.get()), box, [&](auto& dc, int dx, int dy) {
            dc.ellipse(box.left + dx, box.top + dy, box.right + dx, box.bottom + dy);
          });
        break;
      }
      case 2: {
        const int count = in.byte() % 24;
        const int mode = in.byte() & 1 ? korvi::WINDING : korvi::ALTERNATE;
        std::vector<korvi::Point> points(static_cast<std::size_t>(count));
        for (auto& p : points) p = {in.coordinate(), in.coordinate()};
        // No points still come at an address (null points give no region).
        const korvi::Point none{};
        target.reset(korvi::create_polygon_region(count ? points.data() : &none, count, mode));
        check(target != nullptr);
        if (count == 0) break;
        korvi::raster::PixelBox box{points[0].x, points[0].y, points[0].x, points[0].y};
        for (const auto& p : points) box = joined(box, {p.x, p.y, p.x, p.y});
        if (small(box))
          check_against_fill(region_of(target.get()), box, [&](auto& dc, int dx, int dy) {
            std::vector<korvi::raster::Point> moved;
            for (const auto& p : points) moved.push_back({p.x + dx, p.y + dy});
            dc.set_polygon_fill_rule(static_cast<korvi::raster::FillRule>(mode));
            dc.polygon(moved);
          });
        break;
      }
      case 3: {
        const int mode = in.byte() % 7;  // 0 and 6 are no mode
        // The destination may be one of the two (or both).
        korvi::RegionHandle first = slots[in.byte() & 3].get();
        korvi::RegionHandle second = slots[in.byte() & 3].get();
        const Region a = region_of(first), b = region_of(second);
        const int kind = korvi::combine_region(target.get(), first, second, mode);
        if (mode < korvi::RGN_AND || mode > korvi::RGN_COPY) {
          check(kind == korvi::REGION_ERROR);
          break;
        }
        const Region& result = region_of(target.get());
        const auto box = joined(a.bounds(), b.bounds());
        if (small(box))
          for (int y = box.top - 1; y <= box.bottom; ++y)
            for (int x = box.left - 1; x <= box.right; ++x)
              check(result.contains(x, y) == combined(a.contains(x, y), b.contains(x, y), mode));
        break;
      }
      default: {
        const Region before = region_of(target.get());
        const int dx = in.coordinate(), dy = in.coordinate();
        korvi::offset_region(target.get(), dx, dy);
        const Region& after = region_of(target.get());
        if (small(before.bounds()) && small(after.bounds()) && after.area() == before.area())
          for (const auto& band : before.bands())
            for (const auto& span : before.spans(band))
              check(after.contains(span.left + std::int64_t{dx}, band.top + std::int64_t{dy}));
        break;
      }
    }
    check_canonical(region_of(target.get()));
  }
  return 0;
}
