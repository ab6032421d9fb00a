// The live view running the demo camera through the real capture graph.
#include "camera/camera_window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "gstreamer_for_tests.h"
#include "core/command_ids.h"
#include "platform/gdi/bitmap_header.h"
#include "platform/media/demo_camera_src.h"
#include "platform/media/gstreamer_runtime.h"
#include "ui/navigator_window.h"

namespace orvilo::camera {
namespace {

const CaptureDevice kDemo{"demo#vid_0000&pid_a308#orvilo", "Orvilo Demo Camera", media::kDemoCameraPath};

class LiveView : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mjpeg::testing::StartGstreamer({"coreelements", "app", "jpeg", "videoconvertscale"}, ORVILO_PROGRAM_DIR),
              "");
    ASSERT_TRUE(media::EnsureGstreamer());
    view.resize(640, 480);
    view.show();
  }

  // Runs the event loop until `condition` holds or `seconds` pass.
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

  bool FramesArrive(int count = 2) {
    const auto start = view.FramesStored();
    return Until([&] { return view.FramesStored() >= start + count; });
  }

  void Bind(core::CameraModel model, core::ResolutionIndex index, const CaptureDevice& device = kDemo) {
    view.SetResolution(model, index);
    view.SelectDevices(device, nullptr);
  }

  CVyr3CameraWnd view;
};

TEST_F(LiveView, DemoCameraFramesReachTheViewAndArePainted) {
  Bind(8, 0);
  EXPECT_EQ(view.State(), GraphState::Previewing);
  ASSERT_TRUE(FramesArrive());
  EXPECT_EQ(view.GetOverlayStatus(), OverlayStatus::None);
  ASSERT_TRUE(Until([&] { return view.FramesPainted() > 0; }));
  const gdi::PackedDib snapshot = view.TakeSnapshot(false);
  ASSERT_FALSE(snapshot.IsEmpty());
  EXPECT_EQ(snapshot.width(), 640);
  EXPECT_EQ(snapshot.height(), 480);
  EXPECT_EQ(snapshot.bitCount(), 32);
  // The page is paper-coloured in the middle, not the empty view's grey.
  const QImage frame = view.CurrentFrame();
  EXPECT_NE(frame.pixel(320, 120), qRgb(57, 57, 57));
}

TEST_F(LiveView, AFourThreeFrameInASixteenNineViewHasGreyBarsAtTheSides) {
  view.resize(1280, 720);
  Bind(8, 0);  // 640 x 480
  ASSERT_TRUE(FramesArrive());
  const QImage shown = view.grab().toImage();
  ASSERT_EQ(shown.size(), QSize(1280, 720));
  for (int x : {0, 100, 158, 1122, 1279}) EXPECT_EQ(shown.pixel(x, 360) & 0xFFFFFF, 0x393939u) << x;
  EXPECT_NE(shown.pixel(640, 300) & 0xFFFFFF, 0x393939u);
  view.SetFitMode(0);  // stretched: no bars
  const QImage stretched = view.grab().toImage();
  EXPECT_NE(stretched.pixel(100, 360) & 0xFFFFFF, 0x393939u);
}

struct ResolutionCase {
  const char* name;
  core::CameraModel model;
  core::ResolutionIndex index;
  media::CaptureFormat format;
  media::PreviewDecoder decoder;
  core::ResolutionIndex savedAs;
};

class Resolution : public ::testing::TestWithParam<ResolutionCase> {};

TEST_P(Resolution, CapsRateDecoderAndSavedIndexFollowTheGroup) {
  const auto& c = GetParam();
  CVyr3CameraWnd view;
  view.SetResolution(c.model, c.index);
  const media::CaptureFormat format = view.CaptureFormat();
  EXPECT_EQ(format.width, c.format.width);
  EXPECT_EQ(format.height, c.format.height);
  EXPECT_EQ(format.framesPerSecond, c.format.framesPerSecond);
  EXPECT_EQ(format.subtype, c.format.subtype);
  EXPECT_EQ(view.PreviewDecoderFor(), c.decoder);
  EXPECT_EQ(view.GetResolutionIndex(c.model), c.savedAs);
}

