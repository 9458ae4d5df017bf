// Block transfers between device contexts, plain and stretched.

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
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

// The boxes of a transfer, corners in order, with the mirroring their signed extents
// ask for, and the part of the destination that is visible.
struct TransferBoxes {
  Rect64 dst;
  Rect64 src;
  bool mirror_x;
  bool mirror_y;
  PixelBox target;

  std::int64_t dst_width() const { return dst.right - dst.left; }
  std::int64_t dst_height() const { return dst.bottom - dst.top; }
  std::int64_t src_width() const { return src.right - src.left; }
  std::int64_t src_height() const { return src.bottom - src.top; }
  bool same_size() const {
    return !mirror_x && !mirror_y && dst_width() == src_width() && dst_height() == src_height();
  }
};

// Empty when the transfer has nothing to do: an extent is zero or nothing is visible.
std::optional<TransferBoxes> transfer_boxes(const Rect64& dst, const Rect64& src,
                                            PixelBox visible) {
  const std::int64_t dw = dst.right - dst.left;
  const std::int64_t dh = dst.bottom - dst.top;
  const std::int64_t sw = src.right - src.left;
  const std::int64_t sh = src.bottom - src.top;
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return std::nullopt;
  TransferBoxes b;
  b.mirror_x = (dw < 0) != (sw < 0);
  b.mirror_y = (dh < 0) != (sh < 0);
  b.dst = {std::min(dst.left, dst.right), std::min(dst.top, dst.bottom),
           std::max(dst.left, dst.right), std::max(dst.top, dst.bottom)};
  b.src = {std::min(src.left, src.right), std::min(src.top, src.bottom),
           std::max(src.left, src.right), std::max(src.top, src.bottom)};
  b.target = {static_cast<std::int32_t>(std::max<std::int64_t>(b.dst.left, visible.left)),
              static_cast<std::int32_t>(std::max<std::int64_t>(b.dst.top, visible.top)),
              static_cast<std::int32_t>(std::min<std::int64_t>(b.dst.right, visible.right)),
              static_cast<std::int32_t>(std::min<std::int64_t>(b.dst.bottom, visible.bottom))};
  if (b.target.empty()) return std::nullopt;
  return b;
}

// The source pixels a transfer reads, in source coordinates. When source and
// destination are one surface, the part needed is copied first, so that overlapping
// transfers read the picture as it was.
class SourcePixels {
 public:
  SourcePixels(const Surface& source, const Surface& destination, const Rect64& box)
      : m_surface(&source), m_width(source.width()), m_height(source.height()) {
    if (&source != &destination) return;
    const PixelBox need{
        static_cast<std::int32_t>(std::clamp<std::int64_t>(box.left, 0, m_width)),
        static_cast<std::int32_t>(std::clamp<std::int64_t>(box.top, 0, m_height)),
        static_cast<std::int32_t>(std::clamp<std::int64_t>(box.right, 0, m_width)),
        static_cast<std::int32_t>(std::clamp<std::int64_t>(box.bottom, 0, m_height))};
    if (need.empty()) {
      m_surface = nullptr;
      return;
    }
    m_copy = Surface(static_cast<int>(need.width()), static_cast<int>(need.height()));
    copy_pixels(m_copy, {0, 0}, source, need);
    m_surface = &m_copy;
    m_origin_x = need.left;
    m_origin_y = need.top;
  }

  // False when nothing of the source can be read.
  bool readable() const { return m_surface != nullptr; }
  bool is_copy() const { return m_surface == &m_copy; }
  const Surface& surface() const { return *m_surface; }
  std::int64_t width() const { return m_width; }
  std::int64_t height() const { return m_height; }
  // Source pixel x of row y is stored_row(y)[stored_column(x)], for the pixels the
  // transfer reads (0 <= y < height(), 0 <= x < width()).
  const Pixel* stored_row(std::int64_t y) const {
    return m_surface->row(static_cast<int>(y - m_origin_y));
  }
  std::int64_t stored_column(std::int64_t x) const { return x - m_origin_x; }

 private:
  const Surface* m_surface;
  Surface m_copy;
  std::int64_t m_origin_x = 0;
  std::int64_t m_origin_y = 0;
  std::int64_t m_width;
  std::int64_t m_height;
};

// Row routines: each writes destination pixels [x0, x1) of row y with the operation.
// A transfer picks one before it walks the visible spans.

struct RopContext {
  std::uint8_t table;
  const std::array<Pixel, 64>& pattern;
  Surface& destination;
  const Pixel* pattern_row(std::int32_t y) const {
    return &pattern[static_cast<std::size_t>(y & 7) * 8];
  }
};

// No source: pattern and destination only.
class PatternRows {
 public:
  explicit PatternRows(const RopContext& rop) : m_rop(rop) {}
  void operator()(std::int32_t y, std::int32_t x0, std::int32_t x1) const {
    rop3_run(m_rop.table, m_rop.destination.row(y) + x0, nullptr, m_rop.pattern_row(y), x0,
             static_cast<std::size_t>(x1 - x0));
  }

 private:
  const RopContext& m_rop;
};

