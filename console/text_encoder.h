#pragma once

#include <iconv.h>

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

namespace calc {

/// Converts the program's fixed UTF-8 texts into the terminal's encoding: unchanged
/// for UTF-8 and every other codeset, GBK bytes when the locale's codeset is GBK or
/// GB18030. User input is never converted; it is echoed as typed.
class TextEncoder {
 public:
  /// Leaves texts unchanged.
  TextEncoder() = default;

  /// Converts into `codeset`; leaves texts unchanged if the conversion is unavailable.
  explicit TextEncoder(const char* codeset);

  /// For the codeset of the current LC_CTYPE locale (call setlocale first).
  static TextEncoder for_current_locale();

  bool converts() const { return m_converter != nullptr; }

  /// The text in the target encoding; unchanged if it cannot be converted.
  std::string encode(std::string_view utf8) const;

 private:
  struct Closer {
    void operator()(iconv_t converter) const { iconv_close(converter); }
  };
  std::unique_ptr<std::remove_pointer_t<iconv_t>, Closer> m_converter;
};

}  // namespace calc
