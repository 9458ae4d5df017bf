#include "korvi/raster/region.h"

#include <algorithm>
#include <limits>

namespace korvi::raster {
namespace {

std::int32_t clamp_to_limit(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, -REGION_LIMIT, REGION_LIMIT));
}

bool apply_mode(CombineMode mode, bool in_a, bool in_b) {
  switch (mode) {
    case CombineMode::AND: return in_a && in_b;
    case CombineMode::OR: return in_a || in_b;
    case CombineMode::XOR: return in_a != in_b;
    case CombineMode::DIFF: return in_a && !in_b;
    case CombineMode::COPY: return in_a;
  }
  return false;
}

// Sweeps the boundaries of two sorted span lists and keeps what the mode selects.
void combine_spans(std::span<const Span> a, std::span<const Span> b, CombineMode mode,
                   std::vector<Span>& out) {
  out.clear();
  std::size_t ia = 0;  // boundary index: span ia / 2, left when even
  std::size_t ib = 0;
  const std::size_t na = a.size() * 2;
  const std::size_t nb = b.size() * 2;
  auto boundary = [](std::span<const Span> s, std::size_t i) {
    return i % 2 == 0 ? s[i / 2].left : s[i / 2].right;
  };
  bool inside = false;
  std::int32_t start = 0;
  while (ia < na || ib < nb) {
    const std::int32_t xa = ia < na ? boundary(a, ia) : std::numeric_limits<std::int32_t>::max();
    const std::int32_t xb = ib < nb ? boundary(b, ib) : std::numeric_limits<std::int32_t>::max();
    const std::int32_t x = std::min(xa, xb);
    if (xa == x) ++ia;
    if (xb == x) ++ib;
    const bool now = apply_mode(mode, ia % 2 == 1, ib % 2 == 1);
    if (now != inside) {
      if (now) {
        start = x;
      } else {
        out.push_back({start, x});
      }
      inside = now;
    }
  }
}

}  // namespace

void RegionBuilder::add_band(std::int32_t top, std::int32_t bottom, std::span<const Span> spans) {
  if (bottom <= top) return;
  m_merged.clear();
  for (const Span& s : spans) {
    if (s.right <= s.left) continue;
    if (!m_merged.empty() && s.left <= m_merged.back().right) {
      m_merged.back().right = std::max(m_merged.back().right, s.right);
    } else {
      m_merged.push_back(s);
    }
  }
  if (m_merged.empty()) return;
  auto& bands = m_region.m_bands;
  auto& all = m_region.m_spans;
  if (!bands.empty()) {
    Region::Band& last = bands.back();
    if (last.bottom == top && last.count == m_merged.size() &&
        std::equal(m_merged.begin(), m_merged.end(), all.begin() + last.first)) {
      last.bottom = bottom;
      m_region.m_bounds.bottom = bottom;
      return;
    }
  }
  PixelBox& b = m_region.m_bounds;
  if (bands.empty()) {
    b = {m_merged.front().left, top, m_merged.back().right, bottom};
  } else {
    b.left = std::min(b.left, m_merged.front().left);
    b.right = std::max(b.right, m_merged.back().right);
    b.bottom = bottom;
  }
  bands.push_back({top, bottom, static_cast<std::uint32_t>(all.size()),
                   static_cast<std::uint32_t>(m_merged.size())});
  all.insert(all.end(), m_merged.begin(), m_merged.end());
}

Region RegionBuilder::finish() {
  Region r = std::move(m_region);
  m_region = Region();
  return r;
}

Region Region::rectangle(PixelBox rect) {
  const PixelBox r{clamp_to_limit(rect.left), clamp_to_limit(rect.top), clamp_to_limit(rect.right),
                   clamp_to_limit(rect.bottom)};
  RegionBuilder builder;
  const Span span{r.left, r.right};
  builder.add_band(r.top, r.bottom, {&span, 1});
  return builder.finish();
}

