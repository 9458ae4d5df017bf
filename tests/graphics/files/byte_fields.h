#pragma once
// Integer fields of picture headers, written byte by byte for hand-made files.

#include <cstdint>
#include <string>

namespace korvi::test {

// value's low `bytes` bytes, least significant first.
inline std::string le(std::int64_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
  return out;
}

// value's low `bytes` bytes, most significant first.
inline std::string be(std::int64_t value, int bytes) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>(value >> (8 * i) & 0xFF);
  return out;
}

}  // namespace korvi::test
