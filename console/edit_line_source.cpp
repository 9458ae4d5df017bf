#include "edit_line_source.h"

#include <editline/readline.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace calc {

namespace {

struct FreeDeleter {
  void operator()(char* text) const { std::free(text); }
};

}  // namespace

EditLineSource::EditLineSource(ConsoleOutput& output) : m_output(output) {
  // The process's terminal state puts the mode back on a signal (Terminal saves it).
  rl_catch_signals = 0;
  rl_instream = stdin;
  rl_outstream = stdout;
  using_history();
  stifle_history(static_cast<int>(RECALL_LINES));
}

std::optional<InputText> EditLineSource::next_line() {
  if (m_at_end) return std::nullopt;
  const std::string prompt = m_output.take_prompt();
  m_output.flush();
  const std::unique_ptr<char, FreeDeleter> line(readline(prompt.c_str()));
  if (!line) {
    m_at_end = true;
    return std::nullopt;
  }

  InputText text;
  const std::size_t size = std::strlen(line.get());
  text.too_long = size > MAX_KEPT_LINE;
  text.text.assign(line.get(), text.too_long ? MAX_KEPT_LINE : size);
  return text;
}

void EditLineSource::add_to_recall(std::string_view line) {
  if (!line.empty()) add_history(std::string(line).c_str());
}

}  // namespace calc
