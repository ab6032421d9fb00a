// Colour conversion, 16 pixels per step with 128-bit vectors.
#include <emmintrin.h>

#include "mjpeg/colour_conversion.h"

namespace orvilo::mjpeg {
namespace {

struct ChromaTerms {
  __m128i blue, green, red;  // u*129, sat(u*25 + v*52), v*102 for 8 chroma samples
};

inline ChromaTerms Terms(const uint8_t* cb, const uint8_t* cr) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i bias = _mm_set1_epi16(128);
  __m128i u, v;
  if (cb != nullptr) {
    u = _mm_sub_epi16(_mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(cb)), zero), bias);
    v = _mm_sub_epi16(_mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(cr)), zero), bias);
  } else {
    u = v = _mm_set1_epi16(kGreyChroma - 128);
  }
  return {_mm_mullo_epi16(u, _mm_set1_epi16(129)),
          _mm_adds_epi16(_mm_mullo_epi16(u, _mm_set1_epi16(25)), _mm_mullo_epi16(v, _mm_set1_epi16(52))),
          _mm_mullo_epi16(v, _mm_set1_epi16(102))};
}

// 16 pixels of one row; `blue`, `green`, `red` hold the chroma terms of pixels 0..7 (lo)
// and 8..15 (hi) after duplication.
inline void Pixels16(const uint8_t* luma, const __m128i blue[2], const __m128i green[2], const __m128i red[2],
                     uint8_t* out) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i l = _mm_loadu_si128(reinterpret_cast<const __m128i*>(luma));
  const __m128i scale = _mm_set1_epi16(74);
  const __m128i sixteen = _mm_set1_epi16(16);
  const __m128i y[2] = {_mm_mullo_epi16(_mm_sub_epi16(_mm_unpacklo_epi8(l, zero), sixteen), scale),
                        _mm_mullo_epi16(_mm_sub_epi16(_mm_unpackhi_epi8(l, zero), sixteen), scale)};
  __m128i b[2], g[2], r[2];
  for (int h = 0; h < 2; ++h) {
    b[h] = _mm_srai_epi16(_mm_adds_epi16(y[h], blue[h]), 6);
    g[h] = _mm_srai_epi16(_mm_subs_epi16(y[h], green[h]), 6);
    r[h] = _mm_srai_epi16(_mm_adds_epi16(y[h], red[h]), 6);
  }
  const __m128i b8 = _mm_packus_epi16(b[0], b[1]);
  const __m128i g8 = _mm_packus_epi16(g[0], g[1]);
  const __m128i r8 = _mm_packus_epi16(r[0], r[1]);
  const __m128i bgLo = _mm_unpacklo_epi8(b8, g8), bgHi = _mm_unpackhi_epi8(b8, g8);
  const __m128i rxLo = _mm_unpacklo_epi8(r8, zero), rxHi = _mm_unpackhi_epi8(r8, zero);
  auto* o = reinterpret_cast<__m128i*>(out);
  _mm_storeu_si128(o + 0, _mm_unpacklo_epi16(bgLo, rxLo));
  _mm_storeu_si128(o + 1, _mm_unpackhi_epi16(bgLo, rxLo));
  _mm_storeu_si128(o + 2, _mm_unpacklo_epi16(bgHi, rxHi));
  _mm_storeu_si128(o + 3, _mm_unpackhi_epi16(bgHi, rxHi));
}

}  // namespace

void ConvertRowsSse2(const uint8_t* luma0, const uint8_t* luma1, const uint8_t* cb, const uint8_t* cr,
                     uint8_t* out0, uint8_t* out1, int width) {
  int x = 0;
  for (; x + 16 <= width; x += 16) {
    const ChromaTerms t = Terms(cb ? cb + x / 2 : nullptr, cr ? cr + x / 2 : nullptr);
    const __m128i blue[2] = {_mm_unpacklo_epi16(t.blue, t.blue), _mm_unpackhi_epi16(t.blue, t.blue)};
    const __m128i green[2] = {_mm_unpacklo_epi16(t.green, t.green), _mm_unpackhi_epi16(t.green, t.green)};
    const __m128i red[2] = {_mm_unpacklo_epi16(t.red, t.red), _mm_unpackhi_epi16(t.red, t.red)};
    Pixels16(luma0 + x, blue, green, red, out0 + 4 * x);
    if (luma1 != nullptr) Pixels16(luma1 + x, blue, green, red, out1 + 4 * x);
  }
  if (x < width) {
    ConvertRowsPortable(luma0 + x, luma1 ? luma1 + x : nullptr, cb ? cb + x / 2 : nullptr, cr ? cr + x / 2 : nullptr,
                        out0 + 4 * x, out1 ? out1 + 4 * x : nullptr, width - x);
  }
}

}  // namespace orvilo::mjpeg
