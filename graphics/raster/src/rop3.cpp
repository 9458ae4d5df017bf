#include "rop3.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "korvi/raster/raster_ops.h"
#include "pixel_ops.h"

namespace korvi::raster {

namespace {

bool uniform(const Pixel* row) {
  for (int i = 1; i < 8; ++i) {
    if (row[i] != row[0]) return false;
  }
  return true;
}

// dst = op(src, dst) over a run: four pixels at a time, then one by one. op works on
// 32-bit words and on 128-bit vectors alike.
template <class Op>
void each(Pixel* dst, const Pixel* src, std::size_t count, Op op) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i mask = _mm_set1_epi32(static_cast<int>(RGB_MASK));
  for (; i + 4 <= count; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_and_si128(op(s, d), mask));
  }
#endif
  for (; i < count; ++i) dst[i] = op(src[i], dst[i]) & RGB_MASK;
}

// Word and vector forms of the common operations.
struct Xor {
  Pixel operator()(Pixel s, Pixel d) const { return s ^ d; }
#if defined(__SSE2__)
  __m128i operator()(__m128i s, __m128i d) const { return _mm_xor_si128(s, d); }
#endif
};
struct And {
  Pixel operator()(Pixel s, Pixel d) const { return s & d; }
#if defined(__SSE2__)
  __m128i operator()(__m128i s, __m128i d) const { return _mm_and_si128(s, d); }
#endif
};
struct Or {
  Pixel operator()(Pixel s, Pixel d) const { return s | d; }
#if defined(__SSE2__)
  __m128i operator()(__m128i s, __m128i d) const { return _mm_or_si128(s, d); }
#endif
};
struct NotSource {
  Pixel operator()(Pixel s, Pixel) const { return ~s; }
#if defined(__SSE2__)
  __m128i operator()(__m128i s, __m128i) const { return _mm_xor_si128(s, _mm_set1_epi32(-1)); }
#endif
};

}  // namespace

void rop3_run(std::uint8_t table, Pixel* dst, const Pixel* source, const Pixel* pattern_row,
              std::int64_t x, std::size_t count) {
  switch (table) {
    case 0xAA: return;  // destination unchanged
    case 0xCC: {
      if (source == dst) {
        for (std::size_t i = 0; i < count; ++i) dst[i] &= RGB_MASK;
        return;
      }
      std::memmove(dst, source, count * sizeof(Pixel));
      return;
    }
    case 0x00: store_run(dst, count, 0); return;
    case 0xFF: store_run(dst, count, RGB_MASK); return;
    case 0x55: mix_run(dst, count, {RGB_MASK, RGB_MASK}); return;
    case 0x33: each(dst, source, count, NotSource{}); return;
    case 0x66: each(dst, source, count, Xor{}); return;
    case 0x88: each(dst, source, count, And{}); return;
    case 0xEE: each(dst, source, count, Or{}); return;
    case 0xF0:
    case 0x5A:
      if (uniform(pattern_row)) {
        const Pixel p = pattern_row[0] & RGB_MASK;
        mix_run(dst, count, table == 0xF0 ? Mix{0, p} : Mix{RGB_MASK, p});
        return;
      }
      break;
    default: break;
  }
  // The general case, from the truth table alone: the sum of the minterms the table
  // selects, bit k standing for pattern = k & 4, source = k & 2, destination = k & 1.
  std::uint32_t m[8];
  for (unsigned k = 0; k < 8; ++k) m[k] = ((table >> k) & 1u) ? 0xFFFFFFFFu : 0u;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t p = pattern_row[(x + static_cast<std::int64_t>(i)) & 7];
    const std::uint32_t s = source ? source[i] : 0;
    const std::uint32_t d = dst[i];
    const std::uint32_t np = ~p, ns = ~s, nd = ~d;
    const std::uint32_t r = (m[0] & np & ns & nd) | (m[1] & np & ns & d) | (m[2] & np & s & nd) |
                            (m[3] & np & s & d) | (m[4] & p & ns & nd) | (m[5] & p & ns & d) |
                            (m[6] & p & s & nd) | (m[7] & p & s & d);
    dst[i] = r & RGB_MASK;
  }
}

}  // namespace korvi::raster
