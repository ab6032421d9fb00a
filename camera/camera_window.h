// CVyr3CameraWnd, the live camera view. What exists now: the capture size
// by model and resolution, the picture-transform and layout state, the
// Split sizing edge and inset behaviour that report to the main window, and
// still-picture files. The capture pipeline that fills it with frames comes
// with the capture graph; until then the view stays empty.
#pragma once

#include "camera/camera_view.h"

namespace orvilo::camera {

class CVyr3CameraWnd : public CameraView {
  Q_OBJECT
 public:
  explicit CVyr3CameraWnd(QWidget* parent = nullptr);

  void SelectDevices(const CaptureDevice& video, const CaptureDevice* audio) override;
  void SetResolution(core::CameraModel model, core::ResolutionIndex index) override;
  core::ResolutionIndex GetResolutionIndex(core::CameraModel model) const override;
  core::CameraModel Model() const override { return model_; }
  bool TogglePause() override;
  void CloseCamera() override;
  bool StartRecording(const std::string& fileName) override;
  bool StopRecording() override;
  gdi::PackedDib TakeSnapshot(bool freeze) override;
  void SaveBitmapFile(const std::string& path, const gdi::PackedDib& picture) override;
  void SetZoom(double factor) override { zoom_ = factor; }
  void SetFitMode(int mode) override;
  void ShowNavigator(bool) override {}
  void SetArrangement(Arrangement arrangement) override;
  void ToggleNegative() override { negative_ = !negative_; }
  void ToggleBlackWhite() override { blackWhite_ = !blackWhite_; }
  void ToggleMirror() override { mirror_ = !mirror_; }
  void ToggleFlip() override { flip_ = !flip_; }
  void RotateQuarter() override { rotation_ = (rotation_ + 1) % 4; }
  int Rotation() const override { return rotation_; }
  void SetRotation(int quarterTurns) override;
  void AutoFocus() override {}
  void ToggleFocusPopup() override {}
  void ShowCameraPropertyPages(QWidget*) override {}
  OverlayStatus GetOverlayStatus() const override { return overlay_; }
  void SetOverlayStatus(OverlayStatus status) override { overlay_ = status; }

  win::HitTest HitTestAt(const QPoint& point) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void OnExitSizeMove() override;

 private:
  void PostToMainWindow(int commandId);

  core::CameraModel model_ = core::kNoCamera;
  core::FrameSize size_{1280, 1024};
  int rotation_ = 0;
  bool mirror_ = false;
  bool flip_ = false;
  bool negative_ = false;
  bool blackWhite_ = false;
  bool paused_ = false;
  int fitMode_ = 1;
  double zoom_ = 1.0;
  Arrangement arrangement_ = Arrangement::Normal;
  OverlayStatus overlay_ = OverlayStatus::None;
  std::optional<CaptureDevice> device_;
};

}  // namespace orvilo::camera
