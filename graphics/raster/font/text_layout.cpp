#include "font/text_layout.h"

#include <algorithm>

#include "font/utf8.h"

namespace korvi::raster {

namespace {

constexpr std::int64_t TAB_STOP_CHARS = 8;
constexpr std::string_view ELLIPSIS = "...";

std::int32_t clamp32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// Characters of the scripts that are written without spaces: a line may break
// before and after each of them.
bool breaks_around(char32_t c) {
  return (c >= 0x1100 && c <= 0x11FF) || (c >= 0x2E80 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF) ||
         (c >= 0x20000 && c <= 0x3FFFF);
}

// One paragraph (the text between line breaks) after prefix processing.
struct Paragraph {
  std::string text;
  std::size_t mark_begin = std::string::npos;  // the first "&"-prefixed character
  std::size_t mark_end = std::string::npos;
};

// Splits at "\r\n", "\n" and "\r". A break at the very end starts no further line.
std::vector<std::string_view> split_paragraphs(std::string_view text) {
  std::vector<std::string_view> paragraphs;
  std::size_t begin = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    paragraphs.push_back(text.substr(begin, i - begin));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    begin = i + 1;
  }
  if (begin < text.size() || paragraphs.empty()) paragraphs.push_back(text.substr(begin));
  return paragraphs;
}

// "&x" marks x, "&&" is "&", a lone "&" at the end disappears.
Paragraph remove_prefixes(std::string_view text) {
  Paragraph p;
  p.text.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      p.text.push_back(text[i]);
      continue;
    }
    if (++i >= text.size()) break;
    if (text[i] == '&') {
      p.text.push_back('&');
      continue;
    }
    const std::size_t begin = i;
    next_code_point(text, i);
    if (p.mark_begin == std::string::npos) {
      p.mark_begin = p.text.size();
      p.mark_end = p.text.size() + (i - begin);
    }
    p.text.append(text.substr(begin, i - begin));
    --i;  // the loop's increment moves past the character
  }
  return p;
}

enum class TokenKind { space, tab, word };

struct Token {
  std::size_t begin;
  std::size_t end;
  TokenKind kind;
};

// Spaces, tabs and words; a character written without spaces is a word of its own.
std::vector<Token> tokenize(std::string_view text) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t begin = i;
    if (text[i] == ' ') {
      while (i < text.size() && text[i] == ' ') ++i;
      tokens.push_back({begin, i, TokenKind::space});
      continue;
    }
    if (text[i] == '\t') {
      tokens.push_back({begin, ++i, TokenKind::tab});
      continue;
    }
    if (breaks_around(next_code_point(text, i))) {
      tokens.push_back({begin, i, TokenKind::word});
      continue;
    }
    while (i < text.size() && text[i] != ' ' && text[i] != '\t') {
      std::size_t next = i;
      if (breaks_around(next_code_point(text, next))) break;
      i = next;
    }
    tokens.push_back({begin, i, TokenKind::word});
  }
  return tokens;
}

class LineMeasure {
 public:
  LineMeasure(const TextMeasurer& measurer, bool expand_tabs)
      : m_measurer(measurer),
        m_expand_tabs(expand_tabs),
        m_tab_width(TAB_STOP_CHARS * std::max<std::int64_t>(1, measurer.average_char_width())) {}

  bool expands_tabs() const { return m_expand_tabs; }

  std::int64_t next_tab_stop(std::int64_t x) const {
    return x < 0 ? 0 : (x / m_tab_width + 1) * m_tab_width;
  }

  // Width of a token that starts x units into its line.
  std::int64_t token_width(std::string_view text, TokenKind kind, std::int64_t x) const {
    if (kind == TokenKind::tab && m_expand_tabs) return next_tab_stop(x) - x;
    return m_measurer.text_width(text);
  }

