#include "tools/skingen/style.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace orvilo::skingen {

QFont LabelFont(bool korean, int pixels, bool bold) {
  QFont font(korean ? QStringLiteral("NanumGothic") : QStringLiteral("Liberation Sans"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

QFont FittedFont(const QString& text, bool korean, int pixels, int width, bool bold) {
  for (int size = pixels; size > 7; --size) {
    const QFont font = LabelFont(korean, size, bold);
    if (QFontMetricsF(font).horizontalAdvance(text) <= width) return font;
  }
  return LabelFont(korean, 7, bold);
}

QImage NewPicture(int width, int height, const QColor& fill) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(fill);
  return picture;
}

QImage NewTransparentPicture(int width, int height) {
  QImage picture(width, height, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  return picture;
}

void KeyOut(QImage& picture, const QColor& colour) {
  const QRgb match = colour.rgb();
  const QRgb key = colour::kKey.rgb();
  for (int y = 0; y < picture.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < picture.width(); ++x) {
      if (gdi::IsKeyColour(row[x], match)) row[x] = key;
    }
  }
}

Zone RoundedZone(int x, int y, const QRect& body, int radius, int border) {
  const double px = x + 0.5, py = y + 0.5;
  const double left = body.left(), top = body.top(), right = body.left() + body.width(), bottom = body.top() + body.height();
  if (px < left || py < top || px > right || py > bottom) return Zone::Outside;
  // Distance from the edge, measured to the corner circle in the corners.
  const double cx = std::clamp(px, left + radius, right - radius);
  const double cy = std::clamp(py, top + radius, bottom - radius);
  double inset;
  if (cx != px && cy != py) {
    inset = radius - std::hypot(px - cx, py - cy);
  } else {
    inset = std::min({px - left, right - px, py - top, bottom - py});
  }
  if (inset < 0) return Zone::Outside;
  return inset < border ? Zone::Rim : Zone::Inside;
}

void HardRoundedRect(QImage& picture, const QRect& body, int radius, int border, const QColor& rim, const QColor& fill) {
  const QRgb rimRgb = rim.rgb(), fillRgb = fill.rgb();
  for (int y = std::max(0, body.top()); y <= std::min(picture.height() - 1, body.bottom()); ++y) {
    auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = std::max(0, body.left()); x <= std::min(picture.width() - 1, body.right()); ++x) {
      const Zone zone = RoundedZone(x, y, body, radius, border);
      if (zone == Zone::Rim) row[x] = rimRgb;
      if (zone == Zone::Inside) row[x] = fillRgb;
    }
  }
}

void KeyOutside(QImage& picture, const QRect& body, int radius) {
  const QRgb key = colour::kKey.rgb();
  for (int y = 0; y < picture.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < picture.width(); ++x) {
      if (RoundedZone(x, y, body, radius, 0) == Zone::Outside) row[x] = key;
    }
  }
}

void Smooth(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void DrawCentredText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font, const QColor& colour) {
  painter.save();
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, text);
  painter.restore();
}

QImage LookStrip(int lookWidth, int lookHeight, int looks, const QColor& background,
                 const std::function<void(QPainter&, int look, const QRectF& cell)>& drawLook) {
  QImage strip = NewPicture(lookWidth * looks, lookHeight, background);
  QPainter painter(&strip);
  for (int look = 0; look < looks; ++look) {
    painter.save();
    painter.translate(lookWidth * look, 0);
    painter.setClipRect(0, 0, lookWidth, lookHeight);
    drawLook(painter, look, QRectF(0, 0, lookWidth, lookHeight));
    painter.restore();
  }
  return strip;
}

}  // namespace orvilo::skingen
