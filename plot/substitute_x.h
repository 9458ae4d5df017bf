#pragma once

#include <cstddef>
#include <string_view>

namespace calc {

/// Writes into `dest` (a buffer of `capacity` bytes) a copy of `source` in which every
/// lower-case "x" is replaced by the whole of `replacement`; everything else, "X"
/// included, is copied unchanged, and dest is terminated. Returns false, with dest
/// holding the empty text, when the result would not fit in capacity-1 characters.
bool substitute_x(std::string_view source, char* dest, std::size_t capacity,
                  std::string_view replacement);

}  // namespace calc
