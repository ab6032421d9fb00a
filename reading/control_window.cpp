#include "reading/control_window.h"

#include <QPainter>

#include "shell/command_ids.h"

namespace orvilo::reading {

namespace {
// The bars' size until their background pictures are wired: the movie bar
// is wider (it carries the position slider and text).
QSize BarSize(bool readingBar) { return readingBar ? QSize(290, 36) : QSize(570, 36); }
}  // namespace

bool CVyr3ControlWnd::OnCreate() {
  resize(BarSize(readingBar_));
  return true;
}

void CVyr3ControlWnd::ShowBar() {
  if (QWidget* owner = parentWidget()) {
    const int x = std::max(0, (owner->width() - width()) / 2);
    move(x, owner->height() - height() - 8);
  }
  show();
}

void CVyr3ControlWnd::SetPosition(int, int, const std::string& text) {
  if (text == positionText_) return;
  positionText_ = text;
  update();
}

void CVyr3ControlWnd::OnTimer(int id) {
  if (id == orvilo::timer::kControlBarHide) {
    KillTimer(id);
    hide();
  }
}

void CVyr3ControlWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(40, 40, 40));
  painter.setPen(Qt::white);
  painter.drawText(QRect(385, 10, 95, 20), Qt::AlignCenter, QString::fromStdString(positionText_));
}

}  // namespace orvilo::reading
