// The calculator in a page: the same command loop as on the desktop, its ">>"
// session in the page's console (text out, lines in), its plots in the page's
// canvas, its files in the browser's storage (calc_pre.js mounts it as the working
// folder before this runs).
#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "calc/quit_requested.h"
#include "console/command_loop.h"
#include "console/console.h"
#include "console/console_output.h"
#include "console/edit_line_source.h"  // RECALL_LINES
#include "console/history_files.h"
#include "console/terminal.h"
#include "console/text_encoder.h"
#include "page_line_source.h"

int main() {
  // The page's console is no terminal: no escape codes, no raw key mode; its text
  // is UTF-8.
  calc::ConsoleOutput output(stdout, stderr, calc::TextEncoder::for_current_locale(), false);
  try {
    calc::Terminal terminal(output, false, false);
    calc::PageLineSource source(output);
    // Recall starts with the lines of earlier visits.
    for (const std::string& line : calc::recent_history_lines(calc::RECALL_LINES))
      source.add_to_recall(line);
    calc::Console console(output, source);
    try {
      calc::run_command_loop(console, terminal);
    } catch (const calc::QuitRequested&) {
    }
    terminal.finish();
    output.flush();
    return 0;
  } catch (const std::exception& error) {
    output.report_problem(std::string("calc: ") + error.what());
    return 1;
  }
}
