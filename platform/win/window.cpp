#include "platform/win/window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QThread>
#include <QTimerEvent>
#include <QWindow>
#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

namespace orvilo::win {

// The memory behind a vx_hwnd. It outlives its window: the window only
// clears `target` (under the slot's lock) when it dies, so an engine that
// posts late finds no window instead of freed memory.
struct HandleSlot {
  vx_window_handle handle{};
  std::mutex mutex;
  Window* target = nullptr;
};

namespace {

class MessageEvent : public QEvent {
 public:
  explicit MessageEvent(const Msg& message) : QEvent(Type()), message_(message) {}
  static QEvent::Type Type() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
  }
  const Msg& message() const { return message_; }

 private:
  Msg message_;
};

struct HandleRegistry {
  std::mutex mutex;
  std::vector<std::unique_ptr<HandleSlot>> entries;
};

// Never destroyed: engines may post from their threads while the process
// exits, after static destructors would have run.
HandleRegistry& Registry() {
  static auto* registry = new HandleRegistry;
  return *registry;
}

// Handle numbers start high so that 0 and small numbers never name a window.
constexpr std::uint32_t kFirstHandleId = 0x10000;

int PostThroughHandle(vx_hwnd handle, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  auto* slot = static_cast<HandleSlot*>(handle->owner);
  std::lock_guard lock(slot->mutex);
  if (slot->target == nullptr) return 0;
  QCoreApplication::postEvent(slot->target, new MessageEvent(Msg{message, wParam, lParam}));
  return 1;
}

Qt::Edges EdgesOf(HitTest hit) {
  switch (hit) {
    case HitTest::Left: return Qt::LeftEdge;
    case HitTest::Right: return Qt::RightEdge;
    case HitTest::Top: return Qt::TopEdge;
    case HitTest::Bottom: return Qt::BottomEdge;
    case HitTest::TopLeft: return Qt::TopEdge | Qt::LeftEdge;
    case HitTest::TopRight: return Qt::TopEdge | Qt::RightEdge;
    case HitTest::BottomLeft: return Qt::BottomEdge | Qt::LeftEdge;
    case HitTest::BottomRight: return Qt::BottomEdge | Qt::RightEdge;
    default: return {};
  }
}

Qt::CursorShape CursorOf(HitTest hit) {
  switch (hit) {
    case HitTest::Left:
    case HitTest::Right: return Qt::SizeHorCursor;
    case HitTest::Top:
    case HitTest::Bottom: return Qt::SizeVerCursor;
    case HitTest::TopLeft:
    case HitTest::BottomRight: return Qt::SizeFDiagCursor;
    case HitTest::TopRight:
    case HitTest::BottomLeft: return Qt::SizeBDiagCursor;
    default: return Qt::ArrowCursor;
  }
}

bool IsNonClient(HitTest hit) { return hit != HitTest::Client && hit != HitTest::Nowhere; }

}  // namespace

Window::Window(QWidget* parent) : QWidget(parent) {}

Window::~Window() {
  if (handle_ != nullptr) {
    std::lock_guard lock(handle_->mutex);
    handle_->target = nullptr;
  }
}

bool Window::Create(QWidget* parent, const QString& windowName, int controlId, const QRect& rect, bool visible) {
  setParent(parent);
  setObjectName(windowName);
  SetControlId(controlId);
  setGeometry(rect);
  if (!OnCreate()) {
    hide();
    return false;
  }
  setVisible(visible);
  return true;
}

void Window::SetControlId(int id) {
  controlId_ = id;
  setProperty("controlId", id);
}

bool Window::PostMessage(std::uint32_t id, std::uintptr_t wParam, std::intptr_t lParam) {
  return vx_post_message(Handle(), id, wParam, lParam) != 0;
}

std::intptr_t Window::SendMessage(std::uint32_t id, std::uintptr_t wParam, std::intptr_t lParam) {
  const Msg message{id, wParam, lParam};
  if (QThread::currentThread() == thread()) return OnMessage(message);
  std::intptr_t result = 0;
  QMetaObject::invokeMethod(
      this, [&] { result = OnMessage(message); }, Qt::BlockingQueuedConnection);
  return result;
}

vx_hwnd Window::Handle() {
  if (handle_ == nullptr) {
    auto& registry = Registry();
    std::lock_guard lock(registry.mutex);
    auto slot = std::make_unique<HandleSlot>();
    slot->handle.id = kFirstHandleId + static_cast<std::uint32_t>(registry.entries.size());
    slot->handle.post = &PostThroughHandle;
    slot->handle.owner = slot.get();
    slot->target = this;
    handle_ = slot.get();
    registry.entries.push_back(std::move(slot));
  }
  return &handle_->handle;
}

Window* Window::FromHandle(vx_hwnd handle) {
  if (handle == nullptr || handle->post != &PostThroughHandle) return nullptr;
  auto* slot = static_cast<HandleSlot*>(handle->owner);
  std::lock_guard lock(slot->mutex);
  return slot->target;
}

Window* Window::FromHandleId(std::uint32_t id) {
  auto& registry = Registry();
  HandleSlot* slot = nullptr;
  {
    std::lock_guard lock(registry.mutex);
    if (id < kFirstHandleId || id - kFirstHandleId >= registry.entries.size()) return nullptr;
    slot = registry.entries[id - kFirstHandleId].get();
  }
  return FromHandle(&slot->handle);
}

