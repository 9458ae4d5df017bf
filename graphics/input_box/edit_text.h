// The text of an edit field: valid UTF-8 of at most a byte limit, with a caret and
// a selection. Positions are byte offsets that always lie on character boundaries.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvi::dialog {

// The bytes as valid UTF-8: every malformed sequence becomes U+FFFD.
std::string valid_utf8(std::string_view bytes);

// The length of the longest prefix of a valid UTF-8 text that has at most limit
// bytes and does not cut a character in two.
std::size_t fitting_prefix(std::string_view utf8, std::size_t limit);

// Line breaks count as one "\n"; everything else that moves the caret works on
// whole characters.
class EditText {
 public:
  EditText(std::size_t byte_limit, bool multi_line);

  // Replaces the whole text with the cleaned bytes (see insert), cut to the limit,
  // and selects all of it.
  void set_text(std::string_view bytes);
  const std::string& text() const { return m_text; }
  std::size_t byte_limit() const { return m_limit; }
  bool multi_line() const { return m_multi_line; }

  // The caret moves, the anchor stays while a selection is extended; the selection
  // is the range between them.
  std::size_t caret() const { return m_caret; }
  std::size_t anchor() const { return m_anchor; }
  bool has_selection() const { return m_caret != m_anchor; }
  std::size_t selection_start() const { return m_caret < m_anchor ? m_caret : m_anchor; }
  std::size_t selection_end() const { return m_caret < m_anchor ? m_anchor : m_caret; }
  std::string_view selected_text() const;

  // Replaces the selection with text typed or pasted: made valid UTF-8, "\r\n" and
  // "\r" turned into "\n", control characters other than tab (and, in a multi-line
  // field, "\n") dropped; a single-line field takes the text up to its first line
  // break. What does not fit under the limit is cut off at a character boundary.
  // Returns whether the text changed.
  bool insert(std::string_view bytes);
  // The selection, or else the character before (backward) or after the caret.
  bool erase_backward();
  bool erase_forward();
  bool erase_selection();

  void select_all();
  // Selects the word (or the run of spaces, or the single other character) at pos.
  void select_word_at(std::size_t pos);
  // Puts the caret at pos (clamped, moved back to a character boundary); extend
  // keeps the anchor, otherwise the selection collapses there.
  void move_to(std::size_t pos, bool extend);
  // One character; without extend a selection collapses to its near end instead.
  void move_left(bool extend);
  void move_right(bool extend);
  // To the start of the word before the caret, or of the next word.
  void move_word_left(bool extend);
  void move_word_right(bool extend);

  std::size_t previous_boundary(std::size_t pos) const;
  std::size_t next_boundary(std::size_t pos) const;

  // The text with its caret and anchor, to go back to (undo).
  struct State {
    std::string text;
    std::size_t caret = 0;
    std::size_t anchor = 0;
  };
  State state() const { return {m_text, m_caret, m_anchor}; }
  // Back to a state this text had.
  void restore(State state);

 private:
  std::string cleaned(std::string_view bytes) const;

  std::string m_text;
  std::size_t m_limit;
  bool m_multi_line;
  std::size_t m_caret = 0;
  std::size_t m_anchor = 0;
};

}  // namespace korvi::dialog
