// Picture controls and interval capture in the live view, with the demo
// camera through the real capture graph.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include "camera/camera_window.h"
#include "camera/filmstrip_window.h"
#include "camera/picture_popup.h"
#include "gstreamer_for_tests.h"
#include "platform/gdi/bitmap_file.h"
#include "platform/media/gstreamer_runtime.h"
#include "platform/profile/private_profile.h"

namespace orvilo::camera {
namespace {

const CaptureDevice kDemo{"demo#vid_0000&pid_a308#orvilo", "Orvilo Demo Camera", media::kDemoCameraPath};

class LivePictureControls : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mjpeg::testing::StartGstreamer({"coreelements", "app", "jpeg", "videoconvertscale"}, ORVILO_PROGRAM_DIR),
              "");
    ASSERT_TRUE(media::EnsureGstreamer());
    settings = folder.filePath("QEL-3.ini").toStdString();
    view = std::make_unique<CVyr3CameraWnd>();
    view->resize(640, 480);
    view->show();
  }

  template <typename Condition>
  bool Until(Condition condition, int seconds = 15) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
      if (timer.elapsed() > seconds * 1000) return false;
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
  }

  bool FramesArrive(int count = 3) {
    const auto start = view->FramesStored();
    return Until([&] { return view->FramesStored() >= start + count; });
  }

  void Bind() {
    view->SetSettingsFile(settings);
    view->SetResolution(8, 0);  // 640 x 480
    view->SelectDevices(kDemo, nullptr);
  }

  // Mean grey of the frame's middle (the page, away from the pointer's path).
  double MeanGrey() const {
    const QImage frame = view->CurrentFrame();
    double sum = 0;
    int count = 0;
    for (int y = frame.height() / 3; y < frame.height() * 2 / 3; y += 4) {
      for (int x = frame.width() / 3; x < frame.width() * 2 / 3; x += 4) {
        sum += qGray(frame.pixel(x, y));
        ++count;
      }
    }
    return count ? sum / count : 0;
  }

  QTemporaryDir folder;
  std::string settings;
  std::unique_ptr<CVyr3CameraWnd> view;
};

// The demo camera has brightness and contrast only: the popup shows those
// two rows; dragging brightness down darkens the picture, the value is
// kept for model 8 and applied again when the camera is bound afresh.
TEST_F(LivePictureControls, DemoBrightnessDarkensThePictureIsKeptAndAppliedOnBind) {
  Bind();
  ASSERT_TRUE(FramesArrive());
  const double before = MeanGrey();
  view->TogglePictureControls();
  CVyrPictureWnd* popup = view->PicturePopup();
  ASSERT_NE(popup, nullptr);
  ASSERT_TRUE(popup->isVisible());
  EXPECT_EQ(popup->RowCount(), 2);
  EXPECT_EQ(popup->RowOf(PictureControl::Exposure), -1);
  EXPECT_EQ(popup->x(), (640 - CVyrPictureWnd::kWidth) / 2);
  view->resize(800, 480);  // stays open, centred again
  EXPECT_TRUE(popup->isVisible());
  EXPECT_EQ(popup->x(), (800 - CVyrPictureWnd::kWidth) / 2);
  const QRect track = popup->TrackRect(popup->RowOf(PictureControl::Brightness));
  QTest::mousePress(popup, Qt::LeftButton, {}, QPoint(track.left() + 10, track.center().y()));
  QTest::mouseRelease(popup, Qt::LeftButton, {}, QPoint(track.left(), track.center().y()));
  EXPECT_EQ(popup->ValueOf(PictureControl::Brightness), -128);
  EXPECT_EQ(profile::ReadProfileString(settings, "PICTURE8", "BRIGHTNESS"), "-128");
  ASSERT_TRUE(FramesArrive(4));
  const double darker = MeanGrey();
  EXPECT_LT(darker, before - 60) << before << " -> " << darker;

  view->TogglePictureControls();
  EXPECT_FALSE(popup->isVisible());
  // A new view bound to the camera: the kept value comes back with it.
  view = std::make_unique<CVyr3CameraWnd>();
  view->resize(640, 480);
  view->show();
  Bind();
  ASSERT_TRUE(FramesArrive(4));
  EXPECT_LT(MeanGrey(), before - 60);
}

TEST_F(LivePictureControls, IntervalCaptureWritesNumberedStillsAndCountsThemOnThePicture) {
  const QString stills = folder.filePath("Image");
  ASSERT_TRUE(QDir().mkpath(stills));
  EXPECT_FALSE(view->StartIntervalCapture(stills.toStdString(), 1));  // nothing bound
  Bind();
  ASSERT_TRUE(FramesArrive());
  ASSERT_TRUE(view->StartIntervalCapture(stills.toStdString(), 1));
  EXPECT_TRUE(view->IntervalCaptureRunning());
  EXPECT_EQ(view->Interval().Count(), 1);  // the first still at once
  ASSERT_TRUE(Until([&] { return view->Interval().Count() >= 3; }, 10));
  view->StopIntervalCapture();
  const int taken = view->Interval().Count();
  const QStringList files = QDir(stills).entryList({"*.bmp"}, QDir::Files, QDir::Name);
  ASSERT_EQ(files.size(), taken);
  EXPECT_EQ(view->Stills().Count(), taken) << "every interval still is in the filmstrip";
  EXPECT_TRUE(files[0].endsWith("-0001.bmp"));
  EXPECT_TRUE(files[2].endsWith("-0003.bmp"));
  const gdi::PackedDib still = gdi::ReadBitmapFile(QDir(stills).filePath(files[0]).toStdString());
  ASSERT_FALSE(still.IsEmpty());
  EXPECT_EQ(still.width(), 640);
  // Stopped: no further stills, and the count left the picture.
  QTest::qWait(1500);
  EXPECT_EQ(QDir(stills).entryList({"*.bmp"}, QDir::Files).size(), taken);
  EXPECT_FALSE(view->IntervalCaptureRunning());
}

TEST_F(LivePictureControls, TheCountIsDrawnAtTheTopRightWhileRunning) {
  Bind();
  ASSERT_TRUE(FramesArrive());
  view->TogglePause();  // a still picture, so only the badge differs
  QTest::qWait(200);
  const QImage plain = view->grab().toImage();
  ASSERT_TRUE(view->StartIntervalCapture(folder.path().toStdString(), 3600));
  const QImage counted = view->grab().toImage();
  // The first still also brings up the filmstrip's handle at the bottom.
  const CVyrFilmstripWnd* strip = view->FilmstripWindow();
  ASSERT_TRUE(strip->isVisible());
  const QRect handle = strip->HandleRect().translated(strip->pos());
  int changedTopRight = 0, changedHandle = 0, changedElsewhere = 0;
  for (int y = 0; y < plain.height(); y += 2) {
    for (int x = 0; x < plain.width(); x += 2) {
      if (plain.pixel(x, y) == counted.pixel(x, y)) continue;
      (x > plain.width() - 220 && y < 45 ? changedTopRight : handle.contains(x, y) ? changedHandle : changedElsewhere)++;
    }
  }
  EXPECT_GT(changedTopRight, 200);
  EXPECT_GT(changedHandle, 20);
  EXPECT_EQ(changedElsewhere, 0);
}

}  // namespace
}  // namespace orvilo::camera
