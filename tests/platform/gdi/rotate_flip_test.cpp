#include "platform/gdi/rotate_flip.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/platform/gdi/labelled_picture.h"

using namespace orvilo::gdi;
using orvilo::testing::Labels;
using orvilo::testing::LabelledPicture;
using Grid = std::vector<std::vector<int>>;

struct CodeCase {
  int rotation;
  bool mirror, flip;
  int code;
  friend void PrintTo(const CodeCase& c, std::ostream* out) {
    *out << "r" << c.rotation << (c.mirror ? "m" : "") << (c.flip ? "f" : "");
  }
};

class RotateFlipCodeRule : public ::testing::TestWithParam<CodeCase> {};

TEST_P(RotateFlipCodeRule, GivesTheGdiPlusCode) {
  EXPECT_EQ(RotateFlipCode(GetParam().rotation, GetParam().mirror, GetParam().flip), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RotateFlipCodeRule,
    ::testing::Values(CodeCase{0, false, false, 0}, CodeCase{1, false, false, 1}, CodeCase{2, false, false, 2},
                      CodeCase{3, false, false, 3}, CodeCase{0, true, false, 4}, CodeCase{1, true, false, 5},
                      CodeCase{2, true, false, 6}, CodeCase{3, true, false, 7}, CodeCase{0, false, true, 6},
                      CodeCase{1, false, true, 7}, CodeCase{2, false, true, 4}, CodeCase{3, false, true, 5},
                      CodeCase{0, true, true, 2}, CodeCase{1, true, true, 3}, CodeCase{2, true, true, 0},
                      CodeCase{3, true, true, 1}, CodeCase{5, false, false, 1}, CodeCase{-1, false, false, 3},
                      CodeCase{-6, true, false, 6}));

// The 3 × 2 picture (labels 10·row + column + 1)
//    1  2  3
//   11 12 13
// under each code; the odd codes make it 2 wide and 3 high.
const Grid kExpected[8] = {
    {{1, 2, 3}, {11, 12, 13}},    // 0 none
    {{11, 1}, {12, 2}, {13, 3}},  // 1 rotate 90° clockwise
    {{13, 12, 11}, {3, 2, 1}},    // 2 rotate 180°
    {{3, 13}, {2, 12}, {1, 11}},  // 3 rotate 270°
    {{3, 2, 1}, {13, 12, 11}},    // 4 mirror
    {{1, 11}, {2, 12}, {3, 13}},  // 5 rotate 90°, mirror
    {{11, 12, 13}, {1, 2, 3}},    // 6 flip
    {{13, 3}, {12, 2}, {11, 1}},  // 7 rotate 270°, mirror
};

class RotateFlipPicture : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(RotateFlipPicture, MovesEveryPixelWhereTheCodeSays) {
  const auto [bitCount, code] = GetParam();
  PackedDib source = LabelledPicture(3, 2, bitCount);
  BitmapInfoHeader& header = *reinterpret_cast<BitmapInfoHeader*>(const_cast<std::uint8_t*>(source.data()));
  header.biXPelsPerMeter = 100;
  header.biYPelsPerMeter = 200;
  const PackedDib result = RotateFlip(source, code);
  ASSERT_FALSE(result.IsEmpty());
  EXPECT_EQ(Labels(result), kExpected[code]);
  EXPECT_EQ(result.bitCount(), bitCount);
  EXPECT_EQ(result.header().biSizeImage, result.stride() * result.height());
  EXPECT_EQ(result.header().biXPelsPerMeter, RotateFlipSwapsSides(code) ? 200 : 100);
  if (bitCount == 8) {
    EXPECT_EQ(result.colourCount(), 256u);
    EXPECT_EQ(std::memcmp(result.colourTable(), source.colourTable(), 1024), 0);
  }
  EXPECT_EQ(Labels(source), kExpected[0]);  // the source is untouched
}

INSTANTIATE_TEST_SUITE_P(Cases, RotateFlipPicture,
                         ::testing::Combine(::testing::Values(8, 24, 32), ::testing::Range(0, 8)),
                         [](const auto& info) {
                           return std::to_string(std::get<0>(info.param)) + "bit_code" +
                                  std::to_string(std::get<1>(info.param));
                         });

// On a picture larger than the tiles: the code of (r, m, f) equals turning r
// times by 90°, then mirroring, then flipping, step by step.
TEST(RotateFlip, AgreesWithItsStepsOnALargePicture) {
  const int width = 150, height = 71;
  PackedDib source = PackedDib::Create(width, height, 24);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width * 3; ++x) source.Row(y)[x] = static_cast<std::uint8_t>((x * 7 + y * 13) % 251);
  }
  for (int r = 0; r < 4; ++r) {
    for (const bool mirror : {false, true}) {
      for (const bool flip : {false, true}) {
        PackedDib steps = source.Clone();
        for (int turn = 0; turn < r; ++turn) steps = RotateFlip(steps, 1);
        if (mirror) steps = RotateFlip(steps, 4);
        if (flip) steps = RotateFlip(steps, 6);
        const PackedDib direct = RotateFlip(source, RotateFlipCode(r, mirror, flip));
        ASSERT_EQ(direct.size(), steps.size());
        EXPECT_EQ(std::memcmp(direct.data(), steps.data(), steps.size()), 0) << r << mirror << flip;
      }
    }
  }
}

TEST(RotateFlip, RefusesBadCodesAndEmptyPictures) {
  const PackedDib source = LabelledPicture(3, 2, 24);
  EXPECT_TRUE(RotateFlip(source, -1).IsEmpty());
  EXPECT_TRUE(RotateFlip(source, 8).IsEmpty());
  EXPECT_TRUE(RotateFlip(PackedDib(), 1).IsEmpty());
}
