#include "ui/skin_progress_bar.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ui/skin_resources.h"
#include "platform/gdi/key_colour.h"

namespace orvilo::ui {
namespace {

constexpr int kThumbLooks = 3;

QPoint PointOf(const QMouseEvent* event) { return event->position().toPoint(); }

}  // namespace

CSkinPrograssBar::CSkinPrograssBar(QWidget* parent) : win::Window(parent) { setMouseTracking(true); }

CSkinPrograssBar::~CSkinPrograssBar() = default;

bool CSkinPrograssBar::Create(int messageNumber, win::Window* parent, int fillOffset, int bitmapBase, int x, int y) {
  if (parent == nullptr || messageNumber == 0) return false;
  parent_ = parent;
  const QImage background = LoadSkinBitmap(bitmapBase);
  const QImage fill = LoadSkinBitmap(bitmapBase + 1);
  const QImage thumb = LoadSkinBitmap(bitmapBase + 2);
  background_ = gdi::KeyColourToTransparent(background);
  fillPicture_ = gdi::KeyColourToTransparent(fill);
  thumbPicture_ = gdi::KeyColourToTransparent(thumb);
  fill_ = gdi::Rect{0, fillOffset, fill.width(), fill.height() + fillOffset};
  thumb_ = gdi::Rect{0, 0, thumb.width() / kThumbLooks, thumb.height()};
  return win::Window::Create(parent, QStringLiteral("SkinPrograssBar%1").arg(messageNumber), messageNumber,
                             QRect(x, y, background.width(), background.height()), true);
}

int CSkinPrograssBar::Span() const { return width() - thumb_.Width(); }

void CSkinPrograssBar::SetPosition(long long value, long long total) {
  if (state != ThumbState::Idle || total <= 0) return;
  // value × width overflows 64 bits for values near the top of the range.
  const auto centre = static_cast<__int128>(std::clamp(value, 0LL, total)) * width() / total;
  MoveThumb(ThumbLeftFor(static_cast<int>(centre)));
}

bool CSkinPrograssBar::ReportsWhileDragging() const { return MessageNumber() == 1276 || MessageNumber() == 1835; }

int CSkinPrograssBar::ThumbLeftFor(int x) const {
  const int left = std::max(x - thumb_.Width() / 2, 0);
  return left + thumb_.Width() > width() ? std::max(Span(), 0) : left;
}

int CSkinPrograssBar::PercentAt(int x) const {
  const int span = Span();
  if (span <= 0) return 0;
  return std::clamp(x, 0, span) * 100 / span;
}

void CSkinPrograssBar::MoveThumb(int left) {
  if (left == thumb_.left) return;
  thumb_ = thumb_.Offset(left - thumb_.left, 0);
  update();
}

void CSkinPrograssBar::Report(int percent, int lParam) {
  if (parent_ != nullptr) parent_->PostMessage(static_cast<std::uint32_t>(MessageNumber()), static_cast<std::uintptr_t>(percent), lParam);
}

void CSkinPrograssBar::paintEvent(QPaintEvent*) {
  QImage canvas(size(), QImage::Format_RGB32);
  canvas.fill(Qt::black);
  {
    QPainter painter(&canvas);
    painter.drawImage(0, 0, background_);
    if (thumb_.left > 0 && !fillPicture_.isNull()) {
      painter.drawImage(QPoint(0, fill_.top), fillPicture_, QRect(0, 0, thumb_.left, fill_.Height()));
    }
    if (!thumbPicture_.isNull()) {
      const QRect look(static_cast<int>(state) * thumb_.Width(), 0, thumb_.Width(), thumb_.Height());
      painter.drawImage(QPoint(thumb_.left, 0), thumbPicture_, look);
    }
  }
  QPainter(this).drawImage(0, 0, canvas);
}

void CSkinPrograssBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || enabled == 0) return;
  const QPoint point = PointOf(event);
  const gdi::Point at{point.x(), point.y()};
  if (thumb_.Contains(at)) {
    SetCapture();
    state = ThumbState::Dragging;
    update();
  } else if (fill_.Contains(at)) {
    MoveThumb(ThumbLeftFor(at.x));
    Report(Span() > 0 ? thumb_.left * 100 / Span() : 0, static_cast<int>(state));
    update();
  }
}

void CSkinPrograssBar::mouseMoveEvent(QMouseEvent* event) {
  if (enabled == 0) return;
  const QPoint point = PointOf(event);
  if (state == ThumbState::Dragging) {
    MoveThumb(ThumbLeftFor(point.x()));
    if (ReportsWhileDragging()) Report(PercentAt(point.x()), 2);
    return;
  }
  if (thumb_.Contains(gdi::Point{point.x(), point.y()})) {
    SetCapture();
    if (state != ThumbState::Hover) {
      state = ThumbState::Hover;
      update();
    }
  } else {
    ReleaseCapture();
    if (state == ThumbState::Hover) {
      state = ThumbState::Idle;
      update();
    }
  }
}

void CSkinPrograssBar::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || enabled == 0 || !HasCapture()) return;
  ReleaseCapture();
  if (state == ThumbState::Dragging) {
    state = ThumbState::Idle;
    Report(PercentAt(PointOf(event).x()), 0);
    update();
  }
}

void CSkinPrograssBar::leaveEvent(QEvent* event) {
  // Without a real pointer grab the window system tells us here instead.
  if (enabled != 0 && state == ThumbState::Hover) {
    ReleaseCapture();
    state = ThumbState::Idle;
    update();
  }
  win::Window::leaveEvent(event);
}

void CSkinPrograssBar::hideEvent(QHideEvent* event) {
  // A hidden slider never sees the release or the leave that would end a
  // drag or hover, and SetPosition would be ignored from then on.
  ReleaseCapture();
  state = ThumbState::Idle;
  win::Window::hideEvent(event);
}

}  // namespace orvilo::ui
