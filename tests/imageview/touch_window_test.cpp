// Fingers and a pen on the image view. Touches go through the window as the
// system delivers them (so Qt's own mouse emulation is in play); a stroke by
// finger or pen must be the mouse's stroke, drawn once.
#include <QTabletEvent>
#include <QTest>
#include <QTouchEvent>
#include <gtest/gtest.h>

#include "core/command_ids.h"
#include "imageview/image_window.h"
#include "tests/imageview/window_test_support.h"

namespace orvilo::imageview {
namespace {

using namespace testing;

const std::vector<QPoint> kPath = {{50, 50}, {150, 80}, {250, 60}, {300, 200}};

// The points of a drag through `points`, at most 4 pixels apart.
std::vector<QPoint> Steps(const std::vector<QPoint>& points) {
  std::vector<QPoint> steps{points.front()};
  for (std::size_t i = 1; i < points.size(); ++i) {
    const QPoint from = points[i - 1], to = points[i];
    const int n = std::max(1, std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y())) / 4);
    for (int s = 1; s <= n; ++s) steps.push_back(from + (to - from) * s / n);
  }
  return steps;
}

class TouchWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner.resize(400, 300);
    ASSERT_TRUE(view.Create(&owner, "image", 100, QRect(0, 0, 400, 300)));
    ASSERT_TRUE(view.SetImage(Filled(400, 300, 255, 255, 255)));
    view.SetMode(ViewMode::Image);
    view.SetPenWidth(5);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
  }
  static QPointingDevice* Screen() {
    static QPointingDevice* device = QTest::createTouchDevice();
    return device;
  }
  void TouchDrag(const std::vector<QPoint>& points) {
    const std::vector<QPoint> steps = Steps(points);
    QTest::touchEvent(&view, Screen()).press(0, steps.front(), &view);
    for (std::size_t i = 1; i < steps.size(); ++i) QTest::touchEvent(&view, Screen()).move(0, steps[i], &view);
    QTest::touchEvent(&view, Screen()).release(0, steps.back(), &view);
    QApplication::processEvents();
  }
  std::vector<int> PickerCommands() const {
    std::vector<int> pickers;
    for (int id : owner.commands) {
      if (id >= command::kFirstImageTool && id <= command::kImageRotate) pickers.push_back(id);
    }
    return pickers;
  }

  RecordingOwner owner;
  CVyr3ImageWnd view;
};

TEST_F(TouchWindowTest, AFingerStrokeIsDrawnOnceAndIsThePixelsOfTheSameMouseStroke) {
  TouchDrag(kPath);
  ASSERT_EQ(view.GetDrawing().Strokes().size(), 1u);  // not a second one from emulated mouse events
  const QImage byFinger = view.RenderContent();
  EXPECT_LT(Brightness(byFinger.pixel(150, 80)), 3 * 255);  // something was drawn on the path

  view.Undo();
  ASSERT_TRUE(view.GetDrawing().Strokes().empty());
  Drag(&view, kPath);
  ASSERT_EQ(view.GetDrawing().Strokes().size(), 1u);
  EXPECT_EQ(view.RenderContent(), byFinger);
}

TEST_F(TouchWindowTest, APenStrokeIgnoresPressureAndEmulatedMouseEventsDoNotDraw) {
  QPointingDevice stylus("test pen", 77, QInputDevice::DeviceType::Stylus, QPointingDevice::PointerType::Pen,
                         QInputDevice::Capability::Position | QInputDevice::Capability::Pressure, 1, 3);
  // As the mouse drag does: a press, a move to every point, the release at the last.
  std::vector<std::pair<QEvent::Type, QPoint>> events;
  const std::vector<QPoint> steps = Steps(kPath);
  events.emplace_back(QEvent::TabletPress, steps.front());
  for (std::size_t i = 1; i < steps.size(); ++i) events.emplace_back(QEvent::TabletMove, steps[i]);
  events.emplace_back(QEvent::TabletRelease, steps.back());
  for (std::size_t i = 0; i < events.size(); ++i) {
    const auto [type, at] = events[i];
    const qreal pressure = 0.1 + 0.9 * static_cast<double>(i % 7) / 6;
    const Qt::MouseButtons held = type == QEvent::TabletRelease ? Qt::NoButton : Qt::LeftButton;
    QTabletEvent pen(type, &stylus, QPointF(at), QPointF(view.mapToGlobal(at)), pressure, 0, 0, 0, 0, 0, Qt::NoModifier,
                     type == QEvent::TabletMove ? Qt::NoButton : Qt::LeftButton, held);
    QApplication::sendEvent(&view, &pen);
    // What the system would make of the same pen event as a mouse event.
    const QEvent::Type mouse = type == QEvent::TabletPress  ? QEvent::MouseButtonPress
                               : type == QEvent::TabletMove ? QEvent::MouseMove
                                                            : QEvent::MouseButtonRelease;
    QMouseEvent emulated(mouse, QPointF(at), QPointF(at), QPointF(view.mapToGlobal(at)), Qt::LeftButton, held,
                         Qt::NoModifier, &stylus);
    QApplication::sendEvent(&view, &emulated);
  }
  ASSERT_EQ(view.GetDrawing().Strokes().size(), 1u);
  const QImage byPen = view.RenderContent();
  view.Undo();
  Drag(&view, kPath);
  EXPECT_EQ(view.RenderContent(), byPen);
}

