// What the process changed on its terminals, and the one way to put it all back.
//
// Every exit path restores: a normal exit, a quick exit, and the signals SIGINT,
// SIGTERM, SIGHUP and SIGQUIT, after which the process ends as the signal would
// have ended it. The exit hooks and the signal handlers are installed with the
// first record. A signal that is ignored at that moment, or that has a handler of
// the program's own, is left as it is (so SIGINT ignored by the graphics window
// stays ignored).
#pragma once

#include <string_view>

namespace korvi::terminal {

/// Keeps the current mode of the terminal `fd` to be restored on every exit path.
/// A second call for the same fd keeps the first mode. False when `fd` is not a
/// terminal, or when four modes are already kept.
bool save_mode(int fd);

/// Puts back the mode kept for `fd` and forgets it; call before closing `fd`.
/// Does nothing when no mode is kept for it.
void restore_mode(int fd);

/// The terminal at `fd` shows colours of ours: writing `reset` there (at most 31
/// bytes; longer is cut) puts them back, and every exit path does so once.
void note_colours_set(int fd, std::string_view reset);

/// The colours' owner has put them back itself: nothing is written for them.
void note_colours_reset();

/// Puts every kept mode back and writes the colour reset if it is still due.
/// Async-signal-safe; safe to call more than once.
void restore_all();

/// Restores everything, writes `message` and a line end to standard error and
/// ends the process at once with `status`, without exit-time handlers (for a path
/// where those cannot run safely, such as a lost display). Async-signal-safe.
[[noreturn]] void end_process(std::string_view message, int status);

}  // namespace korvi::terminal
