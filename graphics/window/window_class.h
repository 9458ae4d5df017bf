// The class a window's windowing system files it under (X's WM_CLASS): a class
// name per kind of window, and the program's name as the instance name, so that
// window managers and tools tell the program's windows apart.
#pragma once

#include <string>

struct SDL_Window;

namespace korvi::window {

// UI thread, before the window is shown. Does nothing off X.
void set_window_class(SDL_Window* window, const char* class_name);

// The program file's name without directory and extension.
std::string program_name();

}  // namespace korvi::window
