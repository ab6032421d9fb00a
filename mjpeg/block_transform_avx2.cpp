// Block transform, two blocks per 256-bit vector set (one per 128-bit lane).
#include <immintrin.h>

#include "mjpeg/block_transform.h"

namespace orvilo::mjpeg {
namespace {

struct Avx2 {
  using V = __m256i;
  static V Set1Epi32(int v) { return _mm256_set1_epi32(v); }
  static V Madd(V a, V b) { return _mm256_madd_epi16(a, b); }
  static V Add32(V a, V b) { return _mm256_add_epi32(a, b); }
  static V Sub32(V a, V b) { return _mm256_sub_epi32(a, b); }
  static V Srai32(V a, int n) { return _mm256_srai_epi32(a, n); }
  static V Slli32(V a, int n) { return _mm256_slli_epi32(a, n); }
  static V Slli16(V a, int n) { return _mm256_slli_epi16(a, n); }
  static V Packs32(V a, V b) { return _mm256_packs_epi32(a, b); }
  static V UnpackLo16(V a, V b) { return _mm256_unpacklo_epi16(a, b); }
  static V UnpackHi16(V a, V b) { return _mm256_unpackhi_epi16(a, b); }
  static V UnpackLo32(V a, V b) { return _mm256_unpacklo_epi32(a, b); }
  static V UnpackHi32(V a, V b) { return _mm256_unpackhi_epi32(a, b); }
  static V UnpackLo64(V a, V b) { return _mm256_unpacklo_epi64(a, b); }
  static V UnpackHi64(V a, V b) { return _mm256_unpackhi_epi64(a, b); }
  static V Or(V a, V b) { return _mm256_or_si256(a, b); }
  static V And(V a, V b) { return _mm256_and_si256(a, b); }
  static V AndNot(V a, V b) { return _mm256_andnot_si256(a, b); }
  static V CmpEqZero16(V a) { return _mm256_cmpeq_epi16(a, _mm256_setzero_si256()); }
};

#include "mjpeg/block_transform_simd.h"

inline __m128i Load8(const uint8_t* p) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)); }

void TransformTwo(const BlockJob& first, const BlockJob& second, bool add) {
  using Idct = SimdIdct<Avx2>;
  __m256i x[8];
  auto* c0 = reinterpret_cast<__m128i*>(first.coefficients);
  auto* c1 = reinterpret_cast<__m128i*>(second.coefficients);
  const __m128i zero = _mm_setzero_si128();
  for (int k = 0; k < 8; ++k) {
    x[k] = _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(c0 + k)), _mm_loadu_si128(c1 + k), 1);
    _mm_storeu_si128(c0 + k, zero);
    _mm_storeu_si128(c1 + k, zero);
  }
  __m256i rows[8];
  Idct::Transform(x, rows);
  for (int j = 0; j < 8; j += 2) {
    uint8_t* a0 = first.destination + j * first.stride;
    uint8_t* a1 = a0 + first.stride;
    uint8_t* b0 = second.destination + j * second.stride;
    uint8_t* b1 = b0 + second.stride;
    __m256i upper = rows[j], lower = rows[j + 1];
    if (add) {
      const __m256i old0 = _mm256_cvtepu8_epi16(_mm_unpacklo_epi64(Load8(a0), Load8(b0)));
      const __m256i old1 = _mm256_cvtepu8_epi16(_mm_unpacklo_epi64(Load8(a1), Load8(b1)));
      upper = _mm256_add_epi16(upper, old0);
      lower = _mm256_add_epi16(lower, old1);
    }
    // lane 0: first block rows j, j+1; lane 1: second block rows j, j+1
    const __m256i bytes = _mm256_packus_epi16(upper, lower);
    const __m128i p = _mm256_castsi256_si128(bytes);
    const __m128i q = _mm256_extracti128_si256(bytes, 1);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(a0), p);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(a1), _mm_unpackhi_epi64(p, p));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(b0), q);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(b1), _mm_unpackhi_epi64(q, q));
  }
}

}  // namespace

void TransformBlocksAvx2(const BlockJob* jobs, int count, bool add) {
  int i = 0;
  for (; i + 1 < count; i += 2) TransformTwo(jobs[i], jobs[i + 1], add);
  if (i < count) TransformBlocksSse2(jobs + i, 1, add);
}

}  // namespace orvilo::mjpeg
