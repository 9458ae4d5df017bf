#include "font/utf8.h"

namespace korvi::raster {

namespace {

struct LeadInfo {
  int continuation_count;    // bytes that follow the lead byte
  unsigned char second_low;  // allowed range of the first continuation byte
  unsigned char second_high;
};

// The allowed first continuation byte depends on the lead byte: this is what rules
// out overlong forms, surrogates and values above U+10FFFF.
LeadInfo lead_info(unsigned char lead) noexcept {
  if (lead >= 0xC2 && lead <= 0xDF) return {1, 0x80, 0xBF};
  if (lead == 0xE0) return {2, 0xA0, 0xBF};
  if (lead == 0xED) return {2, 0x80, 0x9F};
  if (lead >= 0xE1 && lead <= 0xEF) return {2, 0x80, 0xBF};
  if (lead == 0xF0) return {3, 0x90, 0xBF};
  if (lead >= 0xF1 && lead <= 0xF3) return {3, 0x80, 0xBF};
  if (lead == 0xF4) return {3, 0x80, 0x8F};
  return {0, 0, 0};  // stray continuation byte, C0, C1 or F5..FF
}

}  // namespace

char32_t next_code_point(std::string_view text, std::size_t& position) noexcept {
  const auto lead = static_cast<unsigned char>(text[position]);
  ++position;
  if (lead < 0x80) return lead;

  const LeadInfo info = lead_info(lead);
  if (info.continuation_count == 0) return REPLACEMENT_CHARACTER;

  char32_t value = lead & (0x3F >> info.continuation_count);
  for (int i = 0; i < info.continuation_count; ++i) {
    if (position >= text.size()) return REPLACEMENT_CHARACTER;
    const auto byte = static_cast<unsigned char>(text[position]);
    const unsigned char low = i == 0 ? info.second_low : 0x80;
    const unsigned char high = i == 0 ? info.second_high : 0xBF;
    if (byte < low || byte > high) return REPLACEMENT_CHARACTER;  // byte not consumed
    value = (value << 6) | (byte & 0x3F);
    ++position;
  }
  return value;
}

std::u32string decode_utf8(std::string_view text) {
  std::u32string result;
  result.reserve(text.size());
  std::size_t position = 0;
  while (position < text.size()) result.push_back(next_code_point(text, position));
  return result;
}

void append_utf8(std::string& out, char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = REPLACEMENT_CHARACTER;
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace korvi::raster
