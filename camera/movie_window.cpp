#include "camera/movie_window.h"

#include <QPainter>

namespace orvilo::camera {

void CVyr3MovieWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
}

}  // namespace orvilo::camera
