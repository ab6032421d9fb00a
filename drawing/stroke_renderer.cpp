#include "drawing/stroke_renderer.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>

#include "drawing/shape_geometry.h"

namespace orvilo::drawing {

namespace {

QPoint ToQPoint(gdi::Point p) { return QPoint(p.x, p.y); }

QPolygon Polyline(const Stroke& stroke) {
  QPolygon polygon;
  polygon.reserve(static_cast<int>(stroke.points.size()));
  for (const gdi::Point& p : stroke.points) polygon.append(ToQPoint(p));
  return polygon;
}

QPen RoundPen(const QColor& colour, int width) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QRect BoundsOf(const Stroke& stroke, std::size_t first, std::size_t last) {
  int left = stroke.points[first].x, right = left, top = stroke.points[first].y, bottom = top;
  for (std::size_t i = first + 1; i <= last; ++i) {
    left = std::min(left, stroke.points[i].x);
    right = std::max(right, stroke.points[i].x);
    top = std::min(top, stroke.points[i].y);
    bottom = std::max(bottom, stroke.points[i].y);
  }
  const int pad = DrawnWidth(stroke) / 2 + 3;
  return QRect(QPoint(left - pad, top - pad), QPoint(right + pad, bottom + pad));
}

// The shape's outline with the painter's pen; no fill.
void DrawShape(QPainter& painter, const Stroke& shape) {
  const gdi::Point start = shape.points.front();
  const gdi::Point end = shape.points.back();
  const gdi::Rect r = OrderedRect(start, end);
  painter.setBrush(Qt::NoBrush);
  switch (shape.kind) {
    case StrokeKind::Quadrangle: painter.drawRect(QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1))); break;
    case StrokeKind::Ellipse: painter.drawEllipse(QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1))); break;
    case StrokeKind::Polygon: {
      QPolygon polygon;
      for (const gdi::Point& p : PolygonPoints(start, end)) polygon.append(ToQPoint(p));
      painter.drawPolygon(polygon);
      break;
    }
    case StrokeKind::Line: painter.drawLine(ToQPoint(start), ToQPoint(end)); break;
    case StrokeKind::Wave: {
      const std::vector<gdi::Point> points = WavePoints(start, end);
      if (points.size() < 2) break;
      QPolygon polygon;
      for (const gdi::Point& p : points) polygon.append(ToQPoint(p));
      painter.drawPolyline(polygon);
      break;
    }
    default: break;
  }
}

// A mask of `box` with the stroke drawn opaque in its colour.
QImage MaskOf(const Stroke& stroke, const QRect& box, bool smooth) {
  QImage mask(box.size(), QImage::Format_ARGB32_Premultiplied);
  mask.fill(Qt::transparent);
  QPainter painter(&mask);
  painter.setRenderHint(QPainter::Antialiasing, smooth);
  painter.translate(-box.topLeft());
  painter.setPen(RoundPen(StrokeColour(stroke), DrawnWidth(stroke)));
  painter.drawPolyline(Polyline(stroke));
  return mask;
}

}  // namespace

QColor StrokeColour(const Stroke& stroke) {
  return QColor(static_cast<int>(stroke.colour & 0xFF), static_cast<int>((stroke.colour >> 8) & 0xFF),
                static_cast<int>((stroke.colour >> 16) & 0xFF));
}

QRect StrokeBounds(const Stroke& stroke) {
  if (stroke.points.size() < 2) return {};
  if (IsShape(stroke.kind)) return ShapePreviewBounds(stroke).adjusted(-stroke.width, -stroke.width, stroke.width, stroke.width);
  return BoundsOf(stroke, 0, stroke.points.size() - 1);
}

QRect SegmentBounds(const Stroke& stroke, std::size_t i) {
  if (i < 1 || i >= stroke.points.size()) return {};
  return BoundsOf(stroke, i - 1, i);
}

