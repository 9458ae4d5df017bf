// A program run on a pseudo-terminal of ours: the terminal is its controlling
// terminal and its standard input, output and error, as in a terminal window.
#pragma once

#include <termios.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace korvi::test {

class TerminalProcess {
 public:
  struct Options {
    std::vector<std::string> argv;
    std::string working_directory;           // empty: the test's own
    std::map<std::string, std::string> env;  // the program's whole environment
  };

  // Runs a program. SIGINT, SIGTERM, SIGHUP and SIGQUIT start with their default
  // actions, and no core file is written.
  explicit TerminalProcess(const Options& options);
  // Runs `body` in a child process set up the same way; its result is the exit
  // status of a normal exit (exit-time handlers run).
  explicit TerminalProcess(const std::function<int()>& body);
  // Kills the child if it still runs.
  ~TerminalProcess();
  TerminalProcess(const TerminalProcess&) = delete;
  TerminalProcess& operator=(const TerminalProcess&) = delete;

  // Keys typed at the terminal.
  void type(const std::string& keys);
  // Reads what the terminal shows until it contains `text` after `from` (an offset
  // into output()) or the time is up; returns whether it appeared.
  bool wait_for_output(const std::string& text, std::chrono::milliseconds timeout,
                       std::size_t from = 0);
  const std::string& output() const { return m_output; }
  // The terminal's mode as the program sets it.
  termios mode() const;
  void send_signal(int signal_number) const;
  // Waits for the child to end; returns its wait status (WIFEXITED, WIFSIGNALED),
  // or nothing when the time ran out (then it is killed).
  std::optional<int> wait(std::chrono::milliseconds timeout);

 private:
  void start(const std::function<void()>& child_main);
  bool read_some(std::chrono::milliseconds timeout);

  int m_pid = -1;
  int m_master = -1;
  int m_slave = -1;  // kept open to read the terminal's mode
  std::string m_output;
};

}  // namespace korvi::test
