// Runs the program with piped input in a scratch directory and compares standard
// output, the exit status and both files byte for byte.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include "program_run.h"

namespace calc::test {
namespace {

const std::string MISSING = "\nError: Missing operator, comma, or semicolon.\n\n";
const std::string TWO_PROMPTS = "请输入表达式：\n请输入x的变化范围:\n";
const std::string PROMPTS = TWO_PROMPTS + "请输入点的个数：";
const std::optional<std::string> ABSENT;
// Transcripts run without a display: a plot says it has no window.
const std::string NO_WINDOW = "\n无法打开图形窗口!\n\n";
const std::string NO_WINDOW_REASON =
    "korvi: cannot open the graphics window: no display to show windows on (neither DISPLAY "
    "nor WAYLAND_DISPLAY is set)\n";

struct Transcript {
  const char* title;
  std::string input;
  std::string out;
  std::optional<std::string> history;
  std::optional<std::string> variables;
  std::string history_before = "";  // files left by an earlier run; empty: none
  std::string variables_before = "";
  std::string err = "";  // standard error
};

const Transcript TRANSCRIPTS[] = {
    {"names, quiet lines and result forms",
     "1+2*3\na b = 1+1\n7/2\nx=7;\nx=7; \n=5\na=b=3\n-2147483648\n2147483648\n-0\n",
     ">>ans =\n\t7\n\n>>ab =\n\t2\n\n>>ans =\n\t3.500000\n\n>>>>x =\n\t7\n\n>>ans =\n\t5\n\n>>" +
         MISSING + ">>ans =\n\t-2147483648\n\n>>ans =\n\t2147483648.000000\n\n>>ans =\n\t0\n\n>>\n",
     "1+2*3\na b = 1+1\n7/2\nx=7;\nx=7; \n=5\na=b=3\n-2147483648\n2147483648\n-0\n",
     "ans\t7.000000\nab\t2.000000\nans\t3.500000\nx\t7.000000\nx\t7.000000\nans\t5.000000\n"
     "ans\t-2147483648.000000\nans\t2147483648.000000\nans\t-0.000000\n"},
    {"both kinds of error, blank lines and near-commands",
     "5/0\nsqrt(-4);\n3+\n   \n\nExit\n who\nwho;\n",
     ">>\n除以0!!!\n\nans =\n\t-nan\n\n>>\nsqrt的数值不合法!!!!!\n\n>>" + MISSING + ">>" + MISSING +
         ">>>>" + MISSING + ">>" + MISSING + ">>" + MISSING + ">>\n",
     "5/0\nsqrt(-4);\n3+\n   \nExit\n who\nwho;\n", "ans\t-nan\nans\t-nan\n"},
    {"listings of files left by an earlier run", "who\nhis\n",
     ">>\nYour variables are:\n\na\t2.000000\nans\t3.500000\ntab\tname\t-nan\n\n\n>>"
     "\nInput history\n\na\n=\n1+2\n7/2\nwho\n\n\n>>\n",
     "a = 1+2\n7/2\nwho\n", "a\t2.000000\nans\t3.500000\ntab\tname\t-nan\n", "a = 1+2\n7/2\n",
     "a\t2.000000\nans\t3.500000\ntab\tname\t-nan\n"},
    {"clear all, then the listings", "1\nclear all\nhis\nwho\nclear all\nclc\n",
     ">>ans =\n\t1\n\n>>>>\nInput history\n\n\n\n>>\nYour variables are:\n\n>>>>>>\n", "clc\n",
     ABSENT, "old\n", "old\t1.000000\n"},
    {"exit is recorded and ends the run", "exit\n1\n", ">>", "exit\n", ABSENT},
    {"quit", "quit\n", ">>", "quit\n", ABSENT},
    {"q ends the run from the evaluator", "2\nq\n3\n", ">>ans =\n\t2\n\n>>", "2\nq\n",
     "ans\t2.000000\n", "", ""},
    {"end of input, a last line without a line end, CRLF", "1+1\r\nwho\r\n2",
     ">>ans =\n\t2\n\n>>\nYour variables are:\n\nans\t2.000000\n\n\n>>ans =\n\t2\n\n>>\n",
     "1+1\nwho\n2\n", "ans\t2.000000\nans\t2.000000\n"},
    {"over-long lines and names are refused whole",
     std::string(1000, '1') + "\n" + std::string(100, 'n') + "=1\n" + std::string(99, 'n') + "=1\n",
     ">>\nError: Line too long: at most 999 characters.\n\n>>\nError: Name too long: at most 99 "
     "characters.\n\n>>" +
         std::string(99, 'n') + " =\n\t1\n\n>>\n",
     std::string(99, 'n') + "=1\n", std::string(99, 'n') + "\t1.000000\n"},
    {"a plot, and the rest of the count line as the next line",
     "tu\ny=x*x\n-1\n1\n3 1+1\ntu\ny=1/x\n-1 1 3\n",
     ">>" + PROMPTS + NO_WINDOW + "ans =\n\t2\n\n>>" + PROMPTS + "\n除以0!!!\n\n" + NO_WINDOW +
         ">>\n",
     " 1+1\n", "ans\t2.000000\n", "", "", NO_WINDOW_REASON},
    {"a plot abandoned by its expression", "tu\ny=x+\n0 1\n3\nhis\n",
     ">>" + PROMPTS + MISSING + ">>\nInput history\n\n\n\n>>\n", "", ABSENT},
    {"the plotter refuses what it cannot use",
     "tu\nx\ntu\ny=x\nabc 1\ntu\ny=x\n0 inf\ntu\ny=x\n0 1\n1 2\ntu\ny=x\n0 1\n10001\ntu\ny=x\n0 1\n"
     "2.5\ntu\ny=" +
         std::string(200, 'x') + "\n0 1000\n2\ntu\ny=" + std::string(998, 'x') + "\n",
     ">>请输入表达式：\n\n表达式太短!\n\n>>" + TWO_PROMPTS + "\nx的变化范围不合法!\n\n>>" +
         TWO_PROMPTS + "\nx的变化范围不合法!\n\n>>" + PROMPTS +
         "\n点的个数必须是2到10000之间的整数!\n\n>>" + PROMPTS +
         "\n点的个数必须是2到10000之间的整数!\n\n>>" + PROMPTS +
         "\n点的个数必须是2到10000之间的整数!\n\n>>" + PROMPTS +
         "\n代入x的值后表达式太长!\n\n>>请输入表达式：\n\n表达式太长!\n\n>>\n",
     "", ABSENT},
    {"a record after an unterminated last line starts a new one", "z=9\nwho\n",
     ">>z =\n\t9\n\n>>\nYour variables are:\n\nv525\t525.000000\nz\t9.000000\n\n\n>>\n",
     "v479=\nz=9\nwho\n", "v525\t525.0000\nz\t9.000000\n", "v479=", "v525\t525.0000"},
    {"end of input inside the plot's prompts", "tu\ny=x\n0", ">>" + TWO_PROMPTS, "", ABSENT},
    {"q as the plotted expression", "tu\ny=q\n0 1\n2\n5\n", ">>" + PROMPTS, "", ABSENT},
};

TEST(Transcript, PipedSessions) {
  for (const Transcript& t : TRANSCRIPTS) {
    SCOPED_TRACE(t.title);
    const Scratch scratch;
    if (!t.history_before.empty()) scratch.write("input.txt", t.history_before);
    if (!t.variables_before.empty()) scratch.write("bianliang.txt", t.variables_before);
    const ProgramRun run = run_program(scratch, t.input);
    EXPECT_EQ(run.out, t.out);
    EXPECT_EQ(run.err, t.err);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(scratch.read("input.txt"), t.history);
    EXPECT_EQ(scratch.read("bianliang.txt"), t.variables);
  }
}

TEST(Transcript, FilesThatCannotBeWrittenAreReportedAndTheLoopGoesOn) {
  // Directories in the files' places: neither can be appended to nor removed.
  const Scratch scratch;
  for (const char* name : {"input.txt", "bianliang.txt"}) {
    const std::string directory = (scratch.work() / name).string();
    ASSERT_EQ(mkdir(directory.c_str(), 0700), 0);
    std::ofstream(directory + "/keep") << "x";
  }
  const ProgramRun run = run_program(scratch, "1+1\nclear all\n");
  EXPECT_EQ(run.out, ">>ans =\n\t2\n\n>>>>\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err,
            "calc: cannot append to input.txt: Is a directory\n"
            "calc: cannot append to bianliang.txt: Is a directory\n"
            "calc: cannot append to input.txt: Is a directory\n"
            "calc: did not remove input.txt: Is a directory\n"
            "calc: did not remove bianliang.txt: Is a directory\n");
}

TEST(Transcript, ChineseTextsInGbkUnderAGbkLocale) {
  const Scratch scratch;
  const std::string locales = (scratch.root / "locales").string();
  if (std::system(("mkdir " + locales + " && localedef -i zh_CN -f GBK " + locales +
                   "/zh_CN.GBK >/dev/null 2>&1")
                      .c_str()) != 0) {
    GTEST_SKIP() << "cannot build a GBK locale here";
  }
  const ProgramRun run =
      run_program(scratch, "1/0\ntu\n", {"LOCPATH=" + locales + " LC_ALL=zh_CN.GBK"});
  EXPECT_EQ(run.out,
            ">>\n\xb3\xfd\xd2\xd4"
            "0!!!\n\nans =\n\t-nan\n\n>>\xc7\xeb\xca\xe4\xc8\xeb"
            "\xb1\xed\xb4\xef\xca\xbd\xa3\xba\n");
}

}  // namespace
}  // namespace calc::test
