// The bytes a terminal sends for keys, turned into the codes read_key() gives:
// characters as their bytes, Backspace 8, and the escape sequences of the arrows,
// the editing block and F1 to F12 as a prefix and a key code. Pure: the caller
// reads the bytes and decides when a lone Esc has waited long enough.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>

namespace korvi {

using KeyCodes = std::deque<std::uint8_t>;

class TerminalKeyDecoder {
 public:
  // How long bytes inside an escape sequence wait for the rest of it.
  static constexpr std::chrono::milliseconds ESCAPE_WAIT{50};

  // Takes one byte; appends the codes of every key it completes to codes.
  // Sequences of keys without a code here are dropped whole.
  void feed(std::uint8_t byte, KeyCodes& codes);
  // Whether the bytes so far end inside an escape sequence: the caller waits up to
  // ESCAPE_WAIT for another byte, then calls expire().
  bool pending() const { return m_length > 0; }
  // No byte followed in time: the held bytes are keys of their own (a lone Esc
  // gives 27).
  void expire(KeyCodes& codes);

 private:
  void finish_sequence(std::uint8_t final_byte, KeyCodes& codes);
  void reset() {
    m_length = 0;
    m_skipping = false;
  }

  static constexpr std::size_t MAX_HELD = 16;
  std::uint8_t m_held[MAX_HELD] = {};  // from the Esc on
  std::size_t m_length = 0;
  bool m_skipping = false;  // a sequence too long to hold: dropped up to its end
};

}  // namespace korvi
