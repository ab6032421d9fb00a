// The 8 x 8 inverse block transform, defined by its portable integer form:
//
// Rows (x0..x7, one row of coefficients), when x1..x7 are all zero: every output is
// int16(x0 << 3). Otherwise, in 32-bit arithmetic that wraps modulo 2^32,
//   e0 = 16383 x0 + 1024
//   E0 = e0 + 16383 x4 + c2 x2 + c6 x6      E3 = e0 + 16383 x4 - c2 x2 - c6 x6
//   E1 = e0 - 16383 x4 + c6 x2 - c2 x6      E2 = e0 - 16383 x4 - c6 x2 + c2 x6
//   O0 = c1 x1 + c3 x3 + c5 x5 + c7 x7      O1 = c3 x1 - c7 x3 - c1 x5 - c5 x7
//   O2 = c5 x1 - c1 x3 + c7 x5 + c3 x7      O3 = c7 x1 - c5 x3 + c3 x5 - c1 x7
//   out0,7 = E0 +- O0, out1,6 = E1 +- O1, out2,5 = E2 +- O2, out3,4 = E3 +- O3,
// each shifted right arithmetically by 11 and wrapped to 16 bits.
// Columns (y0..y7, one column of the row results): the same sums with
// e0 = 16383 (y0 + 32), shifted right by 20; the sample is that value clamped to 0..255
// (write form) or the old sample plus that value, clamped (add form, for progressive
// passes). ck = round(sqrt(2) cos(k pi / 16) 2^14).
//
// The portable form keeps coefficients in natural row-major order; the SIMD forms keep
// them transposed (column-major), so that a row pass is one vertical SIMD step.
#pragma once

#include <cstddef>
#include <cstdint>

#include "mjpeg/simd_level.h"

namespace orvilo::mjpeg {

inline constexpr int kC1 = 22725, kC2 = 21407, kC3 = 19266, kC5 = 12873, kC6 = 8867, kC7 = 4520;
inline constexpr int kOne = 16383;

// One block to transform: 64 coefficients in the transform's order (cleared to zero by
// the transform), and where its 8 x 8 samples go.
struct BlockJob {
  int16_t* coefficients;
  uint8_t* destination;
  ptrdiff_t stride;
};

// Transforms `count` blocks; `add` selects the add form.
using TransformBlocks = void (*)(const BlockJob* jobs, int count, bool add);

struct BlockTransform {
  TransformBlocks transform;
  // zig-zag position (0..63) -> index in the coefficient block
  uint8_t order[64];
};

// The transform for `level` (already capped at what the processor offers).
const BlockTransform& BlockTransformFor(SimdLevel level);

// A block whose only non-zero coefficient is the DC term x0 has every sample equal to
// this (before clamping / adding): the portable form worked through for that case.
inline int DcOnlyValue(int16_t x0) {
  const int rowOutput = static_cast<int16_t>(static_cast<uint16_t>(x0) << 3);
  return (kOne * (rowOutput + 32)) >> 20;
}

inline uint8_t ClampToByte(int value) {
  return static_cast<uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value));
}

// The forms, for tests and the benchmark.
void TransformBlocksPortable(const BlockJob* jobs, int count, bool add);
void TransformBlocksSse2(const BlockJob* jobs, int count, bool add);
void TransformBlocksAvx2(const BlockJob* jobs, int count, bool add);

}  // namespace orvilo::mjpeg
