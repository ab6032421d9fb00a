#include "reading/sub_library_window.h"

#include <QPainter>

namespace orvilo::reading {

void CVyr3SubLibraryWnd::SetText(const std::string& text) {
  text_ = text;
  update();
}

void CVyr3SubLibraryWnd::ToggleView() {
  switch (view_) {
    case ReadingView::Text: view_ = ReadingView::List; break;
    case ReadingView::List: view_ = ReadingView::Text; break;
    case ReadingView::TextCollapsed: view_ = ReadingView::ListCollapsed; break;
    case ReadingView::ListCollapsed: view_ = ReadingView::TextCollapsed; break;
  }
  update();
}

void CVyr3SubLibraryWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(227, 227, 227));
  painter.setPen(Qt::black);
  painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::TextWordWrap, QString::fromStdString(text_));
}

}  // namespace orvilo::reading
