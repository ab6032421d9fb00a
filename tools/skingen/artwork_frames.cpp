// Frames, strips and faces: the main window and dialog frames, tabs, the
// palette grips, bar faces, the navigator and inset frames.
#include <QPainterPath>
#include <QStringList>

#include "tools/skingen/artwork.h"
#include "tools/skingen/icons.h"
#include "tools/skingen/style.h"

namespace orvilo::skingen {
namespace {

using skin::Art;
using skin::SkinEntry;

// The eight pieces are cut from one small window drawn whole, so corners,
// edges and bands always meet.
QImage CutFramePiece(const QImage& window, int cornerWidth, int topHeight, int bottomHeight, int piece) {
  const int right = cornerWidth + 1;
  const int bottom = topHeight + 1;
  const QRect pieces[8] = {{0, 0, cornerWidth, topHeight},      {cornerWidth, 0, 1, topHeight},
                           {right, 0, cornerWidth, topHeight},  {0, topHeight, cornerWidth, 1},
                           {right, topHeight, cornerWidth, 1},  {0, bottom, cornerWidth, bottomHeight},
                           {cornerWidth, bottom, 1, bottomHeight}, {right, bottom, cornerWidth, bottomHeight}};
  return window.copy(pieces[piece]).convertToFormat(QImage::Format_RGB32);
}

QImage MainFramePiece(int piece) {
  constexpr int kCorner = 30, kTop = 85, kBottom = 18, kCaption = 25;
  const int width = 2 * kCorner + 1, height = kTop + 1 + kBottom;
  QImage window = NewPicture(width, height, colour::kKey);
  const QRect body(0, 0, width, height);
  HardRoundedRect(window, body, 7, 1, colour::kBorder, colour::kFrame);
  // The caption band across the top; the window's own rim stays.
  for (int y = 1; y < kCaption; ++y) {
    for (int x = 0; x < width; ++x) {
      if (RoundedZone(x, y, body, 7, 1) == Zone::Inside) window.setPixelColor(x, y, colour::kCaption);
    }
  }
  // A thin light line under the caption, and the sizing grip's dots.
  for (int x = 1; x < width - 1; ++x) window.setPixelColor(x, 1, QColor(58, 58, 58));
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      if (row + column < 2) continue;
      const int x = width - 14 + 4 * column, y = height - 14 + 4 * row;
      for (int dy = 0; dy < 2; ++dy) {
        for (int dx = 0; dx < 2; ++dx) window.setPixelColor(x + dx, y + dy, QColor(120, 120, 120));
      }
    }
  }
  return CutFramePiece(window, kCorner, kTop, kBottom, piece);
}

QImage DialogFramePiece(int piece) {
  constexpr int kCorner = 17, kTop = 35;
  const bool shortBottom = piece >= 8;
  const int bottomHeight = shortBottom ? 15 : 46;
  const int width = 2 * kCorner + 1, height = kTop + 1 + bottomHeight;
  QImage window = NewPicture(width, height, colour::kKey);
  const QRect body(0, 0, width, height);
  HardRoundedRect(window, body, 6, 1, colour::kLightBorder, Qt::white);
  for (int y = 1; y < height - 1; ++y) {
    for (int x = 0; x < width; ++x) {
      if (RoundedZone(x, y, body, 6, 1) != Zone::Inside) continue;
      if (y < kTop - 1) {
        // Title band: a soft vertical shade, the accent along its top.
        const int shade = 246 - (y * 14) / kTop;
        window.setPixelColor(x, y, y < 3 ? colour::kAccent : QColor(shade, shade, shade));
      } else if (y == kTop - 1) {
        window.setPixelColor(x, y, QColor(214, 214, 214));
      } else if (!shortBottom && y == kTop + 1) {
        window.setPixelColor(x, y, QColor(226, 226, 226));
      } else if (!shortBottom && y > kTop + 1) {
        window.setPixelColor(x, y, QColor(242, 242, 242));
      }
    }
  }
  return CutFramePiece(window, kCorner, kTop, bottomHeight, shortBottom ? piece - 3 : piece);
}

QImage ZoomBadge() {
  QImage badge = NewPicture(60, 19, colour::kFrame);
  QPainter painter(&badge);
  Smooth(painter);
  painter.setPen(QPen(QColor(96, 96, 96), 1));
  painter.setBrush(QColor(30, 30, 30));
  painter.drawRoundedRect(QRectF(0.5, 0.5, 59, 18), 9, 9);
  painter.setPen(QPen(QColor(80, 80, 80), 1));
  // The zoom-list button stands on the right part of the badge.
  painter.drawLine(QPointF(42.5, 3), QPointF(42.5, 16));
  painter.end();
  KeyOut(badge, colour::kFrame);
  return badge;
}

