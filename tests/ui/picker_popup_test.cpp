#include "ui/picker_popup.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "ui/skin/skin_ids.h"
#include "skin_test_support.h"

using namespace orvilo;
using namespace orvilo::ui;
using namespace orvilo::ui::testing;

namespace {

// Runs `action` once the picker's modal loop is running.
int RunWith(CCobboDlg& picker, std::function<void()> action) {
  QTimer::singleShot(0, &picker, std::move(action));
  return picker.DoModal();
}

CCobboDlg* OpenPicker() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* picker = qobject_cast<CCobboDlg*>(widget); picker != nullptr && picker->isVisible()) return picker;
  }
  return nullptr;
}

void Key(QWidget* widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
}

std::vector<std::string> Texts(const std::vector<PickerItem>& items) {
  std::vector<std::string> texts;
  for (const PickerItem& item : items) texts.push_back(item.text);
  return texts;
}

}  // namespace

TEST(PickerEntries, ListsOfEachKind) {
  EXPECT_EQ(Texts(PickerEntries(PickerKind::ZoomPercent, true)),
            (std::vector<std::string>{" 25%", " 50%", " 75%", "100%", "200%", "300%", "400%", "500%", "600%", "700%",
                                      "800%", "900%", "1000%"}));
  EXPECT_EQ(PickerEntries(PickerKind::ZoomPercent, true)[3].value, 100);
  EXPECT_EQ(Texts(PickerEntries(PickerKind::SpeedFactor, false)),
            (std::vector<std::string>{"0.5 X", "0.6 X", "0.7 X", "0.8 X", "0.9 X", "1 X", "1.2 X", "1.4 X", "1.6 X",
                                      "1.8 X", "2.0 X"}));
  const auto colours = PickerEntries(PickerKind::Colour, true);
  ASSERT_EQ(colours.size(), 10u);
  EXPECT_EQ(colours[2].value, 0x0000FF);  // red, blue in the high byte
  EXPECT_EQ(colours[7].value, 0xFF0000);  // blue
  EXPECT_EQ(colours[8].value, 0x800080);  // purple
  const auto widths = PickerEntries(PickerKind::PenWidth, true);
  ASSERT_EQ(widths.size(), 10u);
  EXPECT_EQ(widths.front().value, 1);
  EXPECT_EQ(widths.back().value, 19);
  EXPECT_TRUE(widths[4].text.empty());
  EXPECT_EQ(Texts(PickerEntries(PickerKind::Shape, true)),
            (std::vector<std::string>{"사각형", "타원", "다각형", "직선", "물결"}));
  EXPECT_EQ(Texts(PickerEntries(PickerKind::Board, false)),
            (std::vector<std::string>{"Capture", "Blackboard", "Whiteboard", "Note"}));
  for (const PickerItem& board : PickerEntries(PickerKind::Board, true)) EXPECT_EQ(board.picture.size(), QSize(20, 20));
  EXPECT_TRUE(PickerEntries(PickerKind::Custom, true).empty());
}

TEST(PickerColours, DarkForSpeedAndZoomLightForTheRest) {
  EXPECT_EQ(PickerColoursFor(PickerKind::ZoomPercent).highlight, QColor(3, 3, 3));
  EXPECT_EQ(PickerColoursFor(PickerKind::SpeedFactor).background, QColor(107, 107, 107));
  EXPECT_EQ(PickerColoursFor(PickerKind::Custom).highlight, QColor(184, 222, 246));
  EXPECT_EQ(PickerColoursFor(PickerKind::Board).border, QColor(165, 165, 165));
}

class PickerTest : public ::testing::Test {
 protected:
  CCobboDlg picker{false};
};

TEST_F(PickerTest, ZoomListOpensAtTheRowWithTheSelectedEntryHighlighted) {
  picker.kind = PickerKind::ZoomPercent;
  picker.selected = 3;  // the entry the main window chooses for 150 %
  picker.firstRow = gdi::Rect::FromPositionAndSize(300, 200, 60, 15);
  QImage shown;
  QRect geometry;
  const int result = RunWith(picker, [&] {
    geometry = picker.geometry();
    shown = picker.grab().toImage();
    picker.EndDialog(win::kResultClose);
  });
  EXPECT_EQ(result, win::kResultClose);
  EXPECT_EQ(geometry, QRect(300, 200, 60, 15 * 13));
  ASSERT_EQ(picker.Items()[3].text, "100%");
  const QRgb highlight = QColor(3, 3, 3).rgb();
  const QRgb background = QColor(107, 107, 107).rgb();
  EXPECT_EQ(shown.pixel(55, 3 * 15 + 2), highlight);
  EXPECT_EQ(shown.pixel(55, 2 * 15 + 7), background);
  EXPECT_EQ(shown.pixel(55, 4 * 15 + 7), background);
  EXPECT_EQ(shown.pixel(0, 7), QColor(148, 148, 148).rgb());  // border
}

