// Waiting for whichever input comes first: a key (terminal or window), a mouse
// message, the window's close, or the end of a time.
#pragma once

#include "screen/key_input.h"
#include "screen/mouse_messages.h"

namespace korvi {

// Waits until a key code or a mouse message is waiting (what key_waiting() and
// MouseMessages::any() report), the window closes, or timeout_ms milliseconds pass
// (negative: no limit). True when input is waiting. Returns false at once when
// nothing could come: no terminal, no open window and no limit. Sleeps in poll()
// meanwhile; the terminal is in raw mode for the wait, as read_key() puts it.
bool wait_for_keys_or_mouse(WindowKeyQueue& keys, MouseMessages& mouse, int timeout_ms);

// Sleeps the calling thread for that many milliseconds (none when 0 or below); in a
// page, gives the browser its turns for that long.
void pause_calling_thread(int milliseconds);

}  // namespace korvi
