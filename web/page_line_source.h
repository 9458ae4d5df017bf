// The calculator's input in a page: lines typed into the page's console (calc.html),
// which edits them and recalls earlier ones itself.
#pragma once

#include "console/console_output.h"
#include "console/line_source.h"

namespace calc {

class PageLineSource final : public LineSource {
 public:
  explicit PageLineSource(ConsoleOutput& output) : m_output(output) {}

  // Shows the output so far, saves the calculator's files to the browser's storage,
  // then gives the browser its turns until the page has a line.
  std::optional<InputText> next_line() override;
  // The page's console recalls the line with the up arrow.
  void add_to_recall(std::string_view line) override;

 private:
  ConsoleOutput& m_output;
};

}  // namespace calc
