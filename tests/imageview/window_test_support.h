// Helpers for the image view's window tests: an owner that records what the
// view sends it, pictures of one colour, and mouse gestures as real events.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <vector>

#include "platform/gdi/packed_dib.h"
#include "platform/win/window.h"

namespace orvilo::imageview::testing {

// The main window's stand-in: records commands and messages in order.
class RecordingOwner : public win::Window {
 public:
  std::vector<int> commands;
  std::vector<std::pair<std::uint32_t, std::uintptr_t>> messages;

 protected:
  bool OnCommand(int id) override {
    commands.push_back(id);
    return true;
  }
  std::intptr_t OnMessage(const win::Msg& message) override {
    if (message.id != win::kCommand) messages.emplace_back(message.id, message.wParam);
    return win::Window::OnMessage(message);
  }
};

// A 24-bit picture of one colour (bytes blue, green, red).
inline gdi::PackedDib Filled(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  gdi::PackedDib picture = gdi::PackedDib::Create(width, height, 24);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < width; ++x) {
      row[3 * x] = blue;
      row[3 * x + 1] = green;
      row[3 * x + 2] = red;
    }
  }
  return picture;
}

inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::LeftButton, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

inline void Press(QWidget* w, QPoint at) { SendMouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton); }
inline void MoveHeld(QWidget* w, QPoint at) { SendMouse(w, QEvent::MouseMove, at, Qt::LeftButton); }
inline void Release(QWidget* w, QPoint at) { SendMouse(w, QEvent::MouseButtonRelease, at, Qt::NoButton); }

// A drag through `points` in steps of at most 4 pixels, as a hand gives them.
inline void Drag(QWidget* w, const std::vector<QPoint>& points, bool release = true) {
  Press(w, points.front());
  for (std::size_t i = 1; i < points.size(); ++i) {
    const QPoint from = points[i - 1], to = points[i];
    const int steps = std::max(1, std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y())) / 4);
    for (int s = 1; s <= steps; ++s) MoveHeld(w, from + (to - from) * s / steps);
  }
  if (release) Release(w, points.back());
}

// What the window shows now, painted through its paint event.
inline QImage Shown(QWidget* w) {
  QApplication::processEvents();
  return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline int Brightness(QRgb pixel) { return qRed(pixel) + qGreen(pixel) + qBlue(pixel); }

}  // namespace orvilo::imageview::testing
