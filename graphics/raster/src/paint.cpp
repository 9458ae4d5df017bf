#include "paint.h"

#include <algorithm>

#include "pixel_ops.h"

namespace korvi::raster {

AreaPaint AreaPaint::uniform(Mix mix) {
  AreaPaint p;
  p.m_kind = mix.is_noop() ? Kind::NONE : Kind::UNIFORM;
  p.m_uniform = mix;
  return p;
}

AreaPaint AreaPaint::for_brush(const Brush& brush, const PaintColors& colors) {
  switch (brush.kind()) {
    case Brush::Kind::HOLLOW: return {};
    case Brush::Kind::SOLID:
      return uniform(mix_for_rop2(colors.rop2, pixel_from_color(brush.color())));
    case Brush::Kind::HATCHED:
    case Brush::Kind::PATTERN: break;
  }
  const bool hatch = brush.kind() == Brush::Kind::HATCHED;
  const Mix set = mix_for_rop2(colors.rop2, hatch ? pixel_from_color(brush.color()) : colors.text);
  const Mix clear =
      (hatch && !colors.opaque) ? NOOP_MIX : mix_for_rop2(colors.rop2, colors.background);
  AreaPaint p;
  p.m_kind = Kind::TILED;
  p.m_tile.resize(64);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x)
      p.m_tile[static_cast<std::size_t>(y * 8 + x)] = brush.cell_bit(x, y) ? set : clear;
  }
  return p;
}

std::array<Pixel, 64> brush_tile_pixels(const Brush& brush, Pixel text, Pixel background) {
  std::array<Pixel, 64> tile{};
  const Pixel set = brush.kind() == Brush::Kind::PATTERN ? text : pixel_from_color(brush.color());
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      Pixel p = 0;
      switch (brush.kind()) {
        case Brush::Kind::HOLLOW: p = 0; break;
        case Brush::Kind::SOLID: p = set; break;
        case Brush::Kind::HATCHED:
        case Brush::Kind::PATTERN: p = brush.cell_bit(x, y) ? set : background; break;
      }
      tile[static_cast<std::size_t>(y * 8 + x)] = p & RGB_MASK;
    }
  }
  return tile;
}

namespace {

// Built-in dash kinds in pixels of a thin pen.
std::vector<double> builtin_runs(DashKind kind) {
  switch (kind) {
    case DashKind::DASH: return {18, 6};
    case DashKind::DOT: return {3, 3};
    case DashKind::DASH_DOT: return {9, 6, 3, 6};
    case DashKind::DASH_DOT_DOT: return {9, 3, 3, 3, 3, 3};
    default: return {};
  }
}

DashRuns make_runs(std::vector<double> runs) {
  DashRuns d;
  if (runs.empty()) return d;
  // An odd count swaps dashes and gaps on the second pass: the cycle is doubled.
  if (runs.size() % 2 == 1) {
    const std::size_t n = runs.size();
    for (std::size_t i = 0; i < n; ++i) runs.push_back(runs[i]);
  }
  double period = 0.0;
  for (double r : runs) period += r;
  bool any_gap = false;
  for (std::size_t i = 1; i < runs.size(); i += 2) any_gap = any_gap || runs[i] > 0;
  if (!any_gap || period <= 0.0) return d;  // solid
  d.runs = std::move(runs);
  d.period = period;
  return d;
}

}  // namespace

PenPaint resolve_pen(const Pen& pen, double length_scale, const PaintColors& colors) {
  PenPaint p;
  if (pen.draws_nothing()) return p;
  p.visible = true;
  p.on = mix_for_rop2(colors.rop2, pixel_from_color(pen.color()));
  p.off = colors.opaque ? mix_for_rop2(colors.rop2, colors.background) : NOOP_MIX;
  p.cap = pen.cap();
  p.join = pen.join();
  // Wider than any surface is as good as infinitely wide; the bound keeps stroke
  // geometry well inside the rasteriser's fixed-point range.
  constexpr double MAX_WIDTH = 1 << 24;
  double width = 1.0;
  if (pen.is_geometric())
    width = std::min(static_cast<double>(pen.width()) * length_scale, MAX_WIDTH);
  if (!(width >= 0.0)) width = 1.0;
  p.wide = pen.is_geometric() && width > 1.0;
  p.width = p.wide ? width : 1.0;
  std::vector<double> runs;
  if (pen.dash_kind() == DashKind::USER) {
    const auto dashes = pen.dashes();
    // Odd counts alternate the meaning of each entry; expand before adjusting.
    std::vector<double> raw(dashes.begin(), dashes.end());
    if (raw.size() % 2 == 1) {
      const std::size_t n = raw.size();
      for (std::size_t i = 0; i < n; ++i) raw.push_back(raw[i]);
    }
    for (std::size_t i = 0; i < raw.size(); ++i) {
      if (p.wide) {
        runs.push_back(std::min(raw[i] * length_scale, 1e15));
      } else if (i % 2 == 0) {
        runs.push_back(raw[i] + 1);  // a dash of d lights d + 1 pixels
      } else {
        runs.push_back(std::max(raw[i] - 1, 0.0));  // a gap of g leaves g - 1
      }
    }
  } else {
    runs = builtin_runs(pen.dash_kind());
    if (p.wide) {
      const double factor = std::max(1.0, p.width / 3.0);
      for (double& r : runs) r *= factor;
    }
  }
  p.dashes = make_runs(std::move(runs));
  return p;
}

}  // namespace korvi::raster
