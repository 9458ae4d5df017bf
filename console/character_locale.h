#pragma once

namespace calc {

/// Takes the character locale (LC_CTYPE) from the environment, before anything
/// reads it. The plain C or POSIX locale is replaced by C.UTF-8 where the system
/// has it: the terminal's text is taken as UTF-8 then, and the line editor keeps
/// non-ASCII input instead of dropping it.
void set_character_locale();

}  // namespace calc
