#pragma once
// UTF-8 decoding for text output: never fails, never stops early.

#include <cstddef>
#include <string>
#include <string_view>

namespace korvi::raster {

inline constexpr char32_t REPLACEMENT_CHARACTER = 0xFFFD;

// Decodes the character that starts at text[position] and moves position past it.
// A malformed sequence (stray continuation byte, overlong form, surrogate, value
// above U+10FFFF, truncated sequence) yields U+FFFD and consumes its maximal valid
// prefix, at least one byte, so decoding always goes on with the next byte.
// Precondition: position < text.size().
char32_t next_code_point(std::string_view text, std::size_t& position) noexcept;

// Every character of text, decoded as above.
std::u32string decode_utf8(std::string_view text);

// Appends the UTF-8 form of a Unicode scalar value (U+FFFD for anything else).
void append_utf8(std::string& out, char32_t code_point);

}  // namespace korvi::raster
