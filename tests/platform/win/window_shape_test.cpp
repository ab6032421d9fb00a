#include "platform/win/window_shape.h"

#include <gtest/gtest.h>

using namespace orvilo::win;

TEST(WindowShape, KeepsEveryPixelThatIsNotMagenta) {
  // A 6 x 3 picture: a diamond of grey on magenta.
  QImage picture(6, 3, QImage::Format_RGB32);
  picture.fill(qRgb(255, 0, 255));
  for (int x = 2; x <= 3; ++x) picture.setPixel(x, 0, qRgb(57, 57, 57));
  for (int x = 0; x <= 5; ++x) picture.setPixel(x, 1, qRgb(57, 57, 57));
  picture.setPixel(1, 2, qRgb(0, 0, 0));
  picture.setPixel(4, 2, qRgb(255, 0, 254));  // close to the key is not the key
  const QRegion region = RegionFromKeyColour(picture);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(region.contains(QPoint(x, y)), picture.pixel(x, y) != qRgb(255, 0, 255)) << x << "," << y;
    }
  }
}

TEST(WindowShape, AllKeyColourGivesAnEmptyRegion) {
  QImage picture(4, 4, QImage::Format_ARGB32);
  picture.fill(qRgb(255, 0, 255));
  EXPECT_TRUE(RegionFromKeyColour(picture).isEmpty());
  EXPECT_TRUE(RegionFromKeyColour(QImage()).isEmpty());
}
