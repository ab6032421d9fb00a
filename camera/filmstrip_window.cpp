#include "camera/filmstrip_window.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QWheelEvent>
#include <algorithm>

namespace orvilo::camera {
namespace {

constexpr int kSlotWidth = Filmstrip::kThumbnailWidth + CVyrFilmstripWnd::kGap;
const QColor kStripColour(0, 0, 0, 170);
const QColor kAccent(30, 136, 229);

}  // namespace

CVyrFilmstripWnd::CVyrFilmstripWnd(const Filmstrip& stills, QWidget* parent) : QWidget(parent), stills_(stills) {
  setObjectName("FilmstripWnd");
  setAttribute(Qt::WA_NoSystemBackground);
  hide();
}

QRect CVyrFilmstripWnd::HandleRect() const { return {(width() - kHandleWidth) / 2, 0, kHandleWidth, kHandleHeight}; }

QRect CVyrFilmstripWnd::StripRect() const { return open_ ? QRect(0, kHandleHeight, width(), kStripHeight) : QRect(); }

QRect CVyrFilmstripWnd::InnerRect() const {
  return open_ ? QRect(kArrowWidth, kHandleHeight, std::max(0, width() - 2 * kArrowWidth), kStripHeight) : QRect();
}

int CVyrFilmstripWnd::MaximumScroll() const {
  const int content = stills_.Count() * kSlotWidth + kGap;
  return std::max(0, content - InnerRect().width());
}

void CVyrFilmstripWnd::ScrollBy(int pixels) {
  const int next = std::clamp(scroll_ + pixels, 0, MaximumScroll());
  if (next == scroll_) return;
  scroll_ = next;
  update();
}

QRect CVyrFilmstripWnd::ThumbnailSlot(int index) const {
  const QRect inner = InnerRect();
  return {inner.left() + kGap + index * kSlotWidth - scroll_, inner.top() + (kStripHeight - Filmstrip::kThumbnailHeight) / 2,
          Filmstrip::kThumbnailWidth, Filmstrip::kThumbnailHeight};
}

QRect CVyrFilmstripWnd::ThumbnailRect(int index) const {
  if (!open_ || index < 0 || index >= stills_.Count()) return {};
  const QRect slot = ThumbnailSlot(index);
  if (!InnerRect().contains(slot)) return {};
  const QSize size = stills_.ThumbnailSize(index);
  return {slot.left() + (slot.width() - size.width()) / 2, slot.top() + (slot.height() - size.height()) / 2,
          size.width(), size.height()};
}

int CVyrFilmstripWnd::IndexAt(const QPoint& point) const {
  if (!open_ || !InnerRect().contains(point)) return -1;
  const int index = (point.x() - InnerRect().left() - kGap + scroll_) / kSlotWidth;
  if (index < 0 || index >= stills_.Count() || !ThumbnailSlot(index).contains(point)) return -1;
  return index;
}

void CVyrFilmstripWnd::Place() {
  if (parentWidget() == nullptr) return;
  // A strip showing its newest still keeps showing it through a resize.
  const bool atNewest = scroll_ >= MaximumScroll();
  const int height = kHandleHeight + (open_ ? kStripHeight : 0);
  setGeometry(0, parentWidget()->height() - height, parentWidget()->width(), height);
  scroll_ = atNewest ? MaximumScroll() : std::min(scroll_, MaximumScroll());
  UpdateMask();
  setVisible(!suppressed_ && (open_ || stills_.Count() > 0));
  if (isVisible()) raise();
  update();
}

// Only the handle and the strip take the pointer; the rest of the band
// above the strip belongs to the live picture.
void CVyrFilmstripWnd::UpdateMask() {
  QRegion region(HandleRect());
  if (open_) region += StripRect();
  setMask(region);
}

void CVyrFilmstripWnd::SetOpen(bool open) {
  open_ = open;
  if (open_) scroll_ = MaximumScroll();
  Place();
}

void CVyrFilmstripWnd::SetSuppressed(bool suppressed) {
  suppressed_ = suppressed;
  Place();
}

void CVyrFilmstripWnd::StillAdded() {
  Place();
  scroll_ = MaximumScroll();
  update();
}

void CVyrFilmstripWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  // The handle: a tab with a chevron pointing the way it moves the strip.
  const QRect handle = HandleRect();
  QPainterPath tab;
  tab.addRoundedRect(QRectF(handle).adjusted(0, 0, 0, 6), 6, 6);
  painter.fillPath(tab, kStripColour);
  painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  const QPointF centre = QRectF(handle).center() + QPointF(0, 1);
  const double tip = open_ ? 3 : -3;
  painter.drawPolyline(QPolygonF({centre + QPointF(-7, -tip), centre + QPointF(0, tip), centre + QPointF(7, -tip)}));
  if (!open_) return;

