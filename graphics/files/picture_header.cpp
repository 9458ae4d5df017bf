#include "files/picture_header.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvi {
namespace {

using namespace std::string_view_literals;

// Bounds-checked reads of the file's bytes. A read past the end gives 0 and marks
// the header as cut short.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

  std::size_t size() const { return m_bytes.size(); }
  bool cut() const { return m_cut; }
  bool fits(std::size_t at, std::size_t count) const {
    return at <= m_bytes.size() && count <= m_bytes.size() - at;
  }
  bool is(std::size_t at, std::string_view text) const {
    return fits(at, text.size()) &&
           std::equal(text.begin(), text.end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(at),
                      [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
  }
  std::uint8_t byte(std::size_t at) { return static_cast<std::uint8_t>(le(at, 1)); }
  // Unsigned values of `count` bytes (1 to 4), least or most significant first.
  std::uint32_t le(std::size_t at, int count) { return read(at, count, false); }
  std::uint32_t be(std::size_t at, int count) { return read(at, count, true); }
  std::uint32_t read(std::size_t at, int count, bool big_endian) {
    if (!fits(at, static_cast<std::size_t>(count))) {
      m_cut = true;
      return 0;
    }
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
      const std::uint32_t b = m_bytes[at + static_cast<std::size_t>(i)];
      value |= b << (8 * (big_endian ? count - 1 - i : i));
    }
    return value;
  }
  // Where the first byte equal to c lies at or after `at`, or size().
  std::size_t find(std::size_t at, char c) const {
    while (at < m_bytes.size() && m_bytes[at] != static_cast<std::uint8_t>(c)) ++at;
    return at;
  }

 private:
  std::span<const std::uint8_t> m_bytes;
  bool m_cut = false;
};

struct Size {
  std::int64_t width = 0;
  std::int64_t height = 0;
};

Size larger(Size a, Size b) { return {std::max(a.width, b.width), std::max(a.height, b.height)}; }

std::int64_t magnitude(std::uint32_t twos_complement) {
  return std::abs(static_cast<std::int64_t>(static_cast<std::int32_t>(twos_complement)));
}

constexpr std::string_view PNG_SIGNATURE = "\x89PNG\r\n\x1a\n";

std::optional<Size> png_size(Reader& r, std::size_t at) {
  if (!r.is(at + 12, "IHDR")) return std::nullopt;
  return Size{r.be(at + 16, 4), r.be(at + 20, 4)};
}

// The sizes in a device-independent bitmap header: the core (OS/2) one with 16-bit
// sides, or the later ones with signed 32-bit sides (a negative height means rows
// top-down).
std::optional<Size> dib_size(Reader& r, std::size_t at) {
  const std::uint32_t header_size = r.le(at, 4);
  if (header_size == 12) return Size{r.le(at + 4, 2), r.le(at + 6, 2)};
  if (header_size < 16) return std::nullopt;
  return Size{magnitude(r.le(at + 4, 4)), magnitude(r.le(at + 8, 4))};
}

std::optional<Size> bmp_size(Reader& r) { return dib_size(r, 14); }

// Skips a chain of sub-blocks (a length byte, then that many bytes; 0 ends it).
void skip_sub_blocks(Reader& r, std::size_t& at) {
  while (at < r.size()) {
    const std::uint8_t length = r.byte(at);
    at += 1u + length;
    if (length == 0) return;
  }
}

std::size_t colour_table_bytes(std::uint8_t flags) {
  return (flags & 0x80) ? std::size_t{3} << ((flags & 7) + 1) : 0;
}

// Whether the sub-blocks from `at` hold a well-formed code stream for that minimum
// code size: after the start and every clear code a colour (not the end code), then
// only codes of the table or the entry about to be made. A decoder walks each code's
// chain of entries back to a colour; the codes of a malformed stream make chains
// that never end and overrun its memory.
bool well_formed_codes(Reader& r, std::size_t at, int code_size) {
  constexpr int TABLE_SIZE = 4096;
  const int clear = 1 << code_size, end = clear + 1;
  int width = code_size + 1, next = clear + 2;
  bool started = false;
  std::uint32_t bits = 0;
  int bit_count = 0;
  while (at < r.size()) {
    const std::size_t length = r.byte(at++);
    if (length == 0) break;
    for (std::size_t i = 0; i < length && at < r.size(); ++i) {
      bits |= std::uint32_t{r.byte(at++)} << bit_count;
      for (bit_count += 8; bit_count >= width;) {
        const int code = static_cast<int>(bits & ((1u << width) - 1));
        bits >>= width;
        bit_count -= width;
        if (code == clear) {
          width = code_size + 1;
          next = clear + 2;
          started = false;
        } else if (!started) {
          // A decoder takes this code as a colour whatever it is, the end code too.
          if (code >= clear) return false;
          started = true;
        } else if (code == end) {
          return true;
        } else if (code > next) {
          return false;
        } else if (next < TABLE_SIZE && ++next == 1 << width && width < 12) {
          ++width;
        }
      }
    }
  }
  // No end code: decoders stop where the data ends, after at most one more code made
  // of leftover bits, which adds one entry and is never walked.
  return true;
}

// The logical screen and the first frame (its offset plus its size), found as a
// decoder finds it; `end` is where the frame's data ends. A decoder that cannot
// start a frame (no pixels, a code size above 12 bits) goes on to look for the next
// one, from anywhere in the frame's data, and one decoder corrupts its memory on
// code sizes below 2 and on malformed code streams: a frame without pixels, with a
// code size outside 2 to 8 bits (all that encoders write) or with malformed codes is
// refused, and the rest of the file is never given to the decoder.
std::optional<Size> gif_size(Reader& r, std::size_t& end) {
  const Size screen{r.le(6, 2), r.le(8, 2)};
  std::size_t at = 13 + colour_table_bytes(r.byte(10));
  while (at < r.size()) {
    const std::uint8_t block = r.byte(at);
    if (block == 0x21) {  // extension: label, then sub-blocks
      at += 2;
      skip_sub_blocks(r, at);
    } else if (block == 0x2C) {  // frame: descriptor, colour table, code size, data
      const std::uint32_t width = r.le(at + 5, 2), height = r.le(at + 7, 2);
      const Size frame{std::int64_t{r.le(at + 1, 2)} + width,
                       std::int64_t{r.le(at + 3, 2)} + height};
      at += 10 + colour_table_bytes(r.byte(at + 9));
      const std::uint8_t code_size = r.byte(at);
      if (width == 0 || height == 0 || code_size < 2 || code_size > 8 ||
          !well_formed_codes(r, at + 1, code_size))
        return std::nullopt;
      ++at;
      skip_sub_blocks(r, at);
      end = std::min(at, r.size());
      return larger(screen, frame);
    } else if (block == ';') {  // the trailer before any frame
      return std::nullopt;
    } else {
      ++at;  // stray bytes, which decoders pass over looking for a block
    }
  }
  return std::nullopt;
}

// Every entry of the directory, and the header of each entry's picture (a bitmap or
// a PNG file) where the file holds it.
std::optional<Size> icon_size(Reader& r) {
  const std::uint32_t count = r.le(4, 2);
  if (count == 0) return std::nullopt;
  Size size;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * std::size_t{i};
    const std::uint8_t w = r.byte(entry), h = r.byte(entry + 1);
    size = larger(size, {w ? w : 256, h ? h : 256});
    const std::size_t at = r.le(entry + 12, 4);
    if (at >= r.size()) continue;  // no picture there: the decoder finds nothing to read
    // A decoder reads as much of a header as there is: one cut short is refused.
    if (!r.fits(at, 24)) return std::nullopt;
    const auto picture = r.is(at, PNG_SIGNATURE) ? png_size(r, at) : dib_size(r, at);
    if (!picture) return std::nullopt;
    size = larger(size, *picture);
  }
  return size;
}

