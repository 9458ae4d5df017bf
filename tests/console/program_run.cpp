#include "program_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace calc {

namespace {

std::string read_whole(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream contents;
  contents << file.rdbuf();
  return contents.str();
}

}  // namespace

ScratchDirectory::ScratchDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "calc-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  m_path = pattern;
  std::filesystem::create_directory(m_path + "/work");
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

std::optional<std::string> ScratchDirectory::read(const std::string& name) const {
  const std::filesystem::path path = m_path + "/work/" + name;
  if (!std::filesystem::exists(path)) return std::nullopt;
  return read_whole(path);
}

void ScratchDirectory::write(const std::string& name, const std::string& contents) const {
  std::ofstream(m_path + "/work/" + name, std::ios::binary) << contents;
}

ProgramRun run_program(const ScratchDirectory& directory, const std::string& input,
                       const std::vector<std::string>& environment) {
  const char* build_dir = std::getenv("KORVI_BUILD_DIR");
  const std::string program =
      std::filesystem::absolute(std::string(build_dir != nullptr ? build_dir : "build") + "/calc");
  const std::string in_path = directory.path() + "/stdin";
  const std::string out_path = directory.path() + "/stdout";
  const std::string err_path = directory.path() + "/stderr";
  std::ofstream(in_path, std::ios::binary) << input;

  std::vector<char*> envp;
  for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
  envp.push_back(nullptr);
  const std::string work = directory.path() + "/work";

  const pid_t child = fork();
  if (child == 0) {
    const int in = open(in_path.c_str(), O_RDONLY);
    const int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0 || chdir(work.c_str()) != 0) _exit(126);
    dup2(in, STDIN_FILENO);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    char* argv[] = {const_cast<char*>("calc"), nullptr};
    execve(program.c_str(), argv, envp.data());
    _exit(127);
  }
  int wait_status = 0;
  waitpid(child, &wait_status, 0);
  ProgramRun run;
  run.out = read_whole(out_path);
  run.err = read_whole(err_path);
  run.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
  return run;
}

}  // namespace calc