TEST_F(TouchWindowTest, TwoFingersPinchAroundTheirCentreAndTheMainWindowHearsThePercentage) {
  // The first finger starts a stroke; the second turns it into a pinch and
  // the stroke is dropped.
  QTest::touchEvent(&view, Screen()).press(0, QPoint(150, 150), &view);
  QTest::touchEvent(&view, Screen()).move(0, QPoint(152, 150), &view).press(1, QPoint(250, 150), &view);
  for (int step = 1; step <= 10; ++step) {
    QTest::touchEvent(&view, Screen()).move(0, QPoint(152 - 5 * step, 150), &view).move(1, QPoint(250 + 5 * step, 150), &view);
  }
  QTest::touchEvent(&view, Screen()).release(0, QPoint(102, 150), &view).release(1, QPoint(300, 150), &view);
  QApplication::processEvents();

  EXPECT_TRUE(view.GetDrawing().Strokes().empty());
  EXPECT_FLOAT_EQ(view.Zoom(), 2.02f);  // 98 px apart, then 198 px
  ASSERT_FALSE(owner.messages.empty());
  EXPECT_EQ(owner.messages.back(), (std::pair<std::uint32_t, std::uintptr_t>{message::kTouchZoom, 202}));
  // The picture point under the fingers' centre (201, 150) stayed there.
  const gdi::Rect source = view.SourceRect();
  const QRect target = view.PictureTarget();
  const double x = source.left + (201.0 - target.left()) * source.Width() / target.width();
  const double y = source.top + (150.0 - target.top()) * source.Height() / target.height();
  EXPECT_NEAR(x, 201, 2);
  EXPECT_NEAR(y, 150, 2);

  // A two-finger drag at the same distance pans the zoomed picture.
  const gdi::Rect before = view.SourceRect();
  QTest::touchEvent(&view, Screen()).press(0, QPoint(150, 150), &view).press(1, QPoint(250, 150), &view);
  QTest::touchEvent(&view, Screen()).move(0, QPoint(130, 140), &view).move(1, QPoint(230, 140), &view);
  QTest::touchEvent(&view, Screen()).release(0, QPoint(130, 140), &view).release(1, QPoint(230, 140), &view);
  QApplication::processEvents();
  EXPECT_FLOAT_EQ(view.Zoom(), 2.02f);
  // 20 and 10 client pixels at about 2 client pixels a picture pixel.
  EXPECT_NEAR(view.SourceRect().left, before.left + 10, 1);
  EXPECT_NEAR(view.SourceRect().top, before.top + 5, 1);
  EXPECT_TRUE(view.GetDrawing().Strokes().empty());
}

TEST_F(TouchWindowTest, ALongPressOpensTheCurrentToolsPickerAndLeavesNoDot) {
  const std::pair<StrokeKind, int> cases[] = {{StrokeKind::Pen, command::kColour},
                                              {StrokeKind::Highlighter, command::kColour},
                                              {StrokeKind::Eraser, command::kPenType},
                                              {StrokeKind::Quadrangle, command::kShapes}};
  for (const auto& [tool, picker] : cases) {
    owner.commands.clear();
    view.SetCurrentTool(tool);
    QTest::touchEvent(&view, Screen()).press(0, QPoint(100, 100), &view);
    QTest::touchEvent(&view, Screen()).move(0, QPoint(104, 103), &view);  // a finger is never quite still
    QTest::qWait(800);
    QTest::touchEvent(&view, Screen()).release(0, QPoint(104, 103), &view);
    QApplication::processEvents();
    EXPECT_EQ(PickerCommands(), std::vector<int>{picker}) << static_cast<int>(tool);
    EXPECT_TRUE(view.GetDrawing().Strokes().empty()) << static_cast<int>(tool);
  }
}

TEST_F(TouchWindowTest, AFingerThatMovesOnIsAStrokeNotALongPress) {
  QTest::touchEvent(&view, Screen()).press(0, QPoint(100, 100), &view);
  QTest::touchEvent(&view, Screen()).move(0, QPoint(104, 100), &view);
  QTest::touchEvent(&view, Screen()).move(0, QPoint(120, 100), &view);
  QTest::qWait(800);
  QTest::touchEvent(&view, Screen()).release(0, QPoint(120, 100), &view);
  QApplication::processEvents();
  EXPECT_TRUE(PickerCommands().empty());
  EXPECT_EQ(view.GetDrawing().Strokes().size(), 1u);
}

TEST_F(TouchWindowTest, AFingerMarksTheRegionInReadingMode) {
  view.SetMode(ViewMode::Reading);
  TouchDrag({{40, 30}, {200, 160}});
  EXPECT_EQ(view.Selection(), (gdi::Rect{40, 30, 200, 160}));
  EXPECT_TRUE(view.GetDrawing().Strokes().empty());
}

}  // namespace
}  // namespace orvilo::imageview
