#include "coverage_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace korvi::raster::testing {

namespace {

std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void put_chunk(std::vector<std::uint8_t>& out, const char* type,
               const std::vector<std::uint8_t>& data) {
  put_u32(out, static_cast<std::uint32_t>(data.size()));
  std::vector<std::uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  put_u32(out, crc32(body.data(), body.size()));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<std::uint8_t> zlib_stored(const std::vector<std::uint8_t>& raw) {
  std::vector<std::uint8_t> out{0x78, 0x01};
  std::size_t offset = 0;
  do {
    const std::size_t n = std::min<std::size_t>(65535, raw.size() - offset);
    const bool last = offset + n == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(n & 0xFF));
    out.push_back(static_cast<std::uint8_t>(n >> 8));
    out.push_back(static_cast<std::uint8_t>(~n & 0xFF));
    out.push_back(static_cast<std::uint8_t>((~n >> 8) & 0xFF));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset),
               raw.begin() + static_cast<std::ptrdiff_t>(offset + n));
    offset += n;
  } while (offset < raw.size());
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  put_u32(out, (b << 16) | a);
  return out;
}

bool inside_quad(const TextQuad& q, double px, double py) {
  // Convex quad, either winding: inside when on the same side of every edge.
  int sign = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    const PointF& a = q.corners[i];
    const PointF& b = q.corners[(i + 1) % 4];
    const double cross = (b.x - a.x) * (py - a.y) - (b.y - a.y) * (px - a.x);
    const int s = cross > 0 ? 1 : (cross < 0 ? -1 : 0);
    if (s == 0) continue;
    if (sign == 0)
      sign = s;
    else if (s != sign)
      return false;
  }
  return true;
}

}  // namespace

CoverageCanvas::CoverageCanvas(int width, int height)
    : m_width(width), m_height(height), m_pixels(static_cast<std::size_t>(width) * height, 0) {}

void CoverageCanvas::paint(int x, int y, std::uint8_t coverage) {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
  std::uint8_t& p = m_pixels[index(x, y)];
  p = static_cast<std::uint8_t>(p + (255 - p) * coverage / 255);
}

void CoverageCanvas::fill_quad(const TextQuad& q, int x, int y, std::uint8_t value) {
  for (int py = q.top; py < q.bottom; ++py) {
    for (int px = q.left; px < q.right; ++px) {
      if (q.axis_aligned || inside_quad(q, px + 0.5, py + 0.5)) {
        const int cx = x + px, cy = y + py;
        if (cx >= 0 && cy >= 0 && cx < m_width && cy < m_height) m_pixels[index(cx, cy)] = value;
      }
    }
  }
}

void CoverageCanvas::draw(const GlyphRun& run, int x, int y, int cell_value) {
  if (cell_value >= 0) fill_quad(run.cell, x, y, static_cast<std::uint8_t>(cell_value));
  for (const PlacedGlyph& g : run.glyphs) {
    const GlyphBitmap& b = *g.bitmap;
    if (b.antialiased) {
      if (b.coverage.empty()) continue;
      for (int row = 0; row < b.height; ++row)
        for (int col = 0; col < b.width; ++col)
          paint(x + g.x + col, y + g.y + row, b.coverage_at(col, row));
    } else {
      for (const GlyphSpan& s : b.spans)
        for (int col = s.x_begin; col < s.x_end; ++col) paint(x + g.x + col, y + g.y + s.y, 255);
    }
  }
  if (run.has_underline) fill_quad(run.underline, x, y, 255);
  if (run.has_strike_out) fill_quad(run.strike_out, x, y, 255);
  if (run.has_mark) fill_quad(run.mark, x, y, 255);
}

void CoverageCanvas::frame(int left, int top, int right, int bottom, std::uint8_t value) {
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const bool edge = y == top || y == bottom - 1 || x == left || x == right - 1;
      if (edge && x >= 0 && y >= 0 && x < m_width && y < m_height) m_pixels[index(x, y)] = value;
    }
  }
}

int CoverageCanvas::count_at_least(std::uint8_t threshold) const {
  return static_cast<int>(std::count_if(m_pixels.begin(), m_pixels.end(),
                                        [threshold](std::uint8_t p) { return p >= threshold; }));
}

CoverageCanvas::Box CoverageCanvas::ink_box(std::uint8_t threshold) const {
  Box box{m_width, m_height, 0, 0};
  bool any = false;
  for (int y = 0; y < m_height; ++y) {
    for (int x = 0; x < m_width; ++x) {
      if (at(x, y) < threshold) continue;
      any = true;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1);
      box.bottom = std::max(box.bottom, y + 1);
    }
  }
  return any ? box : Box{};
}

long CoverageCanvas::total() const {
  long sum = 0;
  for (std::uint8_t p : m_pixels) sum += p;
  return sum;
}

bool CoverageCanvas::write_png(const std::string& path) const {
  std::vector<std::uint8_t> raw;
  raw.reserve(static_cast<std::size_t>(m_width + 1) * m_height);
  for (int y = 0; y < m_height; ++y) {
    raw.push_back(0);  // no filter
    raw.insert(raw.end(), m_pixels.begin() + static_cast<std::ptrdiff_t>(index(0, y)),
               m_pixels.begin() + static_cast<std::ptrdiff_t>(index(0, y) + m_width));
  }
  std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  put_u32(header, static_cast<std::uint32_t>(m_width));
  put_u32(header, static_cast<std::uint32_t>(m_height));
  header.insert(header.end(), {8, 0, 0, 0, 0});  // 8-bit greyscale
  put_chunk(png, "IHDR", header);
  put_chunk(png, "IDAT", zlib_stored(raw));
  put_chunk(png, "IEND", {});
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(file);
}

std::string picture_path(const std::string& name) {
  const char* build = std::getenv("KORVI_BUILD_DIR");
  std::filesystem::path dir = build != nullptr ? std::filesystem::path(build) / "test-pictures"
                                               : std::filesystem::path(::testing::TempDir());
  std::error_code ignored;
  std::filesystem::create_directories(dir, ignored);
  return (dir / name).string();
}

}  // namespace korvi::raster::testing
