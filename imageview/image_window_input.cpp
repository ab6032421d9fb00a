// The image view's mouse tools: drawing in image mode, region marking in
// reading mode; and its blinds.
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "core/command_ids.h"
#include "imageview/blind_geometry.h"
#include "imageview/blind_window.h"
#include "imageview/image_window.h"
#include "drawing/pointer_events.h"
#include "drawing/shape_geometry.h"
#include "drawing/stroke_renderer.h"
#include "platform/win/geometry.h"
#include "ui/pen_palette.h"

namespace orvilo::imageview {

namespace {
gdi::Point PointOf(const QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  return gdi::Point{p.x(), p.y()};
}
}  // namespace

void CVyr3ImageWnd::SetPenWidth(int width) {
  if (width > 0) penWidth_ = width;
}

void CVyr3ImageWnd::SetPenColour(int entry) {
  if (entry >= 0 && entry < static_cast<int>(ui::PenPalette.size())) penColour_ = ui::PenPalette[static_cast<std::size_t>(entry)];
}

// ---- Pointer routing ------------------------------------------------------------

// Mouse events Qt or the system make from a finger or a pen: the view takes
// those as touch and tablet events already, so they must not draw again.
using drawing::IsEmulatedMouse;

void CVyr3ImageWnd::mousePressEvent(QMouseEvent* event) {
  if (touchActive_ || penDown_ || IsEmulatedMouse(event)) return event->ignore();
  if (event->button() != Qt::LeftButton) return ImageView::mousePressEvent(event);
  BeginPointer(PointOf(event));
}

void CVyr3ImageWnd::mouseMoveEvent(QMouseEvent* event) {
  if (touchActive_ || penDown_ || IsEmulatedMouse(event)) return event->ignore();
  MovePointer(PointOf(event), rect().contains(event->position().toPoint()));
}

void CVyr3ImageWnd::mouseReleaseEvent(QMouseEvent* event) {
  if (touchActive_ || penDown_ || IsEmulatedMouse(event)) return event->ignore();
  if (event->button() != Qt::LeftButton) return ImageView::mouseReleaseEvent(event);
  EndPointer(PointOf(event));
}

void CVyr3ImageWnd::BeginPointer(gdi::Point at) {
  setFocus();
  if (mode_ == ViewMode::Image) {
    BeginStroke(at);
  } else if (mode_ == ViewMode::Reading) {
    BeginMarking(at);
  }
}

void CVyr3ImageWnd::MovePointer(gdi::Point at, bool inside) {
  if (current_) {
    if (inside) {
      ContinueStroke(at);
    } else {
      DiscardStroke();
    }
  } else if (markingDrag_) {
    ContinueMarking(at, inside);
  } else if (!inside) {
    pointerInside_ = false;
  }
}

void CVyr3ImageWnd::EndPointer(gdi::Point at) {
  const bool inside = rect().contains(at.x, at.y);
  if (current_) EndStroke(at, inside);
  if (markingDrag_) EndMarking();
}

// Entering the view in reading mode tells the main window to show its
// control bar again.
void CVyr3ImageWnd::enterEvent(QEnterEvent* event) {
  if (mode_ == ViewMode::Reading && !pointerInside_) {
    pointerInside_ = true;
    if (win::Window* owner = Owner()) owner->SendMessage(message::kPointerActivity, 0);
  }
  ImageView::enterEvent(event);
}

// Without a button held the view hears of the pointer leaving only here.
void CVyr3ImageWnd::leaveEvent(QEvent* event) {
  if (!markingDrag_ && !current_) pointerInside_ = false;
  ImageView::leaveEvent(event);
}

// ---- Drawing ------------------------------------------------------------------

void CVyr3ImageWnd::BeginStroke(gdi::Point at) {
  Stroke stroke{tool_, penWidth_, penColour_, {at}};
  if (IsShape(tool_)) stroke.points.push_back(at);
  current_ = std::move(stroke);
  SetCapture();
  if (IsFreehand(tool_)) drawing::PrepareMask(live_, size(), liveBounds_);
}

void CVyr3ImageWnd::ContinueStroke(gdi::Point at) {
  SetCapture();
  Stroke& stroke = *current_;
  if (IsShape(stroke.kind)) {
    const QRect before = ShapePreviewBounds(stroke);
    stroke.points.back() = at;
    update(before.united(ShapePreviewBounds(stroke)));
    return;
  }
  if (!drawing::FarEnoughForNewPoint(stroke.points.back(), at)) return;
  stroke.points.push_back(at);
  const std::size_t last = stroke.points.size() - 1;
  RenderSegment(live_, stroke, last);
  const QRect box = SegmentBounds(stroke, last).intersected(rect());
  liveBounds_ = liveBounds_.united(box);
  update(box);
}

void CVyr3ImageWnd::EndStroke(gdi::Point, bool inside) {
  ReleaseCapture();
  if (!inside) {
    DiscardStroke();
    return;
  }
  Stroke stroke = std::move(*current_);
  current_.reset();
  QRect box = liveBounds_.united(StrokeBounds(stroke));
  if (IsShape(stroke.kind)) box = box.united(ShapePreviewBounds(stroke));
  // Only the new stroke is drawn onto the committed layer: it lies above
  // every earlier one, and the eraser uncovers the clean layer.
  drawing_.Commit(std::move(stroke));
  DrawCommittedStroke(drawing_.Strokes().back());
  update(box.intersected(rect()));
}

// A stroke whose pointer left the view is not kept; the screen is put back
// to what the drawing holds.
void CVyr3ImageWnd::DiscardStroke() {
  ReleaseCapture();
  if (!current_) return;
  QRect box = liveBounds_;
  if (IsShape(current_->kind)) box = box.united(ShapePreviewBounds(*current_));
  current_.reset();
  update(box.intersected(rect()));
}

void CVyr3ImageWnd::PaintStrokeInProgress(QPainter& painter, const QRect& area) const {
  if (!current_) return;
  if (IsShape(current_->kind)) {
    DrawShapePreview(painter, *current_);
    return;
  }
  const QRect part = area.intersected(liveBounds_);
  if (!part.isEmpty() && live_.size() == size()) CompositeMask(painter, live_, *current_, clean_, part);
}

void CVyr3ImageWnd::EraseAll() {
  current_.reset();
  drawing_.EraseAll();
  RedrawStrokes();
}

// Undoing a stroke redraws only the box it covered; redoing one draws it
// on top again. Erase-all steps redraw everything.
void CVyr3ImageWnd::Undo() {
  const DrawingCommand* step = drawing_.NextUndo();
  if (!step) return;
  const std::size_t count = drawing_.Strokes().size();
  const bool onlyLast = step->UndoRemovesLast() && layersValid_ && count > 0;
  const QRect box = onlyLast ? StrokeBounds(drawing_.Strokes().back()) : QRect();
  drawing_.Undo();
  if (!onlyLast) {
    RedrawStrokes();
  } else if (!beforeStrokes_.empty() && beforeStrokes_.back().strokeCount == count) {
    const BeforeStroke& before = beforeStrokes_.back();
    QPainter painter(&committed_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(before.box.topLeft(), before.pixels);
    painter.end();
    update(before.box);
    beforeStrokesBytes_ -= static_cast<std::size_t>(before.pixels.sizeInBytes());
    beforeStrokes_.pop_back();
  } else {
    RedrawArea(box);
  }
}

void CVyr3ImageWnd::Redo() {
  if (!drawing_.Redo()) return;
  const DrawingCommand* step = drawing_.NextUndo();
  if (step && step->UndoRemovesLast() && layersValid_ && !committed_.isNull()) {
    DrawCommittedStroke(drawing_.Strokes().back());
  } else {
    RedrawStrokes();
  }
}

void CVyr3ImageWnd::KeepPixelsUnder(const Stroke& stroke, std::size_t strokeCount) {
  const QRect box = StrokeBounds(stroke).intersected(rect());
  if (box.isEmpty()) return;
  BeforeStroke before{strokeCount, box, committed_.copy(box)};
  beforeStrokesBytes_ += static_cast<std::size_t>(before.pixels.sizeInBytes());
  beforeStrokes_.push_back(std::move(before));
  while (beforeStrokesBytes_ > kUndoPixelsBudget && !beforeStrokes_.empty()) {
    beforeStrokesBytes_ -= static_cast<std::size_t>(beforeStrokes_.front().pixels.sizeInBytes());
    beforeStrokes_.pop_front();
  }
}

void CVyr3ImageWnd::DrawCommittedStroke(const Stroke& stroke) {
  if (!layersValid_ || committed_.isNull()) return;  // the next paint draws everything
  KeepPixelsUnder(stroke, drawing_.Strokes().size());
  RenderStroke(committed_, stroke, clean_);
  update(StrokeBounds(stroke).intersected(rect()));
}

void CVyr3ImageWnd::RedrawArea(const QRect& area) {
  const QRect box = area.intersected(rect());
  if (box.isEmpty() || committed_.isNull()) return;
  {
    QPainter painter(&committed_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(box.topLeft(), clean_, box);
  }
  for (const Stroke& stroke : drawing_.Strokes()) {
    if (StrokeBounds(stroke).intersects(box)) RenderStroke(committed_, stroke, clean_, box);
  }
  update(box);
}

void CVyr3ImageWnd::ResetDrawing() {
  drawing_.Reset();
  RemoveAllBlinds();
  markingDrag_ = false;
  current_.reset();
  RedrawStrokes();
}

// ---- Region marking -------------------------------------------------------------

void CVyr3ImageWnd::BeginMarking(gdi::Point at) {
  if (win::Window* owner = Owner()) owner->SendMessage(message::kPointerActivity, 1);
  selection_ = gdi::Rect{at.x, at.y, at.x, at.y};
  markingDrag_ = true;
  update();
}

void CVyr3ImageWnd::ContinueMarking(gdi::Point at, bool inside) {
  if (!inside) {
    EndMarking();
    return;
  }
  SetCapture();
  selection_.right = at.x;
  selection_.bottom = at.y;
  update();
}

// The marked region ends ordered (left < right, top < bottom) and inside the
// view, wherever the pointer was released.
void CVyr3ImageWnd::EndMarking() {
  ReleaseCapture();
  markingDrag_ = false;
  SetSelection(selection_);
}

void CVyr3ImageWnd::SetSelection(const gdi::Rect& selection) {
  gdi::Rect r = drawing::OrderedRect(gdi::Point{selection.left, selection.top}, gdi::Point{selection.right, selection.bottom});
  r.left = std::clamp(r.left, 0, std::max(width() - 1, 0));
  r.right = std::clamp(r.right, 0, std::max(width() - 1, 0));
  r.top = std::clamp(r.top, 0, std::max(height() - 1, 0));
  r.bottom = std::clamp(r.bottom, 0, std::max(height() - 1, 0));
  selection_ = r;
  update();
}

// While marking, a dotted XOR band; afterwards a red outline.
void CVyr3ImageWnd::PaintSelection(QPainter& painter) const {
  const gdi::Rect r = drawing::OrderedRect(gdi::Point{selection_.left, selection_.top}, gdi::Point{selection_.right, selection_.bottom});
  if (r.Width() <= 0 && r.Height() <= 0) return;
  painter.save();
  if (markingDrag_) {
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
  } else {
    painter.setPen(QPen(Qt::red, 1));
  }
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(r.left, r.top, r.Width(), r.Height());  // edges through both corners
  painter.restore();
}

// ---- Blinds -------------------------------------------------------------------

void CVyr3ImageWnd::AddBlind(int left, int top, int right, int bottom) {
  const int n = static_cast<int>(blinds_.size());
  const gdi::Rect place = right - left > 0 && bottom - top > 0 ? gdi::Rect{left, top, right, bottom}
                                                               : DefaultBlindRect(n, gdi::Size{width(), height()});
  auto* blind = new CBlindWnd(this);
  if (!blind->Create(this, QString::fromStdString(BlindName(n)), BlindId(n), win::ToQRect(place), true)) {
    delete blind;
    return;
  }
  blind->raise();
  blinds_.push_back(blind);
}

void CVyr3ImageWnd::RemoveAllBlinds() {
  selection_ = gdi::Rect{};
  for (CBlindWnd* blind : blinds_) delete blind;
  blinds_.clear();
  update();
}

std::vector<gdi::Rect> CVyr3ImageWnd::BlindRectangles() const {
  std::vector<gdi::Rect> rectangles;
  rectangles.reserve(blinds_.size());
  for (const CBlindWnd* blind : blinds_) rectangles.push_back(win::FromQRect(blind->geometry()));
  return rectangles;
}

}  // namespace orvilo::imageview
