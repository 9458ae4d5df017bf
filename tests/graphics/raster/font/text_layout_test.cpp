#include "font/text_layout.h"

#include <gtest/gtest.h>

#include <random>

#include "font/utf8.h"
#include "font_test_support.h"

namespace korvi::raster {
namespace {

// Every character 10 units wide, lines 16 high, tab stops every 56.
class FixedMeasurer final : public TextMeasurer {
 public:
  std::int32_t text_width(std::string_view utf8) const override {
    return 10 * static_cast<std::int32_t>(decode_utf8(utf8).size());
  }
  std::int32_t line_height() const override { return 16; }
  std::int32_t average_char_width() const override { return 7; }
};

const FixedMeasurer FIXED;

struct Placed {
  std::string text;
  std::int32_t x;
  std::int32_t y;
  bool operator==(const Placed&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Placed& p) {
  return out << '"' << p.text << "\"@" << p.x << ',' << p.y;
}

std::vector<Placed> placed(const TextLayout& layout) {
  std::vector<Placed> result;
  for (const TextPiece& p : layout.pieces) result.push_back({p.text, p.x, p.y});
  return result;
}

TextLayout fixed_layout(std::string_view text, TextRect rect, std::uint32_t format) {
  return layout_text(text, rect, format, FIXED);
}

// ---- placement ----------------------------------------------------------------

TEST(TextLayout, AlignsSingleLines) {
  const TextRect rect{100, 50, 200, 90};
  struct Case {
    std::uint32_t format;
    std::int32_t x;
    std::int32_t y;
    std::int32_t result;
  };
  const Case cases[] = {
      {FORMAT_LEFT, 100, 50, 16},
      {FORMAT_CENTER, 135, 50, 16},
      {FORMAT_RIGHT, 170, 50, 16},
      {FORMAT_SINGLELINE | FORMAT_VCENTER, 100, 62, 28},
      {FORMAT_SINGLELINE | FORMAT_BOTTOM, 100, 74, 40},
      {FORMAT_SINGLELINE | FORMAT_BOTTOM | FORMAT_RIGHT, 170, 74, 40},
      {FORMAT_VCENTER, 100, 50, 16},  // vertical placement needs a single line
      {FORMAT_BOTTOM, 100, 50, 16},
  };
  for (const Case& c : cases) {
    const TextLayout layout = fixed_layout("abc", rect, c.format);
    EXPECT_EQ(placed(layout), (std::vector<Placed>{{"abc", c.x, c.y}})) << c.format;
    EXPECT_EQ(layout.height, c.result) << c.format;
    EXPECT_TRUE(layout.draws);
    EXPECT_TRUE(layout.clips);
    EXPECT_EQ(layout.clip, rect);
  }
  EXPECT_FALSE(fixed_layout("abc", rect, FORMAT_NOCLIP).clips);
}

TEST(TextLayout, BreaksLinesAtLineFeedsAndCarriageReturns) {
  const TextRect rect{0, 0, 300, 100};
  struct Case {
    std::string_view text;
    std::vector<Placed> pieces;
    std::int32_t height;
  };
  const Case cases[] = {
      {"a\nbb\r\nccc\rd", {{"a", 0, 0}, {"bb", 0, 16}, {"ccc", 0, 32}, {"d", 0, 48}}, 64},
      {"one\n", {{"one", 0, 0}}, 16},
      {"\n\nx", {{"x", 0, 32}}, 48},
      {"\n", {}, 16},
      {"", {}, 16},
      {"a\n\r\nb", {{"a", 0, 0}, {"b", 0, 32}}, 48},
  };
  for (const Case& c : cases) {
    const TextLayout layout = fixed_layout(c.text, rect, FORMAT_LEFT);
    EXPECT_EQ(placed(layout), c.pieces) << c.text;
    EXPECT_EQ(layout.height, c.height) << c.text;
  }
  // A single line keeps the breaks as characters.
  const TextLayout single = fixed_layout("a\nb", rect, FORMAT_SINGLELINE);
  EXPECT_EQ(placed(single), (std::vector<Placed>{{"a\nb", 0, 0}}));
  EXPECT_EQ(single.height, 16);
}

TEST(TextLayout, CentresAndRightAlignsEachLineOnItsOwn) {
  const TextLayout layout = fixed_layout("a\nabc", {0, 0, 100, 100}, FORMAT_CENTER);
  EXPECT_EQ(placed(layout), (std::vector<Placed>{{"a", 45, 0}, {"abc", 35, 16}}));
  const TextLayout right = fixed_layout("a\nabc", {0, 0, 100, 100}, FORMAT_RIGHT);
  EXPECT_EQ(placed(right), (std::vector<Placed>{{"a", 90, 0}, {"abc", 70, 16}}));
}

// ---- word breaks --------------------------------------------------------------

TEST(TextLayout, WordBreakWrapsAtSpacesAndKeepsLongWordsWhole) {
  struct Case {
    std::string_view text;
    std::int32_t width;
    std::vector<Placed> pieces;
  };
  const Case cases[] = {
      {"aaa bbb ccc", 200, {{"aaa bbb ccc", 0, 0}}},
      {"aaa bbb ccc", 75, {{"aaa bbb", 0, 0}, {"ccc", 0, 16}}},
      {"aaa bbb ccc", 70, {{"aaa bbb", 0, 0}, {"ccc", 0, 16}}},
      {"aaa bbb ccc", 69, {{"aaa", 0, 0}, {"bbb", 0, 16}, {"ccc", 0, 16 * 2}}},
      {"aaa    bbb", 40, {{"aaa", 0, 0}, {"bbb", 0, 16}}},
      {"  aa bb", 50, {{"  aa", 0, 0}, {"bb", 0, 16}}},
      {"a verylongword b", 50, {{"a", 0, 0}, {"verylongword", 0, 16}, {"b", 0, 32}}},
      {"ab\ncd ef", 30, {{"ab", 0, 0}, {"cd", 0, 16}, {"ef", 0, 32}}},
      {"x", 0, {{"x", 0, 0}}},
      {"x y", -10, {{"x", 0, 0}, {"y", 0, 16}}},
      // Characters written without spaces break anywhere between them.
      {"\xE4\xB8\xAD\xE6\x96\x87\xE8\xBE\x93\xE5\x85\xA5\xE6\xB3\x95",
       25,
       {{"\xE4\xB8\xAD\xE6\x96\x87", 0, 0},
        {"\xE8\xBE\x93\xE5\x85\xA5", 0, 16},
        {"\xE6\xB3\x95", 0, 32}}},
      {"ok\xE4\xB8\xAD\xE6\x96\x87", 35, {{"ok\xE4\xB8\xAD", 0, 0}, {"\xE6\x96\x87", 0, 16}}},
  };
  for (const Case& c : cases) {
    const TextLayout layout = fixed_layout(c.text, {0, 0, c.width, 10}, FORMAT_WORDBREAK);
    EXPECT_EQ(placed(layout), c.pieces) << c.text << " in " << c.width;
  }
  // With a single line, word break does nothing.
  EXPECT_EQ(fixed_layout("aaa bbb", {0, 0, 30, 10}, FORMAT_WORDBREAK | FORMAT_SINGLELINE).height,
            16);
}

TEST(TextLayout, NarrowingTheRectangleGrowsTheHeightByWholeLines) {
  FontCache& cache = testing::shared_font_cache();
  auto font = cache.font(testing::describe("Arial", 14));
  const FontMeasurer measurer(cache, *font);
  const std::string_view text = "The quick brown fox jumps over the lazy dog, twice.";
  std::int32_t previous = 0;
  for (std::int32_t width = 400; width >= 0; width -= 7) {
    const TextLayout layout =
        layout_text(text, {0, 0, width, 10}, FORMAT_CALCRECT | FORMAT_WORDBREAK, measurer);
    EXPECT_EQ(layout.height % 14, 0) << width;
    EXPECT_GE(layout.height, previous) << width;
    previous = layout.height;
  }
  EXPECT_EQ(previous, 14 * 10);  // one word per line at the end
}

// ---- measuring ----------------------------------------------------------------

TEST(TextLayout, CalcRectMeasuresAndDrawsNothing) {
  struct Case {
    std::string_view text;
    std::uint32_t format;
    TextRect rect;
    TextRect bounds;
    std::int32_t height;
  };
  const Case cases[] = {
      {"abc", FORMAT_SINGLELINE, {5, 7, 500, 8}, {5, 7, 35, 23}, 16},
      {"a\nabcd\nab", 0, {0, 0, 10, 10}, {0, 0, 40, 48}, 48},
      {"aaa bbb ccc", FORMAT_WORDBREAK, {0, 0, 75, 0}, {0, 0, 70, 32}, 32},
      {"a verylongword b", FORMAT_WORDBREAK, {0, 0, 50, 0}, {0, 0, 120, 48}, 48},  // widened
      {"abc", FORMAT_SINGLELINE | FORMAT_VCENTER, {0, 0, 100, 100}, {0, 0, 30, 16}, 16},
      {"", 0, {3, 4, 100, 100}, {3, 4, 3, 20}, 16},
  };
  for (const Case& c : cases) {
    const TextLayout layout = fixed_layout(c.text, c.rect, c.format | FORMAT_CALCRECT);
    EXPECT_FALSE(layout.draws) << c.text;
    EXPECT_TRUE(layout.pieces.empty()) << c.text;
    EXPECT_EQ(layout.bounds, c.bounds) << c.text;
    EXPECT_EQ(layout.height, c.height) << c.text;
  }
}

// The input box measures its prompt with these flags in a rectangle 90 narrower
// than the box.
TEST(TextLayout, PromptMeasurementIsExact) {
  constexpr std::uint32_t PROMPT_FORMAT =
      FORMAT_CALCRECT | FORMAT_WORDBREAK | FORMAT_EXPANDTABS | FORMAT_NOPREFIX;
  static_assert(PROMPT_FORMAT == 0x0C50);
  const TextRect rect{0, 0, 357 - 90, 10};
  struct Case {
    std::string_view text;
    std::int32_t height;
    std::int32_t right;
  };
  const Case fixed_cases[] = {
      {"", 16, 0},
      {"Enter a value:", 16, 140},
      {"A&B\tC", 16, 10 * 3 + 56 - 30 + 10},  // "&" kept, the tab jumps to 56
      {"Line one\nLine two\nLine three", 48, 100},
      // 40 words of 4 characters and a space: 26 characters fit in 267, so five
      // words (24 characters without the last space) a line.
      {"abcd abcd abcd abcd abcd abcd abcd abcd abcd abcd abcd abcd abcd abcd abcd abcd "
       "abcd abcd abcd abcd abcd abcd abcd abcd abcd abcd abcd abcd abcd abcd abcd abcd "
       "abcd abcd abcd abcd abcd abcd abcd abcd",
       16 * 8, 240},
  };
  for (const Case& c : fixed_cases) {
    const TextLayout layout = fixed_layout(c.text, rect, PROMPT_FORMAT);
    EXPECT_EQ(layout.height, c.height) << c.text;
    EXPECT_EQ(layout.bounds.right, c.right) << c.text;
  }

  // With the box's font: every line but a single long word fits in the width,
  // and the height is a whole number of lines.
  FontCache& cache = testing::shared_font_cache();
  auto font = cache.font(testing::describe("Arial", 14));
  const FontMeasurer measurer(cache, *font);
  const std::string_view prompt =
      "Please enter the expression to plot, for example sin(x)*x, and press OK to go on.";
  const TextLayout measured = layout_text(prompt, rect, PROMPT_FORMAT, measurer);
  const TextLayout drawn = layout_text(prompt, rect, PROMPT_FORMAT & ~FORMAT_CALCRECT, measurer);
  EXPECT_EQ(measured.height, 14 * static_cast<std::int32_t>(drawn.pieces.size()));
  EXPECT_GE(drawn.pieces.size(), 2u);
  for (const TextPiece& piece : drawn.pieces)
    EXPECT_LE(measurer.text_width(piece.text), rect.right);
  EXPECT_EQ(layout_text("OK?", rect, PROMPT_FORMAT, measurer).height, 14);
}

// ---- prefixes, tabs, ellipsis ---------------------------------------------------

TEST(TextLayout, PrefixesMarkTheNextCharacter) {
  struct Case {
    std::string_view text;
    std::string_view shown;
    MarkedRange mark;
  };
  const Case cases[] = {
      {"&File", "File", {0, 1}},
      {"E&xit", "Exit", {1, 2}},
      {"a&&b", "a&b", {0, 0}},
      {"&&&x", "&x", {1, 2}},
      {"ab&", "ab", {0, 0}},
      {"&a&b", "ab", {0, 1}},  // the first prefix wins
      {"&\xE4\xB8\xAD", "\xE4\xB8\xAD", {0, 3}},
  };
  for (const Case& c : cases) {
    const TextLayout layout = fixed_layout(c.text, {0, 0, 100, 20}, FORMAT_LEFT);
    ASSERT_EQ(layout.pieces.size(), 1u) << c.text;
    EXPECT_EQ(layout.pieces[0].text, c.shown);
    EXPECT_EQ(layout.pieces[0].mark.begin, c.mark.begin) << c.text;
    EXPECT_EQ(layout.pieces[0].mark.end, c.mark.end) << c.text;
  }
  const TextLayout kept = fixed_layout("&File", {0, 0, 100, 20}, FORMAT_NOPREFIX);
  EXPECT_EQ(kept.pieces[0].text, "&File");
  EXPECT_EQ(kept.pieces[0].mark.end, 0u);
}

TEST(TextLayout, DoubledAmpersandMeasuresLikeOne) {
  FontCache& cache = testing::shared_font_cache();
  auto font = cache.font(testing::describe("Arial", 14));
  const FontMeasurer measurer(cache, *font);
  const TextRect rect{0, 0, 300, 20};
  const TextLayout doubled = layout_text("Fish && chips", rect, FORMAT_CALCRECT, measurer);
  const TextLayout single =
      layout_text("Fish & chips", rect, FORMAT_CALCRECT | FORMAT_NOPREFIX, measurer);
  EXPECT_EQ(doubled.bounds, single.bounds);
  EXPECT_EQ(doubled.bounds.right, measurer.text_width("Fish & chips"));
}

TEST(TextLayout, ExpandsTabsToStopsOfEightAverageWidths) {
  const TextLayout layout =
      fixed_layout("a\tb\tc\nabcdefgh\tx", {0, 0, 500, 50}, FORMAT_EXPANDTABS);
  EXPECT_EQ(placed(layout),
            (std::vector<Placed>{
                {"a", 0, 0}, {"b", 56, 0}, {"c", 112, 0}, {"abcdefgh", 0, 16}, {"x", 112, 16}}));
  // Right alignment moves the whole expanded line.
  const TextLayout right = fixed_layout("a\tb", {0, 0, 100, 50}, FORMAT_EXPANDTABS | FORMAT_RIGHT);
  EXPECT_EQ(placed(right), (std::vector<Placed>{{"a", 34, 0}, {"b", 90, 0}}));
  // Without expansion a tab is an ordinary character.
  EXPECT_EQ(placed(fixed_layout("a\tb", {0, 0, 500, 50}, 0)),
            (std::vector<Placed>{{"a\tb", 0, 0}}));
}

TEST(TextLayout, EndEllipsisCutsLinesThatDoNotFit) {
  struct Case {
    std::string_view text;
    std::int32_t width;
    std::string_view shown;
  };
  const Case cases[] = {
      {"abcdefghij", 100, "abcdefghij"},
      {"abcdefghij", 99, "abcdef..."},
      {"abcdefghij", 65, "abc..."},
      {"abcdefghij", 30, "..."},
      {"abcdefghij", 5, "..."},
      {"\xE4\xB8\xAD\xE6\x96\x87\xE8\xBE\x93\xE5\x85\xA5", 35, "..."},
      {"\xE4\xB8\xAD\xE6\x96\x87\xE8\xBE\x93\xE5\x85\xA5\xE6\xB3\x95", 45, "\xE4\xB8\xAD..."},
  };
  for (const Case& c : cases) {
    const TextLayout layout = fixed_layout(c.text, {0, 0, c.width, 20}, FORMAT_END_ELLIPSIS);
    ASSERT_EQ(layout.pieces.size(), 1u);
    EXPECT_EQ(layout.pieces[0].text, c.shown) << c.width;
  }
  // A mark on a character that was cut away goes with it.
  const TextLayout cut = fixed_layout("abcdefg&h", {0, 0, 65, 20}, FORMAT_END_ELLIPSIS);
  EXPECT_EQ(cut.pieces[0].text, "abc...");
  EXPECT_EQ(cut.pieces[0].mark.end, 0u);
}

// ---- robustness ---------------------------------------------------------------

TEST(TextLayout, RandomTextsAndFlagsKeepTheLayoutConsistent) {
  FontCache& cache = testing::shared_font_cache();
  auto font = cache.font(testing::describe("Arial", 14));
  const FontMeasurer measurer(cache, *font);
  std::mt19937 random(20240601);
  const std::string alphabet[] = {"a",    "b",        " ",    "  ", "\t",           "\n",
                                  "\r",   "\r\n",     "&",    "&&", "\xE4\xB8\xAD", "\xFF",
                                  "\xE4", "\xC0\x80", "Wide", "."};
  const std::uint32_t flags[] = {
      FORMAT_CENTER,     FORMAT_RIGHT,      FORMAT_VCENTER, FORMAT_BOTTOM,   FORMAT_WORDBREAK,
      FORMAT_SINGLELINE, FORMAT_EXPANDTABS, FORMAT_NOCLIP,  FORMAT_NOPREFIX, FORMAT_END_ELLIPSIS};
  GlyphRun run;
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int parts = static_cast<int>(random() % 24);
    for (int i = 0; i < parts; ++i) text += alphabet[random() % std::size(alphabet)];
    std::uint32_t format = 0;
    for (std::uint32_t flag : flags) format |= (random() % 3 == 0) ? flag : 0;
    const std::int32_t width = static_cast<std::int32_t>(random() % 120) - 10;
    const TextRect rect{5, 7, 5 + width, 60};

    const TextLayout drawn = layout_text(text, rect, format, measurer);
    const TextLayout measured = layout_text(text, rect, format | FORMAT_CALCRECT, measurer);
    SCOPED_TRACE(::testing::Message()
                 << '"' << text << "\" format " << format << " width " << width);
    EXPECT_EQ(measured.height % 14, 0);
    EXPECT_EQ(measured.bounds.bottom - measured.bounds.top, measured.height);
    if (!(format & FORMAT_SINGLELINE) || !(format & (FORMAT_VCENTER | FORMAT_BOTTOM))) {
      EXPECT_EQ(drawn.height, measured.height);
    }
    const bool left_aligned = (format & (FORMAT_CENTER | FORMAT_RIGHT)) == 0;
    for (const TextPiece& piece : drawn.pieces) {
      EXPECT_FALSE(piece.text.empty());
      EXPECT_LE(piece.mark.begin, piece.mark.end);
      EXPECT_LE(piece.mark.end, piece.text.size());
      if (left_aligned) {
        EXPECT_GE(piece.x, rect.left);
        EXPECT_LE(piece.x + measurer.text_width(piece.text), measured.bounds.right);
      }
      cache.glyph_run(*font, piece.text, {}, run, piece.mark);
      EXPECT_EQ(run.has_mark, piece.mark.end > piece.mark.begin);
    }
  }
}

}  // namespace
}  // namespace korvi::raster
