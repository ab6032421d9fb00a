#include "mjpeg/block_transform.h"

namespace orvilo::mjpeg {
namespace {

// T.81 zig-zag sequence: zig-zag position -> natural (row-major) index.
constexpr uint8_t kZigZag[64] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

BlockTransform Make(TransformBlocks transform, bool transposed) {
  BlockTransform t{transform, {}};
  for (int k = 0; k < 64; ++k) {
    const int natural = kZigZag[k];
    t.order[k] = static_cast<uint8_t>(transposed ? (natural % 8) * 8 + natural / 8 : natural);
  }
  return t;
}

}  // namespace

const BlockTransform& BlockTransformFor(SimdLevel level) {
  static const BlockTransform portable = Make(TransformBlocksPortable, false);
  static const BlockTransform sse2 = Make(TransformBlocksSse2, true);
  static const BlockTransform avx2 = Make(TransformBlocksAvx2, true);
  switch (level) {
    case SimdLevel::Avx2: return avx2;
    case SimdLevel::Sse2: return sse2;
    case SimdLevel::None: break;
  }
  return portable;
}

}  // namespace orvilo::mjpeg
