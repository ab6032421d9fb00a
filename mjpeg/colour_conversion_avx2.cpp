// Colour conversion, 32 pixels per step with 256-bit vectors.
#include <immintrin.h>

#include "mjpeg/colour_conversion.h"

namespace orvilo::mjpeg {
namespace {

// Chroma terms of 16 chroma samples, quadwords reordered (0, 2, 1, 3) so that the in-lane
// duplication below lines them up with luma widened 16 bytes at a time.
struct ChromaTerms {
  __m256i blue, green, red;
};

inline ChromaTerms Terms(const uint8_t* cb, const uint8_t* cr) {
  const __m256i bias = _mm256_set1_epi16(128);
  __m256i u, v;
  if (cb != nullptr) {
    u = _mm256_sub_epi16(_mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(cb))), bias);
    v = _mm256_sub_epi16(_mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(cr))), bias);
    u = _mm256_permute4x64_epi64(u, 0xD8);
    v = _mm256_permute4x64_epi64(v, 0xD8);
  } else {
    u = v = _mm256_set1_epi16(kGreyChroma - 128);
  }
  return {_mm256_mullo_epi16(u, _mm256_set1_epi16(129)),
          _mm256_adds_epi16(_mm256_mullo_epi16(u, _mm256_set1_epi16(25)), _mm256_mullo_epi16(v, _mm256_set1_epi16(52))),
          _mm256_mullo_epi16(v, _mm256_set1_epi16(102))};
}

inline void Pixels32(const uint8_t* luma, const __m256i blue[2], const __m256i green[2], const __m256i red[2],
                     uint8_t* out) {
  const __m256i scale = _mm256_set1_epi16(74);
  const __m256i sixteen = _mm256_set1_epi16(16);
  // y[0]: pixels 0..7 | 8..15, y[1]: pixels 16..23 | 24..31
  const __m256i y[2] = {
      _mm256_mullo_epi16(
          _mm256_sub_epi16(_mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(luma))), sixteen),
          scale),
      _mm256_mullo_epi16(
          _mm256_sub_epi16(_mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(luma + 16))),
                           sixteen),
          scale)};
  __m256i b[2], g[2], r[2];
  for (int h = 0; h < 2; ++h) {
    b[h] = _mm256_srai_epi16(_mm256_adds_epi16(y[h], blue[h]), 6);
    g[h] = _mm256_srai_epi16(_mm256_subs_epi16(y[h], green[h]), 6);
    r[h] = _mm256_srai_epi16(_mm256_adds_epi16(y[h], red[h]), 6);
  }
  // lane 0: pixels 0..7, 16..23; lane 1: pixels 8..15, 24..31
  const __m256i b8 = _mm256_packus_epi16(b[0], b[1]);
  const __m256i g8 = _mm256_packus_epi16(g[0], g[1]);
  const __m256i r8 = _mm256_packus_epi16(r[0], r[1]);
  const __m256i zero = _mm256_setzero_si256();
  const __m256i bgLo = _mm256_unpacklo_epi8(b8, g8), bgHi = _mm256_unpackhi_epi8(b8, g8);
  const __m256i rxLo = _mm256_unpacklo_epi8(r8, zero), rxHi = _mm256_unpackhi_epi8(r8, zero);
  const __m256i p0 = _mm256_unpacklo_epi16(bgLo, rxLo);  // 0..3 | 8..11
  const __m256i p1 = _mm256_unpackhi_epi16(bgLo, rxLo);  // 4..7 | 12..15
  const __m256i p2 = _mm256_unpacklo_epi16(bgHi, rxHi);  // 16..19 | 24..27
  const __m256i p3 = _mm256_unpackhi_epi16(bgHi, rxHi);  // 20..23 | 28..31
  auto* o = reinterpret_cast<__m256i*>(out);
  _mm256_storeu_si256(o + 0, _mm256_permute2x128_si256(p0, p1, 0x20));
  _mm256_storeu_si256(o + 1, _mm256_permute2x128_si256(p0, p1, 0x31));
  _mm256_storeu_si256(o + 2, _mm256_permute2x128_si256(p2, p3, 0x20));
  _mm256_storeu_si256(o + 3, _mm256_permute2x128_si256(p2, p3, 0x31));
}

}  // namespace

void ConvertRowsAvx2(const uint8_t* luma0, const uint8_t* luma1, const uint8_t* cb, const uint8_t* cr,
                     uint8_t* out0, uint8_t* out1, int width) {
  int x = 0;
  for (; x + 32 <= width; x += 32) {
    const ChromaTerms t = Terms(cb ? cb + x / 2 : nullptr, cr ? cr + x / 2 : nullptr);
    const __m256i blue[2] = {_mm256_unpacklo_epi16(t.blue, t.blue), _mm256_unpackhi_epi16(t.blue, t.blue)};
    const __m256i green[2] = {_mm256_unpacklo_epi16(t.green, t.green), _mm256_unpackhi_epi16(t.green, t.green)};
    const __m256i red[2] = {_mm256_unpacklo_epi16(t.red, t.red), _mm256_unpackhi_epi16(t.red, t.red)};
    Pixels32(luma0 + x, blue, green, red, out0 + 4 * x);
    if (luma1 != nullptr) Pixels32(luma1 + x, blue, green, red, out1 + 4 * x);
  }
  if (x < width) {
    ConvertRowsSse2(luma0 + x, luma1 ? luma1 + x : nullptr, cb ? cb + x / 2 : nullptr, cr ? cr + x / 2 : nullptr,
                    out0 + 4 * x, out1 ? out1 + 4 * x : nullptr, width - x);
  }
}

}  // namespace orvilo::mjpeg
