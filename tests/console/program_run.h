// The program run in a scratch directory with piped input, as the console tests
// use it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace calc::test {

std::optional<std::string> read_file(const std::filesystem::path& path);

// A scratch directory whose "work" folder is the program's working directory.
struct Scratch {
  Scratch();
  ~Scratch();
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  std::filesystem::path work() const { return root / "work"; }
  std::optional<std::string> read(const char* name) const { return read_file(work() / name); }
  void write(const char* name, const std::string& text) const;
  std::filesystem::path root;
};

// The program file in the build tree (the test knows it from its build).
std::filesystem::path program_path();

struct RunOptions {
  std::string environment = "LC_ALL=C";  // the program's whole environment
  std::string before = "";               // shell words before the program's command
  int output_fd = -1;                    // standard output; -1: a file, read back
};

struct ProgramRun {
  std::string out, err;  // `out` stays empty when output_fd is given
  int status;            // the exit status, -1 when ended by a signal
};

ProgramRun run_program(const Scratch& scratch, const std::string& input,
                       const RunOptions& options = {});

}  // namespace calc::test
