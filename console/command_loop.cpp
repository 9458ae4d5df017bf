#include "command_loop.h"

#include <array>
#include <cstring>
#include <string_view>

#include "calc/evaluate_expression.h"
#include "calc/evaluation_abandoned.h"
#include "history_files.h"
#include "named_expression.h"
#include "plot/plot_function.h"
#include "result_format.h"

namespace calc {

namespace {

constexpr std::string_view PROMPT = ">>";
constexpr std::string_view LINE_TOO_LONG = "\nError: Line too long: at most 999 characters.\n\n";
constexpr std::string_view NAME_TOO_LONG = "\nError: Name too long: at most 99 characters.\n\n";

// Evaluates a line that is not a command, then records and (unless the line ends
// in ";") prints its result. EvaluationAbandoned passes through.
void evaluate_line(Console& console, std::string_view line, const NamedExpression& parts) {
  const bool quiet = line.back() == ';';
  std::array<char, EXPRESSION_CAPACITY> text{};
  std::memcpy(text.data(), parts.expression.data(), parts.expression.size());
  const double value = evaluate_expression(text.data(), text.size(), console);

  const std::string_view name = parts.name.empty() ? std::string_view("ans") : parts.name;
  append_result(name, value, console.output());
  if (!quiet) console.output().write_bytes(format_result(name, value));
}

}  // namespace

void run_command_loop(Console& console, Terminal& terminal) {
  ConsoleOutput& output = console.output();
  // Off after "tu": the rest of the point-count line is read next, without a prompt.
  bool show_prompt = true;
  for (;;) {
    if (console.input_ended()) return terminal.end_input();  // met inside the plot's prompts
    if (show_prompt || console.at_line_start()) output.write_bytes(PROMPT);
    show_prompt = true;

    const std::optional<InputText> line = console.read_line();
    if (!line) return terminal.end_input();
    const std::string& text = line->text;
    if (line->too_long || text.size() >= EXPRESSION_CAPACITY) {
      output.write_text(LINE_TOO_LONG);
      continue;
    }
    if (text.empty()) continue;
    console.add_to_recall(text);
    const NamedExpression parts = split_named_expression(text);
    if (parts.name.size() >= NAME_CAPACITY) {
      output.write_text(NAME_TOO_LONG);
      continue;
    }

    append_history_line(text, output);
    try {
      if (text == "exit" || text == "quit") {
        return;
      } else if (text == "clc") {
        terminal.clear_screen();
      } else if (text == "clear all") {
        clear_all_files(output);
      } else if (text == "who") {
        list_variables(output);
      } else if (text == "his") {
        list_history(output);
      } else if (text == "tu") {
        show_prompt = false;
        plot_function(console);
      } else {
        evaluate_line(console, text, parts);
      }
    } catch (const EvaluationAbandoned&) {
      // The missing-operator report has been printed; the line is dropped.
    }
  }
}

}  // namespace calc
