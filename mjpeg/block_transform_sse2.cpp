// Block transform, one block per 128-bit vector set.
#include <emmintrin.h>

#include "mjpeg/block_transform.h"

namespace orvilo::mjpeg {
namespace {

struct Sse2 {
  using V = __m128i;
  static V Set1Epi32(int v) { return _mm_set1_epi32(v); }
  static V Madd(V a, V b) { return _mm_madd_epi16(a, b); }
  static V Add32(V a, V b) { return _mm_add_epi32(a, b); }
  static V Sub32(V a, V b) { return _mm_sub_epi32(a, b); }
  static V Srai32(V a, int n) { return _mm_srai_epi32(a, n); }
  static V Slli32(V a, int n) { return _mm_slli_epi32(a, n); }
  static V Slli16(V a, int n) { return _mm_slli_epi16(a, n); }
  static V Packs32(V a, V b) { return _mm_packs_epi32(a, b); }
  static V UnpackLo16(V a, V b) { return _mm_unpacklo_epi16(a, b); }
  static V UnpackHi16(V a, V b) { return _mm_unpackhi_epi16(a, b); }
  static V UnpackLo32(V a, V b) { return _mm_unpacklo_epi32(a, b); }
  static V UnpackHi32(V a, V b) { return _mm_unpackhi_epi32(a, b); }
  static V UnpackLo64(V a, V b) { return _mm_unpacklo_epi64(a, b); }
  static V UnpackHi64(V a, V b) { return _mm_unpackhi_epi64(a, b); }
  static V Or(V a, V b) { return _mm_or_si128(a, b); }
  static V And(V a, V b) { return _mm_and_si128(a, b); }
  static V AndNot(V a, V b) { return _mm_andnot_si128(a, b); }
  static V CmpEqZero16(V a) { return _mm_cmpeq_epi16(a, _mm_setzero_si128()); }
};

#include "mjpeg/block_transform_simd.h"

void TransformOne(const BlockJob& job, bool add) {
  using Idct = SimdIdct<Sse2>;
  __m128i x[8];
  auto* coefficients = reinterpret_cast<__m128i*>(job.coefficients);
  for (int k = 0; k < 8; ++k) {
    x[k] = _mm_loadu_si128(coefficients + k);
    _mm_storeu_si128(coefficients + k, _mm_setzero_si128());
  }
  __m128i rows[8];
  Idct::Transform(x, rows);
  const __m128i zero = _mm_setzero_si128();
  for (int j = 0; j < 8; j += 2) {
    uint8_t* first = job.destination + j * job.stride;
    uint8_t* second = first + job.stride;
    __m128i a = rows[j], b = rows[j + 1];
    if (add) {
      a = _mm_add_epi16(a, _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(first)), zero));
      b = _mm_add_epi16(b, _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(second)), zero));
    }
    const __m128i bytes = _mm_packus_epi16(a, b);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(first), bytes);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(second), _mm_unpackhi_epi64(bytes, bytes));
  }
}

}  // namespace

void TransformBlocksSse2(const BlockJob* jobs, int count, bool add) {
  for (int i = 0; i < count; ++i) TransformOne(jobs[i], add);
}

}  // namespace orvilo::mjpeg
