#include "camera/record_window.h"

#include <QPainter>

#include "platform/win/window_shape.h"
#include "ui/skin/skin_ids.h"
#include "ui/skin_resources.h"

namespace orvilo::camera {

CVyr3RecordWnd::CVyr3RecordWnd(QWidget* parent) : RecordIndicator(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  hide();
}

CVyr3RecordWnd::~CVyr3RecordWnd() { StopBlinking(); }

// The window takes the shape of the picture's non-magenta pixels.
void CVyr3RecordWnd::EnsureReady() {
  if (state_ != State::Created) return;
  picture_ = ui::LoadSkinBitmap(skin::kRecordingIndicator);
  if (picture_.isNull()) return;
  resize(picture_.size());
  setMask(win::RegionFromKeyColour(picture_));
  state_ = State::Ready;
}

bool CVyr3RecordWnd::StartBlinking() {
  EnsureReady();
  if (timerRunning_ || state_ == State::Created || state_ == State::Blinking || picture_.isNull()) return false;
  if (const QWidget* owner = parentWidget()) {
    setGeometry(owner->width() - picture_.width() - kRightMargin, kTopOffset, picture_.width(), picture_.height());
  }
  SetTimer(kBlinkTimer, kBlinkMilliseconds);
  timerRunning_ = true;
  state_ = State::Blinking;
  return true;
}

void CVyr3RecordWnd::StopBlinking() {
  if (timerRunning_) KillTimer(kBlinkTimer);
  timerRunning_ = false;
  if (isVisible()) hide();
  if (state_ != State::Created) state_ = State::Stopped;
}

void CVyr3RecordWnd::OnTimer(int id) {
  if (id != kBlinkTimer) {
    RecordIndicator::OnTimer(id);
    return;
  }
  // One shot at a time: each expiry arms the next.
  KillTimer(kBlinkTimer);
  timerRunning_ = false;
  if (state_ == State::Blinking) {
    setVisible(!isVisible());
    if (isVisible()) raise();
    SetTimer(kBlinkTimer, kBlinkMilliseconds);
    timerRunning_ = true;
  } else if (isVisible()) {
    hide();
  }
}

void CVyr3RecordWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

}  // namespace orvilo::camera
