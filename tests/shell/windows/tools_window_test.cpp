#include "shell/tools_window.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include "core/command_ids.h"
#include "ui/picker_popup.h"
#include "ui/skin_button.h"

namespace orvilo::shell {
namespace {

class Owner : public win::Window {
 public:
  std::vector<int> commands;
  std::vector<std::pair<std::uintptr_t, std::intptr_t>> pickerChoices;

 protected:
  bool OnCommand(int id) override {
    commands.push_back(id);
    return true;
  }
  std::intptr_t OnMessage(const win::Msg& message) override {
    if (message.id == message::kPickerChoice) pickerChoices.emplace_back(message.wParam, message.lParam);
    return win::Window::OnMessage(message);
  }
};

void Send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::LeftButton, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

void Click(QWidget* widget) {
  const QPoint centre = widget->rect().center();
  Send(widget, QEvent::MouseButtonPress, centre, Qt::LeftButton);
  Send(widget, QEvent::MouseButtonRelease, centre, Qt::NoButton);
  QApplication::processEvents();  // the button posts to the palette, the palette to the main window
  QApplication::processEvents();
}

class ToolsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner.resize(1038, 800);
    ASSERT_TRUE(palette.Create(&owner, "tools", 7, QRect()));
  }
  Owner owner;
  CVyr3ToolsWnd palette{true};
};

TEST_F(ToolsWindowTest, CameraToolsFirstThenTheImageToolsInATallerPalette) {
  EXPECT_EQ(palette.geometry(), QRect(21, 113, 28, 205));
  for (int id = 1525; id <= 1531; ++id) {
    ASSERT_NE(palette.Button(id), nullptr) << id;
    EXPECT_EQ(palette.Button(id)->geometry(), QRect(0, 9 + 28 * (id - 1525), 28, 28));
    EXPECT_TRUE(palette.Button(id)->isVisibleTo(&palette));
  }
  for (int id = 1534; id <= 1546; ++id) {
    ASSERT_NE(palette.Button(id), nullptr) << id;
    EXPECT_FALSE(palette.Button(id)->isVisibleTo(&palette));
  }
  EXPECT_EQ(palette.Button(1535)->ToolTipText(), "형광펜");
  EXPECT_EQ(ToolTipOf(1538, false), "ERASER");
  palette.SetToolSet(ToolSet::Image);
  EXPECT_EQ(palette.geometry(), QRect(21, 113, 28, 373));
  EXPECT_EQ(palette.Button(1546)->geometry(), QRect(0, 9 + 28 * 12, 28, 28));
  EXPECT_TRUE(palette.Button(1546)->isVisibleTo(&palette));
  EXPECT_FALSE(palette.Button(1525)->isVisibleTo(&palette));
  EXPECT_EQ(palette.HitTestAt(QPoint(10, 4)), win::HitTest::Caption);
  EXPECT_EQ(palette.HitTestAt(QPoint(10, 20)), win::HitTest::Client);
}

// The drawing over the live picture: the seven pen tools, pen to shapes, in
// a palette as tall as the camera tools'.
TEST_F(ToolsWindowTest, LiveDrawingShowsThePenToolsOnly) {
  palette.SetToolSet(ToolSet::Image);
  palette.SetToolSet(ToolSet::LiveDrawing);
  EXPECT_EQ(palette.geometry(), QRect(21, 113, 28, 205));
  for (int id = 1525; id <= 1546; ++id) {
    if (palette.Button(id) == nullptr) continue;  // 1532, 1533 are no tools
    EXPECT_EQ(palette.Button(id)->isVisibleTo(&palette), id >= 1534 && id <= 1540) << id;
  }
  EXPECT_EQ(palette.Button(1540)->geometry(), QRect(0, 9 + 28 * 6, 28, 28));
  palette.SetToolSet(ToolSet::Camera);
  EXPECT_TRUE(palette.Button(1525)->isVisibleTo(&palette));
  EXPECT_FALSE(palette.Button(1534)->isVisibleTo(&palette));
}

TEST_F(ToolsWindowTest, ToolButtonsPostTheirCommandsToTheMainWindow) {
  Click(palette.Button(1530));
  palette.SetToolSet(ToolSet::Image);
  Click(palette.Button(1534));
  Click(palette.Button(1539));
  Click(palette.Button(1546));
  EXPECT_EQ(owner.commands, (std::vector<int>{1530, 1534, 1539, 1546}));
}

