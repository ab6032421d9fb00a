#include "camera/focus_popup.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ui/skin/skin_ids.h"
#include "ui/skin_resources.h"

namespace orvilo::camera {
namespace {

const QRect kStepDownRect(13, 6, 23, 23);
const QRect kStepUpRect(325, 6, 23, 23);
const QRect kTrackRect(51, 10, CVyrMFocusWnd::kTrackLength, 16);

}  // namespace

CVyrMFocusWnd::CVyrMFocusWnd(QWidget* parent) : win::Window(parent) {
  background_ = ui::LoadSkinBitmap(skin::kFocusBackground);
  resize(360, 36);
}

void CVyrMFocusWnd::ShowOnSlider(int value) {
  if (scaleMaximum_ > 0) {
    sliderScale_ = kTrackLength;
    sliderPosition_ = value * 254 / scaleMaximum_ + 3;
  } else {
    sliderScale_ = 256;
    sliderPosition_ = std::min(value, 256);
  }
  update();
}

void CVyrMFocusWnd::SetValue(int value, int scaleMaximum) {
  value_ = value;
  scaleMaximum_ = scaleMaximum;
  ShowOnSlider(value);
}

bool CVyrMFocusWnd::OnCommand(int commandId) {
  if (commandId == kStepDown) {
    if (value_ == 0) return true;
    --value_;
  } else if (commandId == kStepUp) {
    if (value_ >= (scaleMaximum_ == 0 ? 256 : scaleMaximum_)) return true;
    ++value_;
  } else {
    return win::Window::OnCommand(commandId);
  }
  ShowOnSlider(value_);
  if (setFocus_) setFocus_(value_);
  return true;
}

void CVyrMFocusWnd::OnSlider(int percent, bool final) {
  percent = std::clamp(percent, 0, 100);
  int value;
  if (scaleMaximum_ > 0) {
    value = scaleMaximum_ * percent / 100;
    if (final) ShowOnSlider(value);
    if (value == value_) return;
  } else {
    value = percent * 256 / 100;
  }
  value_ = value;
  if (setFocus_) setFocus_(value_);
}

int CVyrMFocusWnd::PercentAt(int x) const { return std::clamp((x - kTrackRect.left()) * 100 / kTrackLength, 0, 100); }

void CVyrMFocusWnd::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (kStepDownRect.contains(at)) OnCommand(kStepDown);
  else if (kStepUpRect.contains(at)) OnCommand(kStepUp);
  else if (kTrackRect.contains(at)) {
    dragging_ = true;
    OnSlider(PercentAt(at.x()), false);
  }
}

void CVyrMFocusWnd::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_) OnSlider(PercentAt(event->position().toPoint().x()), false);
}

void CVyrMFocusWnd::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragging_) return;
  dragging_ = false;
  OnSlider(PercentAt(event->position().toPoint().x()), true);
}

void CVyrMFocusWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!background_.isNull()) painter.drawImage(0, 0, background_);
  else painter.fillRect(rect(), QColor(57, 57, 57));
  const int knob = kTrackRect.left() + sliderPosition_ * kTrackLength / std::max(1, sliderScale_);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(230, 230, 230));
  painter.drawRoundedRect(QRect(knob - 4, kTrackRect.top(), 8, kTrackRect.height()), 3, 3);
}

}  // namespace orvilo::camera
