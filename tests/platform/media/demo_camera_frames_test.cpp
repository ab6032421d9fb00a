#include "platform/media/demo_camera_frames.h"

#include <gtest/gtest.h>

#include <QImage>

#include "test_frames.h"

namespace orvilo::media {
namespace {

bool HasMarkerBeforeScan(const std::vector<std::uint8_t>& jpeg, std::uint8_t wanted) {
  for (std::size_t at = 2; at + 4 <= jpeg.size() && jpeg[at] == 0xFF;) {
    if (jpeg[at + 1] == wanted) return true;
    if (jpeg[at + 1] == 0xDA) return false;
    at += 2 + ((std::size_t{jpeg[at + 2]} << 8) | jpeg[at + 3]);
  }
  return false;
}

QImage Page(int width, int height) {
  QImage page(width, height, QImage::Format_RGB32);
  page.fill(QColor(240, 236, 228));
  return page;
}

TEST(DemoCameraFrames, CameraJpegHasNoHuffmanTablesAndDecodesToThePicture) {
  const QImage frame = DemoFrameAt(Page(320, 240), 3.0);
  const auto jpeg = EncodeCameraJpeg(frame);
  ASSERT_GT(jpeg.size(), 100u);
  EXPECT_FALSE(HasMarkerBeforeScan(jpeg, 0xC4));
  EXPECT_TRUE(HasMarkerBeforeScan(jpeg, 0xDB));  // quantisation tables stay
  EXPECT_TRUE(HasMarkerBeforeScan(jpeg, 0xC0));
  int width = 0, height = 0;
  const auto decoded = mjpeg::testing::ReferenceBgrx(jpeg, width, height);
  EXPECT_EQ(width, 320);
  EXPECT_EQ(height, 240);
}

TEST(DemoCameraFrames, WithoutHuffmanTablesLeavesEverythingElseAndBadInputAlone) {
  // SOI, DQT (4 bytes of body), DHT (3), SOS header, scan data, EOI.
  const std::vector<std::uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x04, 1, 2, 0xFF, 0xC4, 0x00, 0x03, 9,
                                          0xFF, 0xDA, 0x00, 0x02, 7, 7, 0xFF, 0xD9};
  const std::vector<std::uint8_t> expected = {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x04, 1, 2,
                                              0xFF, 0xDA, 0x00, 0x02, 7, 7, 0xFF, 0xD9};
  EXPECT_EQ(WithoutHuffmanTables(jpeg.data(), jpeg.size()), expected);
  const std::vector<std::uint8_t> notJpeg = {1, 2, 3, 4, 5};
  EXPECT_EQ(WithoutHuffmanTables(notJpeg.data(), notJpeg.size()), notJpeg);
  const std::vector<std::uint8_t> truncated = {0xFF, 0xD8, 0xFF, 0xC4, 0x40, 0x00, 1};
  EXPECT_EQ(WithoutHuffmanTables(truncated.data(), truncated.size()), truncated);
}

TEST(DemoCameraFrames, PointerMovesFromSecondToSecond) {
  const QImage page = Page(320, 240);
  EXPECT_NE(DemoFrameAt(page, 1.0), DemoFrameAt(page, 2.0));
  EXPECT_EQ(DemoFrameAt(page, 1.0), DemoFrameAt(page, 1.0));
}

TEST(DemoCameraFrames, Yuy2HasTwoBytesAPixelAndStudioRange) {
  const auto page = ToYuy2(Page(64, 8));
  ASSERT_EQ(page.size(), 64u * 8 * 2);
  QImage black(4, 2, QImage::Format_RGB32);
  black.fill(Qt::black);
  const auto yuy2 = ToYuy2(black);
  EXPECT_EQ(yuy2, (std::vector<std::uint8_t>{16, 128, 16, 128, 16, 128, 16, 128, 16, 128, 16, 128, 16, 128, 16, 128}));
}

}  // namespace
}  // namespace orvilo::media