QImage MarkerCells() {
  QImage cells = NewPicture(264, 22, colour::kFrame);
  QPainter painter(&cells);
  Smooth(painter);
  for (int i = 0; i < 12; ++i) {
    const bool filled = i < 6;
    const QRectF cell(22 * i + 2.5, 2.5, 17, 17);
    painter.setPen(QPen(filled ? colour::kIcon : QColor(110, 110, 110), 1.2));
    painter.setBrush(filled ? colour::kAccent : QColor(40, 40, 40));
    painter.drawRoundedRect(cell, 3, 3);
    if (filled) {
      // A little marker pattern inside.
      painter.setPen(Qt::NoPen);
      painter.setBrush(colour::kIcon);
      painter.drawRect(QRectF(cell.x() + 4.5, cell.y() + 4.5, 3, 3));
      painter.drawRect(QRectF(cell.x() + 9.5, cell.y() + 9.5, 3, 3));
      painter.drawRect(QRectF(cell.x() + 9.5, cell.y() + 4.5, 3, 3));
    }
  }
  painter.end();
  KeyOut(cells, colour::kFrame);
  return cells;
}

// Colours of the tab strip.
const QColor kTabHover(74, 74, 74);
const QColor kTabText(184, 184, 184);
const QColor kTabHighlightText(144, 202, 249);

QRectF TabLabelBox(int tab) {
  return QRectF(skin::TabLabelLeft(tab), skin::kTabLabelTop, skin::kTabLabelWidth, skin::kTabLabelHeight);
}

void DrawTabText(QPainter& painter, const QRectF& box, const QString& text, bool korean, bool selected,
                 const QColor& colour) {
  const QFont font = FittedFont(text, korean, 12, static_cast<int>(box.width()) - 4, selected);
  DrawCentredText(painter, box, text, font, colour);
}

QImage TabLabel(const SkinEntry& entry, bool english) {
  const QString text = QString::fromStdString(english ? entry.englishText : entry.text);
  const QColor backgrounds[3] = {colour::kTabFace, kTabHover, colour::kFrame};
  const QColor texts[3] = {kTabText, Qt::white, kTabHighlightText};
  QImage label = NewPicture(skin::kTabLabelWidth, skin::kTabLabelHeight, backgrounds[entry.param]);
  QPainter painter(&label);
  Smooth(painter);
  DrawTabText(painter, QRectF(label.rect()), text, !english, entry.param == 2, texts[entry.param]);
  painter.end();
  if (entry.param == 2) KeyOut(label, colour::kFrame);
  return label;
}

QImage TabStrip(const SkinEntry& entry, bool english) {
  const int variant = entry.param / 10;
  const int selected = entry.param % 10;
  const QStringList labels = QString::fromStdString(english ? entry.englishText : entry.text).split('|', Qt::SkipEmptyParts);
  QImage strip = NewPicture(entry.size.width, entry.size.height, colour::kCaption);
  QPainter painter(&strip);
  Smooth(painter);
  auto drawTab = [&](int tab) {
    const bool isSelected = tab == selected;
    const double left = skin::kTabWidth * tab + 0.5;
    const double top = isSelected ? 0.5 : 2.5;
    QPainterPath shape;
    shape.moveTo(left, skin::kTabHeight + 1);
    shape.lineTo(left + 2, top + 4);
    shape.quadTo(left + 3, top, left + 7, top);
    shape.lineTo(left + skin::kTabWidth + skin::kTabOverlap - 8, top);
    shape.quadTo(left + skin::kTabWidth + skin::kTabOverlap - 4, top, left + skin::kTabWidth + skin::kTabOverlap - 3, top + 4);
    shape.lineTo(left + skin::kTabWidth + skin::kTabOverlap - 1, skin::kTabHeight + 1);
    painter.setPen(QPen(isSelected ? QColor(90, 90, 90) : QColor(66, 66, 66), 1));
    painter.setBrush(isSelected ? colour::kFrame : colour::kTabFace);
    painter.drawPath(shape);
    if (isSelected) {
      painter.setPen(QPen(colour::kAccent, 2));
      painter.drawLine(QPointF(left + 6, 1), QPointF(left + skin::kTabWidth + skin::kTabOverlap - 7, 1));
    }
    if (tab < labels.size()) {
      DrawTabText(painter, TabLabelBox(tab), labels[tab], !english, isSelected, isSelected ? Qt::white : kTabText);
    }
  };
  for (int tab = skin::TabCount(variant) - 1; tab >= 0; --tab) {
    if (tab != selected) drawTab(tab);
  }
  drawTab(selected);
  return strip;
}

QImage PaletteGrip(const SkinEntry& entry) {
  QImage grip = NewPicture(entry.size.width, entry.size.height, colour::kPaletteFace);
  const QColor rim(76, 76, 76);
  const bool vertical = entry.param <= 1;  // the strip runs downwards
  for (int y = 0; y < grip.height(); ++y) {
    for (int x = 0; x < grip.width(); ++x) {
      const bool onRim = vertical ? (x == 0 || x == grip.width() - 1 || (entry.param == 0 && y == 0))
                                  : (y == 0 || y == grip.height() - 1 || (entry.param == 2 && x == 0));
      if (onRim) grip.setPixelColor(x, y, rim);
    }
  }
  if (entry.param == 0 || entry.param == 2) {
    // Two rows of raised dots: the place to drag by.
    for (int i = 0; i < 6; ++i) {
      for (int line = 0; line < 2; ++line) {
        const int along = 5 + 3 * i + (line == 1 ? 1 : 0);
        const int across = 3 + 2 * line;
        const int x = vertical ? along : across;
        const int y = vertical ? across : along;
        grip.setPixelColor(x, y, QColor(140, 140, 140));
        grip.setPixelColor(x + 1, y + 1, QColor(28, 28, 28));
      }
    }
  }
  return grip;
}