using media::CaptureSubtype;
using media::PreviewDecoder;
INSTANTIATE_TEST_SUITE_P(
    Groups, Resolution,
    ::testing::Values(
        ResolutionCase{"A0", 1, 0, {640, 480, 30, CaptureSubtype::Mjpg}, PreviewDecoder::Platform, 0},
        ResolutionCase{"A4", 3, 4, {1280, 1024, 15, CaptureSubtype::Mjpg}, PreviewDecoder::Platform, 4},
        ResolutionCase{"A6", 4, 6, {2048, 1536, 5, CaptureSubtype::Mjpg}, PreviewDecoder::Platform, 6},
        ResolutionCase{"B1", 5, 1, {1280, 720, 30, CaptureSubtype::Mjpg}, PreviewDecoder::Platform, 1},
        ResolutionCase{"B5", 5, 5, {2592, 1944, 5, CaptureSubtype::Yuy2}, PreviewDecoder::None, 5},
        ResolutionCase{"B6", 6, 6, {2048, 1536, 5, CaptureSubtype::Mjpg}, PreviewDecoder::Platform, 4},
        ResolutionCase{"C2", 8, 2, {1280, 720, 20, CaptureSubtype::Mjpg}, PreviewDecoder::Vxm, 2},
        ResolutionCase{"C3", 7, 3, {1600, 1200, 20, CaptureSubtype::Mjpg}, PreviewDecoder::Vxm, 3},
        ResolutionCase{"C5", 8, 5, {2592, 1944, 10, CaptureSubtype::Mjpg}, PreviewDecoder::Vxm, 5},
        ResolutionCase{"C6", 8, 6, {2048, 1536, 20, CaptureSubtype::Mjpg}, PreviewDecoder::Vxm, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LiveView, Yuy2FramesOfGroupBIndexFiveAre24Bit2592Wide) {
  Bind(5, 5);
  ASSERT_TRUE(FramesArrive(1));
  const gdi::PackedDib snapshot = view.TakeSnapshot(false);
  EXPECT_EQ(snapshot.width(), 2592);
  EXPECT_EQ(snapshot.height(), 1944);
  EXPECT_EQ(snapshot.bitCount(), 24);
  EXPECT_EQ(snapshot.stride(), 7776u);
}

TEST_F(LiveView, AQuarterTurnGivesSnapshotsOfTheTurnedSize) {
  Bind(1, 4);  // group A: 1280 x 1024 through jpegdec
  view.RotateQuarter();
  EXPECT_EQ(view.RotateFlipCode(), 1);
  ASSERT_TRUE(FramesArrive());
  const gdi::PackedDib snapshot = view.TakeSnapshot(false);
  EXPECT_EQ(snapshot.width(), 1024);
  EXPECT_EQ(snapshot.height(), 1280);
  view.ToggleMirror();
  view.ToggleFlip();
  EXPECT_EQ(view.RotateFlipCode(), 3);
}

TEST_F(LiveView, NegativeInvertsTheColoursOfTheNextFrames) {
  Bind(8, 0);
  ASSERT_TRUE(FramesArrive());
  const QRgb before = view.CurrentFrame().pixel(20, 20);  // the desk corner: the pointer never goes there
  view.ToggleNegative();
  ASSERT_TRUE(FramesArrive());
  const QRgb after = view.CurrentFrame().pixel(20, 20);
  EXPECT_NEAR(qRed(after), 255 - qRed(before), 8);
  EXPECT_NEAR(qBlue(after), 255 - qBlue(before), 8);
}

TEST_F(LiveView, PauseFreezesAndResumeGoesOn) {
  Bind(8, 0);
  ASSERT_TRUE(FramesArrive());
  ASSERT_TRUE(view.TogglePause());
  EXPECT_TRUE(view.Paused());
  Until([] { return false; }, 0);
  const auto frozen = view.FramesStored();
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < 400) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_LE(view.FramesStored(), frozen + 1);  // one may have been on its way
  ASSERT_TRUE(view.TogglePause());
  EXPECT_TRUE(FramesArrive());
}

TEST_F(LiveView, FreezingSnapshotStopsTakingFramesAndCloseReleasesThem) {
  Bind(8, 0);
  ASSERT_TRUE(FramesArrive());
  EXPECT_FALSE(view.TakeSnapshot(true).IsEmpty());
  const auto frozen = view.FramesStored();
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_EQ(view.FramesStored(), frozen);
  view.CloseCamera();
  EXPECT_EQ(view.State(), GraphState::None);
  EXPECT_TRUE(view.TakeSnapshot(false).IsEmpty());
  EXPECT_FALSE(view.TogglePause());
}

TEST_F(LiveView, ZoomShowsTheNavigatorWhichChoosesTheRegion) {
  Bind(8, 0);
  ASSERT_TRUE(FramesArrive());
  view.SetZoom(2.0);
  ASSERT_TRUE(view.Navigator()->isVisible());
  EXPECT_EQ(view.Navigator()->geometry(), QRect(640 - 640 * 221 / 480, 0, 640 * 221 / 480, 221));
  ASSERT_TRUE(Until([&] { return view.ZoomSource().Width() > 0; }));
  // Twice the fitted size shows half the frame each way, from the top left.
  EXPECT_EQ(view.ZoomSource().left, 0);
  EXPECT_NEAR(view.ZoomSource().Width(), 320, 8);
  view.SetFitMode(0);
  EXPECT_FALSE(view.Navigator()->isVisible());
  view.SetFitMode(2);
  EXPECT_TRUE(view.Navigator()->isVisible());
  view.SetZoom(1.0);
  EXPECT_FALSE(view.Navigator()->isVisible());
}

TEST_F(LiveView, ALostCameraKeepsTheLastPictureAndALaterBindIsLiveAgain) {
  Bind(8, 0, CaptureDevice{"demo#vid_0000&pid_a308#failing", "Failing", "demo?fail-after=5"});
  // After the first frame the status text returns only when the camera fails.
  ASSERT_TRUE(Until([&] { return view.FramesStored() >= 1 && view.GetOverlayStatus() == OverlayStatus::Disconnected; }));
  EXPECT_LE(view.FramesStored(), 5u);  // the one-frame queue may drop some
  const QImage last = view.CurrentFrame();
  EXPECT_FALSE(last.isNull());
  EXPECT_EQ(view.State(), GraphState::Previewing);
  EXPECT_FALSE(view.TakeSnapshot(false).IsEmpty());
  view.repaint();  // paints the last picture under the status text, no crash
  Bind(8, 0);
  ASSERT_TRUE(FramesArrive(3));
  EXPECT_EQ(view.GetOverlayStatus(), OverlayStatus::None);
}

// The demo camera pulled out and plugged in again while the view runs: the
// last picture stays under "Camera disconnected", and the view is live
// again by itself once the camera is back (it retries every 3 s).
TEST_F(LiveView, ACameraUnpluggedAtRunTimeIsShownAndResumesByItself) {
  Bind(8, 0);
  ASSERT_TRUE(FramesArrive());
  media::SetDemoCameraPlugged(false);
  ASSERT_TRUE(Until([&] { return view.GetOverlayStatus() == OverlayStatus::Disconnected; }));
  EXPECT_FALSE(view.CurrentFrame().isNull()) << "the last picture stays";
  const QImage shown = view.grab().toImage();
  // The band with the text darkens the middle of the picture.
  EXPECT_LT(qGray(shown.pixel(10, view.height() / 2)), 140);
  // Still out after a retry.
  const auto stored = view.FramesStored();
  QTest::qWait(CVyr3CameraWnd::kReconnectMilliseconds + 500);
  EXPECT_EQ(view.FramesStored(), stored);
  EXPECT_EQ(view.GetOverlayStatus(), OverlayStatus::Disconnected);
  media::SetDemoCameraPlugged(true);
  ASSERT_TRUE(FramesArrive(3));
  EXPECT_EQ(view.GetOverlayStatus(), OverlayStatus::None);
  EXPECT_EQ(view.State(), GraphState::Previewing);
}

TEST_F(LiveView, BlackAndWhiteOfGroupCGoesThroughTheDecoder) {
  Bind(8, 0);
  ASSERT_TRUE(FramesArrive());
  view.ToggleBlackWhite();
  EXPECT_FALSE(view.Colour());
  ASSERT_TRUE(FramesArrive(3));
  const QImage frame = view.CurrentFrame();
  const QRgb pixel = frame.pixel(frame.width() / 4, frame.height() / 2);
  // Grey: the decoder converts with chroma 127, a hair off neutral.
  EXPECT_NEAR(qRed(pixel), qGreen(pixel), 6);
  EXPECT_NEAR(qGreen(pixel), qBlue(pixel), 6);
  view.ToggleBlackWhite();
  EXPECT_TRUE(view.Colour());
}

// Stills are named by the second: a second still of the same second
// replaces the first, and the file is the bitmap the snapshot holds.
TEST_F(LiveView, TwoStillsInOneSecondLeaveOneFileWithTheBitmapBytes) {
  Bind(8, 0);
  ASSERT_TRUE(FramesArrive());
  QTemporaryDir folder;
  const std::string path = folder.filePath("20261210145001.bmp").toStdString();
  const gdi::PackedDib first = view.TakeSnapshot(false);
  view.SaveBitmapFile(path, first);
  ASSERT_TRUE(FramesArrive());
  const gdi::PackedDib second = view.TakeSnapshot(false);
  view.SaveBitmapFile(path, second);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path().toStdString()), {}), 1);
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.size(), 54u + 640 * 480 * 4);
  gdi::BitmapFileHeader header;
  std::memcpy(&header, bytes.data(), sizeof header);
  // The header is packed: its 32-bit fields sit at odd offsets, so they are
  // copied out before EXPECT_EQ takes them by reference.
  const std::uint16_t type = header.bfType, reserved = header.bfReserved1;
  const std::uint32_t fileSize = header.bfSize, offBits = header.bfOffBits;
  EXPECT_EQ(type, 0x4D42);
  EXPECT_EQ(fileSize, bytes.size());
  EXPECT_EQ(reserved, 0);
  EXPECT_EQ(offBits, 54u);
  alignas(4) gdi::BitmapInfoHeader info;  // packed too, but its fields fall on their own alignment
  std::memcpy(&info, bytes.data() + 14, sizeof info);
  EXPECT_EQ(info.biSize, 40u);
  EXPECT_EQ(info.biWidth, 640);
  EXPECT_EQ(info.biHeight, 480);
  EXPECT_EQ(info.biBitCount, 32);
  EXPECT_EQ(info.biSizeImage, 640u * 480 * 4);
  EXPECT_EQ(0, std::memcmp(bytes.data() + 54, second.pixels(), second.pixelBytes()));
  view.SaveBitmapFile("", second);  // nothing written for an empty path or picture
  view.SaveBitmapFile(folder.filePath("none.bmp").toStdString(), gdi::PackedDib());
  EXPECT_FALSE(std::filesystem::exists(folder.filePath("none.bmp").toStdString()));
}