TEST_F(PickerTest, AClickOutsideClosesWithoutAChoice) {
  picker.kind = PickerKind::ZoomPercent;
  picker.selected = 3;
  picker.firstRow = gdi::Rect::FromPositionAndSize(300, 200, 60, 15);
  bool capturedWhileOpen = false;
  const int result = RunWith(picker, [&] {
    capturedWhileOpen = picker.HasCapture();
    Press(&picker, QPoint(-20, 40));
  });
  EXPECT_EQ(result, win::kResultClose);
  EXPECT_TRUE(capturedWhileOpen);
  EXPECT_FALSE(picker.HasCapture());
  EXPECT_FALSE(picker.isVisible());
}

TEST_F(PickerTest, TheRowUnderThePointerIsChosenByAClick) {
  picker.kind = PickerKind::SpeedFactor;
  picker.selected = 5;
  picker.firstRow = gdi::Rect::FromPositionAndSize(100, 100, 55, 15);
  const int result = RunWith(picker, [&] {
    Move(&picker, QPoint(20, 8 * 15 + 3));
    Press(&picker, QPoint(20, 8 * 15 + 3));
    Release(&picker, QPoint(20, 8 * 15 + 3));
  });
  EXPECT_EQ(result, win::kResultOk);
  EXPECT_EQ(picker.selected, 8);
  EXPECT_TRUE(picker.PointerWasInside());
}

TEST_F(PickerTest, ReleasingOutsideAfterPressingInsideClosesWithoutAChoice) {
  picker.kind = PickerKind::SpeedFactor;
  picker.firstRow = gdi::Rect::FromPositionAndSize(100, 100, 55, 15);
  const int result = RunWith(picker, [&] {
    Press(&picker, QPoint(20, 20));
    Release(&picker, QPoint(90, 20));
  });
  EXPECT_EQ(result, win::kResultClose);
}

TEST_F(PickerTest, AReleaseBeforeThePointerWasInsideIsIgnored) {
  picker.kind = PickerKind::SpeedFactor;
  picker.firstRow = gdi::Rect::FromPositionAndSize(100, 100, 55, 15);
  bool stillOpen = false;
  const int result = RunWith(picker, [&] {
    Release(&picker, QPoint(20, 20));  // the click that opened it, let go
    stillOpen = picker.IsModalRunning() && OpenPicker() == &picker;
    Key(&picker, Qt::Key_Escape);
  });
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(result, win::kResultClose);
}

TEST_F(PickerTest, EnterTakesTheHighlightedRow) {
  picker.kind = PickerKind::PenWidth;
  picker.selected = 6;
  picker.firstRow = gdi::Rect::FromPositionAndSize(0, 0, 91, 20);
  EXPECT_EQ(RunWith(picker, [&] { Key(&picker, Qt::Key_Return); }), win::kResultOk);
  EXPECT_EQ(picker.selected, 6);
}

TEST_F(PickerTest, AnEmptyListCannotBeChosenFrom) {
  picker.kind = PickerKind::Custom;
  picker.firstRow = gdi::Rect::FromPositionAndSize(0, 0, 91, 20);
  EXPECT_EQ(RunWith(picker, [&] { Key(&picker, Qt::Key_Return); }), win::kResultClose);
}

TEST_F(PickerTest, ColourPickerShowsTenBarsOfSeventyOneByFour) {
  picker.kind = PickerKind::Colour;
  picker.selected = 0;  // the white bar on the highlight
  picker.firstRow = gdi::Rect::FromPositionAndSize(50, 60, 91, 20);
  QImage shown;
  RunWith(picker, [&] {
    shown = picker.grab().toImage();
    picker.EndDialog(win::kResultClose);
  });
  ASSERT_EQ(shown.size(), QSize(91, 200));
  const auto colours = PickerEntries(PickerKind::Colour, false);
  for (int row = 0; row < 10; ++row) {
    const QRgb colour = QColor(colours[row].value & 0xFF, (colours[row].value >> 8) & 0xFF, (colours[row].value >> 16) & 0xFF).rgb();
    int count = 0;
    QRect bounds;
    for (int y = row * 20 + 1; y < row * 20 + 19; ++y) {  // inside the row, clear of its edges
      for (int x = 0; x < 91; ++x) {
        if (shown.pixel(x, y) == colour) {
          ++count;
          bounds |= QRect(x, y, 1, 1);
        }
      }
    }
    EXPECT_EQ(count, 71 * 4) << row;
    EXPECT_EQ(bounds, QRect(10, row * 20 + 8, 71, 4)) << row;
  }
}

