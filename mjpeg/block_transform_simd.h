// The SIMD form of the block transform, written once over a vector type: 128-bit
// vectors hold one block (SSE2), 256-bit vectors hold two blocks, one per 128-bit lane
// (AVX2). Only in-lane operations are used, so both widths run the same steps. Every
// step mirrors the portable form exactly: 16 x 16 -> 32-bit multiply-adds, 32-bit adds
// that wrap, arithmetic shifts and the same 16-bit wrap after the row pass.
//
// Included by exactly one source file per instruction set, inside an unnamed namespace.
#pragma once

#include <immintrin.h>

#include "mjpeg/block_transform.h"

template <class T>
struct SimdIdct {
  using V = typename T::V;

  static V Pair(int low, int high) {
    return T::Set1Epi32(static_cast<int>((static_cast<uint32_t>(high) << 16) | static_cast<uint16_t>(low)));
  }

  // One pass over eight vectors of eight 16-bit lanes (per 128-bit lane). rowPass picks
  // the rounding, the shift and the 16-bit wrap of the row pass.
  template <bool rowPass>
  static inline void Pass(const V x[8], V out[8]) {
    const V k04a = Pair(orvilo::mjpeg::kOne, orvilo::mjpeg::kOne);
    const V k04b = Pair(orvilo::mjpeg::kOne, -orvilo::mjpeg::kOne);
    const V k26a = Pair(orvilo::mjpeg::kC2, orvilo::mjpeg::kC6);
    const V k26b = Pair(orvilo::mjpeg::kC6, -orvilo::mjpeg::kC2);
    using namespace orvilo::mjpeg;
    const V k13[4] = {Pair(kC1, kC3), Pair(kC3, -kC7), Pair(kC5, -kC1), Pair(kC7, -kC5)};
    const V k57[4] = {Pair(kC5, kC7), Pair(-kC1, -kC5), Pair(kC7, kC3), Pair(kC3, -kC1)};
    const V rounding = T::Set1Epi32(rowPass ? 1024 : kOne * 32);

    V halves[2][8];
    for (int h = 0; h < 2; ++h) {
      const V x04 = h == 0 ? T::UnpackLo16(x[0], x[4]) : T::UnpackHi16(x[0], x[4]);
      const V x26 = h == 0 ? T::UnpackLo16(x[2], x[6]) : T::UnpackHi16(x[2], x[6]);
      const V x13 = h == 0 ? T::UnpackLo16(x[1], x[3]) : T::UnpackHi16(x[1], x[3]);
      const V x57 = h == 0 ? T::UnpackLo16(x[5], x[7]) : T::UnpackHi16(x[5], x[7]);
      const V a = T::Add32(T::Madd(x04, k04a), rounding);
      const V b = T::Add32(T::Madd(x04, k04b), rounding);
      const V c = T::Madd(x26, k26a);
      const V d = T::Madd(x26, k26b);
      const V even[4] = {T::Add32(a, c), T::Add32(b, d), T::Sub32(b, d), T::Sub32(a, c)};
      for (int j = 0; j < 4; ++j) {
        const V odd = T::Add32(T::Madd(x13, k13[j]), T::Madd(x57, k57[j]));
        V plus = T::Add32(even[j], odd);
        V minus = T::Sub32(even[j], odd);
        if (rowPass) {
          // bits 11..26, sign-extended: (v >> 11) wrapped to 16 bits
          plus = T::Srai32(T::Slli32(plus, 5), 16);
          minus = T::Srai32(T::Slli32(minus, 5), 16);
        } else {
          plus = T::Srai32(plus, 20);
          minus = T::Srai32(minus, 20);
        }
        halves[h][j] = plus;
        halves[h][7 - j] = minus;
      }
    }
    for (int j = 0; j < 8; ++j) out[j] = T::Packs32(halves[0][j], halves[1][j]);
  }

  static inline void Transpose(const V r[8], V t[8]) {
    const V a0 = T::UnpackLo16(r[0], r[1]), a1 = T::UnpackHi16(r[0], r[1]);
    const V a2 = T::UnpackLo16(r[2], r[3]), a3 = T::UnpackHi16(r[2], r[3]);
    const V a4 = T::UnpackLo16(r[4], r[5]), a5 = T::UnpackHi16(r[4], r[5]);
    const V a6 = T::UnpackLo16(r[6], r[7]), a7 = T::UnpackHi16(r[6], r[7]);
    const V b0 = T::UnpackLo32(a0, a2), b1 = T::UnpackHi32(a0, a2);
    const V b2 = T::UnpackLo32(a1, a3), b3 = T::UnpackHi32(a1, a3);
    const V b4 = T::UnpackLo32(a4, a6), b5 = T::UnpackHi32(a4, a6);
    const V b6 = T::UnpackLo32(a5, a7), b7 = T::UnpackHi32(a5, a7);
    t[0] = T::UnpackLo64(b0, b4);
    t[1] = T::UnpackHi64(b0, b4);
    t[2] = T::UnpackLo64(b1, b5);
    t[3] = T::UnpackHi64(b1, b5);
    t[4] = T::UnpackLo64(b2, b6);
    t[5] = T::UnpackHi64(b2, b6);
    t[6] = T::UnpackLo64(b3, b7);
    t[7] = T::UnpackHi64(b3, b7);
  }

  // x: the transposed coefficients (vector k holds coefficient k of rows 0..7).
  // Returns the eight output rows as 16-bit samples (before clamping).
  static inline void Transform(const V x[8], V rows[8]) {
    V rowOut[8];
    Pass<true>(x, rowOut);
    // Rows whose x1..x7 are all zero take int16(x0 << 3) in every output.
    V any = x[1];
    for (int k = 2; k < 8; ++k) any = T::Or(any, x[k]);
    const V dcRows = T::CmpEqZero16(any);
    const V dc = T::Slli16(x[0], 3);
    for (int j = 0; j < 8; ++j) rowOut[j] = T::Or(T::And(dcRows, dc), T::AndNot(dcRows, rowOut[j]));
    V columns[8];
    Transpose(rowOut, columns);
    Pass<false>(columns, rows);
  }
};