TEST_F(LiveView, ACameraThatRefusesTheSizeIsShownInItsOwn) {
  Bind(8, 2, CaptureDevice{"demo#vid_0000&pid_a308#small", "Small", "demo?max-width=1024"});  // 1280 x 720 asked
  ASSERT_TRUE(FramesArrive());
  const gdi::PackedDib snapshot = view.TakeSnapshot(false);
  EXPECT_EQ(snapshot.width(), 1024);
  EXPECT_EQ(view.GetResolutionIndex(8), 2);  // the setting stays what the teacher chose
  EXPECT_FALSE(view.CaptureFormat().sizeFixed);
  Bind(8, 2);
  EXPECT_TRUE(view.CaptureFormat().sizeFixed);  // a new binding asks again
}

TEST_F(LiveView, AMissingDeviceLeavesThePleaseWaitTextAndNoGraph) {
  Bind(8, 2, CaptureDevice{"usb#vid_1111&pid_a308#/dev/video99", "Gone", "/dev/video99"});
  EXPECT_EQ(view.GetOverlayStatus(), OverlayStatus::PleaseWait);
  EXPECT_TRUE(view.TakeSnapshot(false).IsEmpty());
  view.repaint();
  view.CloseCamera();
}

}  // namespace
}  // namespace orvilo::camera

