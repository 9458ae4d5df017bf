#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>

#include "process_io.h"

namespace korvi::test {

ChildProcess::ChildProcess(const Options& options) {
  // Everything the child needs is prepared here: between fork and exec only
  // async-signal-safe calls are allowed, and the test may run other threads.
  std::map<std::string, std::string> environment;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text = *entry;
    const std::size_t equals = text.find('=');
    if (equals != std::string::npos) environment[text.substr(0, equals)] = text.substr(equals + 1);
  }
  for (const auto& name : options.unset_env) environment.erase(name);
  for (const auto& [name, value] : options.env) environment[name] = value;
  std::vector<std::string> env_strings;
  for (const auto& [name, value] : environment) env_strings.push_back(name + "=" + value);
  std::vector<char*> envp;
  for (auto& text : env_strings) envp.push_back(text.data());
  envp.push_back(nullptr);
  std::vector<std::string> arg_strings = options.argv;
  std::vector<char*> argv;
  for (auto& arg : arg_strings) argv.push_back(arg.data());
  argv.push_back(nullptr);

  int input[2], output[2];
  if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0)
    throw std::runtime_error("pipe failed");
  m_pid = fork();
  if (m_pid < 0) throw std::runtime_error("fork failed");
  if (m_pid == 0) {
    if (options.new_session) setsid();
    dup2(input[0], 0);
    dup2(output[1], 1);
    if (!options.working_directory.empty() && chdir(options.working_directory.c_str()) != 0)
      _exit(126);
    execvpe(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  close(input[0]);
  close(output[1]);
  m_input = input[1];
  m_out = output[0];
  signal(SIGPIPE, SIG_IGN);
}

ChildProcess::~ChildProcess() {
  kill_and_reap(m_pid);
  if (m_input >= 0) close(m_input);
  if (m_out >= 0) close(m_out);
}

void ChildProcess::write_input(const std::string& text) {
  if (m_input >= 0) write_all(m_input, text);
}

void ChildProcess::close_input() {
  if (m_input >= 0) close(m_input);
  m_input = -1;
}

bool ChildProcess::read_some(std::chrono::milliseconds timeout) {
  if (m_out < 0) return false;
  const ssize_t n = read_available(m_out, timeout, m_output);
  if (n == 0) {  // the child closed its output
    close(m_out);
    m_out = -1;
  }
  return n > 0;
}

bool ChildProcess::wait_for_output(const std::string& text, std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  while (m_output.find(text) == std::string::npos) {
    if (m_out < 0 || Clock::now() >= deadline) return false;
    read_some(remaining(deadline));
  }
  return true;
}

std::optional<int> ChildProcess::wait(std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  while (m_out >= 0 && Clock::now() < deadline) read_some(remaining(deadline));
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(m_pid, &status, WNOHANG);
    if (done == m_pid) {
      m_pid = -1;
      if (WIFEXITED(status)) return WEXITSTATUS(status);
      return std::nullopt;
    }
    if (Clock::now() >= deadline) return std::nullopt;  // the destructor kills it
    usleep(2000);
  }
}

std::optional<std::string> run_command(const std::vector<std::string>& argv,
                                       const std::map<std::string, std::string>& env,
                                       std::chrono::milliseconds timeout) {
  ChildProcess child({argv, {}, env, {}, false});
  child.close_input();
  const std::optional<int> status = child.wait(timeout);
  if (status != 0) return std::nullopt;
  return child.output();
}

}  // namespace korvi::test