  const QRect strip = StripRect();
  painter.fillRect(strip, kStripColour);
  if (stills_.Count() == 0) {
    painter.setPen(QColor(200, 200, 200));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(15);
    painter.setFont(font);
    painter.drawText(strip, Qt::AlignCenter, QStringLiteral("Stills you take appear here"));
    return;
  }
  const QRect inner = InnerRect();
  painter.save();
  painter.setClipRect(inner);
  const int first = std::max(0, (scroll_ - kGap) / kSlotWidth);
  for (int index = first; index < stills_.Count(); ++index) {
    const QRect slot = ThumbnailSlot(index);
    if (slot.left() > inner.right()) break;
    const QSize size = stills_.ThumbnailSize(index);
    const QRect place(slot.left() + (slot.width() - size.width()) / 2, slot.top() + (slot.height() - size.height()) / 2,
                      size.width(), size.height());
    painter.drawImage(place, stills_.Thumbnail(index));
    painter.setPen(index == pressed_ ? QPen(kAccent, 2) : QPen(QColor(255, 255, 255, 120), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(place).adjusted(-0.5, -0.5, 0.5, 0.5));
  }
  painter.restore();
  // Arrows where there is more to scroll to.
  painter.setPen(Qt::NoPen);
  const int middle = strip.center().y();
  if (scroll_ > 0) {
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygonF({QPointF(7, middle), QPointF(15, middle - 8), QPointF(15, middle + 8)}));
  }
  if (scroll_ < MaximumScroll()) {
    const double right = width() - 7;
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygonF({QPointF(right, middle), QPointF(right - 8, middle - 8), QPointF(right - 8, middle + 8)}));
  }
}

void CVyrFilmstripWnd::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  if (HandleRect().contains(at)) {
    if (onHandle) onHandle();
    return;
  }
  if (!open_) return;
  if (at.x() < kArrowWidth) {
    ScrollBy(-InnerRect().width() / 2);
    return;
  }
  if (at.x() >= width() - kArrowWidth) {
    ScrollBy(InnerRect().width() / 2);
    return;
  }
  pressed_ = IndexAt(at);
  pressAt_ = at;
  dragging_ = false;
  update();
}

void CVyrFilmstripWnd::mouseMoveEvent(QMouseEvent* event) {
  if (pressed_ < 0) return;
  const QPoint at = event->position().toPoint();
  if (!dragging_ && (at - pressAt_).manhattanLength() >= QApplication::startDragDistance()) {
    dragging_ = true;
    ghost_ = new QLabel(window());
    ghost_->setObjectName("FilmstripGhost");
    ghost_->setPixmap(QPixmap::fromImage(stills_.Thumbnail(pressed_)));
    ghost_->adjustSize();
    ghost_->setAttribute(Qt::WA_TransparentForMouseEvents);
    ghost_->setStyleSheet(QStringLiteral("border: 2px solid rgb(30,136,229);"));
    ghost_->show();
    setCursor(Qt::DragCopyCursor);
  }
  if (dragging_ && ghost_ != nullptr) {
    const QPoint inWindow = mapTo(window(), at);
    ghost_->move(inWindow - QPoint(ghost_->width() / 2, ghost_->height() / 2));
    ghost_->raise();
  }
}

void CVyrFilmstripWnd::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || pressed_ < 0) return;
  const int index = pressed_;
  const QPoint at = event->position().toPoint();
  const bool dropped = dragging_;
  EndDrag();
  if (dropped) {
    // Dropped outside the strip, within the program's window: compared
    // with the live picture. Back on the strip it was only moved.
    const QPoint inWindow = mapTo(window(), at);
    if (!StripRect().contains(at) && !HandleRect().contains(at) && window()->rect().contains(inWindow) && onCompare) {
      onCompare(index);
    }
    return;
  }
  if (IndexAt(at) == index && onOpen) onOpen(index);
}

void CVyrFilmstripWnd::EndDrag() {
  pressed_ = -1;
  dragging_ = false;
  delete ghost_;
  ghost_ = nullptr;
  unsetCursor();
  update();
}

void CVyrFilmstripWnd::wheelEvent(QWheelEvent* event) {
  if (!open_) return;
  const QPoint delta = event->angleDelta();
  ScrollBy(-(delta.y() != 0 ? delta.y() : delta.x()) * kSlotWidth / 120);
  event->accept();
}

}  // namespace orvilo::camera
