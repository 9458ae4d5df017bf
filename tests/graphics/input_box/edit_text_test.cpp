// The input box's edit field without a window: the text under its byte limit,
// caret and selection moves, and where lines wrap and clicks land.
#include "input_box/edit_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input_box/edit_field.h"
#include "input_box/edit_layout.h"

namespace {

using korvi::dialog::EditField;
using korvi::dialog::EditKey;
using korvi::dialog::EditLayout;
using korvi::dialog::EditText;

TEST(EditText, TypedAndPastedTextIsCleanedAndCutToTheLimitOnACharacterBoundary) {
  struct Case {
    const char* name;
    std::size_t limit;
    bool multi_line;
    std::string initial;
    std::string typed;
    std::string expected;
  };
  const Case cases[] = {
      {"fits", 10, false, "", "hello", "hello"},
      {"ascii cut at the limit", 4, false, "", "hello", "hell"},
      {"two-byte character not cut", 4, false, "abc", "\xC3\xA9", "abc"},
      {"three-byte characters", 5, false, "ab", "中文", "ab中"},
      {"four-byte character", 4, false, "", "😀x", "😀"},
      {"full field takes nothing", 3, false, "abc", "d", "abc"},
      {"single line stops at a line break", 20, false, "", "one\r\ntwo", "one"},
      {"multi-line breaks become newlines", 20, true, "", "a\r\nb\rc\nd", "a\nb\nc\nd"},
      {"controls dropped, tab kept", 20, false, "", "a\x01\tb\x7F", "a\tb"},
      {"malformed bytes become U+FFFD", 20, false, "", "a\xFF\xC3", "a\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"U+FFFD itself is kept", 20, false, "", "\xEF\xBF\xBD", "\xEF\xBF\xBD"},
  };
  for (const Case& c : cases) {
    EditText text(c.limit, c.multi_line);
    text.set_text(c.initial);
    text.move_to(text.text().size(), false);
    text.insert(c.typed);
    EXPECT_EQ(text.text(), c.expected) << c.name;
    EXPECT_LE(text.text().size(), c.limit) << c.name;
    EXPECT_EQ(text.caret(), text.text().size()) << c.name;
  }
}

TEST(EditText, CaretMovesAndErasesWholeCharacters) {
  struct Step {
    void (*act)(EditText&);
    const char* text;
    std::size_t caret;
    std::size_t anchor;
  };
  EditText text(100, false);
  text.set_text("ab中d");  // bytes: a b [3 bytes] d
  const Step steps[] = {
      {[](EditText& t) { t.move_left(false); }, "ab中d", 0, 0},   // collapses to the start
      {[](EditText& t) { t.move_to(5, false); }, "ab中d", 5, 5},  // after 中
      {[](EditText& t) { t.move_to(3, false); }, "ab中d", 2, 2},  // inside 中: back to its start
      {[](EditText& t) { t.move_right(true); }, "ab中d", 5, 2},
      {[](EditText& t) { t.move_right(true); }, "ab中d", 6, 2},
      {[](EditText& t) { t.move_left(false); }, "ab中d", 2,
       2},  // collapses to the selection's start
      {[](EditText& t) { t.erase_forward(); }, "abd", 2, 2},
      {[](EditText& t) { t.erase_backward(); }, "ad", 1, 1},
      {[](EditText& t) { t.erase_backward(); }, "d", 0, 0},
      {[](EditText& t) { t.erase_backward(); }, "d", 0, 0},  // nothing before the start
      {[](EditText& t) { t.move_to(99, false); }, "d", 1, 1},
      {[](EditText& t) { t.erase_forward(); }, "d", 1, 1},  // nothing after the end
  };
  int index = 0;
  for (const Step& step : steps) {
    step.act(text);
    EXPECT_EQ(text.text(), step.text) << "step " << index;
    EXPECT_EQ(text.caret(), step.caret) << "step " << index;
    EXPECT_EQ(text.anchor(), step.anchor) << "step " << index;
    ++index;
  }
}

TEST(EditText, WordMovesAndWordSelection) {
  EditText text(100, true);
  text.set_text("one, two  三四\nfive");
  text.move_to(0, false);
  std::vector<std::size_t> stops;
  for (int i = 0; i < 6; ++i) {
    text.move_word_right(false);
    stops.push_back(text.caret());
  }
  // "one" | ", " | "two  " | "三四\n" | "five" | end
  EXPECT_EQ(stops, (std::vector<std::size_t>{3, 5, 10, 17, 21, 21}));
  std::vector<std::size_t> back;
  for (int i = 0; i < 5; ++i) {
    text.move_word_left(false);
    back.push_back(text.caret());
  }
  EXPECT_EQ(back, (std::vector<std::size_t>{17, 10, 5, 3, 0}));

  text.select_word_at(6);  // inside "two"
  EXPECT_EQ(text.selected_text(), "two");
  text.select_word_at(8);  // the run of spaces
  EXPECT_EQ(text.selected_text(), "  ");
  text.select_word_at(21);  // the end: the last word
  EXPECT_EQ(text.selected_text(), "five");
}

// Every character is 10 pixels wide, a space 5; lines are 14 high.
class FixedMeasurer final : public korvi::raster::TextMeasurer {
 public:
  std::int32_t text_width(std::string_view utf8) const override { return utf8 == " " ? 5 : 10; }
  std::int32_t line_height() const override { return 14; }
  std::int32_t average_char_width() const override { return 10; }
};

std::vector<std::string> lines_of(const EditLayout& layout, const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < layout.line_count(); ++i)
    lines.push_back(text.substr(layout.line(i).begin, layout.line(i).end - layout.line(i).begin));
  return lines;
}

TEST(EditLayout, WrapsAtSpacesIdeographsAndInsideOverlongWords) {
  struct Case {
    const char* name;
    std::string text;
    std::int32_t width;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"one line without a width", "aaa bbb ccc", 0, {"aaa bbb ccc"}},
      {"spaces break and hang", "aaa bbb ccc", 60, {"aaa ", "bbb ", "ccc"}},
      {"two words fit", "aa bb cc", 45, {"aa bb ", "cc"}},
      {"a long word is broken", "abcdefgh", 30, {"abc", "def", "gh"}},
      {"newlines end lines", "a\n\nb\n", 100, {"a", "", "b", ""}},
      {"ideographs break anywhere", "ab中文字", 35, {"ab中", "文字"}},
      {"at least one character a line", "abc", 1, {"a", "b", "c"}},
      {"empty text is one empty line", "", 50, {""}},
  };
  FixedMeasurer measurer;
  for (const Case& c : cases) {
    EditLayout layout(measurer);
    layout.update(c.text, c.width);
    EXPECT_EQ(lines_of(layout, c.text), c.lines) << c.name;
  }
}

