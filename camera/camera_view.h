// The live camera view as the main window sees it: binding a device,
// resolution, picture transforms, snapshots, focus and recording.
// CVyr3CameraWnd is the real window; tests put a recording double in its place.
#pragma once

#include <string>

#include "core/camera_model.h"
#include "camera/capture_devices.h"
#include "drawing/stroke.h"
#include "platform/gdi/packed_dib.h"
#include "platform/win/window.h"
#include "core/view_mode.h"

namespace orvilo::camera {

// Status text drawn over the picture until the first frame arrives;
// Disconnected over the last picture while a lost camera is waited for.
enum class OverlayStatus { None = 0, PleaseWait = 1, Capturing = 2, Disconnected = 3 };

class CameraView : public win::Window {
  Q_OBJECT
 public:
  using win::Window::Window;

  // Stops whatever runs, opens the device (and microphone, may be null) and
  // starts the preview.
  virtual void SelectDevices(const CaptureDevice& video, const CaptureDevice* audio) = 0;
  // Sets the capture size for the next preview; does not touch a running one.
  virtual void SetResolution(core::CameraModel model, core::ResolutionIndex index) = 0;
  virtual core::ResolutionIndex GetResolutionIndex(core::CameraModel model) const = 0;
  // The model the view holds (a model-6 camera may turn out to be model 8).
  virtual core::CameraModel Model() const = 0;
  // Freezes or resumes the live picture; true when a running preview changed.
  virtual bool TogglePause() = 0;
  virtual void CloseCamera() = 0;

  virtual bool StartRecording(const std::string& fileName) = 0;
  virtual bool StopRecording() = 0;

  // A copy of the current frame (empty when none); freeze stops the preview
  // callback from storing further frames.
  virtual gdi::PackedDib TakeSnapshot(bool freeze) = 0;
  // Writes a bitmap file; nothing is written for an empty path or picture.
  virtual void SaveBitmapFile(const std::string& path, const gdi::PackedDib& picture) = 0;

  virtual void SetZoom(double factor) = 0;
  // 1 keeps the aspect ratio, 0 stretches, 2 toggles.
  virtual void SetFitMode(int mode) = 0;
  virtual void ShowNavigator(bool show) = 0;
  virtual void SetArrangement(Arrangement arrangement) = 0;

  virtual void ToggleNegative() = 0;
  virtual void ToggleBlackWhite() = 0;
  virtual void ToggleMirror() = 0;
  virtual void ToggleFlip() = 0;
  virtual void RotateQuarter() = 0;
  virtual int Rotation() const = 0;  // quarter turns 0..3
  virtual void SetRotation(int quarterTurns) = 0;

  virtual void AutoFocus() = 0;
  virtual void ToggleFocusPopup() = 0;
  virtual void ShowCameraPropertyPages(QWidget* owner) = 0;

  // The picture-controls popup (brightness, contrast, exposure, white
  // balance, power line) of the bound camera, shown or hidden; and the
  // settings file where the chosen values are kept per camera model and
  // read back whenever a camera is bound.
  virtual void TogglePictureControls() = 0;
  virtual void SetSettingsFile(const std::string& path) = 0;
  // Interval capture: a still every `seconds` (clamped to 1..3600) into
  // `folder`, counted on the picture. False when no camera is bound.
  virtual bool StartIntervalCapture(const std::string& folder, int seconds) = 0;
  virtual void StopIntervalCapture() = 0;
  virtual bool IntervalCaptureRunning() const = 0;
  // Time-lapse: one frame every `seconds` (clamped to 1..3600) of the
  // camera's stream into the AVI `fileName` at 30 fps, counted on the
  // picture; a recording in every other way (StopRecording ends it). False
  // when no camera is bound, a recording runs or the file cannot be made.
  virtual bool StartTimeLapse(const std::string& fileName, int seconds) = 0;
  virtual bool TimeLapseRunning() const = 0;

  // The filmstrip: the stills written since the program started, along
  // the bottom of the view; open or closed, and a still's file by its place
  // (empty when there is none).
  virtual void ShowFilmstrip(bool show) = 0;
  virtual bool FilmstripShown() const = 0;
  virtual std::string FilmstripStill(int index) const = 0;

  // The drawing over the live picture: shown (and taking the pointer) or
  // hidden with its strokes kept; cleared; its pen. A snapshot with the
  // drawing is the current frame with the shown strokes drawn into it at the
  // frame's own resolution (empty when there is no frame).
  virtual void ShowLiveDrawing(bool show) = 0;
  virtual bool LiveDrawingShown() const = 0;
  virtual void ClearLiveDrawing() = 0;
  virtual void SetLiveDrawingTool(drawing::StrokeKind tool) = 0;
  virtual void SetLiveDrawingPenWidth(int width) = 0;
  virtual void SetLiveDrawingPenColour(int entry) = 0;
  virtual gdi::PackedDib TakeAnnotatedSnapshot() = 0;

  virtual OverlayStatus GetOverlayStatus() const = 0;
  virtual void SetOverlayStatus(OverlayStatus status) = 0;
};

}  // namespace orvilo::camera
