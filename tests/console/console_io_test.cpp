#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/console_output.h"
#include "console/plain_line_source.h"
#include "console/record_file.h"
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

// A console reading `input` through plain reads of a temporary file.
struct ConsoleFixture {
  explicit ConsoleFixture(const std::string& input)
      : in(std::tmpfile()),
        out(std::tmpfile()),
        output(out, out, TextEncoder(), false),
        source((std::fwrite(input.data(), 1, input.size(), in), std::rewind(in), fileno(in)),
               output),
        console(output, source) {}
  ~ConsoleFixture() {
    std::fclose(in);
    std::fclose(out);
  }
  std::FILE* in;
  std::FILE* out;
  ConsoleOutput output;
  PlainLineSource source;
  Console console;
};

TEST(Console, TokensAndLinesShareOneInput) {
  ConsoleFixture f("y=x\n  -1\n\n 1\t3 1+1\nnext\n");
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
  EXPECT_FALSE(f.console.input_ended());
  EXPECT_FALSE(f.console.read_line().has_value());
  EXPECT_FALSE(f.console.read_token().has_value());
  EXPECT_TRUE(f.console.input_ended());
}

TEST(Console, CutLinesAndNulBytes) {
  ConsoleFixture f("12 " + std::string(MAX_KEPT_LINE, '3') + "\n" + std::string("1+1\0junk", 8));
  EXPECT_EQ(f.console.read_token()->text, "12");
  EXPECT_TRUE(f.console.read_token()->too_long);  // it may go on past the cut
  EXPECT_TRUE(f.console.read_line()->too_long);
  EXPECT_EQ(f.console.read_line()->text, "1+1");
}

TEST(PlainLineSource, SplitsLinesLikeAPipedSession) {
  const std::string long_line(100000, '7');
  ConsoleFixture f("a\r\n\nb\rc\n" + long_line + "\n" + std::string(MAX_KEPT_LINE + 5, '8') +
                   "\nlast");
  for (const char* line : {"a", "", "b\rc"}) EXPECT_EQ(f.source.next_line()->text, line);
  EXPECT_EQ(f.source.next_line()->text, long_line);
  const InputText cut = *f.source.next_line();
  EXPECT_TRUE(cut.too_long);
  EXPECT_EQ(cut.text.size(), MAX_KEPT_LINE);
  EXPECT_EQ(f.source.next_line()->text, "last");  // no line end: still a line
  EXPECT_FALSE(f.source.next_line().has_value());
  EXPECT_FALSE(f.source.next_line().has_value());
}

TEST(FileLines, TheTailStartsAtItsFirstWholeLine) {
  char name[] = "/tmp/file-lines-XXXXXX";
  const int fd = mkstemp(name);
  ASSERT_GE(fd, 0);
  const std::string text = "one\ntwo\nthree\n";  // 14 bytes
  ASSERT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  close(fd);
  const struct {
    std::size_t tail;
    std::vector<std::string> lines;
  } cases[] = {
      {10, {"two", "three"}},         // the byte before the tail ends a line
      {11, {"two", "three"}},         // the tail starts with that line end
      {9, {"three"}},                 // the tail starts inside a line
      {0, {}},                        // nothing kept
      {14, {"one", "two", "three"}},  // the whole file, and more
      {100, {"one", "two", "three"}},
  };
  for (const auto& c : cases) {
    FileLines file(name);
    file.keep_only_tail(c.tail);
    std::vector<std::string> lines;
    while (const auto line = file.next_line()) lines.emplace_back(*line);
    EXPECT_EQ(lines, c.lines) << "tail " << c.tail;
  }
  unlink(name);
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
  EXPECT_EQ(gbk.encode("\n除以0!!!\n\n"),
            "\n\xb3\xfd\xd2\xd4"
            "0!!!\n\n");
  EXPECT_EQ(gbk.encode(">>"), ">>");
  EXPECT_EQ(TextEncoder().encode("除以0"), "除以0");
}

}  // namespace
}  // namespace calc
