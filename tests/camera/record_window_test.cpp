// The recording indicator: where it sits, its shape, and its blinking.
#include "camera/record_window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>

namespace orvilo::camera {
namespace {

void RunEvents(int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < milliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

TEST(RecordIndicator, BlinksOneSecondShownOneHiddenAtTheTopRightAndStops) {
  QWidget main;
  main.resize(1024, 768);
  main.show();
  CVyr3RecordWnd indicator(&main);
  EXPECT_FALSE(indicator.isVisible());
  ASSERT_TRUE(indicator.StartBlinking());
  EXPECT_FALSE(indicator.StartBlinking()) << "refused while blinking";
  EXPECT_EQ(indicator.CurrentState(), CVyr3RecordWnd::State::Blinking);
  const QRect place = indicator.geometry();
  EXPECT_EQ(place.right() + 1, 1024 - 30);
  EXPECT_EQ(place.top(), 105);
  EXPECT_FALSE(indicator.mask().isEmpty()) << "shaped by the picture's magenta";
  // Hidden for the first second, shown for the next, hidden again.
  RunEvents(500);
  EXPECT_FALSE(indicator.isVisible());
  RunEvents(1000);
  EXPECT_TRUE(indicator.isVisible());
  RunEvents(1000);
  EXPECT_FALSE(indicator.isVisible());
  RunEvents(1000);
  EXPECT_TRUE(indicator.isVisible());
  indicator.StopBlinking();
  EXPECT_FALSE(indicator.isVisible());
  EXPECT_EQ(indicator.CurrentState(), CVyr3RecordWnd::State::Stopped);
  RunEvents(1300);
  EXPECT_FALSE(indicator.isVisible()) << "no timer left behind";
  EXPECT_TRUE(indicator.StartBlinking()) << "the next recording blinks again";
  indicator.StopBlinking();
}

}  // namespace
}  // namespace orvilo::camera
