#include "ui/control_window.h"

#include <QPainter>

#include "ui/skin/skin_ids.h"
#include "ui/skin_resources.h"
#include "platform/gdi/key_colour.h"
#include "platform/win/window_shape.h"
#include "core/command_ids.h"

namespace orvilo::ui {

// The bar is its face picture: its size, and its shape from the pixels
// that are not magenta.
bool CVyr3ControlWnd::OnCreate() {
  const QImage face =
      ui::LoadSkinBitmap(readingBar_ ? skin::kReadingBarBackground : skin::kMovieBarBackground);
  face_ = gdi::KeyColourToTransparent(face);
  resize(face.size());
  if (!face.isNull()) setMask(win::RegionFromKeyColour(face));
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
  painter.drawImage(0, 0, face_);
  painter.setPen(Qt::white);
  painter.drawText(QRect(385, 10, 95, 20), Qt::AlignCenter, QString::fromStdString(positionText_));
}

}  // namespace orvilo::ui
