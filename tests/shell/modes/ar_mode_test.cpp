#include "shell/modes/ar_mode.h"

#include <QPainter>

#include "core/command_ids.h"
#include "mode_fixture.h"

namespace orvilo::shell::testing {
namespace {

class ArModeTest : public ModeTest {
 protected:
  ArMode mode{Context()};
};

TEST_F(ArModeTest, LeavingClosesTheViewerAndSaysWhetherOneRan) {
  auto* ar = Give<RecordingArView>(children.ar);
  ar->viewerRunning = true;
  EXPECT_TRUE(mode.Leave(ViewMode::Camera, Entry::ByTab).arViewerClosed);
  EXPECT_FALSE(mode.Leave(ViewMode::Camera, Entry::ByTab).arViewerClosed);
  EXPECT_EQ(mode.Marker(), 0);
  EXPECT_TRUE(mode.Caption().empty());
}

TEST_F(ArModeTest, OnlyTheArBarsCommandsAreItsOwn) {
  Give<RecordingArView>(children.ar);
  EXPECT_TRUE(mode.OnCommand(1095));
  EXPECT_TRUE(mode.OnCommand(1110));
  EXPECT_FALSE(mode.OnCommand(1094));
  EXPECT_FALSE(mode.OnCommand(1111));
  EXPECT_EQ(log, (CallLog{"ar.OnBarCommand(1095)", "ar.OnBarCommand(1110)"}));
}

TEST_F(ArModeTest, EnteringShowsOnlyTheArView) {
  auto* ar = Give<RecordingArView>(children.ar);
  auto* camera = Give<RecordingCameraView>(children.camera);
  mode.Enter({});
  EXPECT_TRUE(ar->isVisible());
  EXPECT_FALSE(camera->isVisible());
  EXPECT_EQ(ar->geometry(), QRect(7, 85, 1024, 768));
}

// The status items at the initial width 1038: the marker strip stays within
// its 132 pixels at (W - 154, 37) for every marker value, filled cells first.
TEST_F(ArModeTest, MarkerStripStaysInItsPlaceForEveryMarkerValue) {
  host.client = {1038, 700};
  const QRect strip(1038 - 154, 37, 132, 22);
  QImage empty;
  for (const int marker : {0, 1, 3, 6, 9, -2}) {
    mode.ShowUnitCaption(marker, "");
    QImage picture(1038, 100, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    mode.PaintStatus(painter);
    painter.end();
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        if (strip.contains(x, y) || QRect(1038 - 157, 67, 13, 12).contains(x, y)) continue;
        ASSERT_EQ(picture.pixel(x, y) & 0xFFFFFF, 0u) << "marker " << marker << " drew at " << x << "," << y;
      }
    }
    if (marker == 0) empty = picture.copy(strip);
    if (marker == 3) {
      // The first three cells differ from the empty strip, the last three do not.
      EXPECT_NE(picture.copy(strip.x(), 37, 66, 22), empty.copy(0, 0, 66, 22));
      EXPECT_EQ(picture.copy(strip.x() + 66, 37, 66, 22), empty.copy(66, 0, 66, 22));
    }
  }
}

TEST_F(ArModeTest, CaptionIsCentredInItsRectangleInLightGrey) {
  host.client = {1038, 700};
  mode.ShowUnitCaption(2, "Unit 2");
  QImage picture(1038, 100, QImage::Format_RGB32);
  picture.fill(Qt::black);
  QPainter painter(&picture);
  mode.PaintStatus(painter);
  painter.end();
  int grey = 0;
  for (int y = 65; y < 81; ++y) {
    for (int x = 1038 - 330; x < 1038 - 186; ++x) grey += qGray(picture.pixel(x, y)) > 120 && qGray(picture.pixel(x, y)) <= 193;
  }
  EXPECT_GT(grey, 5);
}

}  // namespace
}  // namespace orvilo::shell::testing
