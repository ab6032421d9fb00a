#include "ui/control_window.h"

#include <QTest>
#include <gtest/gtest.h>

#include "core/command_ids.h"

namespace orvilo::ui {
namespace {

TEST(ControlWindow, TakesTheSizeAndShapeOfItsFace) {
  for (const auto& [readingBar, size] : {std::pair{true, QSize(290, 36)}, std::pair{false, QSize(570, 36)}}) {
    QWidget owner;
    owner.resize(1024, 768);
    CVyr3ControlWnd bar(readingBar);
    ASSERT_TRUE(bar.Create(&owner, "bar", 10, QRect(7, 85, 1024, 760), false));
    EXPECT_EQ(bar.size(), size);
    EXPECT_FALSE(bar.mask().isEmpty());
    EXPECT_TRUE(bar.mask().boundingRect().width() <= size.width());
  }
}

TEST(ControlWindow, ShowsCentredAtTheBottomAndAtTheLeftEdgeWhenTheWindowIsNarrower) {
  QWidget owner;
  owner.resize(1024, 768);
  CVyr3ControlWnd bar(false);
  bar.Create(&owner, "bar", 11, QRect(), false);
  bar.ShowBar();
  EXPECT_EQ(bar.pos(), QPoint((1024 - 570) / 2, 768 - 36 - 8));
  EXPECT_TRUE(bar.isVisibleTo(&owner));
  owner.resize(400, 500);
  bar.ShowBar();
  EXPECT_EQ(bar.pos(), QPoint(0, 500 - 36 - 8));
}

TEST(ControlWindow, HideTimerHidesTheBarOnce) {
  QWidget owner;
  owner.resize(1024, 768);
  CVyr3ControlWnd bar(true);
  bar.Create(&owner, "bar", 10, QRect(), false);
  bar.ShowBar();
  bar.SetTimer(timer::kControlBarHide, 10);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !bar.isVisibleTo(&owner); }, 2000));
  EXPECT_FALSE(bar.TimerInterval(timer::kControlBarHide).has_value());
}

}  // namespace
}  // namespace orvilo::ui
