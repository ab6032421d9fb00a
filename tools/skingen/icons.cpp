#include "tools/skingen/icons.h"

#include <QPainterPath>
#include <QSvgRenderer>
#include <cmath>
#include <functional>
#include <map>

#include "tools/skingen/style.h"

namespace orvilo::skingen {
namespace {

// Drawn icons use a 16 x 16 grid, like the vendored ones.
using PathIcon = std::function<void(QPainter&)>;

QPen Stroke(double width) {
  QPen pen(Qt::white, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

void CornerBrackets(QPainter& painter) {
  painter.setPen(Stroke(1.4));
  painter.setBrush(Qt::NoBrush);
  const double a = 1.5, b = 14.5, l = 3.5;
  painter.drawPolyline(QPolygonF({{a, a + l}, {a, a}, {a + l, a}}));
  painter.drawPolyline(QPolygonF({{b - l, a}, {b, a}, {b, a + l}}));
  painter.drawPolyline(QPolygonF({{a, b - l}, {a, b}, {a + l, b}}));
  painter.drawPolyline(QPolygonF({{b - l, b}, {b, b}, {b, b - l}}));
}

void Letters(QPainter& painter, const QString& text) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(7);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, text);
}

void Magnifier(QPainter& painter, bool plus) {
  painter.setBrush(Qt::NoBrush);
  painter.setPen(Stroke(1.7));
  painter.drawEllipse(QPointF(6.5, 6.5), 4.7, 4.7);
  painter.setPen(Stroke(2.6));
  painter.drawLine(QPointF(10.2, 10.2), QPointF(14.3, 14.3));
  painter.setPen(Stroke(1.5));
  painter.drawLine(QPointF(4.3, 6.5), QPointF(8.7, 6.5));
  if (plus) painter.drawLine(QPointF(6.5, 4.3), QPointF(6.5, 8.7));
}

void AxisLevel(QPainter& painter, bool vertical) {
  painter.setBrush(Qt::NoBrush);
  painter.setPen(Stroke(1.5));
  painter.drawEllipse(QPointF(8, 8), 5.5, 5.5);
  painter.setPen(Stroke(1.5));
  if (vertical) {
    painter.drawLine(QPointF(8, 0.8), QPointF(8, 15.2));
  } else {
    painter.drawLine(QPointF(0.8, 8), QPointF(15.2, 8));
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  painter.drawEllipse(QPointF(8, 8), 1.8, 1.8);
}

const std::map<std::string, PathIcon>& PathIcons() {
  static const std::map<std::string, PathIcon> icons = {
      {"minimise", [](QPainter& p) { p.setPen(Stroke(1.8)); p.drawLine(QPointF(4, 11.5), QPointF(12, 11.5)); }},
      {"maximise",
       [](QPainter& p) {
         p.setPen(Stroke(1.6));
         p.setBrush(Qt::NoBrush);
         p.drawRect(QRectF(3.5, 3.5, 9, 9));
         p.drawLine(QPointF(3.5, 4.5), QPointF(12.5, 4.5));
       }},
      {"restore",
       [](QPainter& p) {
         p.setPen(Stroke(1.4));
         p.setBrush(Qt::NoBrush);
         p.drawPolyline(QPolygonF({{6, 4}, {6, 3}, {13, 3}, {13, 10}, {12, 10}}));
         p.drawRect(QRectF(3, 6, 7, 7));
       }},
      {"close",
       [](QPainter& p) {
         p.setPen(Stroke(1.8));
         p.drawLine(QPointF(4, 4), QPointF(12, 12));
         p.drawLine(QPointF(12, 4), QPointF(4, 12));
       }},
      {"dropdown",
       [](QPainter& p) {
         p.setPen(Qt::NoPen);
         p.setBrush(Qt::white);
         p.drawPolygon(QPolygonF({{3, 5.5}, {13, 5.5}, {8, 11}}));
       }},
      {"minus", [](QPainter& p) { p.setPen(Stroke(2.2)); p.drawLine(QPointF(3.5, 8), QPointF(12.5, 8)); }},
      {"picture",  // a sun half filled: brightness and contrast
       [](QPainter& p) {
         p.setPen(Stroke(1.4));
         p.setBrush(Qt::NoBrush);
         p.drawEllipse(QPointF(8, 8), 3.6, 3.6);
         p.setPen(Qt::NoPen);
         p.setBrush(Qt::white);
         p.drawPie(QRectF(4.4, 4.4, 7.2, 7.2), 90 * 16, 180 * 16);
         p.setPen(Stroke(1.4));
         for (int ray = 0; ray < 8; ++ray) {
           const double angle = ray * 3.14159265 / 4;
           p.drawLine(QPointF(8 + 5.6 * std::cos(angle), 8 + 5.6 * std::sin(angle)),
                      QPointF(8 + 7.2 * std::cos(angle), 8 + 7.2 * std::sin(angle)));
         }
       }},
      {"interval",  // a stopwatch
       [](QPainter& p) {
         p.setPen(Stroke(1.5));
         p.setBrush(Qt::NoBrush);
         p.drawEllipse(QPointF(8, 9), 5.8, 5.8);
         p.drawLine(QPointF(8, 9), QPointF(8, 5.5));
         p.drawLine(QPointF(8, 9), QPointF(10.5, 10.5));
         p.drawLine(QPointF(6.5, 1.5), QPointF(9.5, 1.5));
         p.drawLine(QPointF(8, 1.5), QPointF(8, 3.2));
       }},
      {"timelapse",  // a stopwatch over a film frame: a movie of one frame every N seconds
       [](QPainter& p) {
         p.setPen(Stroke(1.3));
         p.setBrush(Qt::NoBrush);
         p.drawRoundedRect(QRectF(1, 7.5, 14, 7.5), 1, 1);
         for (double x : {3.5, 6.5, 9.5, 12.5}) {
           p.drawPoint(QPointF(x, 9.2));
           p.drawPoint(QPointF(x, 13.3));
         }
         p.drawEllipse(QPointF(8, 4), 3.2, 3.2);
         p.drawLine(QPointF(8, 4), QPointF(8, 2.3));
         p.drawLine(QPointF(8, 4), QPointF(9.4, 4.8));
       }},
      {"filmstrip",  // three frames in a row on a strip
       [](QPainter& p) {
         p.setPen(Stroke(1.3));
         p.setBrush(Qt::NoBrush);
         p.drawRect(QRectF(1, 4, 14, 8));
         p.setPen(Qt::NoPen);
         p.setBrush(Qt::white);
         for (double x : {2.5, 6.5, 10.5}) p.drawRect(QRectF(x, 5.8, 3, 4.4));
         p.setPen(Stroke(1.3));
         p.drawLine(QPointF(4, 14.5), QPointF(12, 14.5));
       }},
      {"plus",
       [](QPainter& p) {
         p.setPen(Stroke(2.2));
         p.drawLine(QPointF(3.5, 8), QPointF(12.5, 8));
         p.drawLine(QPointF(8, 3.5), QPointF(8, 12.5));
       }},
      {"left",
       [](QPainter& p) {
         p.setPen(Qt::NoPen);
         p.setBrush(Qt::white);
         p.drawPolygon(QPolygonF({{11, 3}, {11, 13}, {4, 8}}));
       }},
      {"right",
       [](QPainter& p) {
         p.setPen(Qt::NoPen);
         p.setBrush(Qt::white);
         p.drawPolygon(QPolygonF({{5, 3}, {5, 13}, {12, 8}}));
       }},
      {"zoomin", [](QPainter& p) { Magnifier(p, true); }},
      {"zoomout", [](QPainter& p) { Magnifier(p, false); }},
      {"autofocus",
       [](QPainter& p) {
         CornerBrackets(p);
         Letters(p, QStringLiteral("AF"));
       }},
      {"manualfocus",
       [](QPainter& p) {
         CornerBrackets(p);
         Letters(p, QStringLiteral("MF"));
       }},
      {"recognise",
       [](QPainter& p) {
         CornerBrackets(p);
         p.setPen(Stroke(1.5));
         p.drawLine(QPointF(4.5, 5.5), QPointF(11.5, 5.5));
         p.drawLine(QPointF(4.5, 8), QPointF(11.5, 8));
         p.drawLine(QPointF(4.5, 10.5), QPointF(9, 10.5));
       }},
      {"turnreset", [](QPainter& p) { AxisLevel(p, false); }},
      {"tiltreset", [](QPainter& p) { AxisLevel(p, true); }},
      {"negative",
       [](QPainter& p) {
         p.setPen(Stroke(1.5));
         p.setBrush(Qt::NoBrush);
         p.drawEllipse(QPointF(8, 8), 6, 6);
         QPainterPath half;
         half.moveTo(8, 2);
         half.arcTo(QRectF(2, 2, 12, 12), 90, 180);
         half.closeSubpath();
         p.setPen(Qt::NoPen);
         p.setBrush(Qt::white);
         p.drawPath(half);
       }},
      {"blackwhite",
       [](QPainter& p) {
         p.setPen(Stroke(1.5));
         p.setBrush(Qt::NoBrush);
         p.drawRoundedRect(QRectF(2, 2, 12, 12), 1.5, 1.5);
         p.setPen(Qt::NoPen);
         p.setBrush(Qt::white);
         p.drawPolygon(QPolygonF({{2, 2}, {14, 2}, {2, 14}}));
       }},
      {"pip",
       [](QPainter& p) {
         p.setPen(Stroke(1.5));
         p.setBrush(Qt::NoBrush);
         p.drawRoundedRect(QRectF(1.5, 3, 13, 10), 1, 1);
         p.setPen(Qt::NoPen);
         p.setBrush(Qt::white);
         p.drawRect(QRectF(8, 8, 5, 3.5));
       }},
      {"highlighter",
       [](QPainter& p) {
         p.save();
         p.translate(8, 7);
         p.rotate(45);
         p.setPen(Qt::NoPen);
         p.setBrush(Qt::white);
         p.drawRoundedRect(QRectF(-2.5, -7, 5, 9), 1, 1);
         p.drawPolygon(QPolygonF({{-2.5, 2.5}, {2.5, 2.5}, {1, 5.5}, {-1, 5.5}}));
         p.restore();
         p.setOpacity(0.55);
         p.fillRect(QRectF(1, 13, 14, 2.5), Qt::white);
         p.setOpacity(1);
       }},
      {"pentype",
       [](QPainter& p) {
         p.setPen(Qt::NoPen);
         p.setBrush(Qt::white);
         p.drawRect(QRectF(2, 3, 12, 1));
         p.drawRect(QRectF(2, 6.5, 12, 2));
         p.drawRect(QRectF(2, 11, 12, 3.2));
       }},
      {"eraser",
       [](QPainter& p) {
         p.save();
         p.translate(8.5, 7.5);
         p.rotate(-40);
         p.setPen(Stroke(1.3));
         p.setBrush(Qt::NoBrush);
         p.drawRect(QRectF(-6, -3, 11, 6));
         p.setPen(Qt::NoPen);
         p.setBrush(Qt::white);
         p.drawRect(QRectF(-6, -3, 4.5, 6));
         p.restore();
         p.setPen(Stroke(1.2));
         p.drawLine(QPointF(7, 14.5), QPointF(14.5, 14.5));
       }},
      {"shapes",
       [](QPainter& p) {
         p.setPen(Stroke(1.5));
         p.setBrush(Qt::NoBrush);
         p.drawRect(QRectF(1.5, 1.5, 8, 8));
         p.drawEllipse(QPointF(10.5, 10.5), 4.3, 4.3);
       }},
      {"board",
       [](QPainter& p) {
         p.setPen(Stroke(1.5));
         p.setBrush(Qt::NoBrush);
         p.drawRect(QRectF(1.5, 1.5, 13, 9.5));
         p.drawLine(QPointF(4.5, 11), QPointF(3, 15));
         p.drawLine(QPointF(11.5, 11), QPointF(13, 15));
         p.setPen(Stroke(1.2));
         p.drawPolyline(QPolygonF({{4, 7.5}, {6, 5}, {8, 7}, {10.5, 4.5}}));
       }},
      {"speaker",
       [](QPainter& p) {
         p.setPen(Qt::NoPen);
         p.setBrush(Qt::white);
         p.drawPolygon(QPolygonF({{1, 5.5}, {4, 5.5}, {8.5, 1.5}, {8.5, 14.5}, {4, 10.5}, {1, 10.5}}));
         p.setPen(Stroke(1.5));
         p.setBrush(Qt::NoBrush);
         p.drawArc(QRectF(7, 4, 6.5, 8), -60 * 16, 120 * 16);
       }},
  };
  return icons;
}

struct SvgIcon {
  const char* file;
  int rotation;  // degrees, clockwise
};

const std::map<std::string, SvgIcon>& SvgIcons() {
  static const std::map<std::string, SvgIcon> icons = {
      {"open", {"document-open-symbolic.svg", 0}},
      {"save", {"document-save-symbolic.svg", 0}},
      {"export", {"document-save-as-symbolic.svg", 0}},
      {"record", {"media-record-symbolic.svg", 0}},
      {"resolution", {"video-display-symbolic.svg", 0}},
      {"fullscreen", {"view-fullscreen-symbolic.svg", 0}},
      {"windowed", {"view-restore-symbolic.svg", 0}},
      {"palette", {"applications-graphics-symbolic.svg", 0}},
      {"settings", {"emblem-system-symbolic.svg", 0}},
      {"freeze", {"media-playback-pause-symbolic.svg", 0}},
      {"pause", {"media-playback-pause-symbolic.svg", 0}},
      {"play", {"media-playback-start-symbolic.svg", 0}},
      {"stop", {"media-playback-stop-symbolic.svg", 0}},
      {"back", {"media-seek-backward-symbolic.svg", 0}},
      {"forward", {"media-seek-forward-symbolic.svg", 0}},
      {"undo", {"edit-undo-symbolic.svg", 0}},
      {"redo", {"edit-redo-symbolic.svg", 0}},
      {"dictionary", {"accessories-dictionary-symbolic.svg", 0}},
      {"music", {"emblem-music-symbolic.svg", 0}},
      {"blind", {"view-conceal-symbolic.svg", 0}},
      {"list", {"view-list-symbolic.svg", 0}},
      {"capture", {"camera-photo-symbolic.svg", 0}},
      {"zoomreset", {"zoom-original-symbolic.svg", 0}},
      {"turnleft", {"object-rotate-left-symbolic.svg", 0}},
      {"turnright", {"object-rotate-right-symbolic.svg", 0}},
      {"tiltup", {"object-rotate-left-symbolic.svg", 90}},
      {"tiltdown", {"object-rotate-right-symbolic.svg", 90}},
      {"repeat", {"view-refresh-symbolic.svg", 0}},
      {"extra", {"star-new-symbolic.svg", 0}},
      {"mirror", {"object-flip-horizontal-symbolic.svg", 0}},
      {"flip", {"object-flip-vertical-symbolic.svg", 0}},
      {"rotate", {"object-rotate-right-symbolic.svg", 0}},
      {"split", {"view-dual-symbolic.svg", 0}},
      {"pen", {"document-edit-symbolic.svg", 0}},
      {"colour", {"color-select-symbolic.svg", 0}},
      {"eraseall", {"edit-clear-all-symbolic.svg", 0}},
      {"speak", {"audio-speakers-symbolic.svg", 0}},
  };
  return icons;
}

}  // namespace

bool HasIcon(const std::string& name) { return PathIcons().count(name) != 0 || SvgIcons().count(name) != 0; }

QImage RenderIcon(const std::string& name, int size, const QColor& colour) {
  if (size <= 0 || !HasIcon(name)) return {};
  QImage icon = NewTransparentPicture(size, size);
  {
    QPainter painter(&icon);
    Smooth(painter);
    const auto svg = SvgIcons().find(name);
    if (svg != SvgIcons().end()) {
      QSvgRenderer renderer(QStringLiteral(":/icons/") + QString::fromLatin1(svg->second.file));
      if (!renderer.isValid()) return {};
      painter.translate(size / 2.0, size / 2.0);
      painter.rotate(svg->second.rotation);
      painter.translate(-size / 2.0, -size / 2.0);
      renderer.render(&painter, QRectF(0, 0, size, size));
    } else {
      painter.scale(size / 16.0, size / 16.0);
      PathIcons().at(name)(painter);
    }
    // Every icon is a mask: its own colours give way to the one asked for.
    painter.resetTransform();
    painter.setOpacity(1);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(icon.rect(), colour);
  }
  return icon;
}

void DrawIcon(QPainter& painter, const std::string& name, const QRectF& box, const QColor& colour) {
  const int size = static_cast<int>(std::floor(std::min(box.width(), box.height())));
  const QImage icon = RenderIcon(name, size, colour);
  if (icon.isNull()) return;
  const QPointF corner(std::round(box.center().x() - size / 2.0), std::round(box.center().y() - size / 2.0));
  painter.drawImage(corner, icon);
}

}  // namespace orvilo::skingen
