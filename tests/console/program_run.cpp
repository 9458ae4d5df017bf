#include "program_run.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace calc::test {

namespace fs = std::filesystem;

std::optional<std::string> read_file(const fs::path& path) {
  if (!fs::exists(path)) return std::nullopt;
  std::ostringstream contents;
  contents << std::ifstream(path, std::ios::binary).rdbuf();
  return contents.str();
}

Scratch::Scratch() {
  std::string pattern = (fs::temp_directory_path() / "calc-test-XXXXXX").string();
  root = mkdtemp(pattern.data());
  fs::create_directory(work());
}

Scratch::~Scratch() {
  std::error_code ignored;
  fs::remove_all(root, ignored);
}

void Scratch::write(const char* name, const std::string& text) const {
  std::ofstream(work() / name, std::ios::binary) << text;
}

fs::path program_path() { return CALC_PROGRAM; }

namespace {

// Every test runs the program: without it they stop at once and say why.
class ProgramBuilt : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(program_path()))
        << "no program at " << program_path() << ": build the calc target first";
  }
};

const ::testing::Environment* const g_program_built =
    ::testing::AddGlobalTestEnvironment(new ProgramBuilt);  // gtest owns it

}  // namespace

ProgramRun run_program(const Scratch& scratch, const std::string& input,
                       const RunOptions& options) {
  std::ofstream(scratch.root / "stdin", std::ios::binary) << input;
  const std::string command = "cd '" + scratch.work().string() + "' && " + options.before +
                              "env -i " + options.environment + " '" + program_path().string() +
                              "' <../stdin 2>../stderr" +
                              (options.output_fd < 0 ? " >../stdout" : "");
  const pid_t child = fork();
  if (child == 0) {
    if (options.output_fd >= 0) dup2(options.output_fd, STDOUT_FILENO);
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return {read_file(scratch.root / "stdout").value_or(""), *read_file(scratch.root / "stderr"),
          WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

}  // namespace calc::test
