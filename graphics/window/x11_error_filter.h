// Keeps a late wake-up from ending the program. The windowing system wakes a UI
// thread that waits for events by sending an X event to one of its windows over a
// second connection; when the UI thread destroys that window meanwhile (closing a
// window or an input box), the X server answers the send with BadWindow, and the
// default X error handler ends the process.
#pragma once

namespace korvi::window {

// Before the windowing system starts on an X display (which saves the handler it
// finds and puts it back when it stops); does the work once per process. Errors of
// event sends to windows that no longer exist are ignored; every other X error
// goes to the handler that was there before.
void ignore_sends_to_destroyed_windows();

}  // namespace korvi::window
