#include "normalize_expression.h"

#include <array>
#include <cstring>
#include <string_view>

#include "characters.h"

namespace calc {

namespace {

struct FunctionName {
  std::string_view name;
  char code;
};

// Tried in this order at every position; "ln" before "log".
constexpr std::array<FunctionName, 7> FUNCTION_NAMES{{
    {"sin", 'S'},
    {"cos", 'C'},
    {"tan", 'T'},
    {"ln", 'L'},
    {"log", 'G'},
    {"sqrt", '@'},
    {"exp", 'E'},
}};

constexpr char FILL = '#';

// Removes `count` characters at `at`: the rest moves left and the vacated end
// positions receive the fill character.
void remove_characters(char* text, std::size_t& length, std::size_t at, std::size_t count) {
  std::memmove(text + at, text + at + count, length - at - count);
  std::memset(text + length - count, FILL, count);
  length -= count;
}

bool name_at(const char* text, std::size_t available, std::string_view name) {
  if (available < name.size()) return false;
  for (std::size_t k = 0; k < name.size(); ++k) {
    if (text[k] != name[k]) return false;
  }
  return true;
}

// Replaces a function name starting at `at` by its code; names are matched
// case-sensitively within the text, without any word boundary.
void replace_function_name(char* text, std::size_t& length, std::size_t at) {
  switch (text[at]) {  // the first letters of the names; anything else is no name
    case 's':
    case 'c':
    case 't':
    case 'l':
    case 'e': break;
    default: return;
  }
  for (const FunctionName& function : FUNCTION_NAMES) {
    const std::size_t size = function.name.size();
    if (name_at(text + at, length - at, function.name)) {
      text[at] = function.code;
      remove_characters(text, length, at + 1, size - 1);
      return;
    }
  }
}

}  // namespace

int normalize_expression(char* text, std::size_t capacity) {
  std::size_t length = strnlen(text, capacity);
  if (length == capacity) return -1;  // not terminated within its buffer
  const std::size_t max_length = capacity - 1;

  int open_count = 0;
  int close_count = 0;
  for (std::size_t i = 0; i < length;) {
    if (text[i] == ' ') {
      remove_characters(text, length, i, 1);
      continue;  // position i now holds the character after the space
    }
    replace_function_name(text, length, i);
    if (i > 0 && (is_digit(text[i - 1]) || text[i - 1] == ')') &&
        (is_function_code(text[i]) || text[i] == '(')) {
      if (length == max_length) return -1;
      std::memmove(text + i + 1, text + i, length - i);
      text[i] = '*';
      ++length;  // the code or "(" now at i+1 is examined next
    }
    if (text[i] == '(') {
      ++open_count;
    } else if (text[i] == ')') {
      ++close_count;
    }
    ++i;
  }

  if (length > 0 && text[length - 1] == ';') {
    text[length - 1] = FILL;
    --length;
  }
  if (open_count > close_count) {
    const auto missing = static_cast<std::size_t>(open_count - close_count);
    if (missing > max_length - length) return -1;
    std::memset(text + length, ')', missing);
    length += missing;
  }
  return static_cast<int>(length);
}

}  // namespace calc
