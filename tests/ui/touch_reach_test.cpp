#include "ui/touch_reach.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace orvilo::ui {
namespace {

using gdi::Rect;

TEST(TouchReach, HitAreasGrowToFortyPixelsAboutTheirCentre) {
  const std::pair<Rect, Rect> cases[] = {
      {Rect{100, 100, 130, 120}, Rect{95, 90, 135, 130}},     // 30 x 20
      {Rect{0, 0, 25, 25}, Rect{-7, -7, 33, 33}},             // odd extra: the larger half right and below
      {Rect{10, 10, 90, 30}, Rect{10, 0, 90, 40}},            // wide enough: only the height grows
      {Rect{10, 10, 60, 60}, Rect{10, 10, 60, 60}},           // large enough already
  };
  for (const auto& [place, area] : cases) EXPECT_EQ(TouchHitArea(place), area);
}

TEST(TouchReach, TheControlUnderTheFingerElseTheNearestThatReaches) {
  // Two 30 x 20 buttons side by side with 4 px between them.
  const std::vector<Rect> buttons = {Rect{100, 100, 130, 120}, Rect{134, 100, 164, 120}};
  const std::pair<gdi::Point, int> cases[] = {
      {{110, 110}, 0}, {{140, 110}, 1},   // on a button
      {{131, 110}, 0}, {{133, 110}, 1},   // in the gap: the nearer one
      {{120, 92}, 0},  {{150, 127}, 1},   // above, below
      {{120, 89}, -1}, {{200, 110}, -1},  // out of reach
  };
  for (const auto& [point, want] : cases) EXPECT_EQ(TouchTargetAt(buttons, point), want) << point.x << "," << point.y;
}

// A small control that counts the presses and releases it takes.
class Target : public QWidget {
 public:
  using QWidget::QWidget;
  int presses = 0, releases = 0;
  QPoint lastPress;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    ++presses;
    lastPress = event->position().toPoint();
  }
  void mouseReleaseEvent(QMouseEvent*) override { ++releases; }
};

TEST(TouchReach, AFingerJustBesideAButtonPressesItTheMouseDoesNot) {
  const TouchReach reach;
  QWidget window;
  window.resize(300, 200);
  Target button(&window);
  button.setGeometry(100, 100, 30, 20);
  MarkTouchTarget(&button);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  // Qt registers the device but does not delete it with the application.
  const std::unique_ptr<QPointingDevice> screen(QTest::createTouchDevice());

  // 8 px below the button, on the window: the button takes it.
  QTest::touchEvent(&window, screen.get()).press(0, QPoint(115, 127), &window);
  QTest::touchEvent(&window, screen.get()).release(0, QPoint(115, 127), &window);
  QApplication::processEvents();
  EXPECT_EQ(button.presses, 1);
  EXPECT_EQ(button.releases, 1);
  EXPECT_EQ(button.lastPress, QPoint(15, 19));  // the nearest point inside it

  // Too far for a finger, and the mouse keeps the exact area.
  QTest::touchEvent(&window, screen.get()).press(0, QPoint(115, 150), &window);
  QTest::touchEvent(&window, screen.get()).release(0, QPoint(115, 150), &window);
  QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, QPoint(115, 127));
  QApplication::processEvents();
  EXPECT_EQ(button.presses, 1);
}

}  // namespace
}  // namespace orvilo::ui
