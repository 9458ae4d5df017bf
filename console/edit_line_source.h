#pragma once

#include <cstddef>

#include "console_output.h"
#include "line_source.h"

namespace calc {

/// The most lines the line editor keeps for recall.
inline constexpr std::size_t RECALL_LINES = 1000;

/// Lines read with the line editor (libedit) from a terminal: editing, and recall
/// of the lines offered to it (the newest RECALL_LINES). The editor keeps no file of
/// its own. The locale's LC_CTYPE must be set first and must not be the plain C
/// locale, or non-ASCII characters are dropped. One per process.
class EditLineSource final : public LineSource {
 public:
  /// The held-back prompt of `output` becomes the editor's prompt.
  explicit EditLineSource(ConsoleOutput& output);

  std::optional<InputText> next_line() override;
  void add_to_recall(std::string_view line) override;

 private:
  ConsoleOutput& m_output;
  bool m_at_end = false;
};

}  // namespace calc