TEST_F(PickerTest, PenWidthBarsAreAsHighAsTheirWidth) {
  picker.kind = PickerKind::PenWidth;
  picker.selected = -1;
  picker.firstRow = gdi::Rect::FromPositionAndSize(0, 0, 91, 25);
  QImage shown;
  RunWith(picker, [&] {
    shown = picker.grab().toImage();
    picker.EndDialog(win::kResultClose);
  });
  for (int row = 0; row < 10; ++row) {
    const int width = 2 * row + 1;
    int height = 0;
    for (int y = row * 25; y < row * 25 + 25; ++y) height += shown.pixel(45, y) == qRgb(0, 0, 0) ? 1 : 0;
    EXPECT_EQ(height, width) << row;
    EXPECT_EQ(shown.pixel(45, row * 25 + (25 - width) / 2), qRgb(0, 0, 0)) << row;
  }
}

// A finger reaches the first and last rows from 40 px about them (the
// colour picker's rows are 91 x 20: 10 px above and below the list); inside,
// each row keeps its own place; the mouse keeps the exact list.
TEST_F(PickerTest, AFingerJustOutsideTheListTakesTheNearestRowTheMouseDoesNot) {
  struct Case {
    QPoint at;             // popup coordinates
    bool finger;
    int result, selected;  // selected: when the result is 1
  };
  const Case cases[] = {
      {{45, 3 * 20 + 10}, true, win::kResultOk, 3},
      {{45, 3 * 20 + 19}, true, win::kResultOk, 3},   // the row's last line, not the next row's reach
      {{45, -10}, true, win::kResultOk, 0},           // above the first row
      {{45, 200 + 9}, true, win::kResultOk, 9},       // below the last
      {{45, -11}, true, win::kResultClose, 0},        // beyond a finger's reach
      {{-3, 50}, true, win::kResultClose, 0},         // beside: 91 px wide is wide enough
      {{45, -5}, false, win::kResultClose, 0},        // the mouse: exact
  };
  const std::unique_ptr<QPointingDevice> screen(QTest::createTouchDevice());  // Qt does not delete it
  for (const Case& c : cases) {
    CCobboDlg popup(false);
    popup.kind = PickerKind::Colour;
    popup.selected = 6;
    popup.firstRow = gdi::Rect::FromPositionAndSize(50, 60, 91, 20);
    const int result = RunWith(popup, [&] {
      if (c.finger) {
        QTest::touchEvent(&popup, screen.get()).press(0, c.at, &popup);
        QTest::touchEvent(&popup, screen.get()).release(0, c.at, &popup);
      } else {
        Press(&popup, c.at);
        Release(&popup, c.at);
      }
      if (popup.IsModalRunning()) popup.EndDialog(-1);  // the touch did not reach it
    });
    EXPECT_EQ(result, c.result) << c.at.x() << "," << c.at.y() << (c.finger ? " finger" : " mouse");
    if (result == win::kResultOk) {
      EXPECT_EQ(popup.selected, c.selected) << c.at.x() << "," << c.at.y();
    }
  }
}

// A finger that lands on one row and slides chooses the row it lifts from,
// even just below the list.
TEST_F(PickerTest, AFingerChoosesTheRowItLiftsFrom) {
  picker.kind = PickerKind::ZoomPercent;
  picker.selected = 3;
  picker.firstRow = gdi::Rect::FromPositionAndSize(300, 200, 60, 15);
  const std::unique_ptr<QPointingDevice> screen(QTest::createTouchDevice());  // Qt does not delete it
  int highlightedOnLanding = -1;
  const int result = RunWith(picker, [&] {
    QTest::touchEvent(&picker, screen.get()).press(0, QPoint(30, 7 * 15 + 5), &picker);
    highlightedOnLanding = picker.selected;
    QTest::touchEvent(&picker, screen.get()).move(0, QPoint(30, 13 * 15 + 6), &picker);
    QTest::touchEvent(&picker, screen.get()).release(0, QPoint(30, 13 * 15 + 6), &picker);
  });
  EXPECT_EQ(highlightedOnLanding, 7);
  EXPECT_EQ(result, win::kResultOk);
  EXPECT_EQ(picker.selected, 12);  // "1000%", the last row
}