void RenderStroke(QImage& target, const Stroke& stroke, const QImage& clean, const QRect& clip) {
  if (stroke.points.size() < 2) return;
  const QRect limit = clip.isEmpty() ? target.rect() : clip.intersected(target.rect());
  switch (stroke.kind) {
    case StrokeKind::Pen: {
      QPainter painter(&target);
      painter.setClipRect(limit);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setPen(RoundPen(StrokeColour(stroke), stroke.width));
      painter.drawPolyline(Polyline(stroke));
      return;
    }
    case StrokeKind::Highlighter:
    case StrokeKind::Eraser: {
      const QRect box = StrokeBounds(stroke).intersected(limit);
      if (box.isEmpty()) return;
      const QImage mask = MaskOf(stroke, box, stroke.kind == StrokeKind::Highlighter);
      QPainter painter(&target);
      CompositeMask(painter, mask, stroke, clean, box);
      return;
    }
    default: {
      QPainter painter(&target);
      painter.setClipRect(limit);
      painter.setPen(QPen(StrokeColour(stroke), stroke.width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
      DrawShape(painter, stroke);
      return;
    }
  }
}

void PrepareMask(QImage& mask, QSize size, QRect& used) {
  if (mask.size() != size) {
    mask = QImage(size, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
  } else if (!used.isEmpty()) {
    QPainter clear(&mask);
    clear.setCompositionMode(QPainter::CompositionMode_Source);
    clear.fillRect(used, Qt::transparent);
  }
  used = QRect();
}

void RenderSegment(QImage& mask, const Stroke& stroke, std::size_t i) {
  if (IsShape(stroke.kind) || i < 1 || i >= stroke.points.size()) return;
  QPainter painter(&mask);
  // The eraser's edge is hard, so that what it uncovers is exactly the
  // clean picture; pen and highlighter are smoothed.
  painter.setRenderHint(QPainter::Antialiasing, stroke.kind != StrokeKind::Eraser);
  painter.setPen(RoundPen(StrokeColour(stroke), DrawnWidth(stroke)));
  painter.drawLine(ToQPoint(stroke.points[i - 1]), ToQPoint(stroke.points[i]));
}

// `mask` covers `area` when it is smaller than the client area, else the
// whole client area (the live mask).
void CompositeMask(QPainter& painter, const QImage& mask, const Stroke& stroke, const QImage& clean, const QRect& area) {
  const bool wholeClient = mask.size() != area.size();
  const QRect maskPart = wholeClient ? area : QRect(QPoint(0, 0), area.size());
  switch (stroke.kind) {
    case StrokeKind::Highlighter:
      painter.save();
      painter.setOpacity(kHighlighterAlpha / 255.0);
      painter.drawImage(area.topLeft(), mask, maskPart);
      painter.restore();
      return;
    case StrokeKind::Eraser: {
      if (clean.isNull()) {
        painter.save();
        painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        painter.drawImage(area.topLeft(), mask, maskPart);
        painter.restore();
        return;
      }
      QImage uncovered = mask.copy(maskPart);
      {
        QPainter through(&uncovered);
        through.setCompositionMode(QPainter::CompositionMode_SourceIn);
        through.drawImage(QPoint(0, 0), clean, area);
      }
      painter.drawImage(area.topLeft(), uncovered);
      return;
    }
    default: painter.drawImage(area.topLeft(), mask, maskPart); return;
  }
}

void DrawShapePreview(QPainter& painter, const Stroke& shape) {
  if (shape.points.size() < 2) return;
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(Qt::white, 1));
  DrawShape(painter, shape);
  painter.restore();
}

QRect ShapePreviewBounds(const Stroke& shape) {
  if (shape.points.size() < 2) return {};
  const gdi::Rect r = OrderedRect(shape.points.front(), shape.points.back());
  int top = r.top, bottom = r.bottom;
  if (shape.kind == StrokeKind::Wave) {
    const int amplitude = r.Height();
    top = shape.points.front().y - amplitude;
    bottom = shape.points.front().y + amplitude;
  }
  return QRect(QPoint(r.left - 2, top - 2), QPoint(r.right + 2, bottom + 2));
}

}  // namespace orvilo::drawing
