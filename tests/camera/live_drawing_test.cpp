// The drawing over the live picture, in the real camera view with the demo
// camera through the real capture graph: strokes by mouse, finger and pen,
// stills that carry them, clearing, and strokes that stay on the page when
// the view is resized or the picture turned.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTabletEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTouchEvent>

#include "camera/camera_window.h"
#include "camera/live_drawing_layer.h"
#include "drawing/picture_mapping.h"
#include "gstreamer_for_tests.h"
#include "platform/gdi/bitmap_file.h"
#include "platform/gdi/qimage_conversion.h"
#include "platform/media/gstreamer_runtime.h"

namespace orvilo::camera {
namespace {

const CaptureDevice kDemo{"demo#vid_0000&pid_a308#orvilo", "Orvilo Demo Camera", media::kDemoCameraPath};
constexpr int kRed = 2;  // the pen palette's red

// A path across the picture, in steps of at most 4 pixels as a hand gives them.
std::vector<QPoint> Steps(const std::vector<QPoint>& corners) {
  std::vector<QPoint> steps{corners.front()};
  for (std::size_t i = 1; i < corners.size(); ++i) {
    const QPoint from = corners[i - 1], to = corners[i];
    const int n = std::max(1, std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y())) / 4);
    for (int s = 1; s <= n; ++s) steps.push_back(from + (to - from) * s / n);
  }
  return steps;
}

const std::vector<QPoint> kPath = Steps({{150, 120}, {350, 160}, {500, 300}, {300, 400}});

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons held,
               const QPointingDevice* device = QPointingDevice::primaryPointingDevice()) {
  QMouseEvent event(type, QPointF(at), QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::LeftButton, held,
                    Qt::NoModifier, device);
  QApplication::sendEvent(widget, &event);
}

class LiveDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mjpeg::testing::StartGstreamer({"coreelements", "app", "jpeg", "videoconvertscale"}, ORVILO_PROGRAM_DIR),
              "");
    ASSERT_TRUE(media::EnsureGstreamer());
    view = std::make_unique<CVyr3CameraWnd>();
    view->resize(800, 480);  // the 640 x 480 picture fitted with bars of 80 at the sides
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    view->SetResolution(8, 0);  // 640 x 480
    view->SelectDevices(kDemo, nullptr);
    ASSERT_TRUE(FramesArrive());
    view->ShowLiveDrawing(true);
    layer = view->LiveDrawing();
    ASSERT_TRUE(Until([&] { return !layer->Mapping().IsEmpty(); }));
    view->SetLiveDrawingPenColour(kRed);
    view->SetLiveDrawingPenWidth(9);
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

  void MouseDrag(const std::vector<QPoint>& steps) {
    SendMouse(layer, QEvent::MouseButtonPress, steps.front(), Qt::LeftButton);
    for (std::size_t i = 1; i < steps.size(); ++i) SendMouse(layer, QEvent::MouseMove, steps[i], Qt::LeftButton);
    SendMouse(layer, QEvent::MouseButtonRelease, steps.back(), Qt::NoButton);
    QCoreApplication::processEvents();
  }

  // As the system gives a finger: touch events, and the mouse events it
  // makes of them, which must not draw again.
  void TouchDrag(const std::vector<QPoint>& steps) {
    static QPointingDevice* screen = QTest::createTouchDevice();
    QTest::touchEvent(layer, screen).press(0, steps.front(), layer);
    SendMouse(layer, QEvent::MouseButtonPress, steps.front(), Qt::LeftButton, screen);
    for (std::size_t i = 1; i < steps.size(); ++i) {
      QTest::touchEvent(layer, screen).move(0, steps[i], layer);
      SendMouse(layer, QEvent::MouseMove, steps[i], Qt::LeftButton, screen);
    }
    QTest::touchEvent(layer, screen).release(0, steps.back(), layer);
    SendMouse(layer, QEvent::MouseButtonRelease, steps.back(), Qt::NoButton, screen);
    QCoreApplication::processEvents();
  }

  void PenDrag(const std::vector<QPoint>& steps) {
    static QPointingDevice stylus("test pen", 78, QInputDevice::DeviceType::Stylus, QPointingDevice::PointerType::Pen,
                                  QInputDevice::Capability::Position | QInputDevice::Capability::Pressure, 1, 3);
    for (std::size_t i = 0; i <= steps.size(); ++i) {
      const bool last = i == steps.size();
      const QPoint at = last ? steps.back() : steps[i];
      const QEvent::Type type = i == 0 ? QEvent::TabletPress : last ? QEvent::TabletRelease : QEvent::TabletMove;
      const Qt::MouseButtons held = last ? Qt::NoButton : Qt::LeftButton;
      QTabletEvent pen(type, &stylus, QPointF(at), QPointF(layer->mapToGlobal(at)), 0.2 + 0.1 * (i % 8), 0, 0, 0, 0, 0,
                       Qt::NoModifier, type == QEvent::TabletMove ? Qt::NoButton : Qt::LeftButton, held);
      QApplication::sendEvent(layer, &pen);
      SendMouse(layer, type == QEvent::TabletPress ? QEvent::MouseButtonPress
                       : last                      ? QEvent::MouseButtonRelease
                                                   : QEvent::MouseMove,
                at, held, &stylus);
    }
    QCoreApplication::processEvents();
  }

  // The picture pixel under a view point now.
  QPoint InPicture(QPoint at) const {
    const gdi::Point p = drawing::ToPicture(layer->Mapping(), gdi::Point{at.x(), at.y()});
    return QPoint(p.x, p.y);
  }

  static bool IsRed(QRgb pixel) { return qRed(pixel) > 230 && qGreen(pixel) < 30 && qBlue(pixel) < 30; }

  std::unique_ptr<CVyr3CameraWnd> view;
  CLiveDrawingLayer* layer = nullptr;
};