Region Region::from_spans(std::vector<RowSpan> spans) {
  std::sort(spans.begin(), spans.end(), [](const RowSpan& a, const RowSpan& b) {
    return a.y != b.y ? a.y < b.y : a.left < b.left;
  });
  RegionBuilder builder;
  std::vector<Span> row;
  for (std::size_t i = 0; i < spans.size();) {
    const std::int32_t y = spans[i].y;
    row.clear();
    for (; i < spans.size() && spans[i].y == y; ++i) {
      const RowSpan& s = spans[i];
      if (s.right <= s.left || y < -REGION_LIMIT || y >= REGION_LIMIT) continue;
      const Span clipped{std::max(s.left, -REGION_LIMIT), std::min(s.right, REGION_LIMIT)};
      if (clipped.right <= clipped.left) continue;
      if (!row.empty() && clipped.left <= row.back().right) {
        row.back().right = std::max(row.back().right, clipped.right);
      } else {
        row.push_back(clipped);
      }
    }
    builder.add_row(y, row);
  }
  return builder.finish();
}

namespace {

// Sweeps the rows of two band lists (bands of a and of b) and adds to out what the
// mode selects, band by band.
void sweep_bands(const Region& a, std::span<const Region::Band> a_bands, const Region& b,
                 std::span<const Region::Band> b_bands, CombineMode mode, RegionBuilder& out) {
  std::vector<Span> row;
  std::size_t ia = 0;
  std::size_t ib = 0;
  std::int64_t y = std::numeric_limits<std::int64_t>::min();
  const std::int64_t none = std::numeric_limits<std::int64_t>::max();
  while (ia < a_bands.size() || ib < b_bands.size()) {
    const Region::Band* ba = ia < a_bands.size() ? &a_bands[ia] : nullptr;
    const Region::Band* bb = ib < b_bands.size() ? &b_bands[ib] : nullptr;
    // Start of the next interval in which both regions are constant.
    std::int64_t start = none;
    if (ba) start = std::min<std::int64_t>(start, std::max<std::int64_t>(y, ba->top));
    if (bb) start = std::min<std::int64_t>(start, std::max<std::int64_t>(y, bb->top));
    const bool a_on = ba && ba->top <= start;
    const bool b_on = bb && bb->top <= start;
    std::int64_t end = none;
    if (ba) end = std::min<std::int64_t>(end, a_on ? ba->bottom : ba->top);
    if (bb) end = std::min<std::int64_t>(end, b_on ? bb->bottom : bb->top);
    const std::span<const Span> sa = a_on ? a.spans(*ba) : std::span<const Span>{};
    const std::span<const Span> sb = b_on ? b.spans(*bb) : std::span<const Span>{};
    combine_spans(sa, sb, mode, row);
    out.add_band(static_cast<std::int32_t>(start), static_cast<std::int32_t>(end), row);
    y = end;
    if (ba && ba->bottom <= y) ++ia;
    if (bb && bb->bottom <= y) ++ib;
    if (ia >= a_bands.size() && (mode == CombineMode::AND || mode == CombineMode::DIFF)) break;
    if (ib >= b_bands.size() && mode == CombineMode::AND) break;
  }
}

// Replaces v[begin, end) by count elements from src.
template <class T>
void replace_range(std::vector<T>& v, std::size_t begin, std::size_t end, const T* src,
                   std::size_t count) {
  const std::size_t removed = end - begin;
  if (count > removed) {
    const std::size_t old_size = v.size();
    v.resize(old_size + (count - removed));
    std::move_backward(v.begin() + static_cast<std::ptrdiff_t>(end),
                       v.begin() + static_cast<std::ptrdiff_t>(old_size), v.end());
  } else if (count < removed) {
    std::move(v.begin() + static_cast<std::ptrdiff_t>(end), v.end(),
              v.begin() + static_cast<std::ptrdiff_t>(begin + count));
    v.resize(v.size() - (removed - count));
  }
  std::copy(src, src + count, v.begin() + static_cast<std::ptrdiff_t>(begin));
}

}  // namespace

std::pair<std::size_t, std::size_t> Region::bands_between(std::int64_t top,
                                                          std::int64_t bottom) const {
  const auto first = std::partition_point(m_bands.begin(), m_bands.end(),
                                          [&](const Band& b) { return b.bottom <= top; });
  const auto last =
      std::partition_point(first, m_bands.end(), [&](const Band& b) { return b.top < bottom; });
  return {static_cast<std::size_t>(first - m_bands.begin()),
          static_cast<std::size_t>(last - m_bands.begin())};
}