TEST(EditLayout, CaretsAndClicksFindTheirLineAndNearestBoundary) {
  FixedMeasurer measurer;
  EditLayout layout(measurer);
  const std::string text = "aaa bbb\n中c";
  layout.update(text, 60);  // "aaa " (soft), "bbb", "中c"
  ASSERT_EQ(layout.line_count(), 3u);
  EXPECT_TRUE(layout.line(0).soft);
  EXPECT_FALSE(layout.line(1).soft);

  EXPECT_EQ(layout.line_of(4), 1u);  // a soft line's end shows on the next line
  EXPECT_EQ(layout.x_of(4), 0);
  EXPECT_EQ(layout.line_of(7), 1u);  // a hard line's end stays on it
  EXPECT_EQ(layout.x_of(7), 30);
  EXPECT_EQ(layout.x_of(11), 10);  // after 中
  EXPECT_EQ(layout.widest_line(), 35);
  // What must be drawn to show an x range: the characters reaching into it.
  EXPECT_EQ(layout.span_between(0, 12, 25), (std::pair<std::size_t, std::size_t>{1, 3}));
  EXPECT_EQ(layout.span_between(2, 5, 12), (std::pair<std::size_t, std::size_t>{8, 12}));

  struct Click {
    std::size_t line;
    std::int64_t x;
    std::size_t position;
  };
  const Click clicks[] = {
      {0, -5, 0},  {0, 4, 0}, {0, 6, 1},  {0, 200, 3},  // not past a soft line's end
      {1, 200, 7}, {2, 4, 8}, {2, 6, 11}, {2, 16, 12},  // 中 is bytes 8..10
      {9, 0, 8},                                        // lines past the last: the last
  };
  for (const Click& c : clicks)
    EXPECT_EQ(layout.position_at(c.line, c.x), c.position) << c.line << ", " << c.x;
}

TEST(EditField, UndoTakesBackTheLastRunOfTypingOrErasingAndASecondUndoRedoes) {
  FixedMeasurer measurer;
  EditField field({0, 0, 300, 20}, 100, false, measurer);
  field.set_text("");
  struct Step {
    void (*act)(EditField&);
    const char* text;
  };
  const Step steps[] = {
      {[](EditField& f) { f.type("a"); }, "a"},
      {[](EditField& f) { f.type("b"); }, "ab"},
      {[](EditField& f) { f.undo(); }, ""},  // "ab" was typed in one run
      {[](EditField& f) { f.undo(); }, "ab"},
      {[](EditField& f) { f.key(EditKey::BACKSPACE, false, false); }, "a"},
      {[](EditField& f) { f.key(EditKey::BACKSPACE, false, false); }, ""},
      {[](EditField& f) { f.undo(); }, "ab"},
      {[](EditField& f) { f.paste("xy"); }, "abxy"},
      {[](EditField& f) { f.type("z"); }, "abxyz"},
      {[](EditField& f) { f.undo(); }, "abxy"},
      {[](EditField& f) { f.key(EditKey::LEFT, false, false); }, "abxy"},
      {[](EditField& f) { f.type("1"); }, "abx1y"},
      {[](EditField& f) { f.key(EditKey::LEFT, false, false); }, "abx1y"},
      {[](EditField& f) { f.type("2"); }, "abx21y"},  // a move starts a new run
      {[](EditField& f) { f.undo(); }, "abx1y"},
  };
  int index = 0;
  for (const Step& step : steps) {
    step.act(field);
    EXPECT_EQ(field.text(), step.text) << "step " << index++;
  }
}

}  // namespace
