#pragma once

#include "console.h"
#include "terminal.h"

namespace calc {

/// Longest name: at most 99 characters, as its 100-byte buffer allows.
inline constexpr std::size_t NAME_CAPACITY = 100;

/// The ">>" prompt loop: reads lines, records them, runs the commands "exit",
/// "quit", "clc", "clear all", "who", "his" and "tu", and evaluates every other line,
/// printing and recording its result. Every command line is offered for recall.
/// Returns after "exit" or "quit" and at the end of input. QuitRequested (the
/// expression "q" or "Q") and OutputFailed pass through.
void run_command_loop(Console& console, Terminal& terminal);

}  // namespace calc
