#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "console_output.h"

namespace calc {

/// The history file: every non-empty command line except "tu" and "his".
inline constexpr const char* HISTORY_FILE = "input.txt";
/// The variables file: one record "name<TAB>value" per evaluated line.
inline constexpr const char* VARIABLES_FILE = "bianliang.txt";

// Both files are plain text in the working directory, opened for one operation and
// closed at once. A record reaches its file whole or not at all, and never joins an
// unterminated last line (it starts a new one). A file that cannot be written, or
// that is not a regular file where one is listed or removed, gets one line on the
// error stream that names it and the reason; the caller carries on. A failing
// output (OutputFailed) passes through.

/// Appends the line to the history file, which is created for "tu" and "his" too
/// but does not receive them.
void append_history_line(std::string_view line, ConsoleOutput& output);

/// Appends "name<TAB>value" with the value in "%lf" form to the variables file.
void append_result(std::string_view name, double value, ConsoleOutput& output);

/// "who": the header, then each record as its name, a tab and its value with six
/// decimals, then a blank line; only the header when there is no variables file
/// (or it is not a regular file).
void list_variables(ConsoleOutput& output);

/// "his": the header, then every blank-separated token of the history on a line of
/// its own, then a blank line; only the header when there is no history file (or it
/// is not a regular file).
void list_history(ConsoleOutput& output);

/// "clear all": removes both files where they are regular files or links; an absent
/// file is no error, anything else is left in place with a line saying why.
void clear_all_files(ConsoleOutput& output);

/// The last `count` non-empty lines of the history file, oldest first (from about
/// its last megabyte); none when it cannot be read.
std::vector<std::string> recent_history_lines(std::size_t count);

}  // namespace calc
