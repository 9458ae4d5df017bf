#include "substitute_x.h"

#include <cstring>

namespace calc {

bool substitute_x(std::string_view source, char* dest, std::size_t capacity,
                  std::string_view replacement) {
  if (capacity == 0) return false;
  const std::size_t limit = capacity - 1;
  std::size_t length = 0;
  for (const char c : source) {
    if (c == 'x') {
      if (replacement.size() > limit - length) {
        dest[0] = '\0';
        return false;
      }
      std::memcpy(dest + length, replacement.data(), replacement.size());
      length += replacement.size();
    } else {
      if (length == limit) {
        dest[0] = '\0';
        return false;
      }
      dest[length++] = c;
    }
  }
  dest[length] = '\0';
  return true;
}

}  // namespace calc
