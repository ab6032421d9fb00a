#include "mjpeg/colour_conversion.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "mjpeg/decoder.h"

using namespace orvilo::mjpeg;

namespace {

// Planes laid out as the decoder lays them out.
struct Planes {
  std::vector<uint8_t> block;
  PlaneSet set;
  Planes(int width, int height, bool chromaPerRow) {
    const int paddedWidth = (width + 15) & ~15, paddedHeight = (height + 15) & ~15;
    const int chromaRows = chromaPerRow ? paddedHeight : paddedHeight / 2;
    block.resize(static_cast<size_t>(paddedWidth) * paddedHeight + 2 * static_cast<size_t>(paddedWidth / 2) * chromaRows);
    set.width = width;
    set.height = height;
    set.y = block.data();
    set.cb = set.y + static_cast<size_t>(paddedWidth) * paddedHeight;
    set.cr = set.cb + static_cast<size_t>(paddedWidth / 2) * chromaRows;
    set.yStride = paddedWidth;
    set.cbStride = set.crStride = paddedWidth / 2;
  }
  void Fill(uint8_t y, uint8_t cb, uint8_t cr) {
    std::fill(set.y, set.cb, y);
    std::fill(set.cb, set.cr, cb);
    std::fill(set.cr, block.data() + block.size(), cr);
  }
};

std::vector<uint8_t> Convert(SimdLevel level, const PlaneSet& planes, bool bottomUp, bool blackWhite, int stride) {
  std::vector<uint8_t> out(static_cast<size_t>(stride) * planes.height, 0xEE);
  EXPECT_EQ(ConvertToBgrx(level, out.data(), stride, planes, bottomUp, blackWhite), 0);
  return out;
}

}  // namespace

struct PixelCase {
  uint8_t y, cb, cr;
  bool blackWhite;
  uint8_t blue, green, red;
};

class ConvertPixel : public ::testing::TestWithParam<PixelCase> {};

TEST_P(ConvertPixel, FollowsTheIntegerFormula) {
  const PixelCase& c = GetParam();
  for (int level = 0; level <= static_cast<int>(SupportedSimdLevel(SimdLevel::Avx2)); ++level) {
    Planes planes(40, 6, true);
    planes.Fill(c.y, c.cb, c.cr);
    const auto out = Convert(static_cast<SimdLevel>(level), planes.set, false, c.blackWhite, 160);
    for (size_t i = 0; i < out.size(); i += 4) {
      ASSERT_EQ(out[i], c.blue) << level;
      ASSERT_EQ(out[i + 1], c.green) << level;
      ASSERT_EQ(out[i + 2], c.red) << level;
      ASSERT_EQ(out[i + 3], 0) << level;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Values, ConvertPixel,
    ::testing::Values(PixelCase{128, 128, 128, false, 129, 129, 129}, PixelCase{128, 128, 128, true, 127, 130, 127},
                      PixelCase{235, 128, 128, false, 253, 253, 253}, PixelCase{16, 128, 128, false, 0, 0, 0},
                      PixelCase{255, 255, 255, false, 255, 123, 255},  // blue and red saturate
                      PixelCase{0, 0, 0, false, 0, 135, 0}, PixelCase{81, 90, 240, false, 0, 0, 253},
                      PixelCase{200, 40, 200, true, 210, 213, 211}));

// Random planes of odd sizes: every SIMD form writes the bytes the portable form writes,
// in both layouts and orientations, and nothing past the frame's width.
TEST(ConvertToBgrx, SimdFormsEqualThePortableForm) {
  std::mt19937 random(3);
  for (bool chromaPerRow : {true, false}) {
    for (int width : {1, 15, 16, 17, 31, 32, 33, 63, 100, 321}) {
      const int height = 1 + static_cast<int>(random() % 9);
      Planes planes(width, height, chromaPerRow);
      for (auto& b : planes.block) b = static_cast<uint8_t>(random());
      for (bool bottomUp : {false, true}) {
        for (bool blackWhite : {false, true}) {
          const int stride = width * 4 + 12;
          const auto expected = Convert(SimdLevel::None, planes.set, bottomUp, blackWhite, stride);
          for (int row = 0; row < height; ++row) {
            for (int b = width * 4; b < stride; ++b) ASSERT_EQ(expected[row * stride + b], 0xEE);
          }
          for (int level = 1; level <= static_cast<int>(SupportedSimdLevel(SimdLevel::Avx2)); ++level) {
            ASSERT_EQ(Convert(static_cast<SimdLevel>(level), planes.set, bottomUp, blackWhite, stride), expected)
                << level << " width " << width << " per-row " << chromaPerRow;
          }
        }
      }
    }
  }
}

// The layout comes from the chroma plane's size; 4:2:0 chroma rows serve two rows.
TEST(ConvertToBgrx, ChromaRowsFollowTheLayout) {
  for (bool chromaPerRow : {true, false}) {
    Planes planes(16, 4, chromaPerRow);
    planes.Fill(128, 128, 128);
    planes.set.cr[planes.set.crStride] = 255;  // chroma row 1, first sample
    const auto out = Convert(SimdLevel::None, planes.set, false, false, 64);
    const int redRow = chromaPerRow ? 1 : 2;
    for (int row = 0; row < 4; ++row) {
      const bool red = row == redRow || (!chromaPerRow && row == 3);
      EXPECT_EQ(out[row * 64 + 2] > 200, red) << row << " per-row " << chromaPerRow;
      EXPECT_EQ(out[row * 64 + 4 + 2], out[row * 64 + 2]) << "two pixels per chroma sample";
      EXPECT_EQ(out[row * 64 + 8 + 2], 129);
    }
  }
}

TEST(ConvertToBgrx, BottomUpPutsTheFirstRowLast) {
  Planes planes(16, 3, true);
  planes.Fill(16, 128, 128);
  std::fill(planes.set.y, planes.set.y + 16, 235);  // row 0 white
  const auto out = Convert(SimdLevel::None, planes.set, true, false, 64);
  EXPECT_EQ(out[2 * 64], 253);
  EXPECT_EQ(out[0], 0);
}

TEST(ConvertToBgrx, RefusesAnEmptyPlaneSet) {
  uint8_t out[64];
  EXPECT_EQ(ConvertToBgrx(out, 64, PlaneSet{}, false, false), -1);
}
