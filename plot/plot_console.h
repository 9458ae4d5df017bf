#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/report.h"

namespace calc {

/// A piece of console input: a line without its line end, or a token.
struct InputText {
  std::string text;
  /// The input was cut at the console reader's length limit: `text` holds only its
  /// start, and the whole is too long to be used.
  bool too_long = false;
};

/// The console as the plotter uses it: fixed texts shown in the console's encoding,
/// input taken from the same reader as the command lines (so that what is left of
/// the point-count line becomes the next command line), and the evaluator's reports.
class PlotConsole : public ReportSink {
 public:
  /// Shows a fixed UTF-8 text: a prompt, which may end without a line end, or a message.
  virtual void show_text(std::string_view utf8) = 0;

  /// What is left of the current input line, or else the next line; nullopt at the
  /// end of input.
  virtual std::optional<InputText> read_line() = 0;

  /// The next token of non-blank characters, reading further lines as needed, like a
  /// formatted read: the rest of its line stays unread. nullopt at the end of input.
  virtual std::optional<InputText> read_token() = 0;

  /// Drops what is left of the current input line, line end included; does nothing
  /// when no line has been partly read.
  virtual void skip_line_rest() = 0;

 protected:
  ~PlotConsole() = default;
};

}  // namespace calc
