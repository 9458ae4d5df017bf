#include "font/font.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "font/face.h"
#include "font/face_resolver.h"
#include "font/font_scaling.h"

namespace korvi::raster {

namespace {

constexpr double DEFAULT_CELL_HEIGHT = 16;  // height 0: the cell of the default font

std::int32_t normalized_escapement(std::int32_t tenths) {
  const std::int64_t e = static_cast<std::int64_t>(tenths) % 3600;
  return static_cast<std::int32_t>(e < 0 ? e + 3600 : e);
}

}  // namespace

Font::Font(const FontDescription& description, std::shared_ptr<Face> face,
           std::shared_ptr<const FreeTypeLibrary> owner, std::uint64_t serial)
    : m_description(normalized(description)),
      m_face(std::move(face)),
      m_owner(std::move(owner)),
      m_serial(serial),
      m_escapement(normalized_escapement(description.escapement)) {
  const FaceRequest request = face_request(m_description);
  m_bold = request.bold;
  m_italic = request.italic;

  const FaceMetrics design = m_face ? m_face->metrics() : FaceMetrics{};
  const double cell_per_em =
      static_cast<double>(design.ascent + design.descent) / design.units_per_em;
  const double height = m_description.height;  // as double: -INT32_MIN is no overflow
  if (height > 0) {
    m_requested_cell = height;
    m_em_y = height / cell_per_em;
  } else if (height < 0) {
    m_em_y = -height;
  } else {
    m_requested_cell = DEFAULT_CELL_HEIGHT;
    m_em_y = DEFAULT_CELL_HEIGHT / cell_per_em;
  }
  const double width = std::abs(static_cast<double>(m_description.width));
  m_em_x = width > 0 ? width * design.units_per_em / design.average_width : m_em_y;

  const DeviceFontSize size = device_font_size(*this, 1.0, 1.0);
  m_metrics.cell_height = size.cell;
  m_metrics.ascent = size.ascent;
  m_metrics.descent = size.descent;
  m_metrics.em_height = size.em_y;
  m_metrics.average_char_width = size.average_width;
}

std::string_view Font::family() const noexcept {
  return m_face ? std::string_view(m_face->family()) : std::string_view();
}

}  // namespace korvi::raster
