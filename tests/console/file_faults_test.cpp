// Faults around the program's files and output: files that are not regular files,
// a write cut short, an output that cannot be written.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "program_run.h"

namespace calc::test {
namespace {

namespace fs = std::filesystem;

// What stands at `path`: the contents of a regular file, or its kind in brackets.
std::string what_is(const fs::path& path) {
  const fs::file_type type = fs::symlink_status(path).type();
  if (type == fs::file_type::regular) return *read_file(path);
  if (type == fs::file_type::not_found) return "<absent>";
  if (type == fs::file_type::directory) return "<directory>";
  if (type == fs::file_type::fifo) return "<fifo>";
  return "<other>";
}

const std::string FULL_HISTORY = std::string(4093, 'h') + "\n";
const std::string FULL_VARIABLES = std::string(4089, 'v') + "\n";

TEST(DataFiles, WholeRecordsOnlyAndOnlyRegularFiles) {
  struct Case {
    const char* title;
    void (*setup)(const fs::path& work);
    RunOptions options;
    std::string input, out, err, history, variables;  // the files' state afterwards
  };
  const std::string LISTINGS_AND_CLEAR = ">>\nYour variables are:\n\n>>\nInput history\n\n>>>>\n";
  const Case CASES[] = {
      {"directories are neither listed nor removed",
       [](const fs::path& work) {
         fs::create_directory(work / "input.txt");
         fs::create_directory(work / "bianliang.txt");
       },
       {},
       "who\nhis\nclear all\n",
       LISTINGS_AND_CLEAR,
       "calc: cannot append to input.txt: Is a directory\n"
       "calc: cannot read bianliang.txt: Is a directory\n"
       "calc: cannot append to input.txt: Is a directory\n"
       "calc: cannot read input.txt: Is a directory\n"
       "calc: cannot append to input.txt: Is a directory\n"
       "calc: did not remove input.txt: Is a directory\n"
       "calc: did not remove bianliang.txt: Is a directory\n",
       "<directory>",
       "<directory>"},
      {"links to a device are not read, and clear all removes the links",
       [](const fs::path& work) {
         fs::create_symlink("/dev/zero", work / "input.txt");
         fs::create_symlink("/dev/zero", work / "bianliang.txt");
       },
       {},
       "who\nhis\nclear all\n",
       LISTINGS_AND_CLEAR,
       "calc: cannot read bianliang.txt: not a regular file\n"
       "calc: cannot read input.txt: not a regular file\n",
       "<absent>",
       "<absent>"},
      {"FIFOs make nothing wait and stay in place",
       [](const fs::path& work) {
         mkfifo((work / "input.txt").c_str(), 0600);
         mkfifo((work / "bianliang.txt").c_str(), 0600);
       },
       {},
       "1\nwho\nclear all\n",
       ">>ans =\n\t1\n\n>>\nYour variables are:\n\n>>>>\n",
       "calc: cannot append to input.txt: No such device or address\n"
       "calc: cannot append to bianliang.txt: No such device or address\n"
       "calc: cannot append to input.txt: No such device or address\n"
       "calc: cannot read bianliang.txt: not a regular file\n"
       "calc: cannot append to input.txt: No such device or address\n"
       "calc: did not remove input.txt: not a regular file\n"
       "calc: did not remove bianliang.txt: not a regular file\n",
       "<fifo>",
       "<fifo>"},
      // Both files are a few bytes short of the size limit: each record's write
      // is cut short, as on a full disk.
      {"a write cut short leaves the file as it was",
       [](const fs::path& work) {
         std::ofstream(work / "input.txt") << FULL_HISTORY;
         std::ofstream(work / "bianliang.txt") << FULL_VARIABLES;
       },
       {.before = "trap '' XFSZ; prlimit --fsize=4096 "},
       "z=9\n",
       ">>z =\n\t9\n\n>>\n",
       "calc: cannot append to input.txt: File too large\n"
       "calc: cannot append to bianliang.txt: File too large\n",
       FULL_HISTORY,
       FULL_VARIABLES},
      {"a file-size limit is no signal that ends the program",
       [](const fs::path& work) {
         std::ofstream(work / "input.txt") << FULL_HISTORY;
         std::ofstream(work / "bianliang.txt") << FULL_VARIABLES;
       },
       {.before = "prlimit --fsize=4096 "},
       "z=9\n",
       ">>z =\n\t9\n\n>>\n",
       "calc: cannot append to input.txt: File too large\n"
       "calc: cannot append to bianliang.txt: File too large\n",
       FULL_HISTORY,
       FULL_VARIABLES},
  };
  for (const Case& c : CASES) {
    SCOPED_TRACE(c.title);
    const Scratch scratch;
    c.setup(scratch.work());
    const ProgramRun run = run_program(scratch, c.input, c.options);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(what_is(scratch.work() / "input.txt"), c.history);
    EXPECT_EQ(what_is(scratch.work() / "bianliang.txt"), c.variables);
  }
}

// An output that fails stops the program before anything is recorded.
TEST(Output, AFailingOutputEndsTheRunWithStatus1) {
  int closed_pipe[2];
  ASSERT_EQ(pipe(closed_pipe), 0);
  close(closed_pipe[0]);
  const int full = open("/dev/full", O_WRONLY);
  ASSERT_GE(full, 0);
  struct Case {
    const char* title;
    RunOptions options;
    std::string err;
  };
  const Case CASES[] = {
      {"a full device",
       {.output_fd = full},
       "calc: cannot write to standard output: No space left on device\n"},
      {"a pipe without a reader, SIGPIPE ignored",
       {.before = "trap '' PIPE; ", .output_fd = closed_pipe[1]},
       "calc: cannot write to standard output: Broken pipe\n"},
  };
  for (const Case& c : CASES) {
    SCOPED_TRACE(c.title);
    const Scratch scratch;
    const ProgramRun run = run_program(scratch, "1+1\nwho\n2+2\n", c.options);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(what_is(scratch.work() / "input.txt"), "<absent>");
    EXPECT_EQ(what_is(scratch.work() / "bianliang.txt"), "<absent>");
  }
  close(closed_pipe[1]);
  close(full);
}

}  // namespace
}  // namespace calc::test
