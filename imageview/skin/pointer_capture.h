// The pointer capture of a skinned control: while held, the control gets
// every pointer event, also outside its rectangle, so it notices the
// pointer leaving. Held() is the control's own record, so its rules work the
// same where the window system grants no real grab (offscreen, some
// compositors); there the control also hears of leaving by leave events.
#pragma once

#include <QWidget>

namespace orvilo::imageview {

class PointerCapture {
 public:
  explicit PointerCapture(QWidget* owner) : owner_(owner) {}
  ~PointerCapture() { Release(); }
  PointerCapture(const PointerCapture&) = delete;
  PointerCapture& operator=(const PointerCapture&) = delete;

  void Take() {
    if (held_) return;
    held_ = true;
    if (owner_->isVisible()) owner_->grabMouse();
  }
  void Release() {
    if (!held_) return;
    held_ = false;
    if (QWidget::mouseGrabber() == owner_) owner_->releaseMouse();
  }
  bool Held() const { return held_; }

 private:
  QWidget* owner_;
  bool held_ = false;
};

}  // namespace orvilo::imageview
