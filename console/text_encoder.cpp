#include "text_encoder.h"

#include <langinfo.h>
#include <strings.h>

namespace calc {

TextEncoder::TextEncoder(const char* codeset) {
  const iconv_t converter = iconv_open(codeset, "UTF-8");
  if (converter != reinterpret_cast<iconv_t>(-1)) m_converter.reset(converter);
}

TextEncoder TextEncoder::for_current_locale() {
  const char* codeset = nl_langinfo(CODESET);
  if (strcasecmp(codeset, "GBK") == 0 || strcasecmp(codeset, "GB18030") == 0) {
    return TextEncoder(codeset);
  }
  return TextEncoder();
}

std::string TextEncoder::encode(std::string_view utf8) const {
  if (!m_converter) return std::string(utf8);
  // A character never takes more than twice its UTF-8 length in GBK or GB18030.
  std::string out(2 * utf8.size() + 8, '\0');
  char* in_next = const_cast<char*>(utf8.data());  // iconv's interface is not const
  std::size_t in_left = utf8.size();
  char* out_next = out.data();
  std::size_t out_left = out.size();
  iconv(m_converter.get(), nullptr, nullptr, nullptr, nullptr);
  if (iconv(m_converter.get(), &in_next, &in_left, &out_next, &out_left) ==
      static_cast<std::size_t>(-1)) {
    return std::string(utf8);
  }
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace calc