Region Region::combine(const Region& a, const Region& b, CombineMode mode) {
  if (mode == CombineMode::COPY) return a;
  if (mode == CombineMode::AND) {
    // Only the rows both have.
    const auto [first, last] = a.bands_between(b.m_bounds.top, b.m_bounds.bottom);
    RegionBuilder builder;
    if (!b.empty()) {
      sweep_bands(a, std::span(a.m_bands).subspan(first, last - first), b, b.m_bands, mode,
                  builder);
    }
    return builder.finish();
  }
  // Union and exclusive-or are symmetric: copy the larger, work the smaller into it.
  const bool swap = mode != CombineMode::DIFF && b.m_spans.size() > a.m_spans.size();
  const Region& larger = swap ? b : a;
  const Region& smaller = swap ? a : b;
  // Room for what the smaller adds, so that working it in moves spans only once.
  Region r;
  r.m_bands.reserve(larger.m_bands.size() + 2 * smaller.m_bands.size() + 1);
  r.m_spans.reserve(larger.m_spans.size() + 2 * smaller.m_spans.size());
  r.m_bands = larger.m_bands;
  r.m_spans = larger.m_spans;
  r.m_bounds = larger.m_bounds;
  r.combine_with(smaller, mode);
  return r;
}

void Region::combine_with(const Region& other, CombineMode mode) {
  if (mode == CombineMode::COPY) return;
  if (other.empty() || empty()) {
    if (mode == CombineMode::AND) {
      *this = Region();
    } else if (empty() && mode != CombineMode::DIFF) {
      *this = other;
    }
    return;
  }
  // Only the bands in the other region's rows change; the rest stay where they are.
  const auto [first, last] = bands_between(other.m_bounds.top, other.m_bounds.bottom);
  RegionBuilder builder;
  sweep_bands(*this, std::span(m_bands).subspan(first, last - first), other, other.m_bands, mode,
              builder);
  Region middle = builder.finish();
  if (mode == CombineMode::AND) {
    *this = std::move(middle);
    return;
  }
  const PixelBox old_bounds = m_bounds;
  splice_bands(first, last, middle);
  if (m_bands.empty()) {
    m_bounds = {};
  } else if (mode == CombineMode::OR) {
    const PixelBox& o = other.m_bounds;
    m_bounds = {std::min(old_bounds.left, o.left), std::min(old_bounds.top, o.top),
                std::max(old_bounds.right, o.right), std::max(old_bounds.bottom, o.bottom)};
  } else {
    PixelBox b{m_spans.front().left, m_bands.front().top, m_spans.back().right,
               m_bands.back().bottom};
    for (const Band& band : m_bands) {
      b.left = std::min(b.left, m_spans[band.first].left);
      b.right = std::max(b.right, m_spans[band.first + band.count - 1].right);
    }
    m_bounds = b;
  }
}

void Region::splice_bands(std::size_t first, std::size_t last, const Region& middle) {
  auto same_spans = [](std::span<const Span> x, std::span<const Span> y) {
    return std::equal(x.begin(), x.end(), y.begin(), y.end());
  };
  // Touching bands with equal spans become one at both seams.
  std::size_t skip = 0;  // leading bands of middle joined to the band above
  if (first > 0 && !middle.m_bands.empty()) {
    Band& above = m_bands[first - 1];
    const Band& top = middle.m_bands.front();
    if (above.bottom == top.top && same_spans(spans(above), middle.spans(top))) {
      above.bottom = top.bottom;
      skip = 1;
    }
  }
  const std::span<const Band> inserted = std::span(middle.m_bands).subspan(skip);
  std::vector<Band> moved(inserted.begin(), inserted.end());
  if (last < m_bands.size() && (!moved.empty() || first > 0)) {
    const Band& below = m_bands[last];
    Band& upper = moved.empty() ? m_bands[first - 1] : moved.back();
    const auto upper_spans = moved.empty() ? spans(upper) : middle.spans(upper);
    if (upper.bottom == below.top && same_spans(upper_spans, spans(below))) {
      // The band below joins the one above it, so it is replaced too.
      upper.bottom = below.bottom;
      ++last;
    }
  }
  const std::size_t span_begin = first < m_bands.size() ? m_bands[first].first : m_spans.size();
  const std::size_t span_end = last < m_bands.size() ? m_bands[last].first : m_spans.size();
  const std::size_t middle_begin = inserted.empty() ? 0 : inserted.front().first;
  const std::size_t middle_count = inserted.empty() ? 0 : middle.m_spans.size() - middle_begin;
  replace_range(m_spans, span_begin, span_end, middle.m_spans.data() + middle_begin, middle_count);
  for (Band& band : moved)
    band.first = static_cast<std::uint32_t>(band.first - middle_begin + span_begin);
  replace_range(m_bands, first, last, moved.data(), moved.size());
  const auto shift =
      static_cast<std::int64_t>(middle_count) - static_cast<std::int64_t>(span_end - span_begin);
  for (std::size_t i = first + moved.size(); i < m_bands.size(); ++i)
    m_bands[i].first = static_cast<std::uint32_t>(m_bands[i].first + shift);
}

