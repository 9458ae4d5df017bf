// Faults around the program's files and output.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
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