TEST_F(ToolsWindowTest, PickersOpenAtTheirButtonAndReportAChoice) {
  ui::ScopedScriptedPickers pickers;
  pickers.answers = {{win::kResultOk, 4}, {win::kResultClose, 0}, {win::kResultOk, 2}};
  palette.SetToolSet(ToolSet::Image);
  Click(palette.Button(1536));  // colour: chosen 4
  Click(palette.Button(1536));  // closed without a choice
  Click(palette.Button(1537));  // pen width: chosen 2
  EXPECT_EQ(owner.pickerChoices, (std::vector<std::pair<std::uintptr_t, std::intptr_t>>{{2, 4}, {3, 2}}));
  ASSERT_EQ(pickers.requests.size(), 3u);
  EXPECT_EQ(pickers.requests[0].kind, ui::PickerKind::Colour);
  EXPECT_EQ(pickers.requests[0].selected, 9);
  EXPECT_EQ(pickers.requests[1].selected, 4);  // the stored entry
  const QPoint button = palette.Button(1536)->mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(pickers.requests[0].firstRow, (gdi::Rect{button.x() + 29, button.y(), button.x() + 119, button.y() + 20}));
  EXPECT_EQ(pickers.requests[2].kind, ui::PickerKind::PenWidth);
  EXPECT_EQ(pickers.requests[2].selected, 6);
  const QPoint widthButton = palette.Button(1537)->mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(pickers.requests[2].firstRow.top, widthButton.y() + 25);
  EXPECT_EQ(palette.ColourEntry(), 4);
  EXPECT_EQ(palette.PenTypeEntry(), 2);
  EXPECT_TRUE(owner.commands.empty());
}

TEST_F(ToolsWindowTest, DraggedAgainstTheEdgesTheGripKeepsThePaletteInside) {
  palette.SetToolSet(ToolSet::Image);
  Send(&palette, QEvent::MouseButtonPress, QPoint(10, 4), Qt::LeftButton);
  Send(&palette, QEvent::MouseMove, QPoint(-200, -200), Qt::LeftButton);
  EXPECT_EQ(palette.geometry(), QRect(8, 86, 28, 373));  // left 8; top 86, bottom 459
  Send(&palette, QEvent::MouseButtonRelease, QPoint(-200, -200), Qt::NoButton);
  EXPECT_EQ(palette.geometry().topLeft(), QPoint(8, 86));
}

TEST(ToolsPaletteRules, CorrectionsWhileDraggedAndAfterwards) {
  const gdi::Size client{1038, 800};
  struct Case {
    gdi::Rect proposed;
    ToolSet set;
    gdi::Rect corrected;
  };
  const Case cases[] = {
      {gdi::Rect::FromPositionAndSize(3, 200, 28, 205), ToolSet::Camera, gdi::Rect::FromPositionAndSize(8, 200, 28, 205)},
      {gdi::Rect::FromPositionAndSize(1020, 200, 28, 205), ToolSet::Camera, gdi::Rect{1002, 200, 1030, 405}},
      {gdi::Rect::FromPositionAndSize(300, 50, 28, 373), ToolSet::Image, gdi::Rect{300, 86, 328, 459}},
      {gdi::Rect::FromPositionAndSize(300, 600, 28, 373), ToolSet::Image, gdi::Rect{300, 418, 328, 791}},
      {gdi::Rect::FromPositionAndSize(300, 300, 28, 205), ToolSet::Camera, gdi::Rect::FromPositionAndSize(300, 300, 28, 205)},
  };
  for (const Case& c : cases) EXPECT_EQ(PaletteWhileDragged(c.proposed, client, c.set), c.corrected);
  const gdi::Rect home = gdi::Rect::FromPositionAndSize(21, 113, 28, 373);
  EXPECT_EQ(PaletteAfterDrag(gdi::Rect::FromPositionAndSize(4, 200, 28, 373), client, ToolSet::Image), home);
  EXPECT_EQ(PaletteAfterDrag(gdi::Rect::FromPositionAndSize(100, 82, 28, 373), client, ToolSet::Image), home);
  EXPECT_EQ(PaletteAfterDrag(gdi::Rect::FromPositionAndSize(100, 425, 28, 373), client, ToolSet::Image), home);
  const gdi::Rect inside = gdi::Rect::FromPositionAndSize(100, 100, 28, 373);
  EXPECT_EQ(PaletteAfterDrag(inside, client, ToolSet::Image), inside);
}

}  // namespace
}  // namespace orvilo::shell
