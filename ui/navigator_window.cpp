#include "ui/navigator_window.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "platform/gdi/key_colour.h"
#include "ui/skin/skin_ids.h"
#include "ui/skin_resources.h"

namespace orvilo::ui {
namespace {

constexpr QColor kBackground(57, 57, 57);
constexpr int kThumbnailArea = kNavigatorHeight - 10;  // 211

}  // namespace

CNavigatorWnd::CNavigatorWnd(QWidget* parent) : win::Window(parent) {
  frame_ = gdi::KeyColourToTransparent(LoadSkinBitmap(skin::kNavigatorFrame));
}

void CNavigatorWnd::SetPicture(double zoom, const QImage& picture) {
  zoom_ = zoom;
  picture_ = picture;
  Layout();
  update();
}

void CNavigatorWnd::Layout() {
  if (picture_.isNull()) return;
  const int cw = width();
  const double a = static_cast<int>((cw - 10) * zoom_);
  const double b = static_cast<int>(zoom_ * kThumbnailArea);
  const double s = std::min(a / picture_.width(), b / picture_.height());
  const int tw = static_cast<int>(picture_.width() * s / zoom_);
  const int th = static_cast<int>(picture_.height() * s / zoom_);
  const int tl = (cw - tw) / 2;
  const int tt = (kNavigatorHeight - th) / 2;
  thumbnailRect_ = gdi::Rect{tl, tt, tl + tw, tt + th};
  int vw = static_cast<int>((cw - 10) / zoom_);
  int left = tl;
  if (tw > vw) left = std::clamp(viewRect_.left, tl, tl + tw - vw);
  else vw = tw;
  int vh = static_cast<int>(kThumbnailArea / zoom_);
  int top = tt;
  if (th > vh) top = std::clamp(viewRect_.top, tt, tt + th - vh);
  else vh = th;
  viewRect_ = gdi::Rect{left, top, left + vw, top + vh};
  thumbnail_ = tw > 0 && th > 0 ? picture_.scaled(tw, th, Qt::IgnoreAspectRatio, Qt::FastTransformation) : QImage();
  Report(false);
}

void CNavigatorWnd::Report(bool send) {
  if (owner_ == nullptr) return;
  const auto view = reinterpret_cast<std::uintptr_t>(&viewRect_);
  const auto thumbnail = reinterpret_cast<std::intptr_t>(&thumbnailRect_);
  if (send) owner_->SendMessage(kNavigatorSelection, view, thumbnail);
  else owner_->PostMessage(kNavigatorSelection, view, thumbnail);
}

void CNavigatorWnd::paintEvent(QPaintEvent*) {
  if (selfRefresh_) Layout();
  QPainter painter(this);
  painter.fillRect(rect(), kBackground);
  const int cw = width();
  if (!frame_.isNull()) {
    painter.drawImage(QRect(0, 0, 5, kNavigatorHeight), frame_, QRect(0, 0, 5, kNavigatorHeight));
    painter.drawImage(QRect(5, 0, cw - 10, kNavigatorHeight), frame_, QRect(5, 0, 280, kNavigatorHeight));
    painter.drawImage(QRect(cw - 5, 0, 5, kNavigatorHeight), frame_, QRect(285, 0, 5, kNavigatorHeight));
  }
  if (!thumbnail_.isNull()) painter.drawImage(thumbnailRect_.left, thumbnailRect_.top, thumbnail_);
  painter.setPen(QPen(Qt::red, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(viewRect_.left, viewRect_.top, viewRect_.Width(), viewRect_.Height());
}

void CNavigatorWnd::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() != Qt::LeftButton || !viewRect_.Contains({at.x(), at.y()})) return;
  dragPointer_ = at;
  dragRect_ = viewRect_;
  dragging_ = true;
  SetCapture();
}

void CNavigatorWnd::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const QPoint delta = event->position().toPoint() - dragPointer_;
  gdi::Rect moved = dragRect_.Offset(delta.x(), delta.y());
  const int w = moved.Width(), h = moved.Height();
  moved.left = std::max(thumbnailRect_.left, std::min(moved.left, thumbnailRect_.right - w));
  moved.top = std::max(thumbnailRect_.top, std::min(moved.top, thumbnailRect_.bottom - h));
  viewRect_ = gdi::Rect::FromPositionAndSize(moved.left, moved.top, w, h);
  if (selfRefresh_) Report(false);
  update();
}

void CNavigatorWnd::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragging_ || event->button() != Qt::LeftButton) return;
  Report(true);
  ReleaseCapture();
  dragging_ = false;
}

}  // namespace orvilo::ui