bool is_frame_marker(std::uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the segments up to the frame header. Bytes that are no marker, or a scan
// before any frame header, end the walk without a size.
std::optional<Size> jpeg_size(Reader& r) {
  std::size_t at = 2;
  while (r.fits(at, 2) && r.byte(at) == 0xFF) {
    const std::uint8_t marker = r.byte(at + 1);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    at += 2;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
    if (marker == 0xD8 || marker == 0xD9 || marker == 0xDA) return std::nullopt;
    if (is_frame_marker(marker)) return Size{r.be(at + 5, 2), r.be(at + 3, 2)};
    const std::uint32_t length = r.be(at, 2);
    if (length < 2) return std::nullopt;
    at += length;
  }
  return std::nullopt;
}

std::optional<Size> webp_size(Reader& r) {
  if (r.is(12, "VP8 ") && r.is(23, "\x9D\x01\x2A"))
    return Size{r.le(26, 2) & 0x3FFF, r.le(28, 2) & 0x3FFF};
  if (r.is(12, "VP8L") && r.byte(20) == 0x2F) {
    const std::uint32_t bits = r.le(21, 4);
    return Size{(bits & 0x3FFF) + 1, (bits >> 14 & 0x3FFF) + 1};
  }
  if (r.is(12, "VP8X")) return Size{std::int64_t{r.le(24, 3)} + 1, std::int64_t{r.le(27, 3)} + 1};
  return std::nullopt;
}

// The first directory's picture size, and its tile size when it has tiles.
std::optional<Size> tiff_size(Reader& r, bool big_endian) {
  const std::size_t directory = r.read(4, 4, big_endian);
  const std::uint32_t count = r.read(directory, 2, big_endian);
  Size picture, tile;
  for (std::uint32_t i = 0; i < count && !r.cut(); ++i) {
    const std::size_t entry = directory + 2 + 12 * std::size_t{i};
    const std::uint32_t tag = r.read(entry, 2, big_endian);
    if (tag != 256 && tag != 257 && tag != 322 && tag != 323) continue;
    // One SHORT or LONG; a tag given twice counts with its larger value.
    const std::uint32_t type = r.read(entry + 2, 2, big_endian);
    if ((type != 3 && type != 4) || r.read(entry + 4, 4, big_endian) != 1) return std::nullopt;
    const std::int64_t value = r.read(entry + 8, type == 3 ? 2 : 4, big_endian);
    std::int64_t& side = tag == 256   ? picture.width
                         : tag == 257 ? picture.height
                         : tag == 322 ? tile.width
                                      : tile.height;
    side = std::max(side, value);
  }
  if (picture.width <= 0 || picture.height <= 0) return std::nullopt;
  return larger(picture, tile);
}

// The rectangle from (xmin, ymin) to (xmax, ymax) inclusive, whether the decoder
// takes the 16-bit fields as signed or not. The bytes per line of a plane are
// signed to a decoder, which asks for a row buffer of that many bytes per plane:
// below 1 is refused.
std::optional<Size> pcx_size(Reader& r) {
  if (!r.fits(0, 128) || static_cast<std::int16_t>(r.le(66, 2)) < 1) return std::nullopt;
  auto side = [&](std::size_t min_at, std::size_t max_at) {
    const std::uint32_t low = r.le(min_at, 2), high = r.le(max_at, 2);
    const std::int64_t as_unsigned = std::int64_t{high} - low + 1;
    const std::int64_t as_signed =
        std::int64_t{static_cast<std::int16_t>(high)} - static_cast<std::int16_t>(low) + 1;
    return std::max(std::abs(as_unsigned), std::abs(as_signed));
  };
  return Size{side(4, 8), side(6, 10)};
}

// Every bitmap header chunk before the body (a decoder keeps the last), the width
// rounded up to whole 16-pixel words as the decoder stores rows; each chunk must
// lie inside the file.
std::optional<Size> lbm_size(Reader& r) {
  std::optional<Size> size;
  for (std::size_t at = 12; r.fits(at, 8) && !r.is(at, "BODY");) {
    const std::uint32_t length = r.be(at + 4, 4);
    if (!r.fits(at + 8, length)) return std::nullopt;
    if (r.is(at, "BMHD"))
      size = larger(size.value_or(Size{}), {(r.be(at + 8, 2) + 15) / 16 * 16, r.be(at + 10, 2)});
    at += 8 + std::size_t{length} + (length & 1);
  }
  return size;
}

bool is_space(std::uint8_t c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool is_digit(std::uint8_t c) { return c >= '0' && c <= '9'; }

// A decimal number at `at` after blanks (and, when comments is set, '#' comments to
// the end of the line); -1 when there is none. Saturates far above every limit.
std::int64_t text_number(Reader& r, std::size_t& at, bool comments) {
  while (at < r.size()) {
    if (is_space(r.byte(at)))
      ++at;
    else if (comments && r.byte(at) == '#')  // to the end of the line, either kind
      at = std::min(r.find(at, '\n'), r.find(at, '\r'));
    else
      break;
  }
  if (at >= r.size() || !is_digit(r.byte(at))) return -1;
  std::int64_t value = 0;
  for (; at < r.size() && is_digit(r.byte(at)); ++at)
    value = std::min<std::int64_t>(value * 10 + (r.byte(at) - '0'), std::int64_t{1} << 40);
  return value;
}

std::optional<Size> pnm_size(Reader& r) {
  std::size_t at = 2;
  const std::int64_t width = text_number(r, at, true);
  const std::int64_t height = text_number(r, at, true);
  if (width < 0 || height < 0) return std::nullopt;
  return Size{width, height};
}

// ---- SVG: the sizes its <svg> elements give, as the drawing code takes them.

bool is_blank(char c) { return is_space(static_cast<std::uint8_t>(c)); }

// The value of `number`, of the form [digits][.digits][e[sign]digits] (an "e"
// without digits after it ends the number), correctly rounded; nullopt when it
// overflows or underflows to zero. Given to strtod without its point, so that the
// locale has no say.
std::optional<double> decimal_value(std::string_view number) {
  const std::size_t e = std::min(number.find_first_of("eE"), number.size());
  std::string digits;
  int fraction_digits = 0;
  const std::size_t point = number.find('.');
  for (std::size_t k = 0; k < e; ++k) {
    if (k == point) continue;
    digits += number[k];
    if (point < k) ++fraction_digits;
  }
  if (digits.empty()) return 0.0;
  std::string_view exponent_text = number.substr(std::min(e + 1, number.size()));
  const bool exponent_negative = exponent_text.starts_with('-');
  if (exponent_negative || exponent_text.starts_with('+')) exponent_text.remove_prefix(1);
  int exponent = 0;
  const char* last = exponent_text.data() + exponent_text.size();
  if (std::from_chars(exponent_text.data(), last, exponent).ec == std::errc::result_out_of_range) {
    exponent = 1'000'000'000;  // far beyond every double
  }
  if (exponent_negative) exponent = -exponent;
  const double value =
      std::strtod((digits + 'e' + std::to_string(exponent - fraction_digits)).c_str(), nullptr);
  const bool underflow = value == 0.0 && digits.find_first_not_of('0') != std::string::npos;
  if (std::isinf(value) || underflow) return std::nullopt;
  return value;
}

// The number at text[i], moving i past it; 0 when there is none. As the drawing
// code reads it: sign, digits, point, digits, exponent (not the "e" of a unit), of
// which only the first 63 characters count. Values out of range count as far beyond
// every limit.
double svg_number(std::string_view text, std::size_t& i) {
  std::string kept;
  auto take = [&] {
    if (kept.size() < 63) kept += text[i];
    ++i;
  };
  auto digits = [&] {
    while (i < text.size() && is_digit(static_cast<std::uint8_t>(text[i]))) take();
  };
  auto sign = [&] {
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) take();
  };
  sign();
  digits();
  if (i < text.size() && text[i] == '.') {
    take();
    digits();
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E') &&
      !(i + 1 < text.size() && (text[i + 1] == 'm' || text[i + 1] == 'x'))) {
    take();
    sign();
    digits();
  }
  std::string_view number = kept;
  const bool negative = number.starts_with('-');
  if (number.starts_with('-') || number.starts_with('+')) number.remove_prefix(1);
  const double value = decimal_value(number).value_or(1e12);
  return negative ? -value : value;
}

// A width or height such as "12.5" or "3in", in pixels at 96 per inch, read from
// its first character on; 0 for a percentage (the drawing code then takes the view
// box), nothing for font-relative units, whose size depends on styles.
std::optional<double> svg_length(std::string_view text) {
  std::size_t i = 0;
  const double value = svg_number(text, i);
  const std::string_view unit = text.substr(i, 2);
  if (unit == "em" || unit == "ex") return std::nullopt;
  if (unit.starts_with("%")) return 0.0;
  if (unit == "pt") return value * 96 / 72;
  if (unit == "pc") return value * 16;
  if (unit == "mm") return value * 96 / 25.4;
  if (unit == "cm") return value * 96 / 2.54;
  if (unit == "in") return value * 96;
  return value;
}

// The attributes of one element's tag text: name, blanks, '=', anything up to a
// quote, the value up to the same quote.
template <class F>
void for_each_attribute(std::string_view tag, F&& f) {
  std::size_t i = 0;
  while (i < tag.size()) {
    while (i < tag.size() && is_blank(tag[i])) ++i;
    if (i >= tag.size() || tag[i] == '/') return;
    const std::size_t name_start = i;
    while (i < tag.size() && !is_blank(tag[i]) && tag[i] != '=') ++i;
    const std::string_view name = tag.substr(name_start, i - name_start);
    while (i < tag.size() && tag[i] != '"' && tag[i] != '\'') ++i;
    if (i >= tag.size()) return;
    const char quote = tag[i++];
    const std::size_t value_start = i;
    while (i < tag.size() && tag[i] != quote) ++i;
    f(name, tag.substr(value_start, i - value_start));
    ++i;
  }
}

// The third and fourth of the view box's numbers (separated by blanks, commas or
// percent signs).
std::pair<double, double> svg_view_size(std::string_view text) {
  double numbers[4] = {};
  std::size_t i = 0;
  for (double& number : numbers) {
    while (i < text.size() && (is_blank(text[i]) || text[i] == ',' || text[i] == '%')) ++i;
    number = svg_number(text, i);
  }
  return {numbers[2], numbers[3]};
}

// A side of the picture as the <svg> elements give it. The drawing code keeps the
// last width given, or where that is not positive, the last view box's width, or
// else the drawing's own extent; and it passes over elements in some places. So:
// the largest width given, or also the widest view box where some element gives no
// positive width; nothing where no view box is there to fall back on, or for
// font-relative units.
class SvgSide {
 public:
  void given(std::string_view text) {
    m_given = true;
    const auto length = svg_length(text);
    if (!length) m_unreadable = true;
    if (length && *length > 0)
      m_largest = std::max(m_largest, *length);
    else
      m_unsized = true;
  }
  void view(double extent) { m_widest_view = std::max(m_widest_view, extent); }
  std::optional<std::int64_t> pixels() const {
    const bool may_fall_back = m_unsized || !m_given;
    const double side = may_fall_back ? std::max(m_largest, m_widest_view) : m_largest;
    if (m_unreadable || (may_fall_back && !(m_widest_view > 0)) || !(side > 0)) return std::nullopt;
    return static_cast<std::int64_t>(std::ceil(std::min(side, 1e12)));
  }

 private:
  double m_largest = 0, m_widest_view = 0;
  bool m_given = false, m_unsized = false, m_unreadable = false;
};

// The <svg> elements' sizes, with tags running from '<' to the next '>' as the
// drawing code splits them; a tag left open is not read.
std::optional<Size> svg_size(std::string_view text) {
  SvgSide width, height;
  bool found = false;
  for (std::size_t open = text.find('<'), close = 0; open != std::string_view::npos;
       open = text.find('<', close + 1)) {
    close = text.find('>', open);
    if (close == std::string_view::npos) break;
    std::string_view tag = text.substr(open + 1, close - open - 1);
    while (!tag.empty() && is_blank(tag.front())) tag.remove_prefix(1);
    if (!tag.starts_with("svg") || (tag.size() > 3 && !is_blank(tag[3]) && tag[3] != '/')) continue;
    found = true;
    // Every value counts, also where one attribute is given twice (the drawing code
    // may stop reading an element's attributes early).
    for_each_attribute(tag.substr(3), [&](std::string_view name, std::string_view value) {
      if (name == "width") width.given(value);
      if (name == "height") height.given(value);
      if (name == "viewBox") {
        const auto [view_width, view_height] = svg_view_size(value);
        width.view(view_width);
        height.view(view_height);
      }
    });
  }
  const auto w = width.pixels(), h = height.pixels();
  if (!found || !w || !h) return std::nullopt;
  return Size{*w, *h};
}

struct Detected {
  PictureFormat format;
  std::optional<Size> size;
  std::size_t checked_length = SIZE_MAX;
};

std::optional<Detected> detect(std::span<const std::uint8_t> bytes, Reader& r) {
  using F = PictureFormat;
  if (r.is(0, PNG_SIGNATURE)) return Detected{F::png, png_size(r, 0)};
  if (r.is(0, "GIF87a") || r.is(0, "GIF89a")) {
    std::size_t end = 0;
    auto size = gif_size(r, end);
    return Detected{F::gif, size, end};
  }
  if (r.is(0, "BM")) return Detected{F::bmp, bmp_size(r)};
  if (r.is(0, "\xFF\xD8\xFF")) return Detected{F::jpeg, jpeg_size(r)};
  if (r.fits(0, 6) && r.le(0, 2) == 0 && (r.le(2, 2) == 1 || r.le(2, 2) == 2))
    return Detected{r.le(2, 2) == 1 ? F::ico : F::cur, icon_size(r)};
  if (r.is(0, "RIFF") && r.is(8, "WEBP")) return Detected{F::webp, webp_size(r)};
  if (r.is(0, "II*\0"sv)) return Detected{F::tiff, tiff_size(r, false)};
  if (r.is(0, "MM\0*"sv)) return Detected{F::tiff, tiff_size(r, true)};
  if (r.is(0, "qoif")) return Detected{F::qoi, Size{r.be(4, 4), r.be(8, 4)}};
  if (r.fits(0, 3) && r.byte(0) == 'P' && r.byte(1) >= '1' && r.byte(1) <= '6' &&
      is_space(r.byte(2)))
    return Detected{F::pnm, pnm_size(r)};
  if (r.fits(0, 3) && r.byte(0) == 0x0A && r.byte(1) <= 5 && r.byte(1) != 1 && r.byte(2) == 1)
    return Detected{F::pcx, pcx_size(r)};
  if (r.is(0, "FORM") && (r.is(8, "ILBM") || r.is(8, "PBM "))) return Detected{F::lbm, lbm_size(r)};
  // The drawing code reads the text up to its first zero byte.
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  text = text.substr(0, text.find('\0'));
  if (auto size = svg_size(text)) return Detected{F::svg, size};
  return std::nullopt;
}

}  // namespace

std::optional<PictureHeader> read_picture_header(std::span<const std::uint8_t> bytes) {
  Reader reader(bytes);
  const auto detected = detect(bytes, reader);
  if (!detected || !detected->size || reader.cut()) return std::nullopt;
  return PictureHeader{detected->format, detected->size->width, detected->size->height,
                       std::min(detected->checked_length, bytes.size())};
}

void keep_checked_part(std::vector<std::uint8_t>& bytes, const PictureHeader& header) {
  if (header.checked_length >= bytes.size()) return;
  bytes.resize(header.checked_length);
  if (header.format == PictureFormat::gif) bytes.push_back(';');  // the trailer
}

}  // namespace korvi
