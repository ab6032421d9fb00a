// CVyrMFocusWnd: the manual-focus strip inside the camera view: a step-down
// button, a slider and a step-up button that set the camera's focus by hand.
// Created hidden by the camera view, which places and shows it.
#pragma once

#include <QImage>
#include <functional>

#include "platform/win/window.h"

namespace orvilo::camera {

class CVyrMFocusWnd : public win::Window {
  Q_OBJECT
 public:
  static constexpr int kStepDown = 1833;
  static constexpr int kStepUp = 1834;
  static constexpr int kSlider = 1835;
  static constexpr int kTrackLength = 261;

  explicit CVyrMFocusWnd(QWidget* parent = nullptr);

  // Where the popup sends a new focus value (the camera's SetFocusValue).
  void SetFocusSetter(std::function<void(int)> setter) { setFocus_ = std::move(setter); }

  // The value on a scale: maximum 0 is the fixed 0..256 scale, otherwise
  // the device's focus maximum minus one.
  void SetValue(int value, int scaleMaximum);
  int Value() const { return value_; }
  int ScaleMaximum() const { return scaleMaximum_; }
  // The slider's position and its scale (261 or 256).
  int SliderPosition() const { return sliderPosition_; }
  int SliderScale() const { return sliderScale_; }

  // The slider moved to `percent` 0..100; `final` on release.
  void OnSlider(int percent, bool final);

 protected:
  bool OnCommand(int commandId) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void ShowOnSlider(int value);
  int PercentAt(int x) const;

  std::function<void(int)> setFocus_;
  int value_ = 0;
  int scaleMaximum_ = 0;
  int sliderPosition_ = 0;
  int sliderScale_ = 256;
  bool dragging_ = false;
  QImage background_;
};

}  // namespace orvilo::camera
