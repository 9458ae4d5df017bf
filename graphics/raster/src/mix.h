#pragma once
// A pixel mix: dst = (dst & and_mask) ^ xor_mask. Any binary raster operation with a
// fixed pen colour, and leaving a pixel alone, has this form.

#include <cstdint>

#include "korvi/raster/color.h"

namespace korvi::raster {

struct Mix {
  Pixel and_mask = RGB_MASK;
  Pixel xor_mask = 0;

  Pixel apply(Pixel dst) const { return (dst & and_mask) ^ xor_mask; }
  // Writes nothing but the value itself.
  bool is_store() const { return and_mask == 0; }
  // Changes no pixel (the top byte aside).
  bool is_noop() const { return and_mask == RGB_MASK && xor_mask == 0; }
  friend bool operator==(const Mix&, const Mix&) = default;
};

// Mix of binary raster operation code rop2 (1..16; truth table rop2 - 1 indexed by
// pen bit * 2 + destination bit) with the pen pixel. The top byte of the result is 0.
// Codes outside 1..16 act as copy (13).
Mix mix_for_rop2(int rop2, Pixel pen);
inline constexpr Mix NOOP_MIX{};

}  // namespace korvi::raster
