#include "korvi/terminal/raw_key_mode.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include "korvi/terminal/terminal_state.h"

namespace korvi::terminal {

RawKeyMode::RawKeyMode() : m_fd(open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC)) {
  termios mode{};
  if (m_fd < 0 || tcgetattr(m_fd, &mode) != 0 || !save_mode(m_fd)) return;
  mode.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  mode.c_iflag &= ~static_cast<tcflag_t>(ICRNL | IGNCR);
  mode.c_cc[VMIN] = 1;
  mode.c_cc[VTIME] = 0;
  m_raw = tcsetattr(m_fd, TCSANOW, &mode) == 0;
}

RawKeyMode::~RawKeyMode() {
  if (m_fd < 0) return;
  restore_mode(m_fd);
  close(m_fd);
}

}  // namespace korvi::terminal