// Source and destination of one size: columns and rows map by a shift.
class ShiftedRows {
 public:
  ShiftedRows(const RopContext& rop, const SourcePixels& source, const TransferBoxes& boxes)
      : m_rop(rop),
        m_source(source),
        m_shift_x(boxes.src.left - boxes.dst.left),
        m_shift_y(boxes.src.top - boxes.dst.top) {}
  void operator()(std::int32_t y, std::int32_t x0, std::int32_t x1) const {
    const std::int64_t sy = y + m_shift_y;
    if (sy < 0 || sy >= m_source.height()) return;
    // Cut to the source's width.
    const std::int64_t a = std::max<std::int64_t>(x0, -m_shift_x);
    const std::int64_t b = std::min<std::int64_t>(x1, m_source.width() - m_shift_x);
    if (a >= b) return;
    rop3_run(m_rop.table, m_rop.destination.row(y) + a,
             m_source.stored_row(sy) + m_source.stored_column(a + m_shift_x), m_rop.pattern_row(y),
             a, static_cast<std::size_t>(b - a));
  }

 private:
  const RopContext& m_rop;
  const SourcePixels& m_source;
  std::int64_t m_shift_x;
  std::int64_t m_shift_y;
};

// A stretch: each destination pixel takes the source pixel nearest to its centre, in
// runs of columns whose source exists.
class StretchedRows {
 public:
  StretchedRows(const RopContext& rop, const SourcePixels& source, const TransferBoxes& boxes)
      : m_rop(rop),
        m_source(source),
        m_boxes(boxes),
        m_column(static_cast<std::size_t>(boxes.target.width())),
        m_gathered(static_cast<std::size_t>(boxes.target.width())) {
    const PixelBox& target = boxes.target;
    for (std::int64_t x = target.left; x < target.right; ++x) {
      std::int64_t i = nearest(x - boxes.dst.left, boxes.dst_width(), boxes.src_width());
      if (boxes.mirror_x) i = boxes.src_width() - 1 - i;
      const std::int64_t sx = boxes.src.left + i;
      m_column[static_cast<std::size_t>(x - target.left)] =
          sx >= 0 && sx < source.width() ? source.stored_column(sx) : -1;
    }
  }
  void operator()(std::int32_t y, std::int32_t x0, std::int32_t x1) {
    std::int64_t j = nearest(y - m_boxes.dst.top, m_boxes.dst_height(), m_boxes.src_height());
    if (m_boxes.mirror_y) j = m_boxes.src_height() - 1 - j;
    const std::int64_t sy = m_boxes.src.top + j;
    if (sy < 0 || sy >= m_source.height()) return;
    const Pixel* in = m_source.stored_row(sy);
    Pixel* out = m_rop.destination.row(y);
    std::int32_t x = x0;
    while (x < x1) {
      while (x < x1 && column(x) < 0) ++x;
      std::int32_t end = x;
      while (end < x1 && column(end) >= 0) ++end;
      if (x == end) break;
      for (std::int32_t k = x; k < end; ++k)
        m_gathered[static_cast<std::size_t>(k - x)] = in[column(k)];
      rop3_run(m_rop.table, out + x, m_gathered.data(), m_rop.pattern_row(y), x,
               static_cast<std::size_t>(end - x));
      x = end;
    }
  }

 private:
  std::int64_t column(std::int32_t x) const {
    return m_column[static_cast<std::size_t>(x - m_boxes.target.left)];
  }
  const RopContext& m_rop;
  const SourcePixels& m_source;
  const TransferBoxes& m_boxes;
  std::vector<std::int64_t> m_column;  // stored source column of each target column; -1 outside
  std::vector<Pixel> m_gathered;
};

// A plain copy of whole packed rows on both sides: one block. True when done.
bool copy_whole_rows(Surface& destination, const SourcePixels& source, const TransferBoxes& b,
                     std::uint8_t table, bool visible_is_box) {
  if (table != 0xCC || !visible_is_box || !b.same_size() || source.is_copy()) return false;
  const Surface& from = source.surface();
  const PixelBox& t = b.target;
  const std::int64_t top = b.src.top + (t.top - b.dst.top);
  const std::int64_t bottom = b.src.top + (t.bottom - b.dst.top);
  const bool whole_rows = t.left == 0 && t.right == destination.width() &&
                          destination.stride() == destination.width() &&
                          b.src.left + (t.left - b.dst.left) == 0 &&
                          from.width() == destination.width() && from.stride() == from.width();
  if (!whole_rows || top < 0 || bottom > source.height()) return false;
  std::memcpy(destination.row(t.top), from.row(static_cast<int>(top)),
              static_cast<std::size_t>(t.width() * t.height()) * sizeof(Pixel));
  return true;
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
  if (m_visible.empty()) return true;
  const auto boxes = transfer_boxes(dst, src, m_visible.bounds());
  if (!boxes) return true;
  const std::array<Pixel, 64> pattern =
      brush_tile_pixels(m_brush, pixel_from_color(m_text), pixel_from_color(m_background));
  const RopContext context{rop3_table(rop), pattern, *m_surface};
  const Surface* source_surface = source ? source->m_surface : nullptr;
  if (source_surface == nullptr) {
    m_visible.for_each_span(boxes->target, PatternRows(context));
    return true;
  }
  const SourcePixels pixels(*source_surface, *m_surface, boxes->src);
  if (!pixels.readable()) return true;
  if (copy_whole_rows(*m_surface, pixels, *boxes, context.table, m_visible.is_rectangle())) {
    return true;
  }
  if (boxes->same_size()) {
    m_visible.for_each_span(boxes->target, ShiftedRows(context, pixels, *boxes));
  } else {
    StretchedRows rows(context, pixels, *boxes);
    m_visible.for_each_span(boxes->target, rows);
  }
  return true;
}

}  // namespace korvi::raster