Region Region::intersected(PixelBox r) const { return intersected(rectangle(r)); }

const Region::Band* Region::band_at(std::int64_t y) const {
  auto it = std::upper_bound(m_bands.begin(), m_bands.end(), y,
                             [](std::int64_t v, const Band& b) { return v < b.bottom; });
  if (it == m_bands.end() || it->top > y) return nullptr;
  return &*it;
}

bool Region::contains(std::int64_t x, std::int64_t y) const {
  const Band* band = band_at(y);
  if (band == nullptr) return false;
  const auto row = spans(*band);
  auto it = std::upper_bound(row.begin(), row.end(), x,
                             [](std::int64_t v, const Span& s) { return v < s.right; });
  return it != row.end() && it->left <= x;
}

std::int64_t Region::area() const {
  std::int64_t total = 0;
  for (const Band& band : m_bands) {
    std::int64_t row = 0;
    for (const Span& s : spans(band)) row += std::int64_t{s.right} - s.left;
    total += row * (std::int64_t{band.bottom} - band.top);
  }
  return total;
}

void Region::translate(std::int64_t dx, std::int64_t dy) {
  if (empty()) return;
  const bool fits = m_bounds.left + dx >= -REGION_LIMIT && m_bounds.right + dx <= REGION_LIMIT &&
                    m_bounds.top + dy >= -REGION_LIMIT && m_bounds.bottom + dy <= REGION_LIMIT;
  if (!fits) {
    // Cut to what stays inside the limit after the move, then move.
    const std::int64_t lo = -REGION_LIMIT;
    const std::int64_t hi = REGION_LIMIT;
    const PixelBox keep{
        clamp_to_limit(std::clamp(lo - dx, lo, hi)), clamp_to_limit(std::clamp(lo - dy, lo, hi)),
        clamp_to_limit(std::clamp(hi - dx, lo, hi)), clamp_to_limit(std::clamp(hi - dy, lo, hi))};
    *this = intersected(keep);
    if (empty()) return;
  }
  const auto mx = static_cast<std::int32_t>(dx);
  const auto my = static_cast<std::int32_t>(dy);
  for (Band& b : m_bands) {
    b.top += my;
    b.bottom += my;
  }
  for (Span& s : m_spans) {
    s.left += mx;
    s.right += mx;
  }
  m_bounds = {m_bounds.left + mx, m_bounds.top + my, m_bounds.right + mx, m_bounds.bottom + my};
}

Region Region::translated(std::int64_t dx, std::int64_t dy) const {
  Region r = *this;
  r.translate(dx, dy);
  return r;
}

bool operator==(const Region& a, const Region& b) {
  if (a.m_bands.size() != b.m_bands.size() || a.m_spans != b.m_spans) return false;
  for (std::size_t i = 0; i < a.m_bands.size(); ++i) {
    const auto& x = a.m_bands[i];
    const auto& y = b.m_bands[i];
    if (x.top != y.top || x.bottom != y.bottom || x.count != y.count) return false;
  }
  return true;
}

}  // namespace korvi::raster
