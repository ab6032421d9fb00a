#include "movie/movie_window.h"

#include <QPainter>

namespace orvilo::movie {

void CVyr3MovieWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
}

}  // namespace orvilo::movie