TEST_F(PickerTest, CustomEntriesKeepAtMost259BytesOfWholeCharacters) {
  std::string longText;
  for (int i = 0; i < 100; ++i) longText += "가";  // three bytes each
  picker.AddItem(0, 7, longText);
  picker.AddItem(skin::ShapePng(1), 8, "Ellipse");
  picker.AddItem(4242, 9, "no picture");
  ASSERT_EQ(picker.Items().size(), 3u);
  EXPECT_EQ(picker.Items()[0].text.size(), 258u);
  EXPECT_TRUE(picker.Items()[0].picture.isNull());
  EXPECT_EQ(picker.Items()[1].picture.size(), QSize(20, 20));
  EXPECT_TRUE(picker.Items()[2].picture.isNull());
  EXPECT_EQ(picker.Items()[2].value, 9);
}

TEST(PickerRunner, ScriptedPickersAnswerInOrderAndRecordRequests) {
  ScopedScriptedPickers pickers;
  pickers.answers = {{win::kResultOk, 4}, {win::kResultClose, 9}};
  const gdi::Rect row = gdi::Rect::FromPositionAndSize(1, 2, 91, 20);
  int selected = 9;
  EXPECT_EQ(PickerRunner::Current().Run(nullptr, PickerKind::Colour, row, selected), win::kResultOk);
  EXPECT_EQ(selected, 4);
  EXPECT_EQ(PickerRunner::Current().Run(nullptr, PickerKind::Custom, row, selected, {PickerItem{QImage(), 0, "Korean"}}),
            win::kResultClose);
  EXPECT_EQ(selected, 4);
  EXPECT_EQ(PickerRunner::Current().Run(nullptr, PickerKind::Shape, row, selected), win::kResultClose);  // script ran out
  EXPECT_EQ(selected, 4);
  ASSERT_EQ(pickers.requests.size(), 3u);
  EXPECT_EQ(pickers.requests[0].kind, PickerKind::Colour);
  EXPECT_EQ(pickers.requests[0].selected, 9);
  EXPECT_EQ(pickers.requests[0].firstRow, row);
  EXPECT_EQ(Texts(pickers.requests[1].customItems), std::vector<std::string>{"Korean"});
}

TEST(PickerRunner, TheScopedDoubleRestoresWhatWasInstalled) {
  PickerRunner* const before = &PickerRunner::Current();
  {
    ScopedScriptedPickers outer;
    {
      ScopedScriptedPickers inner;
      EXPECT_EQ(&PickerRunner::Current(), &inner);
    }
    EXPECT_EQ(&PickerRunner::Current(), &outer);
  }
  EXPECT_EQ(&PickerRunner::Current(), before);
  EXPECT_NE(dynamic_cast<PopupPickers*>(before), nullptr);
}

TEST(PickerRunner, PopupPickersRunARealPopupOverTheOwner) {
  RecordingParent owner;
  owner.show();
  PopupPickers pickers(true);
  const gdi::Rect row = gdi::Rect::FromPositionAndSize(10, 10, 91, 20);
  int selected = 0;
  std::string firstText;
  QTimer::singleShot(0, &owner, [&] {
    CCobboDlg* picker = OpenPicker();
    ASSERT_NE(picker, nullptr);
    firstText = picker->Items()[0].text;
    Move(picker, QPoint(30, 2 * 20 + 5));
    Press(picker, QPoint(30, 2 * 20 + 5));
    Release(picker, QPoint(30, 2 * 20 + 5));
  });
  EXPECT_EQ(pickers.Run(&owner, PickerKind::Board, row, selected), win::kResultOk);
  EXPECT_EQ(selected, 2);
  EXPECT_EQ(firstText, "캡쳐이미지");

  QTimer::singleShot(0, &owner, [&] {
    CCobboDlg* picker = OpenPicker();
    ASSERT_NE(picker, nullptr);
    Move(picker, QPoint(30, 5));
    Press(picker, QPoint(-10, -10));
  });
  EXPECT_EQ(pickers.Run(&owner, PickerKind::Board, row, selected), win::kResultClose);
  EXPECT_EQ(selected, 2);
}