// A mouse stroke shows on the layer, is kept in picture pixels, and a still
// (the annotated snapshot Save frame and the still button take, and the
// interval stills) has its pixels at the picture's own resolution; clearing
// takes it from the layer and from the next still.
TEST_F(LiveDrawing, AStrokeIsInTheStillsUntilClearedAndAHiddenDrawingIsNot) {
  MouseDrag(kPath);
  ASSERT_EQ(layer->GetDrawing().Strokes().size(), 1u);
  EXPECT_EQ(layer->GetDrawing().Strokes()[0].points.front(), (gdi::Point{70, 120}));  // 80 to the left of the view's
  EXPECT_TRUE(IsRed(layer->CommittedLayer().pixel(350, 160)));
  EXPECT_EQ(qAlpha(layer->CommittedLayer().pixel(600, 50)), 0);  // transparent elsewhere

  const QImage still = gdi::ToQImage(view->TakeAnnotatedSnapshot());
  ASSERT_EQ(still.size(), QSize(640, 480));
  for (const QPoint at : {QPoint(350, 160), QPoint(500, 300), QPoint(300, 400)}) {
    EXPECT_TRUE(IsRed(still.pixel(InPicture(at)))) << at.x() << "," << at.y();
  }
  EXPECT_FALSE(IsRed(gdi::ToQImage(view->TakeSnapshot(false)).pixel(InPicture(QPoint(350, 160)))));

  // The interval's first still is taken at once, with the stroke.
  QTemporaryDir folder;
  ASSERT_TRUE(view->StartIntervalCapture(folder.path().toStdString(), 60));
  view->StopIntervalCapture();
  const QStringList written = QDir(folder.path()).entryList({"*.bmp"}, QDir::Files);
  ASSERT_EQ(written.size(), 1);
  const QImage intervalStill(folder.filePath(written.front()));
  EXPECT_TRUE(IsRed(intervalStill.pixel(InPicture(QPoint(350, 160)))));

  view->ShowLiveDrawing(false);  // hidden: the still is the picture alone
  EXPECT_FALSE(IsRed(gdi::ToQImage(view->TakeAnnotatedSnapshot()).pixel(InPicture(QPoint(350, 160)))));
  view->ShowLiveDrawing(true);

  view->ClearLiveDrawing();
  EXPECT_TRUE(layer->GetDrawing().Strokes().empty());
  EXPECT_EQ(qAlpha(layer->CommittedLayer().pixel(350, 160)), 0);
  EXPECT_FALSE(IsRed(gdi::ToQImage(view->TakeAnnotatedSnapshot()).pixel(InPicture(QPoint(350, 160)))));
}

