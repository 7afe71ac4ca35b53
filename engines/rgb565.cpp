#include "engines/rgb565.h"

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

uint32_t OnePixel(uint16_t v, uint32_t alpha) {
  const uint32_t r = (v >> 11) * 1053u >> 7;
  const uint32_t g = (((v >> 5) & 63u) * 2069u + 16u) >> 9;
  const uint32_t b = (v & 31u) * 1053u >> 7;
  return alpha << 24 | r << 16 | g << 8 | b;
}

}  // namespace

void ConvertRgb565(const uint16_t* from, uint8_t* to, int count, uint8_t alpha) {
  int i = 0;
#if defined(__SSE2__)
  // In 16-bit lanes: red and blue fit v * 1053 in 16 bits; green is the high half of
  // (v << 3) * 33110, which equals v * 2069 + 16 >> 9 for every 6-bit v.
  const __m128i stretch = _mm_set1_epi16(1053);
  const __m128i stretchGreen = _mm_set1_epi16(static_cast<int16_t>(33110));
  const __m128i blueBits = _mm_set1_epi16(31);
  const __m128i greenBits = _mm_set1_epi16(63 << 3);
  const __m128i alphaHigh = _mm_set1_epi16(static_cast<int16_t>(alpha << 8));
  const auto eight = [&](int at) {
    __m128i v;
    std::memcpy(&v, from + at, sizeof v);
    const __m128i r = _mm_srli_epi16(_mm_mullo_epi16(_mm_srli_epi16(v, 11), stretch), 7);
    const __m128i g = _mm_mulhi_epu16(_mm_and_si128(_mm_srli_epi16(v, 2), greenBits), stretchGreen);
    const __m128i b = _mm_srli_epi16(_mm_mullo_epi16(_mm_and_si128(v, blueBits), stretch), 7);
    const __m128i greenBlue = _mm_or_si128(_mm_slli_epi16(g, 8), b);
    const __m128i alphaRed = _mm_or_si128(alphaHigh, r);
    const __m128i low = _mm_unpacklo_epi16(greenBlue, alphaRed);
    const __m128i high = _mm_unpackhi_epi16(greenBlue, alphaRed);
    std::memcpy(to + 4 * at, &low, sizeof low);
    std::memcpy(to + 4 * at + 16, &high, sizeof high);
  };
  for (; i + 8 <= count; i += 8) eight(i);
  // The last few pixels of a run of eight or more: the last eight again, overlapping.
  if (i < count && count >= 8) {
    eight(count - 8);
    return;
  }
#endif
  for (; i < count; ++i) {
    const uint32_t pixel = OnePixel(from[i], alpha);
    std::memcpy(to + 4 * i, &pixel, 4);
  }
}
