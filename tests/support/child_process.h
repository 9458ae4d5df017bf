// A program run by a test: its standard input and output are pipes of ours.
#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace korvi::test {

class ChildProcess {
 public:
  struct Options {
    std::vector<std::string> argv;
    std::string working_directory;           // empty: the test's own
    std::map<std::string, std::string> env;  // added to (or replacing in) the test's environment
    std::vector<std::string> unset_env;      // removed from it
    bool new_session = true;                 // no controlling terminal
  };

  explicit ChildProcess(const Options& options);
  // Kills the child if it still runs.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  void write_input(const std::string& text);
  void close_input();
  // Reads standard output until it contains text or the time is up; returns
  // whether it appeared. Everything read so far is in output().
  bool wait_for_output(const std::string& text, std::chrono::milliseconds timeout);
  const std::string& output() const { return m_output; }
  // Waits for the child to end and reads the rest of its output. Returns the
  // exit status, or nothing when it was killed by a signal or the time ran out
  // (then it is killed).
  std::optional<int> wait(std::chrono::milliseconds timeout);
  int pid() const { return m_pid; }

 private:
  bool read_some(std::chrono::milliseconds timeout);

  int m_pid = -1;
  int m_input = -1;
  int m_out = -1;
  std::string m_output;
};

// Runs a command to its end and returns its standard output, or nothing when it
// fails or takes longer than the timeout.
std::optional<std::string> run_command(
    const std::vector<std::string>& argv, const std::map<std::string, std::string>& env = {},
    std::chrono::milliseconds timeout = std::chrono::seconds(10));

}  // namespace korvi::test
