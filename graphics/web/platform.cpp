// What the page has no counterpart for, or gives another way: there is no display
// connection to lose, and the program's name comes from the page.
#include <cstdlib>
#include <string>

#include "display_loss.h"
#include "page_bridge.h"
#include "window_class.h"

namespace korvi::window {

void set_display_lost_action(DisplayLostAction) {}

void end_process_on_display_loss() {}

void set_window_class(SDL_Window*, const char*) {}

std::string program_name() {
  char name[256];
  const int length = korvi_page_program_name(name, sizeof name);
  return length > 0 ? std::string(name, static_cast<std::size_t>(length)) : "korvi";
}

}  // namespace korvi::window

// The C library of emscripten lacks the quick exit the close box ends a program
// with: the handlers registered for it run, newest first, then the program ends.
namespace {
using QuickExitHandler = void (*)();
QuickExitHandler g_quick_exit_handlers[32];
int g_quick_exit_count = 0;
}  // namespace

extern "C" int at_quick_exit(QuickExitHandler handler) {
  if (g_quick_exit_count == 32) return -1;
  g_quick_exit_handlers[g_quick_exit_count++] = handler;
  return 0;
}

extern "C" void quick_exit(int status) {
  while (g_quick_exit_count > 0) g_quick_exit_handlers[--g_quick_exit_count]();
  std::_Exit(status);
}
