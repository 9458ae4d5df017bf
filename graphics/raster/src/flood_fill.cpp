#include "flood_fill.h"

#include <algorithm>
#include <vector>

namespace korvi::raster {
namespace {

// One bit per visible pixel: taken into the area already.
class TakenPixels {
 public:
  explicit TakenPixels(PixelBox area)
      : m_area(area),
        m_words_per_row((static_cast<std::size_t>(area.width()) + 63) / 64),
        m_bits(m_words_per_row * static_cast<std::size_t>(area.height()), 0) {}

  const std::uint64_t* row(std::int32_t y) const { return &m_bits[index(y)]; }
  std::uint64_t* row(std::int32_t y) { return &m_bits[index(y)]; }
  bool test(const std::uint64_t* row, std::int32_t x) const {
    const auto i = static_cast<std::size_t>(x - m_area.left);
    return (row[i / 64] >> (i % 64)) & 1;
  }
  // Whether every pixel [x0, x1) of a row is taken (x0 < x1).
  bool all_taken(const std::uint64_t* row, std::int32_t x0, std::int32_t x1) const {
    bool all = true;
    for_words(x0, x1,
              [&](std::size_t w, std::uint64_t mask) { all = all && (row[w] & mask) == mask; });
    return all;
  }
  // Takes pixels [x0, x1) of a row (x0 < x1).
  void take(std::uint64_t* row, std::int32_t x0, std::int32_t x1) const {
    for_words(x0, x1, [&](std::size_t w, std::uint64_t mask) { row[w] |= mask; });
  }

 private:
  // Calls f(word, mask) for the words of a row that hold pixels [x0, x1).
  template <class F>
  void for_words(std::int32_t x0, std::int32_t x1, F&& f) const {
    const auto first = static_cast<std::size_t>(x0 - m_area.left);
    const auto last = static_cast<std::size_t>(x1 - m_area.left) - 1;
    const std::uint64_t head = ~std::uint64_t{0} << (first % 64);
    const std::uint64_t tail = ~std::uint64_t{0} >> (63 - last % 64);
    if (first / 64 == last / 64) {
      f(first / 64, head & tail);
      return;
    }
    f(first / 64, head);
    for (std::size_t w = first / 64 + 1; w < last / 64; ++w) f(w, ~std::uint64_t{0});
    f(last / 64, tail);
  }
  std::size_t index(std::int32_t y) const {
    return static_cast<std::size_t>(y - m_area.top) * m_words_per_row;
  }
  PixelBox m_area;
  std::size_t m_words_per_row;
  std::vector<std::uint64_t> m_bits;
};

// A scanline fill. A run is taken whole: all the pixels of its row from the seed up to
// the border colour or the edge of what is visible. So every run of pixels not of the
// border colour is either taken whole or not at all, and one bit per run tells.
class FloodFill {
 public:
  FloodFill(Surface& surface, const Visibility& visible, Pixel border, const AreaPaint& paint)
      : m_surface(surface),
        m_visible(visible),
        m_border(border & RGB_MASK),
        m_paint(paint),
        m_taken(visible.bounds()) {}

  void run(Point seed) {
    m_seeds.push_back(seed);
    while (!m_seeds.empty()) {
      Point s = m_seeds.back();
      m_seeds.pop_back();
      // The last seed a run finds is taken next, without a trip through the stack.
      while (take_run(s)) {
        s = m_seeds.back();
        m_seeds.pop_back();
      }
    }
  }

 private:
  // Takes, paints and spreads from the run of row s.y through s.x, which is not of
  // the border colour. True when it found seeds.
  bool take_run(Point s) {
    std::uint64_t* taken = m_taken.row(s.y);
    if (m_taken.test(taken, s.x)) return false;
    const Pixel* pixels = m_surface.row(s.y);
    const Span limit = visible_span(s.y, s.x);
    std::int32_t left = s.x;
    std::int32_t right = s.x + 1;
    while (left > limit.left && open(pixels[left - 1])) --left;
    while (right < limit.right && open(pixels[right])) ++right;
    m_taken.take(taken, left, right);
    m_paint.paint(m_surface.row(s.y), s.y, left, right);
    const PixelBox area = m_visible.bounds();
    const std::size_t before = m_seeds.size();
    if (s.y > area.top) seed_runs(s.y - 1, left, right);
    if (s.y + 1 < area.bottom) seed_runs(s.y + 1, left, right);
    return m_seeds.size() > before;
  }

  // One seed for each run of row y within [x0, x1) not taken yet.
  void seed_runs(std::int32_t y, std::int32_t x0, std::int32_t x1) {
    const std::uint64_t* taken = m_taken.row(y);
    if (m_taken.all_taken(taken, x0, x1)) return;  // the row the run was reached from
    const Pixel* pixels = m_surface.row(y);
    auto seed = [&](std::int32_t, std::int32_t a, std::int32_t b) {
      bool in_run = false;
      for (std::int32_t x = a; x < b; ++x) {
        const bool o = open(pixels[x]);
        if (o && !in_run && !m_taken.test(taken, x)) m_seeds.push_back({x, y});
        in_run = o;
      }
    };
    if (m_visible.is_rectangle()) {
      seed(y, x0, x1);
    } else {
      m_visible.clip_span(y, x0, x1, seed);
    }
  }

  bool open(Pixel p) const { return (p & RGB_MASK) != m_border; }

  // The visible pixels of row y around x (x visible).
  Span visible_span(std::int32_t y, std::int32_t x) const {
    const PixelBox area = m_visible.bounds();
    if (m_visible.is_rectangle()) return {area.left, area.right};
    // The clip region is already cut to the surface.
    const Region& region = m_visible.region();
    const auto spans = region.spans(*region.band_at(y));
    return *std::upper_bound(spans.begin(), spans.end(), x,
                             [](std::int32_t v, const Span& span) { return v < span.right; });
  }

  Surface& m_surface;
  const Visibility& m_visible;
  Pixel m_border;
  const AreaPaint& m_paint;
  TakenPixels m_taken;
  std::vector<Point> m_seeds;
};

}  // namespace

void flood_fill_device(Surface& surface, const Visibility& visible, Point seed, Pixel border,
                       const AreaPaint& paint) {
  FloodFill fill(surface, visible, border, paint);
  fill.run(seed);
}

}  // namespace korvi::raster
