#include "ar/ar_window.h"

#include <QPainter>

namespace orvilo::ar {

void CVyr3ARWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(57, 57, 57));
}

}  // namespace orvilo::ar