QImage FocusBackground(const SkinEntry& entry) {
  QImage face = NewPicture(entry.size.width, entry.size.height, colour::kKey);
  HardRoundedRect(face, face.rect(), 17, 1, QColor(96, 96, 96), colour::kBarFace);
  return face;
}

QImage BarBackground(const SkinEntry& entry) {
  const bool movieBar = entry.param == 0;
  QImage face = NewPicture(entry.size.width, entry.size.height, colour::kKey);
  HardRoundedRect(face, face.rect(), 10, 1, QColor(100, 100, 100), colour::kBarFace);
  QPainter painter(&face);
  Smooth(painter);
  painter.setPen(QPen(QColor(70, 70, 70), 1));
  painter.drawLine(QPointF(139.5, 7), QPointF(139.5, 29));
  if (movieBar) {
    painter.setPen(QPen(QColor(70, 70, 70), 1));
    painter.setBrush(QColor(28, 28, 28));
    painter.drawRoundedRect(QRectF(385.5, 9.5, 95, 21), 4, 4);
  }
  DrawIcon(painter, "speaker", QRectF(movieBar ? 484 : 206, 11, 14, 14), colour::kIconDim);
  return face;
}

QImage SplitBar() {
  QImage bar = NewPicture(5, 1, colour::kBorder);
  bar.setPixelColor(1, 0, QColor(84, 84, 84));
  bar.setPixelColor(2, 0, QColor(112, 112, 112));
  bar.setPixelColor(3, 0, QColor(84, 84, 84));
  return bar;
}

QImage PanelHeader(const SkinEntry& entry) {
  QImage header = NewPicture(entry.size.width, entry.size.height, colour::kPanelFace);
  for (int y = 0; y < header.height(); ++y) {
    const int shade = y == header.height() - 1 ? 196 : 244 - (y * 17) / header.height();
    for (int x = 0; x < header.width(); ++x) header.setPixelColor(x, y, QColor(shade, shade, shade));
  }
  return header;
}

QImage PanelRow(const SkinEntry& entry, bool cap) {
  QImage row = NewPicture(entry.size.width, entry.size.height, Qt::white);
  const QColor rim(188, 188, 188);
  for (int x = 0; x < row.width(); ++x) {
    row.setPixelColor(x, 0, rim);
    row.setPixelColor(x, row.height() - 1, rim);
  }
  if (cap) {
    for (int y = 1; y < row.height() - 1; ++y) row.setPixelColor(0, y, rim);
    row.setPixelColor(0, 0, colour::kPanelFace);
    row.setPixelColor(0, row.height() - 1, colour::kPanelFace);
    row.setPixelColor(1, 1, rim);
    row.setPixelColor(1, row.height() - 2, rim);
  }
  return row;
}

// A frame with a 5-pixel rim around a magenta (transparent) middle.
QImage RimFrame(const SkinEntry& entry, const QColor& band) {
  QImage frame = NewPicture(entry.size.width, entry.size.height, colour::kKey);
  const QRect outer = frame.rect();
  HardRoundedRect(frame, outer, 4, 1, colour::kBorder, band);
  HardRoundedRect(frame, outer.adjusted(4, 4, -4, -4), 0, 1, colour::kBorder, colour::kKey);
  // A light line along the inside of the band.
  HardRoundedRect(frame, outer.adjusted(1, 1, -1, -1), 3, 1, band.lighter(140), band);
  HardRoundedRect(frame, outer.adjusted(4, 4, -4, -4), 0, 1, colour::kBorder, colour::kKey);
  return frame;
}

}  // namespace

QImage DrawFramePicture(const SkinEntry& entry, bool english) {
  switch (entry.art) {
    case Art::FramePiece: return MainFramePiece(entry.param);
    case Art::DialogFramePiece: return DialogFramePiece(entry.param);
    case Art::ZoomBadge: return ZoomBadge();
    case Art::MarkerCells: return MarkerCells();
    case Art::TabLabel: return TabLabel(entry, english);
    case Art::TabStrip: return TabStrip(entry, english);
    case Art::PaletteGrip: return PaletteGrip(entry);
    case Art::FocusBackground: return FocusBackground(entry);
    case Art::BarBackground: return BarBackground(entry);
    case Art::SplitBar: return SplitBar();
    case Art::PanelHeader: return PanelHeader(entry);
    case Art::PanelRowCap: return PanelRow(entry, true);
    case Art::PanelRowField: return PanelRow(entry, false);
    case Art::NavigatorFrame: return RimFrame(entry, QColor(72, 72, 72));
    case Art::InsetFrame: return RimFrame(entry, colour::kAccentDark);
    default: return {};
  }
}

}  // namespace orvilo::skingen
