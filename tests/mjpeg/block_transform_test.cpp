#include "mjpeg/block_transform.h"

#include <gtest/gtest.h>

#include <cstring>
#include <array>
#include <random>
#include <vector>

using namespace orvilo::mjpeg;

namespace {

// Blocks in natural order: random sparse and dense blocks, extreme values that wrap
// in 32 and 16 bits, and rows that take the DC shortcut.
std::vector<std::array<int16_t, 64>> Blocks() {
  std::mt19937 random(42);
  std::vector<std::array<int16_t, 64>> blocks;
  for (int n = 0; n < 3000; ++n) {
    std::array<int16_t, 64> b{};
    const int kind = n % 6;
    const int limit = kind == 0 ? 32767 : (kind == 1 ? 2048 : 300);
    std::uniform_int_distribution<int> value(-limit, limit);
    std::uniform_int_distribution<int> position(0, 63);
    const int count = kind == 2 ? 64 : (kind == 3 ? 1 : 1 + static_cast<int>(random() % 12));
    for (int i = 0; i < count; ++i) b[kind == 3 ? 0 : position(random)] = static_cast<int16_t>(value(random));
    if (kind == 4) {  // extremes
      for (auto& v : b) v = (random() & 1) ? -32768 : 32767;
    }
    blocks.push_back(b);
  }
  return blocks;
}

std::array<uint8_t, 64> TransformNatural(SimdLevel level, const std::array<int16_t, 64>& natural, bool add, uint8_t start) {
  const BlockTransform& t = BlockTransformFor(level);
  alignas(32) int16_t coefficients[64];
  const uint8_t naturalOfZigZag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                       12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                       35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                       58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
  for (int k = 0; k < 64; ++k) coefficients[t.order[k]] = natural[naturalOfZigZag[k]];
  std::array<uint8_t, 64 + 16> out;
  out.fill(start);
  BlockJob job{coefficients, out.data(), 8};
  t.transform(&job, 1, add);
  for (int16_t c : coefficients) EXPECT_EQ(c, 0);  // the transform clears its input
  std::array<uint8_t, 64> result;
  std::memcpy(result.data(), out.data(), 64);
  return result;
}

}  // namespace

TEST(BlockTransform, SimdFormsEqualThePortableForm) {
  const SimdLevel best = SupportedSimdLevel(SimdLevel::Avx2);
  const auto blocks = Blocks();
  for (bool add : {false, true}) {
    for (size_t n = 0; n < blocks.size(); ++n) {
      const auto expected = TransformNatural(SimdLevel::None, blocks[n], add, 100);
      for (int level = 1; level <= static_cast<int>(best); ++level) {
        ASSERT_EQ(TransformNatural(static_cast<SimdLevel>(level), blocks[n], add, 100), expected) << "block " << n << " add " << add;
      }
    }
  }
}

// AVX2 works on two blocks at once, each to its own place: an odd batch and mixed
// destinations give what one-by-one transforms give.
TEST(BlockTransform, BatchesEqualSingleBlocks) {
  const auto blocks = Blocks();
  for (int level = 0; level <= static_cast<int>(SupportedSimdLevel(SimdLevel::Avx2)); ++level) {
    const BlockTransform& t = BlockTransformFor(static_cast<SimdLevel>(level));
    alignas(32) int16_t coefficients[5][64];
    std::vector<uint8_t> plane(40 * 8, 7);
    BlockJob jobs[5];
    for (int i = 0; i < 5; ++i) {
      std::memcpy(coefficients[i], blocks[i * 7 + 2].data(), 128);
      jobs[i] = {coefficients[i], plane.data() + 8 * i, 40};
    }
    t.transform(jobs, 5, false);
    for (int i = 0; i < 5; ++i) {
      alignas(32) int16_t single[64];
      std::memcpy(single, blocks[i * 7 + 2].data(), 128);
      uint8_t out[64];
      BlockJob job{single, out, 8};
      t.transform(&job, 1, false);
      for (int j = 0; j < 8; ++j) ASSERT_EQ(0, std::memcmp(out + 8 * j, plane.data() + 40 * j + 8 * i, 8)) << level;
    }
  }
}

// The decoder fills DC-only blocks without a transform; the value must be the portable
// form's for every possible DC term.
TEST(BlockTransform, DcOnlyValueIsThePortableResult) {
  for (int dc = -32768; dc <= 32767; dc += 7) {
    std::array<int16_t, 64> block{};
    block[0] = static_cast<int16_t>(dc);
    const auto out = TransformNatural(SimdLevel::None, block, false, 0);
    ASSERT_EQ(out[0], ClampToByte(DcOnlyValue(static_cast<int16_t>(dc)))) << dc;
    ASSERT_EQ(out[63], out[0]) << dc;
  }
}

// Row outputs wrap to 16 bits rather than saturate: a DC of 4096 takes the shortcut to
// int16(32768) = -32768, which the column pass turns into 0.
TEST(BlockTransform, RowShortcutWrapsTo16Bits) {
  std::array<int16_t, 64> block{};
  block[0] = 4096;
  EXPECT_EQ(TransformNatural(SimdLevel::None, block, false, 0)[0], 0);
  block[0] = 1024;  // 8192 -> (16383 * 8224) >> 20 = 128
  EXPECT_EQ(TransformNatural(SimdLevel::None, block, false, 0)[0], 128);
}
