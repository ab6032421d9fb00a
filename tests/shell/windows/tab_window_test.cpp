#include "shell/tab_window.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include "core/command_ids.h"

namespace orvilo::shell {
namespace {

class CommandRecorder : public win::Window {
 public:
  std::vector<int> commands;

 protected:
  bool OnCommand(int id) override {
    commands.push_back(id);
    return true;
  }
};

void Click(QWidget* widget, QPoint at) {
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
}

struct TabCase {
  int variant;
  int tab;
  int command;
};

class TabClick : public ::testing::TestWithParam<TabCase> {};

TEST_P(TabClick, PostsTheModeOfTheTab) {
  CommandRecorder owner;
  CVyr3TabWnd tabs(GetParam().variant, true);
  ASSERT_TRUE(tabs.Create(&owner, "Vyr3Child7", 7, QRect(0, 0, 10, 10)));
  EXPECT_EQ(tabs.geometry().topLeft(), QPoint(30, 5));
  Click(&tabs, QPoint(78 * GetParam().tab + 40, 10));
  QCoreApplication::processEvents();
  EXPECT_EQ(owner.commands, std::vector<int>{GetParam().command});
  EXPECT_EQ(tabs.SelectedTab(), GetParam().tab);
}

INSTANTIATE_TEST_SUITE_P(Variants, TabClick,
                         ::testing::Values(TabCase{0, 2, command::kModeMovie}, TabCase{3, 3, command::kModeAr},
                                           TabCase{3, 4, command::kModeMovie}, TabCase{1, 2, command::kModeReading},
                                           TabCase{2, 2, command::kModeAr}, TabCase{0, 1, command::kModeImage}));

TEST(TabWindow, TheSelectedTabPostsNothingAndTheMainWindowSelectsWithoutPosting) {
  CommandRecorder owner;
  CVyr3TabWnd tabs(3, false);
  tabs.Create(&owner, "tabs", 7, QRect());
  Click(&tabs, QPoint(10, 10));  // tab 0 is selected already
  tabs.SelectTabOf(ViewMode::Reading);
  QCoreApplication::processEvents();
  EXPECT_TRUE(owner.commands.empty());
  EXPECT_EQ(tabs.SelectedMode(), ViewMode::Reading);
  Click(&tabs, QPoint(78 * 2 + 5, 10));
  QCoreApplication::processEvents();
  EXPECT_TRUE(owner.commands.empty());
}

TEST(TabWindow, HitRectanglesAreSeventyEightWideAndTheLastOneFiveMore) {
  CVyr3TabWnd tabs(0, true);
  EXPECT_EQ(tabs.TabAt(QPoint(0, 0)), 0);
  EXPECT_EQ(tabs.TabAt(QPoint(77, 19)), 0);
  EXPECT_EQ(tabs.TabAt(QPoint(78, 5)), 1);
  EXPECT_EQ(tabs.TabAt(QPoint(78 * 2 + 82, 5)), 2);
  EXPECT_EQ(tabs.TabAt(QPoint(78 * 2 + 83, 5)), -1);
  EXPECT_EQ(tabs.TabAt(QPoint(10, 20)), -1);
}

void Move(QWidget* widget, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

QImage Painted(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

// The strip takes the size of its picture for every variant, and draws the
// picture of its selected tab and language; a hovered tab gets its lighter
// label, and leaving clears it.
TEST(TabWindow, PaintsThePictureOfTheSelectedTabAndTheHoveredLabel) {
  for (int variant = 0; variant < 4; ++variant) {
    CommandRecorder owner;
    CVyr3TabWnd tabs(variant, true);
    ASSERT_TRUE(tabs.Create(&owner, "tabs", 7, QRect()));
    const int count = variant == 0 ? 3 : variant == 3 ? 5 : 4;
    EXPECT_EQ(tabs.size(), QSize(78 * count + 5, 20)) << variant;
    const QImage first = Painted(tabs);
    tabs.SelectTabOf(ViewMode::Movie);
    EXPECT_EQ(tabs.SelectedTab(), count - 1);
    EXPECT_NE(Painted(tabs), first) << variant;
  }
  CommandRecorder owner;
  CVyr3TabWnd korean(0, true);
  CVyr3TabWnd english(0, false);
  korean.Create(&owner, "ko", 7, QRect());
  english.Create(&owner, "en", 8, QRect());
  EXPECT_NE(Painted(korean), Painted(english));

  const QImage plain = Painted(english);
  Move(&english, QPoint(78 + 30, 10));
  EXPECT_EQ(english.HoverTab(), 1);
  const QImage hovered = Painted(english);
  EXPECT_NE(hovered, plain);
  EXPECT_EQ(hovered.copy(0, 0, 78, 20), plain.copy(0, 0, 78, 20));  // other tabs unchanged
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&english, &leave);
  EXPECT_EQ(english.HoverTab(), -1);
  EXPECT_EQ(Painted(english), plain);
}

}  // namespace
}  // namespace orvilo::shell
