#include "korvi/raster/pen.h"

#include <algorithm>

namespace korvi::raster {

Pen Pen::cosmetic(DashKind kind, Color color) {
  Pen pen;
  std::uint32_t k = static_cast<std::uint32_t>(kind);
  if (k > static_cast<std::uint32_t>(DashKind::USER) || kind == DashKind::USER ||
      kind == DashKind::INSIDE_FRAME) {
    k = 0;
  }
  pen.m_style = k;
  pen.m_color = color;
  return pen;
}

std::optional<Pen> Pen::geometric(std::uint32_t style, std::int32_t width, Color color,
                                  std::span<const std::uint32_t> dashes) {
  constexpr std::uint32_t known = PEN_STYLE_MASK | PEN_CAP_MASK | PEN_JOIN_MASK | PEN_GEOMETRIC;
  const std::uint32_t kind = style & PEN_STYLE_MASK;
  const std::uint32_t cap = style & PEN_CAP_MASK;
  const std::uint32_t join = style & PEN_JOIN_MASK;
  if ((style & ~known) != 0 || kind > static_cast<std::uint32_t>(DashKind::USER))
    return std::nullopt;
  if (cap != PEN_CAP_ROUND && cap != PEN_CAP_SQUARE && cap != PEN_CAP_FLAT) return std::nullopt;
  if (join != PEN_JOIN_ROUND && join != PEN_JOIN_BEVEL && join != PEN_JOIN_MITER)
    return std::nullopt;
  if (width < 0) return std::nullopt;
  const bool user = kind == static_cast<std::uint32_t>(DashKind::USER);
  if (user) {
    if (dashes.empty() || dashes.size() > MAX_DASHES) return std::nullopt;
    if (std::all_of(dashes.begin(), dashes.end(), [](std::uint32_t d) { return d == 0; })) {
      return std::nullopt;
    }
  } else if (!dashes.empty()) {
    return std::nullopt;
  }
  Pen pen;
  pen.m_geometric = true;
  pen.m_style = style & ~PEN_GEOMETRIC;
  pen.m_width = width;
  pen.m_color = color;
  pen.m_dash_count = dashes.size();
  std::copy(dashes.begin(), dashes.end(), pen.m_dashes.begin());
  return pen;
}

bool operator==(const Pen& a, const Pen& b) {
  const auto a_dashes = a.dashes(), b_dashes = b.dashes();
  return a.m_geometric == b.m_geometric && a.m_style == b.m_style && a.m_width == b.m_width &&
         a.m_color == b.m_color &&
         std::equal(a_dashes.begin(), a_dashes.end(), b_dashes.begin(), b_dashes.end());
}

}  // namespace korvi::raster