  // Width of a whole line starting at its left edge, tabs expanded if asked.
  std::int64_t line_width(std::string_view line) const {
    if (!m_expand_tabs) return m_measurer.text_width(line);
    std::int64_t x = 0;
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
      if (i < line.size() && line[i] != '\t') continue;
      x += m_measurer.text_width(line.substr(begin, i - begin));
      if (i < line.size()) x = next_tab_stop(x);
      begin = i + 1;
    }
    return x;
  }

 private:
  const TextMeasurer& m_measurer;
  bool m_expand_tabs;
  std::int64_t m_tab_width;
};

struct LineRange {
  std::size_t begin;
  std::size_t end;
};

// Greedy word wrap: a word that does not fit after others on the line starts the
// next line; the spaces before it are dropped. A word wider than the limit stays
// whole on a line of its own.
std::vector<LineRange> wrap(const std::string& text, std::int64_t limit,
                            const LineMeasure& measure) {
  std::vector<LineRange> lines;
  std::size_t line_begin = 0;
  std::size_t content_end = 0;
  std::int64_t x = 0;
  bool has_word = false;
  for (const Token& token : tokenize(text)) {
    const std::string_view piece(text.data() + token.begin, token.end - token.begin);
    const std::int64_t width = measure.token_width(piece, token.kind, x);
    if (token.kind == TokenKind::word) {
      if (has_word && x + width > limit) {
        lines.push_back({line_begin, content_end});
        line_begin = token.begin;
        x = 0;
      }
      content_end = token.end;
      has_word = true;
    }
    x += width;
  }
  lines.push_back({line_begin, text.size()});
  return lines;
}

// The longest start of the line that fits with "..." after it, plus "...".
std::string with_end_ellipsis(std::string_view line, std::int64_t limit,
                              const LineMeasure& measure) {
  std::vector<std::size_t> boundaries{0};
  for (std::size_t i = 0; i < line.size();) {
    next_code_point(line, i);
    boundaries.push_back(i);
  }
  auto fits = [&](std::size_t end) {
    std::string candidate(line.substr(0, end));
    candidate.append(ELLIPSIS);
    return measure.line_width(candidate) <= limit;
  };
  // Widths only grow with more characters: binary search the last that fits.
  std::size_t low = 0, high = boundaries.size() - 1;
  while (low < high) {
    const std::size_t middle = (low + high + 1) / 2;
    if (fits(boundaries[middle]))
      low = middle;
    else
      high = middle - 1;
  }
  std::string result(line.substr(0, boundaries[low]));
  result.append(ELLIPSIS);
  return result;
}

struct LaidLine {
  std::vector<TextPiece> pieces;  // x relative to the line's start
  std::int64_t width = 0;
};

LaidLine lay_line(std::string line, MarkedRange mark, std::int64_t limit, bool ellipsis,
                  const LineMeasure& measure) {
  LaidLine laid;
  laid.width = measure.line_width(line);
  if (ellipsis && laid.width > limit) {
    line = with_end_ellipsis(line, limit, measure);
    if (mark.end > line.size() - ELLIPSIS.size()) mark = {};
    laid.width = measure.line_width(line);
  }
  if (!measure.expands_tabs()) {
    if (!line.empty()) laid.pieces.push_back({std::move(line), 0, 0, mark});
    return laid;
  }
  std::int64_t x = 0;
  std::size_t begin = 0;
  for (std::size_t i = 0; i <= line.size(); ++i) {
    if (i < line.size() && line[i] != '\t') continue;
    TextPiece piece{line.substr(begin, i - begin), clamp32(x), 0, {}};
    if (mark.begin >= begin && mark.end <= i && mark.end > mark.begin)
      piece.mark = {mark.begin - begin, mark.end - begin};
    x += measure.line_width(piece.text);
    if (!piece.text.empty()) laid.pieces.push_back(std::move(piece));
    if (i < line.size()) x = measure.next_tab_stop(x);
    begin = i + 1;
  }
  return laid;
}

