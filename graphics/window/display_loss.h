// The end of the program when the connection to the display breaks (the server
// ends, a forwarded session drops): no window can be shown or closed any more, and
// nothing a thread waits for can come.
#pragma once

namespace korvi::window {

// Ends the process; must not return and must not touch the windowing system.
using DisplayLostAction = void (*)();

// Once, before the first window: what a broken connection does. Without one, a
// line on standard error and the end of the process with status 1.
void set_display_lost_action(DisplayLostAction action);

// On the UI thread, after the windowing system started on an X display: from now
// on a broken connection runs the action, on whichever thread finds it broken.
void end_process_on_display_loss();

// Runs the action (or says so and ends): for a window system that reports a lost
// display as an event (Wayland) rather than through a handler.
[[noreturn]] void end_process_display_lost();

}  // namespace korvi::window
