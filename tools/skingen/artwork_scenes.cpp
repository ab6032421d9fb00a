// Larger pictures and pictures with transparency: boards, the blind
// texture, picker pictures, the recording sign, icons and illustrations.
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "tools/skingen/artwork.h"
#include "tools/skingen/icons.h"
#include "tools/skingen/style.h"

namespace orvilo::skingen {
namespace {

using skin::Art;
using skin::SkinEntry;

QImage SmallIcon(const SkinEntry& entry) {
  QImage icon = NewPicture(entry.size.width, entry.size.height, colour::kFrame);
  QPainter painter(&icon);
  Smooth(painter);
  DrawIcon(painter, entry.icon, QRectF(0, 0, entry.size.width, entry.size.height), colour::kIconDim);
  painter.end();
  KeyOut(icon, colour::kFrame);
  return icon;
}

// The program's mark: a document camera's lens over a page, in a rounded
// accent square. Used by the icon and the about pictures.
void DrawMark(QPainter& painter, const QRectF& box) {
  painter.save();
  Smooth(painter);
  const double s = box.width() / 64.0;
  painter.translate(box.topLeft());
  painter.scale(s, s);
  QLinearGradient face(0, 0, 0, 64);
  face.setColorAt(0, colour::kAccent.lighter(115));
  face.setColorAt(1, colour::kAccentDark);
  painter.setPen(Qt::NoPen);
  painter.setBrush(face);
  painter.drawRoundedRect(QRectF(2, 2, 60, 60), 13, 13);
  // The page under the camera.
  painter.setBrush(QColor(255, 255, 255, 235));
  painter.drawRoundedRect(QRectF(12, 40, 40, 14), 2, 2);
  // Arm and head.
  QPen arm(Qt::white, 4.5);
  arm.setCapStyle(Qt::RoundCap);
  painter.setPen(arm);
  painter.drawLine(QPointF(18, 45), QPointF(24, 18));
  painter.drawLine(QPointF(24, 18), QPointF(36, 14));
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  painter.drawEllipse(QPointF(40, 18), 10, 10);
  painter.setBrush(colour::kAccentDark);
  painter.drawEllipse(QPointF(40, 18), 5.5, 5.5);
  painter.setBrush(QColor(255, 255, 255, 200));
  painter.drawEllipse(QPointF(38, 16), 1.8, 1.8);
  painter.restore();
}

QImage ProgramIcon(const SkinEntry& entry) {
  QImage icon = NewTransparentPicture(entry.size.width, entry.size.height);
  QPainter painter(&icon);
  DrawMark(painter, QRectF(0, 0, entry.size.width, entry.size.height));
  return icon;
}

QImage AboutPicture(const SkinEntry& entry) {
  QImage picture = NewPicture(entry.size.width, entry.size.height, Qt::white);
  QPainter painter(&picture);
  DrawMark(painter, QRectF(5, 0, 64, 64));
  Smooth(painter);
  DrawCentredText(painter, QRectF(0, 64, entry.size.width, 22), QStringLiteral("Orvilo"), LabelFont(false, 16, true),
                  colour::kAccentDark);
  return picture;
}

QImage SpeechAbout(const SkinEntry& entry) {
  QImage picture = NewPicture(entry.size.width, entry.size.height, QColor(212, 208, 200));
  QPainter painter(&picture);
  Smooth(painter);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour::kAccent);
  painter.drawRoundedRect(QRectF(8, 8, 80, 80), 16, 16);
  DrawIcon(painter, "speak", QRectF(22, 18, 52, 52), Qt::white);
  DrawCentredText(painter, QRectF(8, 66, 80, 18), QStringLiteral("TTS"), LabelFont(false, 13, true), Qt::white);
  return picture;
}

QImage PanelPicture(const SkinEntry& entry) {
  QImage picture = NewPicture(entry.size.width, entry.size.height, colour::kPanelFace);
  QPainter painter(&picture);
  Smooth(painter);
  painter.setPen(QPen(QColor(188, 188, 188), 1));
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(QRectF(0.5, 0.5, entry.size.width - 1, entry.size.height - 1), 6, 6);
  // An open book...
  painter.setPen(QPen(colour::kAccentDark, 1.6));
  painter.setBrush(QColor(227, 240, 252));
  QPainterPath left, right;
  left.moveTo(35, 58);
  left.cubicTo(27, 52, 17, 52, 9, 56);
  left.lineTo(9, 34);
  left.cubicTo(17, 30, 27, 30, 35, 36);
  left.closeSubpath();
  right.moveTo(35, 58);
  right.cubicTo(43, 52, 53, 52, 61, 56);
  right.lineTo(61, 34);
  right.cubicTo(53, 30, 43, 30, 35, 36);
  right.closeSubpath();
  painter.drawPath(left);
  painter.drawPath(right);
  painter.setPen(QPen(QColor(120, 160, 200), 1));
  for (int line = 0; line < 3; ++line) {
    const double y = 40 + 5 * line;
    painter.drawLine(QPointF(14, y), QPointF(30, y + 1));
    painter.drawLine(QPointF(40, y + 1), QPointF(56, y));
  }
  // ...and the sound of it being read.
  painter.setPen(QPen(colour::kAccent, 2.2, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  for (int wave = 0; wave < 3; ++wave) {
    const double r = 6 + 6 * wave;
    painter.drawArc(QRectF(35 - r, 24 - r, 2 * r, 2 * r), 50 * 16, 80 * 16);
  }
  DrawCentredText(painter, QRectF(0, 60, entry.size.width, 16), QStringLiteral("TTS"), LabelFont(false, 11, true),
                  colour::kAccentDark);
  return picture;
}

// Pictures of the shape and board pickers: dark line art on transparency.
QImage ShapePicture(const SkinEntry& entry) {
  QImage picture = NewTransparentPicture(entry.size.width, entry.size.height);
  QPainter painter(&picture);
  Smooth(painter);
  QPen pen(QColor(40, 40, 40), 1.6);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  switch (entry.param) {
    case 0: painter.drawRect(QRectF(3.5, 5.5, 13, 9)); break;
    case 1: painter.drawEllipse(QRectF(2.5, 4.5, 15, 11)); break;
    case 2: {
      // A pentagon-like outline, as the polygon tool draws.
      const double w = 15, h = 13, x = 2.5, y = 3.5;
      painter.drawPolygon(QPolygonF({{x + w * 0.5, y},
                                     {x + w, y + h * 0.38},
                                     {x + w * 0.802, y + h},
                                     {x + w * 0.198, y + h},
                                     {x, y + h * 0.38}}));
      break;
    }
    case 3: painter.drawLine(QPointF(3, 16), QPointF(17, 4)); break;
    default: {
      QPainterPath wave;
      for (int step = 0; step <= 60; ++step) {
        const double x = 2 + 16.0 * step / 60;
        const double y = 10 - 4 * std::sin(step / 60.0 * 2 * 3.14159265);
        if (step == 0) {
          wave.moveTo(x, y);
        } else {
          wave.lineTo(x, y);
        }
      }
      painter.drawPath(wave);
      break;
    }
  }
  return picture;
}

QImage BoardEntryPicture(const SkinEntry& entry) {
  QImage picture = NewTransparentPicture(entry.size.width, entry.size.height);
  QPainter painter(&picture);
  Smooth(painter);
  const QRectF board(1.5, 3.5, 17, 13);
  switch (entry.param) {
    case 0: DrawIcon(painter, "capture", QRectF(2, 2, 16, 16), QColor(40, 40, 40)); break;
    case 1:
      painter.setPen(QPen(QColor(120, 80, 40), 1.5));
      painter.setBrush(QColor(40, 92, 60));
      painter.drawRect(board);
      painter.setPen(QPen(QColor(230, 230, 230), 1));
      painter.drawLine(QPointF(5, 8), QPointF(12, 8));
      painter.drawLine(QPointF(5, 11), QPointF(10, 11));
      break;
    case 2:
      painter.setPen(QPen(QColor(150, 150, 150), 1.5));
      painter.setBrush(Qt::white);
      painter.drawRect(board);
      painter.setPen(QPen(colour::kAccent, 1.2));
      painter.drawLine(QPointF(5, 8), QPointF(12, 8));
      painter.setPen(QPen(colour::kDanger, 1.2));
      painter.drawLine(QPointF(5, 11), QPointF(10, 11));
      break;
    default:
      painter.setPen(QPen(QColor(150, 150, 150), 1.2));
      painter.setBrush(QColor(255, 252, 232));
      painter.drawRect(QRectF(3.5, 1.5, 13, 17));
      painter.setPen(QPen(QColor(120, 160, 220), 0.8));
      for (double y = 6; y < 18; y += 3) painter.drawLine(QPointF(4, y), QPointF(16, y));
      painter.setPen(QPen(QColor(220, 90, 90), 0.8));
      painter.drawLine(QPointF(6.5, 2), QPointF(6.5, 18));
      break;
  }
  return picture;
}

// Boards fill the image view; they are kept smooth (gradients, no noise)
// so that they stay small in the program.
QImage Board(const SkinEntry& entry) {
  const int w = entry.size.width, h = entry.size.height;
  QImage board = NewPicture(w, h, Qt::white);
  QPainter painter(&board);
  Smooth(painter);
  switch (entry.param) {
    case 1: {
      QLinearGradient wood(0, 0, 0, h);
      wood.setColorAt(0, QColor(150, 104, 62));
      wood.setColorAt(1, QColor(112, 74, 40));
      painter.fillRect(board.rect(), wood);
      const QRect slate(16, 16, w - 32, h - 44);
      QRadialGradient chalkboard(slate.center(), slate.width() * 0.7);
      chalkboard.setColorAt(0, QColor(52, 102, 72));
      chalkboard.setColorAt(1, QColor(34, 76, 52));
      painter.fillRect(slate, chalkboard);
      painter.setPen(QPen(QColor(70, 46, 24), 2));
      painter.drawRect(QRectF(slate).adjusted(-1, -1, 1, 1));
      // The chalk tray along the bottom.
      painter.fillRect(QRect(16, h - 24, w - 32, 10), QColor(92, 60, 32));
      painter.fillRect(QRect(80, h - 29, 36, 5), QColor(245, 245, 240));
      painter.fillRect(QRect(128, h - 28, 22, 4), QColor(250, 230, 120));
      break;
    }
    case 2: {
      QLinearGradient metal(0, 0, 0, h);
      metal.setColorAt(0, QColor(214, 216, 220));
      metal.setColorAt(1, QColor(168, 172, 178));
      painter.fillRect(board.rect(), metal);
      const QRect surface(12, 12, w - 24, h - 38);
      QLinearGradient gloss(surface.topLeft(), surface.bottomRight());
      gloss.setColorAt(0, QColor(255, 255, 255));
      gloss.setColorAt(1, QColor(244, 246, 248));
      painter.fillRect(surface, gloss);
      painter.setPen(QPen(QColor(150, 154, 160), 1));
      painter.drawRect(QRectF(surface).adjusted(-0.5, -0.5, 0.5, 0.5));
      painter.fillRect(QRect(12, h - 20, w - 24, 8), QColor(150, 154, 160));
      painter.fillRect(QRect(90, h - 25, 40, 6), colour::kAccentDark);
      painter.fillRect(QRect(140, h - 25, 40, 6), colour::kDanger);
      break;
    }
    default: {
      painter.fillRect(board.rect(), QColor(255, 253, 240));
      painter.setPen(QPen(QColor(168, 196, 232), 1));
      for (int y = 70; y < h - 10; y += 28) painter.drawLine(0, y, w, y);
      painter.setPen(QPen(QColor(226, 120, 120), 1.5));
      painter.drawLine(QPointF(84, 0), QPointF(84, h));
      painter.setPen(Qt::NoPen);
      painter.setBrush(QColor(225, 222, 210));
      for (int hole = 0; hole < 3; ++hole) painter.drawEllipse(QPointF(36, h * (hole + 1) / 4.0), 11, 11);
      break;
    }
  }
  return board;
}

// The blind: soft vertical folds of a blue-grey cloth with a few seams, so
// that it reads as "something covers this" at any size.
QImage BlindTexture(const SkinEntry& entry) {
  const int w = entry.size.width, h = entry.size.height;
  QImage texture(w, h, QImage::Format_RGB32);
  auto* first = reinterpret_cast<QRgb*>(texture.scanLine(0));
  for (int x = 0; x < w; ++x) {
    const double fold = 0.5 + 0.5 * std::sin(x * 2 * 3.14159265 / 46.0);
    const double shade = 0.82 + 0.18 * fold;
    first[x] = qRgb(static_cast<int>(96 * shade), static_cast<int>(112 * shade), static_cast<int>(138 * shade));
  }
  for (int y = 1; y < h; ++y) {
    auto* row = reinterpret_cast<QRgb*>(texture.scanLine(y));
    const bool seam = y % 120 == 0;
    for (int x = 0; x < w; ++x) {
      row[x] = seam ? qRgb(qRed(first[x]) * 3 / 4, qGreen(first[x]) * 3 / 4, qBlue(first[x]) * 3 / 4) : first[x];
    }
  }
  return texture;
}

QImage DragCursor(const SkinEntry& entry) {
  QImage cursor = NewTransparentPicture(entry.size.width, entry.size.height);
  QPainter painter(&cursor);
  Smooth(painter);
  // A small list page under an arrow whose tip is the hot spot.
  painter.setPen(QPen(QColor(40, 40, 40), 1));
  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(12.5, 16.5, 16, 12));
  painter.setPen(QPen(QColor(120, 120, 120), 1));
  for (int line = 0; line < 3; ++line) painter.drawLine(QPointF(15, 20.5 + 3 * line), QPointF(26, 20.5 + 3 * line));
  const double tipX = skin::kDragCursorHotX, tipY = skin::kDragCursorHotY;
  QPolygonF arrow({{tipX, tipY}, {tipX, tipY + 16}, {tipX + 4, tipY + 12}, {tipX + 7, tipY + 18}, {tipX + 9.5, tipY + 17},
                   {tipX + 6.5, tipY + 11}, {tipX + 11.5, tipY + 11}});
  painter.setPen(QPen(Qt::white, 1.2));
  painter.setBrush(Qt::black);
  painter.drawPolygon(arrow);
  return cursor;
}

QImage RecordingIndicator(const SkinEntry& entry) {
  QImage sign = NewPicture(entry.size.width, entry.size.height, colour::kKey);
  HardRoundedRect(sign, sign.rect(), entry.size.height / 2, 2, QColor(200, 30, 30), QColor(24, 24, 24));
  QPainter painter(&sign);
  Smooth(painter);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(235, 40, 40));
  painter.drawEllipse(QPointF(17, entry.size.height / 2.0), 7, 7);
  DrawCentredText(painter, QRectF(27, 0, entry.size.width - 33, entry.size.height), QStringLiteral("REC"),
                  LabelFont(false, 15, true), Qt::white);
  return sign;
}

QImage SpeakerPicture(const SkinEntry& entry) {
  const QColor shirts[7] = {QColor(229, 115, 115), QColor(100, 181, 246), QColor(129, 199, 132), QColor(255, 183, 77),
                            QColor(186, 104, 200), QColor(77, 208, 225), QColor(161, 136, 127)};
  QImage picture = NewPicture(entry.size.width, entry.size.height, QColor(236, 239, 241));
  QPainter painter(&picture);
  Smooth(painter);
  painter.setPen(Qt::NoPen);
  painter.setBrush(shirts[entry.param % 7]);
  painter.drawEllipse(QRectF(10, 38, 44, 40));
  painter.setBrush(QColor(255, 224, 189));
  painter.drawEllipse(QRectF(20, 12, 24, 26));
  DrawCentredText(painter, QRectF(0, 0, 16, 16), QString::number(entry.param), LabelFont(false, 11, true),
                  QColor(90, 90, 90));
  return picture;
}

}  // namespace

QImage DrawScenePicture(const SkinEntry& entry, bool english) {
  (void)english;
  switch (entry.art) {
    case Art::SmallIcon: return SmallIcon(entry);
    case Art::AboutPicture: return AboutPicture(entry);
    case Art::PanelPicture: return PanelPicture(entry);
    case Art::ShapePicture: return ShapePicture(entry);
    case Art::BoardEntryPicture: return BoardEntryPicture(entry);
    case Art::Board: return Board(entry);
    case Art::BlindTexture: return BlindTexture(entry);
    case Art::DragCursor: return DragCursor(entry);
    case Art::RecordingIndicator: return RecordingIndicator(entry);
    case Art::ProgramIcon: return ProgramIcon(entry);
    case Art::SpeakerPicture: return SpeakerPicture(entry);
    case Art::SpeechAbout: return SpeechAbout(entry);
    default: return {};
  }
}

}  // namespace orvilo::skingen
