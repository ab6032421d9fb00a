#include <cstring>

#include "mjpeg/block_transform.h"

namespace orvilo::mjpeg {
namespace {

// Sums are formed in uint32_t so that they wrap exactly as the SIMD multiply-adds do.
struct EvenOdd {
  uint32_t even[4];
  uint32_t odd[4];
};

EvenOdd Butterflies(uint32_t e0, int x1, int x2, int x3, int x4, int x5, int x6, int x7) {
  const auto u = [](int v) { return static_cast<uint32_t>(v); };
  EvenOdd r;
  r.even[0] = e0 + u(kOne * x4) + u(kC2 * x2) + u(kC6 * x6);
  r.even[3] = e0 + u(kOne * x4) - u(kC2 * x2) - u(kC6 * x6);
  r.even[1] = e0 - u(kOne * x4) + u(kC6 * x2) - u(kC2 * x6);
  r.even[2] = e0 - u(kOne * x4) - u(kC6 * x2) + u(kC2 * x6);
  r.odd[0] = u(kC1 * x1) + u(kC3 * x3) + u(kC5 * x5) + u(kC7 * x7);
  r.odd[1] = u(kC3 * x1) - u(kC7 * x3) - u(kC1 * x5) - u(kC5 * x7);
  r.odd[2] = u(kC5 * x1) - u(kC1 * x3) + u(kC7 * x5) + u(kC3 * x7);
  r.odd[3] = u(kC7 * x1) - u(kC5 * x3) + u(kC3 * x5) - u(kC1 * x7);
  return r;
}

// Output j of a pass: 0..3 = E_j + O_j, 7..4 = E_(7-j) - O_(7-j).
int32_t PassOutput(const EvenOdd& s, int j, int shift) {
  const uint32_t sum = j < 4 ? s.even[j] + s.odd[j] : s.even[7 - j] - s.odd[7 - j];
  return static_cast<int32_t>(sum) >> shift;
}

void TransformOne(int16_t* coefficients, uint8_t* destination, ptrdiff_t stride, bool add) {
  int16_t rows[64];
  for (int r = 0; r < 8; ++r) {
    const int16_t* x = coefficients + 8 * r;
    int16_t* out = rows + 8 * r;
    if ((x[1] | x[2] | x[3] | x[4] | x[5] | x[6] | x[7]) == 0) {
      const auto dc = static_cast<int16_t>(static_cast<uint16_t>(x[0]) << 3);
      for (int j = 0; j < 8; ++j) out[j] = dc;
      continue;
    }
    const uint32_t e0 = static_cast<uint32_t>(kOne * x[0]) + 1024u;
    const EvenOdd s = Butterflies(e0, x[1], x[2], x[3], x[4], x[5], x[6], x[7]);
    for (int j = 0; j < 8; ++j) out[j] = static_cast<int16_t>(PassOutput(s, j, 11));
  }
  for (int c = 0; c < 8; ++c) {
    const auto y = [&](int v) { return static_cast<int>(rows[8 * v + c]); };
    const uint32_t e0 = static_cast<uint32_t>(kOne * (y(0) + 32));
    const EvenOdd s = Butterflies(e0, y(1), y(2), y(3), y(4), y(5), y(6), y(7));
    for (int j = 0; j < 8; ++j) {
      uint8_t* sample = destination + j * stride + c;
      const int value = PassOutput(s, j, 20);
      *sample = ClampToByte(add ? *sample + value : value);
    }
  }
  std::memset(coefficients, 0, 64 * sizeof(int16_t));
}

}  // namespace

void TransformBlocksPortable(const BlockJob* jobs, int count, bool add) {
  for (int i = 0; i < count; ++i) TransformOne(jobs[i].coefficients, jobs[i].destination, jobs[i].stride, add);
}

}  // namespace orvilo::mjpeg
