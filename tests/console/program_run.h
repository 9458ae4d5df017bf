#pragma once

#include <optional>
#include <string>
#include <vector>

namespace calc {

/// The outcome of one run of the program.
struct ProgramRun {
  std::string out;
  std::string err;
  int status = -1;  // exit status, or -1 when the program did not exit normally
};

/// A scratch working directory, removed with everything in it on destruction.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::string& path() const { return m_path; }
  /// The file's contents, or nullopt when it does not exist.
  std::optional<std::string> read(const std::string& name) const;
  void write(const std::string& name, const std::string& contents) const;

 private:
  std::string m_path;
};

/// Runs build/calc (found through KORVI_BUILD_DIR) in `directory` with `input` as
/// its standard input and only `environment` as its environment.
ProgramRun run_program(const ScratchDirectory& directory, const std::string& input,
                       const std::vector<std::string>& environment = {"LC_ALL=C"});

}  // namespace calc
