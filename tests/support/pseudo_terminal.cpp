#include "pseudo_terminal.h"

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "process_io.h"

namespace korvi::test {

TerminalProcess::TerminalProcess(const Options& options) {
  // Prepared before the fork: the child only calls async-signal-safe functions.
  std::vector<std::string> env_strings;
  for (const auto& [name, value] : options.env) env_strings.push_back(name + "=" + value);
  std::vector<char*> envp;
  for (auto& text : env_strings) envp.push_back(text.data());
  envp.push_back(nullptr);
  std::vector<std::string> arg_strings = options.argv;
  std::vector<char*> argv;
  for (auto& arg : arg_strings) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const std::string& directory = options.working_directory;
  start([&] {
    if (!directory.empty() && chdir(directory.c_str()) != 0) _exit(126);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  });
}

TerminalProcess::TerminalProcess(const std::function<int()>& body) {
  start([&] { std::exit(body()); });
}

void TerminalProcess::start(const std::function<void()>& child_main) {
  winsize size{};
  size.ws_row = 24;
  size.ws_col = 80;
  if (openpty(&m_master, &m_slave, nullptr, nullptr, &size) != 0) {
    throw std::runtime_error("openpty failed");
  }
  std::fflush(nullptr);  // nothing buffered here is written twice
  m_pid = fork();
  if (m_pid < 0) throw std::runtime_error("fork failed");
  if (m_pid == 0) {
    setsid();
    ioctl(m_slave, TIOCSCTTY, 0);
    for (int fd = 0; fd < 3; ++fd) dup2(m_slave, fd);
    close(m_master);
    close(m_slave);
    for (const int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) {
      signal(signal_number, SIG_DFL);
    }
    const rlimit no_core{0, 0};
    setrlimit(RLIMIT_CORE, &no_core);
    child_main();
    _exit(127);
  }
}

TerminalProcess::~TerminalProcess() {
  kill_and_reap(m_pid);
  if (m_master >= 0) close(m_master);
  if (m_slave >= 0) close(m_slave);
}

void TerminalProcess::type(const std::string& keys) { write_all(m_master, keys); }

bool TerminalProcess::read_some(std::chrono::milliseconds timeout) {
  return read_available(m_master, timeout, m_output) > 0;
}

bool TerminalProcess::wait_for_output(const std::string& text, std::chrono::milliseconds timeout,
                                      std::size_t from) {
  const auto deadline = Clock::now() + timeout;
  while (m_output.find(text, from) == std::string::npos) {
    if (Clock::now() >= deadline) return false;
    read_some(remaining(deadline));
  }
  return true;
}

termios TerminalProcess::mode() const {
  termios mode{};
  tcgetattr(m_slave, &mode);
  return mode;
}

void TerminalProcess::send_signal(int signal_number) const { kill(m_pid, signal_number); }

std::optional<int> TerminalProcess::wait(std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    while (read_some(std::chrono::milliseconds(0))) {
    }
    int status = 0;
    const pid_t done = waitpid(m_pid, &status, WNOHANG);
    if (done == m_pid) {
      m_pid = -1;
      while (read_some(std::chrono::milliseconds(0))) {
      }
      return status;
    }
    if (Clock::now() >= deadline) return std::nullopt;  // the destructor kills it
    read_some(std::chrono::milliseconds(2));
  }
}

}  // namespace korvi::test
