#include "engines/arviewer/turntable_view.h"

#include <QLinearGradient>
#include <QPainter>
#include <QTransform>
#include <algorithm>

namespace orvilo::arviewer {

QImage PlaceholderCard(const QString& title) {
  QImage card(320, 240, QImage::Format_RGB32);
  card.fill(QColor(250, 244, 225));
  QPainter painter(&card);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(70, 110, 160), 6));
  painter.drawRect(card.rect().adjusted(3, 3, -4, -4));
  QFont font("NanumGothic");
  font.setPixelSize(26);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(QColor(40, 40, 40));
  painter.drawText(card.rect(), Qt::AlignCenter | Qt::TextWordWrap, title);
  return card;
}

TurntableView::TurntableView(QImage picture, QString title, const ViewerState& state)
    : picture_(picture.isNull() ? PlaceholderCard(title) : std::move(picture)), title_(std::move(title)), state_(state) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage TurntableView::Render(const QSize& size) const {
  QImage image(size, QImage::Format_RGB32);
  QPainter painter(&image);
  Paint(painter, size);
  return image;
}

void TurntableView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter, size());
}

void TurntableView::Paint(QPainter& painter, const QSize& size) const {
  const QRectF area(QPointF(0, 0), size);
  QLinearGradient sky(area.topLeft(), area.bottomLeft());
  sky.setColorAt(0, QColor(24, 34, 58));
  sky.setColorAt(1, QColor(70, 86, 118));
  painter.fillRect(area, sky);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);

  // The picture fits half the view at the default scale, standing on the
  // turntable's centre.
  const double base = std::min(size.width() * 0.5 / picture_.width(), size.height() * 0.5 / picture_.height());
  const double scale = base * state_.Scale();
  const QPointF centre(size.width() / 2.0, size.height() * 0.55);

  // The turntable: an ellipse seen from slightly above, leaning with axis 1
  // (half as much, so that it never turns edge-on and vanishes).
  const double diskWidth = picture_.width() * scale * 1.3;
  QTransform disk;
  disk.translate(centre.x(), centre.y() + picture_.height() * scale / 2);
  disk.rotate(std::clamp(60 + state_.Tilt() / 2, 20, 80), Qt::XAxis);
  painter.setTransform(disk);
  painter.setPen(QPen(QColor(200, 200, 210), 2));
  painter.setBrush(QColor(110, 110, 125));
  painter.drawEllipse(QPointF(0, 0), diskWidth / 2, diskWidth / 2);

  // The picture: turned about the vertical axis (axis 2) and tilted
  // (axis 1), in perspective.
  QTransform card;
  card.translate(centre.x(), centre.y());
  card.rotate(state_.Spin(), Qt::YAxis);
  card.rotate(state_.Tilt(), Qt::XAxis);
  card.scale(scale, scale);
  card.translate(-picture_.width() / 2.0, -picture_.height() / 2.0);
  painter.setTransform(card);
  painter.drawImage(QPointF(0, 0), picture_);
  painter.resetTransform();

  if (state_.Labels()) {
    QFont font("NanumGothic");
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(QColor(230, 230, 230));
    painter.drawText(area.adjusted(10, 8, -10, -8), Qt::AlignLeft | Qt::AlignTop, title_);
    painter.drawText(area.adjusted(10, 8, -10, -8), Qt::AlignLeft | Qt::AlignBottom,
                     QString("zoom %1%  ·  axis 1 %2°  ·  axis 2 %3°")
                         .arg(qRound(state_.Scale() * 100))
                         .arg(state_.Tilt())
                         .arg(state_.Spin()));
  }
}

}  // namespace orvilo::arviewer
