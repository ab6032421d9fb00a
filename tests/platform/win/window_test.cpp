#include "platform/win/window.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace orvilo::win;

namespace {

class RecordingWindow : public Window {
 public:
  std::vector<Msg> messages;
  std::vector<int> commands;
  std::vector<int> timers;
  std::vector<std::string> hooks;
  HitTest hitTest = HitTest::Client;

  HitTest HitTestAt(const QPoint&) const override { return hitTest; }

 protected:
  std::intptr_t OnMessage(const Msg& message) override {
    messages.push_back(message);
    Window::OnMessage(message);
    return static_cast<std::intptr_t>(message.wParam) * 2;
  }
  bool OnCommand(int id) override {
    commands.push_back(id);
    return true;
  }
  void OnTimer(int id) override { timers.push_back(id); }
  void OnEnterSizeMove() override { hooks.push_back("enter"); }
  void OnExitSizeMove() override { hooks.push_back("exit"); }
  void OnMoving(QRect&) override { hooks.push_back("moving"); }
  void OnSizing(HitTest, QRect& proposed) override {
    hooks.push_back("sizing");
    if (proposed.width() > 300) proposed.setWidth(300);  // hooks may adjust
  }
};

// `start` is a point in the widget where the gesture began: the pointer's
// screen position stays fixed however the widget moves under it.
void SendMouse(QWidget* widget, QEvent::Type type, QPoint start, Qt::MouseButtons buttons) {
  static QPoint origin;
  if (type == QEvent::MouseButtonPress) origin = widget->mapToGlobal(QPoint(0, 0));
  const QPoint global = origin + start;
  QMouseEvent event(type, QPointF(widget->mapFromGlobal(global)), QPointF(global),
                    type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

}  // namespace

TEST(Window, PostedMessagesFromAnotherThreadArriveInOrderOnTheWindowThread) {
  RecordingWindow window;
  std::thread poster([&] {
    for (std::uintptr_t i = 0; i < 100; ++i) EXPECT_TRUE(window.PostMessage(1829, i, -static_cast<std::intptr_t>(i)));
  });
  poster.join();
  EXPECT_TRUE(window.messages.empty()) << "posting must not run the handler on the poster's thread";
  QCoreApplication::processEvents();
  ASSERT_EQ(window.messages.size(), 100u);
  for (std::uintptr_t i = 0; i < 100; ++i) {
    EXPECT_EQ(window.messages[i].id, 1829u);
    EXPECT_EQ(window.messages[i].wParam, i);
    EXPECT_EQ(window.messages[i].lParam, -static_cast<std::intptr_t>(i));
  }
}

TEST(Window, SendMessageRunsTheHandlerBeforeReturningItsResult) {
  RecordingWindow window;
  EXPECT_EQ(window.SendMessage(1575, 21, 0), 42);
  ASSERT_EQ(window.messages.size(), 1u);
  // From another thread the sender waits for the window's thread.
  std::intptr_t result = 0;
  std::thread sender([&] { result = window.SendMessage(1634, 5, 0); });
  while (window.messages.size() < 2) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  sender.join();
  EXPECT_EQ(result, 10);
}

TEST(Window, CommandsArriveWithTheirIdentifierInTheLowWord) {
  RecordingWindow window;
  window.PostCommand(1134);
  window.SendCommand(1129);
  window.SendMessage(kCommand, MakeWParam(1045, 0 /*notification code*/), 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(window.commands, (std::vector<int>{1129, 1045, 1134}));
}

TEST(Window, HandleOutlivesItsWindowAndPostsNowhereAfterwards) {
  auto* window = new RecordingWindow;
  vx_hwnd handle = window->Handle();
  EXPECT_EQ(window->Handle(), handle);
  EXPECT_EQ(Window::FromHandle(handle), window);
  EXPECT_EQ(Window::FromHandleId(handle->id), window);
  EXPECT_EQ(vx_post_message(handle, 1433, 1, 0), 1);
  delete window;  // the queued message dies with it
  EXPECT_EQ(vx_post_message(handle, 1433, 4, 0), 0);
  EXPECT_EQ(Window::FromHandle(handle), nullptr);
  EXPECT_EQ(Window::FromHandleId(handle->id), nullptr);
  EXPECT_EQ(Window::FromHandleId(0), nullptr);
  EXPECT_EQ(vx_post_message(nullptr, 1, 0, 0), 0);
  QCoreApplication::processEvents();
}

TEST(Window, TimersRepeatByIdentifierUntilKilled) {
  RecordingWindow window;
  window.SetTimer(1344, 5);
  EXPECT_EQ(window.TimerInterval(1344), 5);
  window.SetTimer(1344, 1);  // same identifier: replaced
  EXPECT_EQ(window.TimerInterval(1344), 1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.timers.size() >= 3; }, 2000));
  window.KillTimer(1344);
  EXPECT_FALSE(window.TimerInterval(1344).has_value());
  const auto fired = window.timers.size();
  EXPECT_GE(fired, 3u);
  for (int id : window.timers) EXPECT_EQ(id, 1344);
  QTest::qWait(20);
  EXPECT_EQ(window.timers.size(), fired);
}

TEST(Window, CreateSetsNameIdentifierGeometryAndVisibility) {
  QWidget parent;
  parent.resize(400, 300);
  RecordingWindow child;
  ASSERT_TRUE(child.Create(&parent, "Vyr3Child4", 4, QRect(7, 85, 100, 50), false));
  EXPECT_EQ(child.objectName(), "Vyr3Child4");
  EXPECT_EQ(child.ControlId(), 4);
  EXPECT_EQ(child.geometry(), QRect(7, 85, 100, 50));
  EXPECT_EQ(child.parentWidget(), &parent);
  EXPECT_TRUE(child.isHidden());
}

TEST(Window, CaptionDragMovesAChildWindow) {
  QWidget parent;
  parent.resize(800, 600);
  RecordingWindow child;
  child.Create(&parent, "child", 2, QRect(100, 100, 200, 150));
  parent.show();
  child.hitTest = HitTest::Caption;
  SendMouse(&child, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
  EXPECT_TRUE(child.IsSizingOrMoving());
  SendMouse(&child, QEvent::MouseMove, {40, 30}, Qt::LeftButton);
  SendMouse(&child, QEvent::MouseButtonRelease, {40, 30}, Qt::NoButton);
  EXPECT_EQ(child.geometry(), QRect(130, 120, 200, 150));
  EXPECT_FALSE(child.IsSizingOrMoving());
  ASSERT_FALSE(child.hooks.empty());
  EXPECT_EQ(child.hooks.front(), "enter");
  EXPECT_EQ(child.hooks.back(), "exit");
}

TEST(Window, EdgeSizingKeepsTheMinimumTrackingSizeAndLetsHooksAdjust) {
  QWidget parent;
  parent.resize(800, 600);
  RecordingWindow child;
  child.Create(&parent, "child", 2, QRect(100, 100, 200, 150));
  child.setMinimumSize(120, 80);
  parent.show();

  child.hitTest = HitTest::Left;  // dragging the left edge far right stops at the minimum width
  SendMouse(&child, QEvent::MouseButtonPress, {2, 50}, Qt::LeftButton);
  SendMouse(&child, QEvent::MouseMove, {152, 50}, Qt::LeftButton);
  SendMouse(&child, QEvent::MouseButtonRelease, {152, 50}, Qt::NoButton);
  EXPECT_EQ(child.geometry(), QRect(180, 100, 120, 150));

  child.hitTest = HitTest::BottomRight;  // growing past 300 wide is cut by the OnSizing hook
  SendMouse(&child, QEvent::MouseButtonPress, {118, 148}, Qt::LeftButton);
  SendMouse(&child, QEvent::MouseMove, {418, 168}, Qt::LeftButton);
  SendMouse(&child, QEvent::MouseButtonRelease, {418, 168}, Qt::NoButton);
  EXPECT_EQ(child.geometry(), QRect(180, 100, 300, 170));
}

TEST(Window, ClientPressesAreLeftToTheWindow) {
  RecordingWindow window;
  window.resize(100, 100);
  SendMouse(&window, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
  EXPECT_FALSE(window.IsSizingOrMoving());
  EXPECT_TRUE(window.hooks.empty());
}

TEST(Window, PointerCaptureIsTheWindowsOwnRecordWithAGrabWhileVisible) {
  QWidget parent;
  parent.resize(200, 100);
  RecordingWindow window;
  window.Create(&parent, "child", 3, QRect(10, 10, 50, 20), false);
  window.SetCapture();  // hidden: recorded, but nothing to grab with
  EXPECT_TRUE(window.HasCapture());
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  window.ReleaseCapture();
  EXPECT_FALSE(window.HasCapture());

  parent.show();
  window.show();
  window.SetCapture();
  window.SetCapture();  // held already: not counted
  EXPECT_EQ(QWidget::mouseGrabber(), &window);
  window.ReleaseCapture();
  EXPECT_FALSE(window.HasCapture());
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}
