#include "camera/frame_transforms.h"

#include <gtest/gtest.h>

#include "platform/gdi/qimage_conversion.h"
#include "platform/gdi/rotate_flip.h"

namespace orvilo::camera {
namespace {

TEST(ConvertYuy2ToBgr24, A2592WideFrameUsesA7776ByteStrideAndIsBottomUp) {
  constexpr int kWidth = 2592, kHeight = 3;
  ASSERT_EQ(Bgr24Stride(kWidth), 7776u);
  // Row 0 black, row 1 white, row 2 a saturated red, in studio-range YUY2.
  const std::uint8_t rows[3][4] = {{16, 128, 16, 128}, {235, 128, 235, 128}, {81, 90, 81, 240}};
  std::vector<std::uint8_t> yuy2(static_cast<std::size_t>(kWidth) * 2 * kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth * 2; x += 4) std::copy(rows[y], rows[y] + 4, yuy2.begin() + y * kWidth * 2 + x);
  }
  std::vector<std::uint8_t> out(Bgr24Stride(kWidth) * kHeight, 0xAA);
  ConvertYuy2ToBgr24(yuy2.data(), kWidth * 2, kWidth, kHeight, out.data(), Bgr24Stride(kWidth), true);
  auto pixel = [&](int row, int x) { return out.data() + row * Bgr24Stride(kWidth) + x * 3; };
  // The first source row is the last output row.
  for (int x : {0, 1, kWidth - 1}) {
    EXPECT_EQ(pixel(2, x)[0], 0);
    EXPECT_EQ(pixel(2, x)[2], 0);
    EXPECT_EQ(pixel(1, x)[0], 254);  // studio white, as the integer formula rounds it
    EXPECT_EQ(pixel(1, x)[1], 254);
    EXPECT_EQ(pixel(1, x)[2], 254);
  }
  // Red: blue and green near 0, red near 255, each by the integer formula.
  const int y = 81 * 76284, u = 90, v = 240;
  EXPECT_EQ(pixel(0, 5)[0], std::clamp((y + u * 132252 - 18148800) >> 16, 0, 255));
  EXPECT_EQ(pixel(0, 5)[1], std::clamp((y - u * 25625 - v * 53281 + 8879424) >> 16, 0, 255));
  EXPECT_EQ(pixel(0, 5)[2], std::clamp((y + v * 104595 - 14608704) >> 16, 0, 255));
  EXPECT_GT(pixel(0, 5)[2], 240);
}

TEST(InvertColourBytes, Inverts32BitPixelsButNotTheirFourthByte) {
  std::vector<std::uint8_t> frame = {10, 20, 30, 40, 0, 255, 128, 7};
  InvertColourBytes(frame.data(), frame.size(), 2);
  EXPECT_EQ(frame, (std::vector<std::uint8_t>{245, 235, 225, 40, 255, 0, 127, 7}));
}

TEST(InvertColourBytes, Inverts24BitPixelsAndLeavesShortFramesAlone) {
  std::vector<std::uint8_t> frame = {0, 1, 2, 3, 4, 5};
  InvertColourBytes(frame.data(), frame.size(), 2);
  EXPECT_EQ(frame, (std::vector<std::uint8_t>{255, 254, 253, 252, 251, 250}));
  std::vector<std::uint8_t> tooShort = {1, 2, 3};
  InvertColourBytes(tooShort.data(), tooShort.size(), 4);  // step 0
  EXPECT_EQ(tooShort, (std::vector<std::uint8_t>{1, 2, 3}));
}

// Every code turns a picture exactly as the bitmap library's rotate/flip
// does (whose numbering the whole program shares).
TEST(RotateFlipImage, AgreesWithTheBitmapRotateFlipForEveryCode) {
  QImage picture(3, 2, QImage::Format_RGB32);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) picture.setPixel(x, y, qRgb(x * 80, y * 200, 10 + x + 3 * y));
  }
  const gdi::PackedDib dib = gdi::FromQImage(picture, 32);
  for (int code = 0; code < 8; ++code) {
    const QImage expected = gdi::ToQImage(gdi::RotateFlip(dib, code));
    const QImage turned = RotateFlipImage(picture, code).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(turned, expected.convertToFormat(QImage::Format_RGB32)) << "code " << code;
  }
}

TEST(RotateFlipCode, MirrorAndFlipTogetherAreAHalfTurn) {
  EXPECT_EQ(gdi::RotateFlipCode(0, true, true), 2);
  EXPECT_EQ(gdi::RotateFlipCode(1, true, true), 3);
  EXPECT_EQ(gdi::RotateFlipCode(1, false, true), 7);
  EXPECT_EQ(gdi::RotateFlipCode(3, true, false), 7);
}

}  // namespace
}  // namespace orvilo::camera
