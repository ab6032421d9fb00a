#include "platform/gdi/key_colour.h"

#include <gtest/gtest.h>

using namespace orvilo::gdi;

TEST(KeyColour, KeyColourBecomesTransparent) {
  QImage picture(3, 1, QImage::Format_RGB32);
  picture.setPixel(0, 0, kKeyColour);
  picture.setPixel(1, 0, qRgb(255, 0, 254));
  picture.setPixel(2, 0, qRgb(10, 20, 30));
  const QImage keyed = KeyColourToTransparent(picture);
  EXPECT_EQ(qAlpha(keyed.pixel(0, 0)), 0);
  EXPECT_EQ(keyed.pixel(1, 0), qRgb(255, 0, 254));
  EXPECT_EQ(keyed.pixel(2, 0), qRgb(10, 20, 30));
  EXPECT_TRUE(KeyColourToTransparent(QImage()).isNull());
}

TEST(KeyColour, AlphaTakesNoPartAndOtherKeysCanBeGiven) {
  QImage picture(3, 1, QImage::Format_ARGB32);
  picture.setPixel(0, 0, qRgba(255, 0, 255, 128));  // magenta, half transparent
  picture.setPixel(1, 0, qRgb(57, 57, 57));
  picture.setPixel(2, 0, qRgb(58, 57, 57));
  EXPECT_EQ(qAlpha(KeyColourToTransparent(picture).pixel(0, 0)), 0);
  const QImage keyed = KeyColourToTransparent(picture, qRgb(57, 57, 57));
  EXPECT_EQ(qAlpha(keyed.pixel(0, 0)), 128);
  EXPECT_EQ(qAlpha(keyed.pixel(1, 0)), 0);
  EXPECT_EQ(keyed.pixel(2, 0), qRgb(58, 57, 57));
  static_assert(IsKeyColour(0x00FF00FF) && IsKeyColour(0x80FF00FF) && !IsKeyColour(0xFFFF00FE));
}
