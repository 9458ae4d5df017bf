// The controlling terminal, set up for reading single keys.
#pragma once

namespace korvi::terminal {

/// Opens the controlling terminal (/dev/tty) and, while the object lives, puts it
/// in raw key mode: non-canonical (each byte is read as it is typed, one at a
/// time), no echo, and no carriage-return translation, so Enter reads as 13.
/// Ctrl+C and Ctrl+\ still raise their signals. The mode from before is put back on
/// destruction and on every exit path meanwhile (see terminal_state.h).
class RawKeyMode {
 public:
  RawKeyMode();
  ~RawKeyMode();
  RawKeyMode(const RawKeyMode&) = delete;
  RawKeyMode& operator=(const RawKeyMode&) = delete;

  /// The terminal to read keys from, or -1 when the process has none. Still a
  /// terminal to read when its mode could not be changed.
  int fd() const { return m_fd; }
  /// Whether the terminal is in raw key mode.
  bool raw() const { return m_raw; }

 private:
  int m_fd;
  bool m_raw = false;
};

}  // namespace korvi::terminal
