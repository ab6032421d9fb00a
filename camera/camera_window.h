// CVyr3CameraWnd, the live camera view: binds a capture device, runs the
// capture graph (platform/media) and shows its frames fitted, stretched or
// zoomed, with the picture transforms, the status texts, the navigator and
// the focus popup.
//
// Threads: frames arrive on a streaming thread (StoreFrame). There the frame
// is converted, turned negative and rotated, then swapped into the one
// "latest frame" slot under the frame lock, and one repaint is posted; the
// newest frame wins and repaints merge. Nothing on that thread touches a
// widget. Errors of the graph are posted too and handled on the window's
// thread. Closing the camera (also done by the destructor) stops the graph,
// so no frame arrives after it.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>

#include <QImage>

#include "camera/camera_view.h"
#include "camera/filmstrip.h"
#include "camera/interval_capture.h"
#include "platform/gdi/rect.h"
#include "platform/media/capture_graph.h"
#include "platform/media/still_button.h"

namespace orvilo::ui {
class CNavigatorWnd;
}
namespace orvilo::camctl {
class ControlDevice;
}

namespace orvilo::camera {

class CVyrFilmstripWnd;
class CLiveDrawingLayer;
class CVyrMFocusWnd;
class CVyrPictureWnd;

enum class GraphState { None = 0, Previewing = 1, Recording = 2 };

class CVyr3CameraWnd : public CameraView {
  Q_OBJECT
 public:
  // Private messages: the graph has bus messages; a new frame is stored.
  static constexpr std::uint32_t kGraphEvent = 1325;
  static constexpr std::uint32_t kFrameStored = win::kUser + 0x3A0;
  static constexpr int kReconnectTimer = 1345;
  static constexpr int kReconnectMilliseconds = 3000;
  // How long a stop waits for the end of the stream to reach the file; a
  // shutdown must finish within 2 s, so the rest is left to the repair.
  static constexpr int kFinishMilliseconds = 1500;
  static constexpr int kIntervalTimer = 1346;

  explicit CVyr3CameraWnd(QWidget* parent = nullptr);
  ~CVyr3CameraWnd() override;

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
  void SetZoom(double factor) override;
  void SetFitMode(int mode) override;
  void ShowNavigator(bool show) override;
  void SetArrangement(Arrangement arrangement) override;
  void ToggleNegative() override { negative_ = !negative_; }
  void ToggleBlackWhite() override;
  void ToggleMirror() override;
  void ToggleFlip() override;
  void RotateQuarter() override;
  int Rotation() const override { return rotation_; }
  void SetRotation(int quarterTurns) override;
  void AutoFocus() override;
  void ToggleFocusPopup() override;
  void ShowCameraPropertyPages(QWidget* owner) override;
  // Picture controls and interval capture (camera_window_picture.cpp).
  void TogglePictureControls() override;
  void SetSettingsFile(const std::string& path) override { settingsPath_ = path; }
  bool StartIntervalCapture(const std::string& folder, int seconds) override;
  void StopIntervalCapture() override;
  bool IntervalCaptureRunning() const override { return interval_.Running(); }
  bool StartTimeLapse(const std::string& fileName, int seconds) override;
  bool TimeLapseRunning() const override { return state_ == GraphState::Recording && timeLapseSeconds_ > 0; }
  // Frames in the time-lapse file: of the running one, or of the last one
  // after its stop.
  int TimeLapseFrames() const { return TimeLapseRunning() ? graph_->TimeLapseFrames() : timeLapseFrames_; }
  // The filmstrip of this session's stills (camera_window_filmstrip.cpp).
  void ShowFilmstrip(bool show) override;
  bool FilmstripShown() const override;
  std::string FilmstripStill(int index) const override { return stills_.Path(index); }
  const Filmstrip& Stills() const { return stills_; }
  CVyrFilmstripWnd* FilmstripWindow() const { return filmstrip_; }
  // The drawing over the live picture (camera_window_drawing.cpp).
  void ShowLiveDrawing(bool show) override;
  bool LiveDrawingShown() const override;
  void ClearLiveDrawing() override;
  void SetLiveDrawingTool(drawing::StrokeKind tool) override;
  void SetLiveDrawingPenWidth(int width) override;
  void SetLiveDrawingPenColour(int entry) override;
  gdi::PackedDib TakeAnnotatedSnapshot() override;
  OverlayStatus GetOverlayStatus() const override { return static_cast<OverlayStatus>(overlay_.load()); }
  void SetOverlayStatus(OverlayStatus status) override { overlay_ = static_cast<int>(status); }

  win::HitTest HitTestAt(const QPoint& point) const override;

  // The capture state the graph is built from.
  media::CaptureFormat CaptureFormat() const;
  media::PreviewDecoder PreviewDecoderFor() const;
  bool StartPreview();
  void StopPreview();
  void SetFocusValue(int value);
  GraphState State() const { return state_; }
  const std::string& RecordingFile() const { return recordingFile_; }
  bool Paused() const { return paused_; }
  int RotateFlipCode() const { return rotateFlipCode_; }
  bool Colour() const { return colour_; }