// A finger and a pen draw the mouse's stroke pixel for pixel, once each
// (the mouse events the system makes of them draw nothing).
TEST_F(LiveDrawing, FingerAndPenDrawTheMouseStrokePixelForPixel) {
  MouseDrag(kPath);
  const QImage byMouse = layer->CommittedLayer().copy();
  const auto strokeByMouse = layer->GetDrawing().Strokes().at(0);
  struct Case {
    const char* name;
    std::function<void()> drag;
  };
  const Case cases[] = {{"finger", [&] { TouchDrag(kPath); }}, {"pen", [&] { PenDrag(kPath); }}};
  for (const Case& c : cases) {
    view->ClearLiveDrawing();
    c.drag();
    ASSERT_EQ(layer->GetDrawing().Strokes().size(), 1u) << c.name;
    EXPECT_EQ(layer->GetDrawing().Strokes()[0].points, strokeByMouse.points) << c.name;
    EXPECT_EQ(layer->CommittedLayer(), byMouse) << c.name;
  }
}

// A pointer move repaints only the new segment's padded box, as in the
// image view, however many strokes there are.
TEST_F(LiveDrawing, APenMoveRepaintsOnlyItsSegment) {
  for (int i = 0; i < 20; ++i) MouseDrag(Steps({{100 + 20 * i, 50}, {100 + 20 * i, 400}}));
  SendMouse(layer, QEvent::MouseButtonPress, QPoint(200, 200), Qt::LeftButton);
  layer->TakeRepaintedArea();
  SendMouse(layer, QEvent::MouseMove, QPoint(204, 203), Qt::LeftButton);
  const QRect repainted = layer->TakeRepaintedArea();
  // Width 9: half of it and 3 pixels of padding around the 4 x 3 segment.
  EXPECT_EQ(repainted, QRect(QPoint(200 - 7, 200 - 7), QPoint(204 + 7, 203 + 7)));
  SendMouse(layer, QEvent::MouseButtonRelease, QPoint(204, 203), Qt::NoButton);
}

// The strokes stay on the page: a larger view scales them with the picture,
// a quarter turn of the picture turns them, and their stills still match.
TEST_F(LiveDrawing, StrokesFollowTheViewsSizeAndThePicturesTurn) {
  MouseDrag(Steps({{200, 100}, {260, 100}}));
  const std::vector<gdi::Point> inPicture = layer->GetDrawing().Strokes()[0].points;
  view->resize(1600, 960);  // twice as large: the picture at 160, 0 and doubled
  ASSERT_TRUE(Until([&] { return layer->Mapping().target.left == 160; }));
  EXPECT_EQ(layer->GetDrawing().Strokes()[0].points, inPicture);
  EXPECT_TRUE(IsRed(layer->CommittedLayer().pixel(2 * 230, 2 * 100)));
  EXPECT_EQ(qAlpha(layer->CommittedLayer().pixel(230, 100)), 0);

  view->RotateQuarter();
  // (x, y) of the 640 x 480 picture is (479 - y, x) of the turned one.
  ASSERT_EQ(layer->GetDrawing().Strokes()[0].points.front(),
            (gdi::Point{479 - inPicture.front().y, inPicture.front().x}));
  ASSERT_TRUE(Until([&] { return view->CurrentFrame().width() == 480; }));
  const QImage still = gdi::ToQImage(view->TakeAnnotatedSnapshot());
  EXPECT_TRUE(IsRed(still.pixel(479 - 100, 170)));
}

}  // namespace
}  // namespace orvilo::camera
