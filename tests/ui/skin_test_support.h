// Helpers for driving skinned controls in tests: a parent window that
// records what it is sent, and synthetic pointer events.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <vector>

#include "platform/win/window.h"

namespace orvilo::ui::testing {

// A parent that records the commands and messages posted to it.
class RecordingParent : public win::Window {
 public:
  RecordingParent() { resize(400, 200); }
  std::vector<int> commands;
  std::vector<win::Msg> messages;  // other than commands

  // Delivers what was posted so far.
  void Deliver() { QCoreApplication::sendPostedEvents(this); }

 protected:
  std::intptr_t OnMessage(const win::Msg& message) override {
    if (message.id != win::kCommand) messages.push_back(message);
    return win::Window::OnMessage(message);
  }
  bool OnCommand(int id) override {
    commands.push_back(id);
    return true;
  }
};

// A left-button event at `point` (widget coordinates); moves carry
// `buttons` as the buttons held.
inline void Mouse(QWidget* widget, QEvent::Type type, QPoint point, Qt::MouseButtons buttons = Qt::NoButton) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  if (type == QEvent::MouseButtonPress) buttons |= Qt::LeftButton;
  if (type == QEvent::MouseButtonRelease) buttons &= ~Qt::MouseButtons(Qt::LeftButton);
  QMouseEvent event(type, QPointF(point), QPointF(widget->mapToGlobal(point)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

inline void Press(QWidget* widget, QPoint point) { Mouse(widget, QEvent::MouseButtonPress, point); }
inline void Release(QWidget* widget, QPoint point) { Mouse(widget, QEvent::MouseButtonRelease, point); }
inline void Move(QWidget* widget, QPoint point, bool held = false) {
  Mouse(widget, QEvent::MouseMove, point, held ? Qt::LeftButton : Qt::NoButton);
}

}  // namespace orvilo::ui::testing
