#include "speechutil/speech_pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace orvilo::speechutil {
namespace {

const QColor kKey(255, 0, 255);  // transparent

void DrawSymbol(QPainter& painter, ButtonPicture picture, const QRect& box, const QColor& ink, bool on) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(ink);
  const QPoint c = box.center();
  switch (picture) {
    case ButtonPicture::Play: {
      QPainterPath path;
      path.moveTo(c.x() - 8, c.y() - 11);
      path.lineTo(c.x() + 12, c.y());
      path.lineTo(c.x() - 8, c.y() + 11);
      path.closeSubpath();
      painter.drawPath(path);
      break;
    }
    case ButtonPicture::Stop: painter.drawRect(QRect(c.x() - 9, c.y() - 9, 18, 18)); break;
    case ButtonPicture::File: {
      QFont font("Liberation Sans");
      font.setPixelSize(15);
      font.setBold(true);
      painter.setFont(font);
      painter.setPen(ink);
      painter.drawText(box, Qt::AlignCenter, "FILE");
      break;
    }
    case ButtonPicture::Repeat: {
      QPen pen(on ? QColor(255, 210, 60) : ink, 3);
      painter.setPen(pen);
      painter.setBrush(Qt::NoBrush);
      painter.drawArc(QRect(c.x() - 11, c.y() - 11, 22, 22), 30 * 16, 300 * 16);
      painter.setPen(Qt::NoPen);
      painter.setBrush(on ? QColor(255, 210, 60) : ink);
      QPainterPath head;
      head.moveTo(c.x() + 6, c.y() - 13);
      head.lineTo(c.x() + 14, c.y() - 6);
      head.lineTo(c.x() + 4, c.y() - 3);
      head.closeSubpath();
      painter.drawPath(head);
      break;
    }
  }
}

}  // namespace

QImage ButtonStrip(ButtonPicture picture) {
  QImage strip(4 * kButtonWidth, kButtonHeight, QImage::Format_RGB32);
  strip.fill(kKey);
  QPainter painter(&strip);
  painter.setRenderHint(QPainter::Antialiasing);
  // normal, hover, pressed, disabled
  const QColor faces[4] = {QColor(70, 110, 170), QColor(95, 140, 205), QColor(45, 75, 125), QColor(150, 150, 150)};
  const QColor inks[4] = {Qt::white, Qt::white, QColor(230, 230, 230), QColor(205, 205, 205)};
  for (int look = 0; look < 4; ++look) {
    const QRect box(look * kButtonWidth + 2, 2 + (look == 2 ? 1 : 0), kButtonWidth - 4, kButtonHeight - 4);
    // The face is drawn without smoothing: a blend with the key colour at
    // its edge would show as a magenta rim.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(30, 30, 30), 1));
    painter.setBrush(faces[look]);
    painter.drawRoundedRect(box, 7, 7);
    painter.setRenderHint(QPainter::Antialiasing, true);
    DrawSymbol(painter, picture, box, inks[look], picture == ButtonPicture::Repeat && look == 2);
  }
  return strip;
}

int SpeakerPictureId(int speaker) {
  if (speaker >= 0 && speaker <= 4) return 145 + speaker;
  return speaker == 6 ? 143 : 0;
}

QImage SpeakerPicture(int pictureId) {
  if (pictureId != 143 && (pictureId < 145 || pictureId > 149)) return {};
  static const QColor kColours[] = {QColor(230, 120, 140), QColor(90, 150, 220), QColor(120, 190, 110),
                                    QColor(240, 170, 70), QColor(160, 120, 210), QColor(80, 180, 190)};
  const QColor colour = kColours[pictureId == 143 ? 5 : pictureId - 145];
  QImage image(96, 96, QImage::Format_RGB32);
  image.fill(QColor(57, 57, 57));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawEllipse(QRect(30, 14, 36, 36));    // head
  painter.drawRoundedRect(QRect(18, 54, 60, 36), 18, 18);  // shoulders
  painter.setBrush(QColor(255, 255, 255, 200));
  painter.drawEllipse(QRect(70, 20, 8, 8));      // sound waves
  painter.drawEllipse(QRect(80, 14, 6, 6));
  return image;
}

QImage AboutPicture() {
  QImage image(120, 120, QImage::Format_RGB32);
  image.fill(QColor(212, 208, 200));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(70, 110, 170));
  painter.drawEllipse(QRect(10, 10, 100, 100));
  painter.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 5; ++i) {
    const int height = 16 + 12 * (i % 3);
    const int x = 34 + 13 * i;
    painter.drawLine(x, 60 - height / 2, x, 60 + height / 2);
  }
  return image;
}

}  // namespace orvilo::speechutil
