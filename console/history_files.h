#pragma once

#include <string_view>

#include "console_output.h"

namespace calc {

/// The history file: every non-empty command line except "tu" and "his".
inline constexpr const char* HISTORY_FILE = "input.txt";
/// The variables file: one record "name<TAB>value" per evaluated line.
inline constexpr const char* VARIABLES_FILE = "bianliang.txt";

// Both files are plain text in the working directory, opened for one operation and
// closed at once. A file that cannot be written gets one line on the error stream
// that names it and the reason; the caller carries on.

/// Appends the line to the history file, which is created for "tu" and "his" too
/// but does not receive them.
void append_history_line(std::string_view line, ConsoleOutput& output);

/// Appends "name<TAB>value" with the value in "%lf" form to the variables file.
void append_result(std::string_view name, double value, ConsoleOutput& output);

/// "who": the header, then each record as its name, a tab and its value with six
/// decimals, then a blank line; only the header when there is no variables file.
void list_variables(ConsoleOutput& output);

/// "his": the header, then every blank-separated token of the history on a line of
/// its own, then a blank line; only the header when there is no history file.
void list_history(ConsoleOutput& output);

/// "clear all": removes both files; an absent file is no error.
void clear_all_files(ConsoleOutput& output);

}  // namespace calc