void Window::SetTimer(int id, int milliseconds) {
  KillTimer(id);
  const int qtTimer = startTimer(std::max(milliseconds, 0));
  if (qtTimer != 0) timers_[id] = {qtTimer, milliseconds};
}

void Window::KillTimer(int id) {
  const auto found = timers_.find(id);
  if (found == timers_.end()) return;
  killTimer(found->second.first);
  timers_.erase(found);
}

std::optional<int> Window::TimerInterval(int id) const {
  const auto found = timers_.find(id);
  if (found == timers_.end()) return std::nullopt;
  return found->second.second;
}

void Window::timerEvent(QTimerEvent* event) {
  for (const auto& [id, timer] : timers_) {
    if (timer.first == event->timerId()) {
      OnMessage(Msg{kTimer, static_cast<std::uintptr_t>(id), 0});
      return;
    }
  }
  QWidget::timerEvent(event);
}

std::intptr_t Window::OnMessage(const Msg& message) {
  switch (message.id) {
    case kCommand: OnCommand(LowWord(message.wParam)); break;
    case kTimer: OnTimer(static_cast<int>(message.wParam)); break;
    default: break;
  }
  return 0;
}

bool Window::OnCommand(int) { return false; }

void Window::OnTimer(int) {}

HitTest Window::HitTestAt(const QPoint&) const { return HitTest::Client; }

void Window::SetCapture() {
  if (captured_) return;
  captured_ = true;
  if (isVisible()) grabMouse();
}

void Window::ReleaseCapture() {
  if (!captured_) return;
  captured_ = false;
  if (QWidget::mouseGrabber() == this) releaseMouse();
}

bool Window::event(QEvent* event) {
  if (event->type() == MessageEvent::Type()) {
    OnMessage(static_cast<MessageEvent*>(event)->message());
    return true;
  }
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) break;
      const HitTest hit = HitTestAt(mouse->position().toPoint());
      if (IsNonClient(hit) && BeginTracking(hit, mouse->globalPosition().toPoint())) return true;
      break;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (tracking_) {
        UpdateTracking(mouse->globalPosition().toPoint());
        return true;
      }
      if (hasMouseTracking() && mouse->buttons() == Qt::NoButton) {
        const HitTest hit = HitTestAt(mouse->position().toPoint());
        if (IsNonClient(hit) && hit != HitTest::Caption) {
          setCursor(CursorOf(hit));
        } else {
          unsetCursor();
        }
      }
      break;
    }
    case QEvent::MouseButtonRelease:
      if (tracking_) {
        UpdateTracking(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        EndTracking();
        return true;
      }
      break;
    default: break;
  }
  return QWidget::event(event);
}

bool Window::BeginTracking(HitTest edge, const QPoint& global) {
  OnEnterSizeMove();
  // A top-level window lets the window system move or size it where it can
  // (the only way on Wayland); the end of such a gesture is not reported, so
  // it counts as ended at once.
  if (isWindow() && windowHandle() != nullptr) {
    const bool started =
        edge == HitTest::Caption ? windowHandle()->startSystemMove() : windowHandle()->startSystemResize(EdgesOf(edge));
    if (started) {
      OnExitSizeMove();
      return true;
    }
  }
  tracking_ = Tracking{edge, global, geometry()};
  return true;
}

QRect Window::ProposedGeometry(const Tracking& tracking, const QPoint& global) {
  const QPoint delta = global - tracking.startGlobal;
  QRect rect = tracking.startGeometry;
  if (tracking.edge == HitTest::Caption) {
    rect.translate(delta);
    return rect;
  }
  const Qt::Edges edges = EdgesOf(tracking.edge);
  if (edges & Qt::LeftEdge) rect.setLeft(rect.left() + delta.x());
  if (edges & Qt::RightEdge) rect.setRight(rect.right() + delta.x());
  if (edges & Qt::TopEdge) rect.setTop(rect.top() + delta.y());
  if (edges & Qt::BottomEdge) rect.setBottom(rect.bottom() + delta.y());
  return rect;
}

void Window::UpdateTracking(const QPoint& global) {
  QRect proposed = ProposedGeometry(*tracking_, global);
  if (tracking_->edge == HitTest::Caption) {
    if (!dragBounds_.isEmpty()) {
      const QRect& b = dragBounds_;
      proposed.moveLeft(std::clamp(proposed.left(), b.left(), std::max(b.left(), b.right() + 1 - proposed.width())));
      proposed.moveTop(std::clamp(proposed.top(), b.top(), std::max(b.top(), b.bottom() + 1 - proposed.height())));
    }
    OnMoving(proposed);
  } else {
    // The minimum size is the minimum tracking size: the moving edge stops
    // where the window would become smaller.
    const Qt::Edges edges = EdgesOf(tracking_->edge);
    const QSize minimum = minimumSize();
    const QSize maximum = maximumSize();
    const int width = std::clamp(proposed.width(), minimum.width(), maximum.width());
    const int height = std::clamp(proposed.height(), minimum.height(), maximum.height());
    if (edges & Qt::LeftEdge) {
      proposed.setLeft(proposed.right() - width + 1);
    } else {
      proposed.setWidth(width);
    }
    if (edges & Qt::TopEdge) {
      proposed.setTop(proposed.bottom() - height + 1);
    } else {
      proposed.setHeight(height);
    }
    OnSizing(tracking_->edge, proposed);
  }
  if (proposed != geometry()) setGeometry(proposed);
}

void Window::EndTracking() {
  tracking_.reset();
  OnExitSizeMove();
}

}  // namespace orvilo::win
