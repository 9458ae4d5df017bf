// Block transfers between device contexts, plain and stretched.

#include <algorithm>
#include <cstring>
#include <vector>

#include "device_point.h"
#include "korvi/raster/device_context.h"
#include "paint.h"
#include "rop3.h"

namespace korvi::raster {
namespace {

// Source index of destination pixel i of n, for a source extent of m (nearest to the
// pixel centre): floor((2 i + 1) m / (2 n)).
std::int64_t nearest(std::int64_t i, std::int64_t n, std::int64_t m) {
  return floor_div(Int128{2 * i + 1} * m, Int128{2} * n);
}

}  // namespace

bool DeviceContext::bit_blt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                            const DeviceContext* source, std::int32_t sx, std::int32_t sy,
                            std::uint32_t rop) {
  if (width <= 0 || height <= 0) return true;
  return stretch_blt(x, y, width, height, source, sx, sy, width, height, rop);
}

bool DeviceContext::stretch_blt(std::int32_t x, std::int32_t y, std::int32_t width,
                                std::int32_t height, const DeviceContext* source, std::int32_t sx,
                                std::int32_t sy, std::int32_t source_width,
                                std::int32_t source_height, std::uint32_t rop) {
  const bool reads_source = rop3_uses_source(rop);
  if (reads_source &&
      (source == nullptr || source->m_surface == nullptr || source->m_surface->empty())) {
    return false;
  }
  if (!drawable()) return true;
  const auto a = map_point(m_transform, x, y);
  const auto b =
      map_point(m_transform, static_cast<double>(x) + width, static_cast<double>(y) + height);
  if (!a || !b) return true;
  const Rect64 dst{a->x, a->y, b->x, b->y};
  Rect64 src = dst;
  if (reads_source) {
    const auto c = map_point(source->m_transform, sx, sy);
    const auto d = map_point(source->m_transform, static_cast<double>(sx) + source_width,
                             static_cast<double>(sy) + source_height);
    if (!c || !d) return true;
    src = {c->x, c->y, d->x, d->y};
  }
  return transfer_device(dst, reads_source ? source : nullptr, src, rop);
}

