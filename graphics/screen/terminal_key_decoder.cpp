#include "screen/terminal_key_decoder.h"

#include <korvi/graphics.h>

namespace korvi {
namespace {

constexpr std::uint8_t ESC = 0x1B;
constexpr std::uint8_t DEL = 0x7F;

struct TwoCodes {
  int prefix = -1;  // -1: no key
  int key = 0;
};

constexpr TwoCodes extended(int key) { return {KEY_PREFIX_EXTENDED, key}; }
constexpr TwoCodes function(int n) { return {KEY_PREFIX_FUNCTION, KEY_F1 + n - 1}; }

// The key of a final letter: the arrows, Home, End, and F1 to F4 (which some
// terminals send with a modifier parameter, ESC [ 1 ; 2 P).
TwoCodes key_of_letter(std::uint8_t letter) {
  switch (letter) {
    case 'A': return extended(KEY_UP);
    case 'B': return extended(KEY_DOWN);
    case 'C': return extended(KEY_RIGHT);
    case 'D': return extended(KEY_LEFT);
    case 'H': return extended(KEY_HOME);
    case 'F': return extended(KEY_END);
    case 'P': return function(1);
    case 'Q': return function(2);
    case 'R': return function(3);
    case 'S': return function(4);
    default: return {};
  }
}

// The key of ESC [ n ~ (VT220 numbering, with the rxvt Home and End).
TwoCodes key_of_number(int number) {
  switch (number) {
    case 1:
    case 7: return extended(KEY_HOME);
    case 2: return extended(KEY_INSERT);
    case 3: return extended(KEY_DELETE);
    case 4:
    case 8: return extended(KEY_END);
    case 5: return extended(KEY_PAGE_UP);
    case 6: return extended(KEY_PAGE_DOWN);
    case 11:
    case 12:
    case 13:
    case 14:
    case 15: return function(number - 10);
    case 17:
    case 18:
    case 19:
    case 20:
    case 21: return function(number - 11);
    case 23: return extended(KEY_F11);
    case 24: return extended(KEY_F12);
    default: return {};
  }
}

bool is_parameter_or_intermediate(std::uint8_t byte) { return byte >= 0x20 && byte <= 0x3F; }
bool is_final(std::uint8_t byte) { return byte >= 0x40 && byte <= 0x7E; }

}  // namespace

void TerminalKeyDecoder::feed(std::uint8_t byte, KeyCodes& codes) {
  if (m_skipping) {
    if (is_final(byte)) reset();
    return;
  }
  if (m_length == 0) {
    if (byte == ESC)
      m_held[m_length++] = byte;
    else
      codes.push_back(byte == DEL ? 8 : byte);  // terminals send DEL for Backspace
    return;
  }
  const bool introducer = m_length == 1 && (byte == '[' || byte == 'O');
  // The Linux console's F1 to F5: ESC [ [ A to E.
  const bool console_function = m_length == 2 && m_held[1] == '[' && byte == '[';
  if (introducer || console_function || (m_length >= 2 && is_parameter_or_intermediate(byte))) {
    if (m_length == MAX_HELD) {
      m_skipping = true;
      return;
    }
    m_held[m_length++] = byte;
    return;
  }
  if (m_length >= 2 && is_final(byte)) {
    finish_sequence(byte, codes);
    reset();
    return;
  }
  // Not a sequence (Esc, then a character or a control byte): the held bytes are
  // keys of their own, then this byte starts afresh.
  expire(codes);
  feed(byte, codes);
}

void TerminalKeyDecoder::expire(KeyCodes& codes) {
  for (std::size_t i = 0; i < m_length; ++i) codes.push_back(m_held[i]);
  reset();
}

void TerminalKeyDecoder::finish_sequence(std::uint8_t final_byte, KeyCodes& codes) {
  TwoCodes key;
  if (m_length == 3 && m_held[2] == '[') {
    if (final_byte >= 'A' && final_byte <= 'E') key = function(final_byte - 'A' + 1);
  } else if (m_held[1] == 'O' && final_byte == 'M') {
    codes.push_back(13);  // Enter of the keypad in application mode
    return;
  } else if (final_byte == '~') {
    // The key's number is the first parameter; a modifier may follow after ";".
    int number = 0;
    for (std::size_t i = 2; i < m_length && m_held[i] >= '0' && m_held[i] <= '9'; ++i)
      number = number < 1000 ? number * 10 + (m_held[i] - '0') : number;  // no key is that high
    key = key_of_number(number);
  } else {
    key = key_of_letter(final_byte);
  }
  if (key.prefix < 0) return;
  codes.push_back(static_cast<std::uint8_t>(key.prefix));
  codes.push_back(static_cast<std::uint8_t>(key.key));
}

}  // namespace korvi
