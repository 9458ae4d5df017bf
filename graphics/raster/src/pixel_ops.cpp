#include "pixel_ops.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace korvi::raster {

Mix mix_for_rop2(int rop2, Pixel pen) {
  if (rop2 < 1 || rop2 > 16) rop2 = 13;
  const unsigned table = static_cast<unsigned>(rop2 - 1);
  // Result bit for (pen bit p, destination bit d) is bit (p * 2 + d) of the table.
  auto all = [](unsigned bit) { return bit ? 0xFFFFFFFFu : 0u; };
  const Pixel when_dst0 = (pen & all(table >> 2 & 1)) | (~pen & all(table & 1));
  const Pixel when_dst1 = (pen & all(table >> 3 & 1)) | (~pen & all(table >> 1 & 1));
  return {(when_dst0 ^ when_dst1) & RGB_MASK, when_dst0 & RGB_MASK};
}

void store_run(Pixel* dst, std::size_t count, Pixel value) {
#if defined(__x86_64__)
  // Long runs: the string store writes whole cache lines at the memory's pace.
  constexpr std::size_t STRING_STORE_MIN = 4096;
  if (count >= STRING_STORE_MIN) {
    __asm__ volatile("rep stosl" : "+D"(dst), "+c"(count) : "a"(value) : "memory");
    return;
  }
#endif
#if defined(__SSE2__)
  const __m128i v = _mm_set1_epi32(static_cast<int>(value));
  if (count < 4) {
    for (std::size_t i = 0; i < count; ++i) dst[i] = value;
    return;
  }
  // Unaligned stores cover both ends; aligned ones the middle, overlapping freely.
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), v);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + count - 4), v);
  if (count <= 8) return;
  Pixel* p = dst + (4 - (reinterpret_cast<std::uintptr_t>(dst) & 15) / sizeof(Pixel));
  Pixel* const stop = dst + count - 4;
  for (; p + 16 <= stop; p += 16) {
    _mm_store_si128(reinterpret_cast<__m128i*>(p), v);
    _mm_store_si128(reinterpret_cast<__m128i*>(p + 4), v);
    _mm_store_si128(reinterpret_cast<__m128i*>(p + 8), v);
    _mm_store_si128(reinterpret_cast<__m128i*>(p + 12), v);
  }
  for (; p < stop; p += 4) _mm_store_si128(reinterpret_cast<__m128i*>(p), v);
#else
  for (std::size_t i = 0; i < count; ++i) dst[i] = value;
#endif
}

void mix_run(Pixel* dst, std::size_t count, Mix mix) {
  if (mix.is_store()) {
    store_run(dst, count, mix.xor_mask);
    return;
  }
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i a = _mm_set1_epi32(static_cast<int>(mix.and_mask));
  const __m128i x = _mm_set1_epi32(static_cast<int>(mix.xor_mask));
  for (; i + 4 <= count; i += 4) {
    auto* p = reinterpret_cast<__m128i*>(dst + i);
    _mm_storeu_si128(p, _mm_xor_si128(_mm_and_si128(_mm_loadu_si128(p), a), x));
  }
#endif
  for (; i < count; ++i) dst[i] = mix.apply(dst[i]);
}

void mix_tile_run(Pixel* dst, std::int64_t x, std::size_t count, const Mix* tile_row) {
  std::size_t i = 0;
  // Up to the next multiple of 8, then whole tile rows.
  for (; i < count && ((x + static_cast<std::int64_t>(i)) & 7) != 0; ++i) {
    dst[i] = tile_row[(x + static_cast<std::int64_t>(i)) & 7].apply(dst[i]);
  }
  Pixel and_masks[8];
  Pixel xor_masks[8];
  for (int k = 0; k < 8; ++k) {
    and_masks[k] = tile_row[k].and_mask;
    xor_masks[k] = tile_row[k].xor_mask;
  }
  for (; i + 8 <= count; i += 8) {
    for (int k = 0; k < 8; ++k) dst[i + k] = (dst[i + k] & and_masks[k]) ^ xor_masks[k];
  }
  for (int k = 0; i < count; ++i, ++k) dst[i] = (dst[i] & and_masks[k]) ^ xor_masks[k];
}

}  // namespace korvi::raster
