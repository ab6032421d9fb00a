#include "ui/skin_radio_button.h"

#include <QPainter>

namespace orvilo::ui {

CSkinRadioButton::CSkinRadioButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {
  setAttribute(Qt::WA_TranslucentBackground);
  setAutoFillBackground(false);
  setFocusPolicy(Qt::NoFocus);
  setCursor(Qt::PointingHandCursor);
}

// The whole button answers the pointer, not only the ring and the text.
bool CSkinRadioButton::hitButton(const QPoint& pos) const { return rect().contains(pos); }

void CSkinRadioButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const bool enabled = isEnabled();
  const QRectF ring(1.5, (height() - kIndicator) / 2 + 0.5, kIndicator - 1, kIndicator - 1);
  painter.setPen(QPen(enabled ? (underMouse() ? QColor(kAccent) : QColor(128, 128, 128)) : QColor(200, 200, 200), 1.2));
  painter.setBrush(enabled ? Qt::white : QColor(240, 240, 240));
  painter.drawEllipse(ring);
  if (isChecked()) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(enabled ? QColor(kAccent) : QColor(170, 170, 170));
    painter.drawEllipse(ring.adjusted(3, 3, -3, -3));
  }
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(enabled ? Qt::black : QColor(160, 160, 160));
  painter.setFont(font());
  painter.drawText(rect().adjusted(kTextLeft, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
}

}  // namespace orvilo::ui
