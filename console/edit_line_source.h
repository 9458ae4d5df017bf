#pragma once

#include "console_output.h"
#include "line_source.h"

namespace calc {

/// Lines read with the line editor (libedit) from a terminal: editing, and recall
/// of this session's lines. Nothing is kept in a history file. The locale's
/// LC_CTYPE must be set first, or non-ASCII characters are dropped. One per process.
class EditLineSource final : public LineSource {
 public:
  /// The held-back prompt of `output` becomes the editor's prompt.
  explicit EditLineSource(ConsoleOutput& output);

  std::optional<InputText> next_line() override;

 private:
  ConsoleOutput& m_output;
  bool m_at_end = false;
};

}  // namespace calc
