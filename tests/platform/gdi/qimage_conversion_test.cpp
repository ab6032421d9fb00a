#include "platform/gdi/qimage_conversion.h"

#include <gtest/gtest.h>

#include "tests/platform/gdi/labelled_picture.h"

using namespace orvilo::gdi;
using orvilo::testing::LabelledPicture;
using orvilo::testing::Labels;

TEST(QImageConversion, KeepsPixelsInPlaceAndColoursInOrder) {
  for (const int bits : {24, 32}) {
    PackedDib dib = PackedDib::Create(3, 2, bits);
    std::uint8_t* topLeft = dib.Row(0);
    topLeft[0] = 10, topLeft[1] = 20, topLeft[2] = 30;  // blue, green, red
    std::uint8_t* bottomRight = dib.Row(1) + 2 * dib.bytesPerPixel();
    bottomRight[0] = 1, bottomRight[1] = 2, bottomRight[2] = 3;
    const QImage image = ToQImage(dib);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(3, 2));
    EXPECT_EQ(image.pixel(0, 0), qRgb(30, 20, 10)) << bits;
    EXPECT_EQ(image.pixel(2, 1), qRgb(3, 2, 1)) << bits;
    EXPECT_EQ(image.pixel(1, 0), qRgb(0, 0, 0)) << bits;

    const PackedDib back = FromQImage(image, bits);
    ASSERT_FALSE(back.IsEmpty());
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) {
        for (int c = 0; c < 3; ++c) {
          EXPECT_EQ(back.Row(y)[x * back.bytesPerPixel() + c], dib.Row(y)[x * dib.bytesPerPixel() + c]);
        }
      }
    }
  }
}

TEST(QImageConversion, IndexedPicturesKeepTheirTable) {
  PackedDib dib = LabelledPicture(3, 2, 8);
  dib.colourTable()[5] = RgbQuad{1, 2, 3, 0};
  const QImage image = ToQImage(dib);
  EXPECT_EQ(image.format(), QImage::Format_Indexed8);
  EXPECT_EQ(image.pixelIndex(1, 1), 12);  // label 10·y + x + 1
  EXPECT_EQ(image.pixel(1, 1), qRgb(12, 12, 12));  // the grey table
  EXPECT_EQ(image.color(5), qRgb(3, 2, 1));
}

TEST(QImageConversion, EmptyAndUnsupportedGiveNothing) {
  EXPECT_TRUE(ToQImage(PackedDib()).isNull());
  EXPECT_TRUE(FromQImage(QImage()).IsEmpty());
  QImage image(2, 2, QImage::Format_ARGB32);
  image.fill(qRgba(200, 100, 50, 128));
  EXPECT_TRUE(FromQImage(image, 16).IsEmpty());
  const PackedDib opaque = FromQImage(image, 32);
  ASSERT_FALSE(opaque.IsEmpty());
  EXPECT_EQ(opaque.Row(0)[3], 0xFF);
  // A camera's BGRx frame wrapped as RGB32 carries 0 in the fourth byte.
  std::uint8_t bgrx[2 * 4] = {10, 20, 30, 0, 40, 50, 60, 0};
  const PackedDib frame = FromQImage(QImage(bgrx, 2, 1, 8, QImage::Format_RGB32), 32);
  ASSERT_FALSE(frame.IsEmpty());
  EXPECT_EQ(frame.Row(0)[0], 10);
  EXPECT_EQ(frame.Row(0)[3], 0xFF);
  EXPECT_EQ(frame.Row(0)[7], 0xFF);
}
