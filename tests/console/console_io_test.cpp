#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <deque>
#include <string>

#include "console/console.h"
#include "console/console_output.h"
#include "console/plain_line_source.h"
#include "console/text_encoder.h"

namespace calc {
namespace {

// Everything written to a temporary stream, read back.
std::string contents(std::FILE* stream) {
  std::fflush(stream);
  std::rewind(stream);
  std::string text;
  for (int c; (c = std::fgetc(stream)) != EOF;) text += static_cast<char>(c);
  return text;
}

class ScriptedLines final : public LineSource {
 public:
  explicit ScriptedLines(std::deque<InputText> lines) : m_lines(std::move(lines)) {}
  std::optional<InputText> next_line() override {
    if (m_lines.empty()) return std::nullopt;
    InputText line = m_lines.front();
    m_lines.pop_front();
    return line;
  }

 private:
  std::deque<InputText> m_lines;
};

struct ConsoleFixture {
  explicit ConsoleFixture(std::deque<InputText> lines)
      : stream(std::tmpfile()), output(stream, stream, TextEncoder(), false),
        source(std::move(lines)), console(output, source) {}
  ~ConsoleFixture() { std::fclose(stream); }
  std::FILE* stream;
  ConsoleOutput output;
  ScriptedLines source;
  Console console;
};

TEST(Console, TokensAndLinesShareOneInput) {
  ConsoleFixture f({{"y=x"}, {"  -1"}, {""}, {" 1\t3 1+1"}, {"next"}});
  EXPECT_EQ(f.console.read_line()->text, "y=x");
  EXPECT_TRUE(f.console.at_line_start());
  EXPECT_EQ(f.console.read_token()->text, "-1");
  EXPECT_FALSE(f.console.at_line_start());
  EXPECT_EQ(f.console.read_token()->text, "1");  // across the empty line
  EXPECT_EQ(f.console.read_token()->text, "3");
  EXPECT_EQ(f.console.read_line()->text, " 1+1");  // the rest of the count line
  EXPECT_TRUE(f.console.at_line_start());
  f.console.skip_line_rest();  // nothing partly read: the next line stays
  EXPECT_EQ(f.console.read_token()->text, "next");
  f.console.skip_line_rest();
  EXPECT_FALSE(f.console.read_line().has_value());
  EXPECT_FALSE(f.console.read_token().has_value());
}

TEST(Console, CutLinesAndNulBytes) {
  ConsoleFixture f({{"12 34", true}, {std::string("1+1\0junk", 8)}});
  EXPECT_EQ(f.console.read_token()->text, "12");
  const InputText cut = *f.console.read_token();  // may go on past the cut
  EXPECT_TRUE(cut.too_long);
  EXPECT_TRUE(f.console.read_line()->too_long);
  EXPECT_EQ(f.console.read_line()->text, "1+1");
}

TEST(PlainLineSource, SplitsLinesLikeAPipedSession) {
  std::FILE* input = std::tmpfile();
  const std::string long_line(100000, '7');
  const std::string too_long(MAX_KEPT_LINE + 5, '8');
  const std::string text = "a\r\n\nb\rc\n" + long_line + "\n" + too_long + "\nlast";
  std::fwrite(text.data(), 1, text.size(), input);
  std::fflush(input);
  std::rewind(input);
  std::FILE* out = std::tmpfile();
  ConsoleOutput output(out, out, TextEncoder(), false);
  PlainLineSource source(fileno(input), output);
  const char* expected[] = {"a", "", "b\rc"};
  for (const char* line : expected) EXPECT_EQ(source.next_line()->text, line);
  EXPECT_EQ(source.next_line()->text, long_line);
  const InputText cut = *source.next_line();
  EXPECT_TRUE(cut.too_long);
  EXPECT_EQ(cut.text.size(), MAX_KEPT_LINE);
  EXPECT_EQ(source.next_line()->text, "last");
  EXPECT_FALSE(source.next_line().has_value());
  EXPECT_FALSE(source.next_line().has_value());
  std::fclose(input);
  std::fclose(out);
}

TEST(ConsoleOutput, HoldsTheUnfinishedLineForTheLineEditor) {
  std::FILE* stream = std::tmpfile();
  ConsoleOutput output(stream, stream, TextEncoder(), true);
  output.write_bytes("ans =\n\t2\n\n>>");
  EXPECT_EQ(contents(stream), "ans =\n\t2\n\n");
  EXPECT_EQ(output.take_prompt(), ">>");
  output.write_bytes("abc");
  output.write_control("\x1b[2J");
  output.write_bytes("def");
  output.flush();
  EXPECT_EQ(contents(stream), "ans =\n\t2\n\nabc\x1b[2Jdef");
  std::fclose(stream);
}

TEST(TextEncoder, WritesGbkBytesForTheChineseTexts) {
  const TextEncoder gbk("GBK");
  ASSERT_TRUE(gbk.converts());
  EXPECT_EQ(gbk.encode("请输入点的个数："),
            "\xc7\xeb\xca\xe4\xc8\xeb\xb5\xe3\xb5\xc4\xb8\xf6\xca\xfd\xa3\xba");
  EXPECT_EQ(gbk.encode("\n除以0!!!\n\n"), "\n\xb3\xfd\xd2\xd4" "0!!!\n\n");
  EXPECT_EQ(gbk.encode(">>"), ">>");
  EXPECT_EQ(TextEncoder().encode("除以0"), "除以0");
}

}  // namespace
}  // namespace calc
