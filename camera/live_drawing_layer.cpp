#include "camera/live_drawing_layer.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTabletEvent>
#include <QTouchEvent>
#include <cmath>

#include "drawing/pointer_events.h"
#include "drawing/stroke_renderer.h"
#include "ui/pen_palette.h"

namespace orvilo::camera {

using drawing::IsEmulatedMouse;
using drawing::Stroke;
using drawing::StrokeKind;

namespace {

gdi::Point PointOf(const QPointF& position) {
  const QPoint p = position.toPoint();
  return gdi::Point{p.x(), p.y()};
}

QImage TransparentPicture(QSize size) {
  QImage picture(size, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  return picture;
}

}  // namespace

CLiveDrawingLayer::CLiveDrawingLayer(QWidget* parent) : win::Window(parent) {
  setAttribute(Qt::WA_AcceptTouchEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setCursor(Qt::CrossCursor);
  longPress_.setSingleShot(true);
  connect(&longPress_, &QTimer::timeout, this, [this] { OnLongPress(); });
}

void CLiveDrawingLayer::SetPenWidth(int width) {
  if (width > 0) penWidth_ = width;
}

void CLiveDrawingLayer::SetPenColour(int entry) {
  if (entry >= 0 && entry < static_cast<int>(ui::PenPalette.size())) penColour_ = ui::PenPalette[static_cast<std::size_t>(entry)];
}

void CLiveDrawingLayer::SetMapping(const drawing::PictureMapping& mapping) {
  if (mapping == mapping_ && committed_.size() == size()) return;
  // A stroke in progress is in client pixels of the old mapping.
  if (!(mapping == mapping_)) DiscardStroke();
  mapping_ = mapping;
  RebuildLayer();
}

void CLiveDrawingLayer::RebuildLayer() {
  committed_ = TransparentPicture(size());
  if (!mapping_.IsEmpty()) {
    for (const Stroke& stroke : drawing_.Strokes()) drawing::RenderStroke(committed_, StrokeToView(stroke, mapping_), QImage());
  }
  Repaint(rect());
}

void CLiveDrawingLayer::Clear() {
  DiscardStroke();
  drawing_.Reset();
  RebuildLayer();
}

void CLiveDrawingLayer::MapPoints(const std::function<gdi::Point(gdi::Point)>& map) {
  DiscardStroke();
  drawing_.MapPoints(map);
  RebuildLayer();
}

QImage CLiveDrawingLayer::DrawOnto(const QImage& picture) const {
  if (picture.isNull() || drawing_.Strokes().empty()) return picture;
  const QImage clean = picture.convertToFormat(QImage::Format_RGB32);
  QImage annotated = clean.copy();
  for (const Stroke& stroke : drawing_.Strokes()) drawing::RenderStroke(annotated, stroke, clean);
  return annotated;
}

QRect CLiveDrawingLayer::TakeRepaintedArea() {
  const QRect area = repainted_;
  repainted_ = QRect();
  return area;
}

void CLiveDrawingLayer::Repaint(const QRect& area) {
  const QRect box = area.intersected(rect());
  if (box.isEmpty()) return;
  repainted_ = repainted_.united(box);
  update(box);
}

void CLiveDrawingLayer::resizeEvent(QResizeEvent* event) {
  win::Window::resizeEvent(event);
  DiscardStroke();
  RebuildLayer();
}

void CLiveDrawingLayer::paintEvent(QPaintEvent* event) {
  if (drawing_.Strokes().empty() && !current_) return;  // the picture alone shows through
  if (committed_.size() != size()) RebuildLayer();
  const QRect area = event->rect().intersected(rect());
  QPainter painter(this);
  if (current_ && current_->kind == StrokeKind::Eraser) {
    // The layer with the eraser's path punched through, so the live picture
    // shows there until the stroke is committed.
    QImage part = committed_.copy(area);
    const QRect erased = area.intersected(liveBounds_);
    if (!erased.isEmpty()) {
      QPainter through(&part);
      through.translate(-area.topLeft());
      drawing::CompositeMask(through, live_, *current_, QImage(), erased);
    }
    painter.drawImage(area.topLeft(), part);
    return;
  }
  painter.drawImage(area.topLeft(), committed_, area);
  if (!current_) return;
  if (drawing::IsShape(current_->kind)) {
    drawing::DrawShapePreview(painter, *current_);
    return;
  }
  const QRect part = area.intersected(liveBounds_);
  if (!part.isEmpty()) drawing::CompositeMask(painter, live_, *current_, QImage(), part);
}

// ---- Drawing ------------------------------------------------------------------

void CLiveDrawingLayer::BeginStroke(gdi::Point at) {
  if (mapping_.IsEmpty()) return;  // no picture to draw on
  Stroke stroke{tool_, penWidth_, penColour_, {at}};
  if (drawing::IsShape(tool_)) stroke.points.push_back(at);
  current_ = std::move(stroke);
  SetCapture();
  if (drawing::IsFreehand(tool_)) drawing::PrepareMask(live_, size(), liveBounds_);
}

void CLiveDrawingLayer::ContinueStroke(gdi::Point at) {
  if (!current_) return;
  Stroke& stroke = *current_;
  if (drawing::IsShape(stroke.kind)) {
    const QRect before = drawing::ShapePreviewBounds(stroke);
    stroke.points.back() = at;
    Repaint(before.united(drawing::ShapePreviewBounds(stroke)));
    return;
  }
  if (!drawing::FarEnoughForNewPoint(stroke.points.back(), at)) return;
  stroke.points.push_back(at);
  const std::size_t last = stroke.points.size() - 1;
  drawing::RenderSegment(live_, stroke, last);
  const QRect box = drawing::SegmentBounds(stroke, last).intersected(rect());
  liveBounds_ = liveBounds_.united(box);
  Repaint(box);
}

// The stroke goes into the drawing in picture pixels; the layer gets it as
// drawn, in client pixels, so nothing moves when the pointer is lifted.
void CLiveDrawingLayer::EndStroke(bool inside) {
  ReleaseCapture();
  if (!current_) return;
  if (!inside) {
    DiscardStroke();
    return;
  }
  const Stroke stroke = std::move(*current_);
  current_.reset();
  QRect box = liveBounds_.united(drawing::StrokeBounds(stroke));
  if (drawing::IsShape(stroke.kind)) box = box.united(drawing::ShapePreviewBounds(stroke));
  drawing_.Commit(StrokeToPicture(stroke, mapping_));
  if (committed_.size() == size()) drawing::RenderStroke(committed_, stroke, QImage());
  Repaint(box);
}

void CLiveDrawingLayer::DiscardStroke() {
  ReleaseCapture();
  longPress_.stop();
  if (!current_) return;
  QRect box = liveBounds_;
  if (drawing::IsShape(current_->kind)) box = box.united(drawing::ShapePreviewBounds(*current_));
  current_.reset();
  Repaint(box);
}

// ---- Pointers -----------------------------------------------------------------

bool CLiveDrawingLayer::BelongsToCamera(const QPoint& at) const {
  const auto* camera = qobject_cast<const win::Window*>(parentWidget());
  return camera != nullptr && camera->HitTestAt(mapToParent(at)) != win::HitTest::Client;
}

void CLiveDrawingLayer::mousePressEvent(QMouseEvent* event) {
  if (touchActive_ || penDown_ || IsEmulatedMouse(event)) return event->ignore();
  const QPoint at = event->position().toPoint();
  if (event->button() != Qt::LeftButton || BelongsToCamera(at)) return event->ignore();
  BeginStroke(PointOf(event->position()));
}

void CLiveDrawingLayer::mouseMoveEvent(QMouseEvent* event) {
  if (touchActive_ || penDown_ || IsEmulatedMouse(event) || !current_) return event->ignore();
  const QPoint at = event->position().toPoint();
  if (rect().contains(at)) {
    ContinueStroke(PointOf(event->position()));
  } else {
    DiscardStroke();
  }
}

void CLiveDrawingLayer::mouseReleaseEvent(QMouseEvent* event) {
  if (touchActive_ || penDown_ || IsEmulatedMouse(event) || !current_) return event->ignore();
  if (event->button() != Qt::LeftButton) return;
  EndStroke(rect().contains(event->position().toPoint()));
}

// A double click is the camera view's (the inset's swap); the second press
// of it has drawn its dot already.
void CLiveDrawingLayer::mouseDoubleClickEvent(QMouseEvent* event) {
  if (BelongsToCamera(event->position().toPoint())) return event->ignore();
  mousePressEvent(event);
}

bool CLiveDrawingLayer::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
      // Accepting the touch keeps Qt from making mouse events of it too.
      OnTouch(static_cast<QTouchEvent*>(event));
      event->accept();
      return true;
    default: return win::Window::event(event);
  }
}

// One finger draws as the mouse does; a second finger (until every finger is
// up) drops the stroke and draws nothing: the live picture has no pinch.
void CLiveDrawingLayer::OnTouch(QTouchEvent* event) {
  const bool ending = event->type() == QEvent::TouchEnd || event->type() == QEvent::TouchCancel;
  touchActive_ = !ending;
  if (event->type() == QEvent::TouchCancel) {
    DiscardStroke();
    touchGesture_ = false;
    return;
  }
  const QList<QEventPoint>& points = event->points();
  if (points.isEmpty()) return;
  int down = 0;
  for (const QEventPoint& point : points) down += point.state() != QEventPoint::State::Released ? 1 : 0;
  if (touchGesture_ || down >= 2) {
    DiscardStroke();
    touchGesture_ = !ending;
    return;
  }
  const gdi::Point at = PointOf(points.front().position());
  const bool inside = rect().contains(at.x, at.y);
  switch (event->type()) {
    case QEvent::TouchBegin:
      if (BelongsToCamera(QPoint(at.x, at.y))) return;
      touchStart_ = at;
      BeginStroke(at);
      if (current_) longPress_.start(drawing::kLongPressMilliseconds);
      break;
    case QEvent::TouchUpdate:
      if (std::abs(at.x - touchStart_.x) > drawing::kLongPressSlop || std::abs(at.y - touchStart_.y) > drawing::kLongPressSlop) {
        longPress_.stop();
      }
      if (!current_) break;
      if (inside) {
        ContinueStroke(at);
      } else {
        DiscardStroke();
      }
      break;
    default:
      longPress_.stop();
      EndStroke(inside);
      break;
  }
}

// The finger's dot is not kept; the main window opens the picker beside the
// palette's button.
void CLiveDrawingLayer::OnLongPress() {
  if (!current_ || !touchActive_) return;
  const StrokeKind tool = current_->kind;
  DiscardStroke();
  auto* camera = qobject_cast<win::Window*>(parentWidget());
  auto* owner = camera != nullptr ? qobject_cast<win::Window*>(camera->parentWidget()) : nullptr;
  if (owner != nullptr) owner->PostCommand(drawing::PickerOfTool(tool));
}

// The pen draws with the chosen width; its pressure is not used.
void CLiveDrawingLayer::tabletEvent(QTabletEvent* event) {
  event->accept();  // no mouse events made from the pen
  const gdi::Point at = PointOf(event->position());
  switch (event->type()) {
    case QEvent::TabletPress:
      if (event->button() != Qt::LeftButton || BelongsToCamera(QPoint(at.x, at.y))) return;
      penDown_ = true;
      BeginStroke(at);
      break;
    case QEvent::TabletMove:
      if (!penDown_ || !current_) break;
      if (rect().contains(at.x, at.y)) {
        ContinueStroke(at);
      } else {
        DiscardStroke();
      }
      break;
    case QEvent::TabletRelease:
      if (!penDown_ || event->button() != Qt::LeftButton) return;
      penDown_ = false;
      EndStroke(rect().contains(at.x, at.y));
      break;
    default: break;
  }
}

}  // namespace orvilo::camera
