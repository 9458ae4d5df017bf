#include "korvi/terminal/terminal_state.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "korvi/terminal/raw_key_mode.h"
#include "pseudo_terminal.h"

namespace {

using korvi::test::TerminalProcess;
using namespace std::chrono_literals;

constexpr tcflag_t COOKED_LOCAL = ICANON | ECHO;

TEST(RawKeyMode, ReadsEnterAs13WithoutEchoAndPutsTheModeBack) {
  TerminalProcess child([] {
    int status = 0;
    {
      const korvi::terminal::RawKeyMode keys;
      if (!keys.raw()) return 2;
      unsigned char byte = 0;
      if (write(STDOUT_FILENO, "ready", 5) != 5 || read(keys.fd(), &byte, 1) != 1) return 3;
      status = byte == 13 ? 0 : 4;
    }
    termios mode{};
    tcgetattr(STDIN_FILENO, &mode);
    return (mode.c_lflag & COOKED_LOCAL) == COOKED_LOCAL && (mode.c_iflag & ICRNL) ? status : 5;
  });
  ASSERT_TRUE(child.wait_for_output("ready", 5s));
  child.type("\r");
  const std::optional<int> status = child.wait(5s);
  ASSERT_TRUE(status && WIFEXITED(*status));
  EXPECT_EQ(WEXITSTATUS(*status), 0);
  EXPECT_EQ(child.output(), "ready");  // the Enter key was not echoed
}

// Every way a process can end during a key read, with colours of ours showing: the
// mode and the colours are put back once, and the process ends as it would have.
TEST(TerminalState, EveryWayOutPutsTheTerminalBack) {
  struct WayOut {
    const char* title;
    void (*before)();  // before anything is recorded; may be null
    void (*during)();  // while the key read has the terminal
    bool signalled;    // ends by a signal, else by an exit with a status
    int code;          // the signal or the exit status
    const char* message = "";
  };
  const WayOut WAYS_OUT[] = {
      {"the key read ends", nullptr, [] {}, false, 0},
      {"SIGINT", nullptr, [] { raise(SIGINT); }, true, SIGINT},
      {"SIGTERM", nullptr, [] { raise(SIGTERM); }, true, SIGTERM},
      {"SIGHUP", nullptr, [] { raise(SIGHUP); }, true, SIGHUP},
      {"SIGQUIT", nullptr, [] { raise(SIGQUIT); }, true, SIGQUIT},
      {"an ignored SIGINT stays ignored", [] { signal(SIGINT, SIG_IGN); }, [] { raise(SIGINT); },
       false, 0},
      {"exit", nullptr, [] { std::exit(3); }, false, 3},
      {"quick exit", nullptr, [] { std::quick_exit(4); }, false, 4},
      {"end_process", nullptr, [] { korvi::terminal::end_process("display lost", 1); }, false, 1,
       "display lost\r\n"},
  };
  for (const WayOut& way : WAYS_OUT) {
    SCOPED_TRACE(way.title);
    static const WayOut* current;
    current = &way;
    TerminalProcess child([] {
      if (current->before) current->before();
      korvi::terminal::note_colours_set(STDOUT_FILENO, "<reset>");
      {
        const korvi::terminal::RawKeyMode keys;
        if (!keys.raw()) return 2;
        current->during();
      }
      return 0;
    });
    const std::optional<int> status = child.wait(5s);
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(way.signalled, WIFSIGNALED(*status));
    EXPECT_EQ(way.code, way.signalled ? WTERMSIG(*status) : WEXITSTATUS(*status));
    EXPECT_EQ(child.output(), std::string("<reset>") + way.message);
    const termios mode = child.mode();
    EXPECT_EQ(mode.c_lflag & COOKED_LOCAL, COOKED_LOCAL);
    EXPECT_TRUE(mode.c_iflag & ICRNL);
  }
}

}  // namespace
