#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "plot/plot_console.h"

namespace calc {

/// The longest line kept whole. Anything longer is cut there and marked too long;
/// the console refuses lines far shorter, so this only bounds memory.
inline constexpr std::size_t MAX_KEPT_LINE = std::size_t{1} << 20;

/// Where the console's input lines come from.
class LineSource {
 public:
  virtual ~LineSource() = default;

  /// Shows the console output's pending prompt, then returns the next line without
  /// its line end; nullopt at the end of input, and at every call after that.
  virtual std::optional<InputText> next_line() = 0;

  /// Offers a command line for recall (the up arrow of a line editor); a source
  /// without recall ignores it.
  virtual void add_to_recall(std::string_view /*line*/) {}
};

}  // namespace calc