bool DeviceContext::transfer_device(const Rect64& dst, const DeviceContext* source,
                                    const Rect64& src, std::uint32_t rop) {
  // Signed extents: opposite signs mirror.
  const std::int64_t dw = dst.right - dst.left;
  const std::int64_t dh = dst.bottom - dst.top;
  const std::int64_t sw = src.right - src.left;
  const std::int64_t sh = src.bottom - src.top;
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0 || m_visible.empty()) return true;
  const bool mirror_x = (dw < 0) != (sw < 0);
  const bool mirror_y = (dh < 0) != (sh < 0);
  const Rect64 d{std::min(dst.left, dst.right), std::min(dst.top, dst.bottom),
                 std::max(dst.left, dst.right), std::max(dst.top, dst.bottom)};
  const Rect64 s{std::min(src.left, src.right), std::min(src.top, src.bottom),
                 std::max(src.left, src.right), std::max(src.top, src.bottom)};
  const std::int64_t adw = d.right - d.left;
  const std::int64_t adh = d.bottom - d.top;
  const std::int64_t asw = s.right - s.left;
  const std::int64_t ash = s.bottom - s.top;
  const Rect vb = m_visible.bounds();
  const Rect target{static_cast<std::int32_t>(std::max<std::int64_t>(d.left, vb.left)),
                    static_cast<std::int32_t>(std::max<std::int64_t>(d.top, vb.top)),
                    static_cast<std::int32_t>(std::min<std::int64_t>(d.right, vb.right)),
                    static_cast<std::int32_t>(std::min<std::int64_t>(d.bottom, vb.bottom))};
  if (target.empty()) return true;

  const std::uint8_t table = rop3_table(rop);
  const std::array<Pixel, 64> pattern =
      brush_tile_pixels(m_brush, pixel_from_color(m_text), pixel_from_color(m_background));
  const Surface* src_surface = source ? source->m_surface : nullptr;
  // Source pixels of the same surface are read from a copy of the part needed, so that
  // overlapping transfers read the picture as it was.
  Surface copy;
  std::int64_t origin_x = 0;  // source pixel (x, y) is at (x - origin_x, y - origin_y)
  std::int64_t origin_y = 0;
  const std::int64_t src_w = src_surface ? src_surface->width() : 0;
  const std::int64_t src_h = src_surface ? src_surface->height() : 0;
  if (src_surface == m_surface && src_surface != nullptr) {
    const Rect need{static_cast<std::int32_t>(std::clamp<std::int64_t>(s.left, 0, src_w)),
                    static_cast<std::int32_t>(std::clamp<std::int64_t>(s.top, 0, src_h)),
                    static_cast<std::int32_t>(std::clamp<std::int64_t>(s.right, 0, src_w)),
                    static_cast<std::int32_t>(std::clamp<std::int64_t>(s.bottom, 0, src_h))};
    if (need.empty()) return true;
    copy = Surface(static_cast<int>(need.width()), static_cast<int>(need.height()));
    copy_pixels(copy, {0, 0}, *src_surface, need);
    src_surface = &copy;
    origin_x = need.left;
    origin_y = need.top;
  }
  const bool same_size = !mirror_x && !mirror_y && adw == asw && adh == ash;

  if (same_size && table == 0xCC && m_visible.is_rectangle() && src_surface != nullptr &&
      src_surface != &copy && target.left == 0 && target.right == m_surface->width() &&
      m_surface->stride() == m_surface->width() && s.left + (target.left - d.left) == 0 &&
      src_surface->width() == m_surface->width() && src_surface->stride() == src_surface->width() &&
      s.top + (target.top - d.top) >= 0 && s.top + (target.bottom - d.top) <= src_h) {
    // Whole packed rows on both sides: one block.
    std::memcpy(m_surface->row(target.top),
                src_surface->row(static_cast<int>(s.top + (target.top - d.top))),
                static_cast<std::size_t>(target.width() * target.height()) * sizeof(Pixel));
    return true;
  }
  // Source column of each target column (-1: outside the source).
  std::vector<std::int64_t> column(same_size ? 0 : static_cast<std::size_t>(target.width()));
  for (std::int64_t X = target.left; !same_size && X < target.right; ++X) {
    std::int64_t i = nearest(X - d.left, adw, asw);
    if (mirror_x) i = asw - 1 - i;
    const std::int64_t sxp = s.left + i;
    column[static_cast<std::size_t>(X - target.left)] = (sxp >= 0 && sxp < src_w) ? sxp : -1;
  }
  std::vector<Pixel> gathered(same_size ? 0 : static_cast<std::size_t>(target.width()));
  m_visible.for_each_span(target, [&](std::int32_t y, std::int32_t x0, std::int32_t x1) {
    Pixel* out = m_surface->row(y);
    const Pixel* pattern_row = &pattern[static_cast<std::size_t>(y & 7) * 8];
    if (!src_surface) {
      rop3_run(table, out + x0, nullptr, pattern_row, x0, static_cast<std::size_t>(x1 - x0));
      return;
    }
    std::int64_t j = same_size ? y - d.top : nearest(y - d.top, adh, ash);
    if (mirror_y) j = ash - 1 - j;
    const std::int64_t syp = s.top + j;
    if (syp < 0 || syp >= src_h) return;
    const Pixel* in = src_surface->row(static_cast<int>(syp - origin_y));
    if (same_size) {
      // Columns map by a shift: one run, cut to the source's width.
      const std::int64_t shift = s.left - d.left;
      const std::int64_t a = std::max<std::int64_t>(x0, -shift);
      const std::int64_t b = std::min<std::int64_t>(x1, src_w - shift);
      if (a < b) {
        rop3_run(table, out + a, in + (a + shift - origin_x), pattern_row, a,
                 static_cast<std::size_t>(b - a));
      }
      return;
    }
    // Runs of columns whose source exists.
    std::int32_t x = x0;
    while (x < x1) {
      while (x < x1 && column[static_cast<std::size_t>(x - target.left)] < 0) ++x;
      std::int32_t end = x;
      while (end < x1 && column[static_cast<std::size_t>(end - target.left)] >= 0) ++end;
      if (x == end) break;
      for (std::int32_t k = x; k < end; ++k) {
        gathered[static_cast<std::size_t>(k - x)] =
            in[column[static_cast<std::size_t>(k - target.left)] - origin_x];
      }
      rop3_run(table, out + x, gathered.data(), pattern_row, x, static_cast<std::size_t>(end - x));
      x = end;
    }
  });
  return true;
}

}  // namespace korvi::raster