namespace orvilo::camera {
namespace {

// Posted commands reach the main window's side as they would in the program.
class MainWindowSide : public win::Window {
 public:
  std::vector<int> commands;

 protected:
  bool OnCommand(int commandId) override {
    commands.push_back(commandId);
    return true;
  }
};

void Drag(QWidget* widget, QPoint from, QPoint to) {
  QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, from);
  QTest::mouseMove(widget, to);
  QMouseEvent move(QEvent::MouseMove, QPointF(to), widget->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &move);
  QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, to);
}

// A camera view of the given rectangle and arrangement in a main window of
// 1000 x 700.
class CameraArrangement : public ::testing::Test {
 protected:
  CVyr3CameraWnd* Place(const QRect& rect, Arrangement arrangement) {
    main.resize(1000, 700);
    auto* view = new CVyr3CameraWnd(&main);
    view->setGeometry(rect);
    view->SetArrangement(arrangement);
    main.show();
    return view;
  }
  MainWindowSide main;
};

TEST_F(CameraArrangement, SplitIsSizedByItsLeftEdgeWithinItsLimits) {
  auto* view = Place({500, 0, 500, 700}, Arrangement::Split);
  EXPECT_EQ(view->HitTestAt({2, 300}), win::HitTest::Left);
  EXPECT_EQ(view->HitTestAt({20, 300}), win::HitTest::Client);
  Drag(view, {2, 300}, {-700, 300});
  EXPECT_EQ(view->width(), 1000 - 14);
  EXPECT_EQ(view->geometry().right(), 999);
  Drag(view, {2, 300}, {975, 300});
  EXPECT_EQ(view->width(), 28);
  QCoreApplication::processEvents();
  EXPECT_NE(std::find(main.commands.begin(), main.commands.end(), command::kSplitSizingEnded), main.commands.end());
}

TEST_F(CameraArrangement, TheInsetIsDraggedByItsBodyAndADoubleClickSwapsTheRoles) {
  auto* view = Place({100, 100, 400, 305}, Arrangement::CameraInset);
  EXPECT_EQ(view->HitTestAt({200, 150}), win::HitTest::Caption);
  QTest::mouseDClick(view, Qt::LeftButton, Qt::NoModifier, {200, 150});
  QCoreApplication::processEvents();
  EXPECT_NE(std::find(main.commands.begin(), main.commands.end(), command::kSwapToImageInset), main.commands.end());
}

}  // namespace
}  // namespace orvilo::camera