  // On the streaming thread: one decoded frame in.
  void StoreFrame(const media::VideoFrame& frame);

  // Frames stored and painted so far, and the steady-clock time from the
  // last painted frame's arrival at the appsink to the end of its paint.
  std::uint64_t FramesStored() const { return framesStored_; }
  std::uint64_t FramesPainted() const { return framesPainted_; }
  std::int64_t LastArrivalToPaintNs() const { return lastLatencyNs_; }
  QImage CurrentFrame() const;
  ui::CNavigatorWnd* Navigator() const { return navigator_; }
  CVyrMFocusWnd* FocusPopup() const { return focusPopup_; }
  CVyrPictureWnd* PicturePopup() const { return picturePopup_; }
  CLiveDrawingLayer* LiveDrawing() const { return liveDrawing_; }
  const IntervalCapture& Interval() const { return interval_; }
  const gdi::Rect& ZoomSource() const { return zoomSource_; }

 protected:
  std::intptr_t OnMessage(const win::Msg& message) override;
  void OnTimer(int id) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void OnExitSizeMove() override;
  void OnSizing(win::HitTest edge, QRect& proposedGeometry) override;

 private:
  bool BuildPreview();
  // The recording graph into `fileName`; a time-lapse one when the seconds
  // are above 0.
  bool StartFileGraph(const std::string& fileName, int timeLapseSeconds);
  void OnGraphEvent();
  void OnFrameStored();
  void PlaceNavigator(bool show);
  void RecomputeRotateFlipCode();
  void CallDecoderSetBW(int blackWhite);
  void PostToMainWindow(int commandId);
  // The bound camera's controls: the demo camera's source element or the
  // V4L2 device (null without a camera).
  std::unique_ptr<camctl::ControlDevice> OpenControlDevice() const;
  void ApplySavedPictureControls();
  void OnPictureControl(int control, std::int32_t value, bool final);
  void TakeIntervalStill();
  // A still written to `path` joins the filmstrip.
  void AddStill(const std::string& path, const gdi::PackedDib& picture);
  void MakeFilmstrip();
  void PaintIntervalCount(QPainter& painter) const;
  // One badge at the top right ("● Interval 10 s · 3"); the n-th below the
  // ones before it.
  void PaintBadge(QPainter& painter, int row, const QColor& dot, const QString& text) const;
  // The drawing layer learns where the picture shows; its strokes follow a
  // new rotate/flip code of the picture.
  void PlaceLiveDrawing(const QRect& source, const QRect& target);
  void TurnLiveDrawing(int codeBefore, int codeAfter);

  core::CameraModel model_ = core::kNoCamera;
  core::FrameSize size_{1280, 1024};
  bool yuy2_ = false;
  int rotation_ = 0;
  bool mirror_ = false;
  bool flip_ = false;
  bool colour_ = true;
  bool paused_ = false;
  int fitMode_ = 1;
  double zoom_ = 1.0;
  gdi::Rect zoomSource_;
  Arrangement arrangement_ = Arrangement::Normal;
  GraphState state_ = GraphState::None;
  std::optional<CaptureDevice> video_;
  std::optional<CaptureDevice> audio_;
  std::unique_ptr<media::CaptureGraph> graph_;
  media::StillButton stillButton_;  // the camera's snapshot button, when it has one
  std::string recordingFile_;
  int timeLapseSeconds_ = 0;  // above 0 while the recording is a time-lapse
  int timeLapseFrames_ = 0;   // frames of the last time-lapse, after its stop
  bool lossLogged_ = false;
  bool formatRelaxed_ = false;  // the device refused the asked size: it keeps its own  // one log line per loss of the camera, not one per retry

  // Written by the streaming thread, read by the window's.
  std::atomic<int> overlay_{static_cast<int>(OverlayStatus::None)};
  std::atomic<bool> previewEnabled_{true};
  // The recording picture comes straight from the camera: no transforms.
  std::atomic<bool> recordingView_{false};
  std::atomic<bool> negative_{false};
  std::atomic<int> rotateFlipCode_{0};
  std::atomic<bool> repaintPending_{false};
  std::atomic<std::uint64_t> framesStored_{0};
  std::uint64_t framesPainted_ = 0;
  std::int64_t lastLatencyNs_ = 0;

  mutable std::mutex frameLock_;  // guards the two below
  QImage frame_;
  std::int64_t frameArrivalNs_ = 0;

  CLiveDrawingLayer* liveDrawing_ = nullptr;  // a child under the popups: Qt destroys it with the view
  ui::CNavigatorWnd* navigator_ = nullptr;
  CVyrMFocusWnd* focusPopup_ = nullptr;
  CVyrPictureWnd* picturePopup_ = nullptr;  // made when first shown
  std::string settingsPath_;
  IntervalCapture interval_;
  Filmstrip stills_;
  CVyrFilmstripWnd* filmstrip_ = nullptr;
  QImage splitBar_;
  QImage insetFrame_;
};

}  // namespace orvilo::camera