std::int64_t aligned_x(const TextRect& rect, std::int64_t width, std::uint32_t format) {
  const std::int64_t free_space = std::int64_t{rect.right} - rect.left - width;
  if (format & FORMAT_CENTER) return rect.left + free_space / 2;
  if (format & FORMAT_RIGHT) return rect.right - width;
  return rect.left;
}

}  // namespace

FontMeasurer::FontMeasurer(FontCache& cache, const Font& font, TextScale scale)
    : m_cache(&cache),
      m_font(&font),
      m_scale(scale),
      m_line_height(cache.text_extent(font, "", scale).height),
      m_average_char_width(font.metrics().average_char_width) {}

std::int32_t FontMeasurer::text_width(std::string_view utf8) const {
  return m_cache->text_extent(*m_font, utf8, m_scale).width;
}

TextLayout layout_text(std::string_view utf8, const TextRect& rect, std::uint32_t format,
                       const TextMeasurer& measurer) {
  const bool single_line = (format & FORMAT_SINGLELINE) != 0;
  const bool word_break = (format & FORMAT_WORDBREAK) != 0 && !single_line;
  const bool prefixes = (format & FORMAT_NOPREFIX) == 0;
  const bool ellipsis = (format & FORMAT_END_ELLIPSIS) != 0;
  const std::int64_t limit = std::int64_t{rect.right} - rect.left;
  const std::int32_t line_height = measurer.line_height();
  const LineMeasure measure(measurer, (format & FORMAT_EXPANDTABS) != 0);

  std::vector<LaidLine> lines;
  const std::vector<std::string_view> paragraphs =
      single_line ? std::vector<std::string_view>{utf8} : split_paragraphs(utf8);
  for (std::string_view source : paragraphs) {
    Paragraph paragraph = prefixes ? remove_prefixes(source) : Paragraph{std::string(source)};
    const std::vector<LineRange> ranges = word_break
                                              ? wrap(paragraph.text, limit, measure)
                                              : std::vector<LineRange>{{0, paragraph.text.size()}};
    for (const LineRange& range : ranges) {
      MarkedRange mark;
      if (paragraph.mark_begin >= range.begin && paragraph.mark_end <= range.end &&
          paragraph.mark_begin != std::string::npos)
        mark = {paragraph.mark_begin - range.begin, paragraph.mark_end - range.begin};
      lines.push_back(lay_line(paragraph.text.substr(range.begin, range.end - range.begin), mark,
                               limit, ellipsis, measure));
    }
  }

  TextLayout layout;
  layout.draws = (format & FORMAT_CALCRECT) == 0;
  layout.clips = (format & FORMAT_NOCLIP) == 0;
  layout.clip = rect;
  const std::int64_t total_height =
      std::int64_t{line_height} * static_cast<std::int64_t>(lines.size());
  std::int64_t widest = 0;
  for (const LaidLine& line : lines) widest = std::max(widest, line.width);
  layout.bounds = {rect.left, rect.top, clamp32(rect.left + widest),
                   clamp32(rect.top + total_height)};

  std::int64_t y = rect.top;
  if (single_line && layout.draws) {
    if (format & FORMAT_VCENTER)
      y = rect.top + (std::int64_t{rect.bottom} - rect.top - line_height) / 2;
    else if (format & FORMAT_BOTTOM)
      y = std::int64_t{rect.bottom} - line_height;
  }
  layout.height = clamp32(y - rect.top + total_height);
  if (!layout.draws) return layout;

  for (LaidLine& line : lines) {
    const std::int64_t x = aligned_x(rect, line.width, format);
    for (TextPiece& piece : line.pieces) {
      piece.x = clamp32(piece.x + x);
      piece.y = clamp32(y);
      layout.pieces.push_back(std::move(piece));
    }
    y += line_height;
  }
  return layout;
}

}  // namespace korvi::raster
