#include "character_locale.h"

#include <clocale>
#include <cstring>

namespace calc {

void set_character_locale() {
  const char* name = std::setlocale(LC_CTYPE, "");
  // An unknown locale in the environment leaves the C locale in place.
  if (name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0) {
    std::setlocale(LC_CTYPE, "C.UTF-8");
  }
}

}  // namespace calc
