#include "ui/skin_button.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "ui/skin_resources.h"
#include "ui/touch_reach.h"
#include "platform/gdi/key_colour.h"

namespace orvilo::ui {
namespace {

constexpr int kToolTipMaximumWidth = 200;

bool IsInside(const QWidget* widget, const QMouseEvent* event) { return widget->rect().contains(event->position().toPoint()); }

}  // namespace

CSkinButton::CSkinButton(QWidget* parent) : win::Window(parent) {
  MarkTouchTarget(this);  // a finger reaches it from 40 px around (touch_reach.h)
  setMouseTracking(true);
  setCursor(Qt::ArrowCursor);
}

CSkinButton::~CSkinButton() = default;

bool CSkinButton::Create(int commandId, win::Window* parent, int bitmapId, int x, int y, bool korean) {
  if (bitmapId == 0 || commandId == 0) return false;
  const QImage strip = LoadSkinBitmap(bitmapId, korean);
  if (strip.isNull()) return false;
  return CreateFromStrip(strip, commandId, 4, parent, x, y);
}

bool CSkinButton::CreateFromFile(const std::string& path, int commandId, int frameCount, win::Window* parent, int x,
                                 int y) {
  if (path.empty() || parent == nullptr || commandId == 0) return false;
  const QString file = QString::fromStdString(path);
  if (!QFileInfo(file).isFile()) return false;
  const QImage strip(file);
  if (strip.isNull()) return false;
  return CreateFromStrip(strip, commandId, frameCount, parent, x, y);
}

bool CSkinButton::CreateFromStrip(const QImage& strip, int commandId, int frameCount, win::Window* parent, int x,
                                  int y) {
  // A strip narrower than its frame count would give empty looks.
  if (strip.isNull() || parent == nullptr || commandId == 0 || frameCount <= 0 || strip.width() < frameCount) return false;
  strip_ = gdi::KeyColourToTransparent(strip);
  frameCount_ = frameCount;
  frameSize_ = QSize(strip.width() / frameCount, strip.height());
  parent_ = parent;
  return win::Window::Create(parent, QString(), commandId, QRect(QPoint(x, y), frameSize_), true);
}

void CSkinButton::SetToolTip(const std::string& text) {
  if (text.empty()) return;
  toolTip_ = text;
  const QString tip = QString::fromStdString(text);
  if (QFontMetrics(font()).horizontalAdvance(tip) <= kToolTipMaximumWidth) {
    setToolTip(tip);
  } else {
    setToolTip(QStringLiteral("<table width=\"%1\"><tr><td>%2</td></tr></table>")
                   .arg(kToolTipMaximumWidth)
                   .arg(tip.toHtmlEscaped()));
  }
}

void CSkinButton::SyncLook() {
  look = toggleState == ToggleState::On || toggleState == ToggleState::Pressing ? ButtonLook::Pressed : ButtonLook::Normal;
  update();
}

void CSkinButton::paintEvent(QPaintEvent*) {
  const int frame = static_cast<int>(look);
  if (strip_.isNull() || frame >= frameCount_) return;
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), strip_, QRect(QPoint(frame * frameSize_.width(), 0), frameSize_));
}

void CSkinButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || Ignoring()) return;
  if (toggle != 0 && (toggleState == ToggleState::On || toggleState == ToggleState::Pressing)) {
    look = ButtonLook::Normal;
    toggleState = ToggleState::ReleasingOn;
  } else {
    look = ButtonLook::Pressed;
    toggleState = ToggleState::Pressing;
  }
  update();
}

void CSkinButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || Ignoring()) return;
  ReleaseCapture();
  const bool inside = IsInside(this, event);
  if (toggle != 0) {
    const ToggleState before = toggleState;
    if (before == ToggleState::ReleasingOn) toggleState = ToggleState::Off;
    if (before == ToggleState::Pressing) toggleState = ToggleState::On;
    // The look shows the state the button ends in, also when the press was
    // cancelled by leaving the button.
    look = toggleState == ToggleState::On ? ButtonLook::Pressed : ButtonLook::Normal;
    update();
    if ((before == ToggleState::ReleasingOn || before == ToggleState::Pressing) && inside) PostClick();
    return;
  }
  look = ButtonLook::Normal;
  update();
  if (inside && toggleState == ToggleState::Pressing) PostClick();
  toggleState = ToggleState::Off;
}

void CSkinButton::mouseMoveEvent(QMouseEvent* event) {
  if (Ignoring()) return;
  if (IsInside(this, event)) {
    PointerMovedInside();
  } else {
    PointerMovedOutside();
  }
}

void CSkinButton::leaveEvent(QEvent* event) {
  // Without a real pointer grab the window system tells us here instead.
  if (!Ignoring()) PointerMovedOutside();
  win::Window::leaveEvent(event);
}

void CSkinButton::hideEvent(QHideEvent* event) {
  ReleaseCapture();
  win::Window::hideEvent(event);
}

void CSkinButton::PointerMovedInside() {
  SetCapture();
  const bool settled = toggleState == ToggleState::Off || toggleState == ToggleState::On;
  // A held press keeps its pressed look until it is released.
  if (toggle != 0 ? settled : toggleState != ToggleState::Pressing) {
    if (look != ButtonLook::Hover) {
      look = ButtonLook::Hover;
      update();
    }
  }
}

void CSkinButton::PointerMovedOutside() {
  ReleaseCapture();
  if (toggle != 0) {
    if (toggleState == ToggleState::ReleasingOn) toggleState = ToggleState::On;
    if (toggleState == ToggleState::Pressing) toggleState = ToggleState::Off;
    if (look == ButtonLook::Hover) {
      look = toggleState == ToggleState::On ? ButtonLook::Pressed : ButtonLook::Normal;
      update();
    }
    return;
  }
  if (look == ButtonLook::Hover) {
    look = ButtonLook::Normal;
    update();
  }
  toggleState = ToggleState::Off;
}

void CSkinButton::PostClick() {
  if (parent_ != nullptr) parent_->PostCommand(CommandId());
}

}  // namespace orvilo::ui
