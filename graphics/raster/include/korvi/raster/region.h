#pragma once
// Regions: sets of pixels in device coordinates, kept as y-x banded spans.
//
// A region is a list of bands, each a run of rows [top, bottom) that share one sorted
// list of disjoint, non-touching spans [left, right). Bands are sorted, do not overlap,
// and two touching bands never have equal spans, so every pixel set has exactly one
// form and equality compares the lists.

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "korvi/raster/geometry.h"

namespace korvi::raster {

// Regions live in [-REGION_LIMIT, REGION_LIMIT) on both axes; parts of shapes or
// offsets beyond that are cut off. (Shape regions cost one band per row, so the limit
// also bounds their memory.)
inline constexpr std::int32_t REGION_LIMIT = 1 << 21;

enum class FillRule { ALTERNATE = 1, WINDING = 2 };
enum class CombineMode { AND = 1, OR = 2, XOR = 3, DIFF = 4, COPY = 5 };

struct Span {
  std::int32_t left;
  std::int32_t right;
  friend bool operator==(const Span&, const Span&) = default;
};

// A span on one row, for building regions from loose pieces.
struct RowSpan {
  std::int32_t y;
  std::int32_t left;
  std::int32_t right;
};

class Region {
 public:
  struct Band {
    std::int32_t top;
    std::int32_t bottom;
    std::uint32_t first;  // index of the first span in spans()
    std::uint32_t count;
  };

  // The empty region.
  Region() = default;
  static Region rectangle(PixelBox rect);
  // The pixels whose centres lie inside the ellipse inscribed in the half-open box; the
  // same pixels as a filled ellipse drawn in that box.
  static Region ellipse(PixelBox box);
  // The pixels whose centres lie inside the polygon by the rule; the same pixels as a
  // polygon filled with those points. Empty when a vertex lies outside
  // [-REGION_LIMIT, REGION_LIMIT] on either axis.
  static Region polygon(std::span<const Point> points, FillRule rule);
  // Union of loose spans in any order (they may overlap).
  static Region from_spans(std::vector<RowSpan> spans);
  static Region combine(const Region& a, const Region& b, CombineMode mode);
  // The same in place, this region being a: only the bands in the other region's rows
  // are worked over, so adding a small piece to a large region costs about the piece's
  // rows (and moving the bands below it).
  void combine_with(const Region& other, CombineMode mode);

  bool empty() const { return m_bands.empty(); }
  // Smallest rectangle holding the region; all zero when it is empty.
  PixelBox bounds() const { return m_bounds; }
  bool is_rectangle() const { return m_bands.size() == 1 && m_bands[0].count == 1; }
  bool contains(std::int64_t x, std::int64_t y) const;
  // Number of pixels.
  std::int64_t area() const;

  // Moves the region by (dx, dy) in place; translated() returns a moved copy.
  void translate(std::int64_t dx, std::int64_t dy);
  Region translated(std::int64_t dx, std::int64_t dy) const;
  Region intersected(const Region& o) const { return combine(*this, o, CombineMode::AND); }
  Region intersected(PixelBox r) const;

  std::span<const Band> bands() const { return m_bands; }
  std::span<const Span> spans(const Band& band) const {
    return {m_spans.data() + band.first, band.count};
  }
  // The band holding row y, or null.
  const Band* band_at(std::int64_t y) const;

  friend bool operator==(const Region& a, const Region& b);

 private:
  friend class RegionBuilder;
  // The bands [first, last) that hold rows of [top, bottom).
  std::pair<std::size_t, std::size_t> bands_between(std::int64_t top, std::int64_t bottom) const;
  // Replaces the bands [first, last) by those of middle (the same rows worked over),
  // joining equal bands at both seams.
  void splice_bands(std::size_t first, std::size_t last, const Region& middle);

  std::vector<Band> m_bands;
  std::vector<Span> m_spans;
  PixelBox m_bounds;
};

// Builds a region band by band, rows ascending. Spans of one row must be sorted and
// disjoint; touching spans are merged and equal neighbouring bands joined.
class RegionBuilder {
 public:
  // Adds rows [top, bottom) with the given spans; top must not be above the last
  // bottom.
  void add_band(std::int32_t top, std::int32_t bottom, std::span<const Span> spans);
  void add_row(std::int32_t y, std::span<const Span> spans) { add_band(y, y + 1, spans); }
  Region finish();

 private:
  Region m_region;
  std::vector<Span> m_merged;
};

}  // namespace korvi::raster
