#include "camera/camera_window.h"

#include <linux/videodev2.h>

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "camera/demo_camera_page.h"
#include "camera/filmstrip_window.h"
#include "camera/focus_popup.h"
#include "camera/picture_popup.h"
#include "camera/frame_transforms.h"
#include "camera/live_drawing_layer.h"
#include "camera/live_view_geometry.h"
#include "core/command_ids.h"
#include "platform/camctl/camera_controls.h"
#include "platform/camctl/control_dialog.h"
#include "platform/gdi/bitmap_file.h"
#include "platform/gdi/key_colour.h"
#include "platform/gdi/qimage_conversion.h"
#include "platform/gdi/rotate_flip.h"
#include "platform/media/avi_repair.h"
#include "platform/media/gstreamer_runtime.h"
#include "platform/sys/dynamic_library.h"
#include "platform/sys/program_folder.h"
#include "ui/navigator_window.h"
#include "ui/skin/skin_ids.h"
#include "ui/skin_resources.h"

namespace orvilo::camera {
namespace {

constexpr QColor kBackground(57, 57, 57);
// Control id of the camera view's navigator, "CAMERANAVI".
constexpr int kCameraNavigatorId = 1328;

std::int64_t SteadyNowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void Log(const std::string& line) { std::fprintf(stderr, "camera: %s\n", line.c_str()); }

}  // namespace

CVyr3CameraWnd::CVyr3CameraWnd(QWidget* parent) : CameraView(parent) {
  setMouseTracking(true);
  setCursor(Qt::ArrowCursor);
  InstallDemoCameraPage();
  splitBar_ = ui::LoadSkinBitmap(skin::kSplitBar);
  insetFrame_ = gdi::KeyColourToTransparent(ui::LoadSkinBitmap(skin::kInsetFrame));
  liveDrawing_ = new CLiveDrawingLayer(this);
  liveDrawing_->setObjectName("LiveDrawing");
  liveDrawing_->hide();
  navigator_ = new ui::CNavigatorWnd(this);
  navigator_->setObjectName("CAMERANAVI");
  navigator_->SetControlId(kCameraNavigatorId);
  navigator_->SetOwner(this);
  navigator_->SetSelfRefresh(false);
  navigator_->hide();
  focusPopup_ = new CVyrMFocusWnd(this);
  focusPopup_->setObjectName("FocusWnd");
  focusPopup_->SetControlId(CVyrMFocusWnd::kSlider);
  focusPopup_->SetFocusSetter([this](int value) { SetFocusValue(value); });
  focusPopup_->hide();
  MakeFilmstrip();
  graph_ = std::make_unique<media::CaptureGraph>([this](const media::VideoFrame& frame) { StoreFrame(frame); },
                                                 [this] { PostMessage(kGraphEvent); });
}

CVyr3CameraWnd::~CVyr3CameraWnd() {
  CloseCamera();
  graph_.reset();
}

// --- capture state -------------------------------------------------------

void CVyr3CameraWnd::SetResolution(core::CameraModel model, core::ResolutionIndex index) {
  model_ = model;
  size_ = core::ResolutionOf(model, index);
  yuy2_ = core::GroupOf(model) == core::CameraGroup::B && index == 5;
}

core::ResolutionIndex CVyr3CameraWnd::GetResolutionIndex(core::CameraModel model) const {
  return core::ResolutionIndexOf(model, size_);
}

media::CaptureFormat CVyr3CameraWnd::CaptureFormat() const {
  return {size_.width, size_.height, core::FrameRateFor(model_, size_.height),
          yuy2_ ? media::CaptureSubtype::Yuy2 : media::CaptureSubtype::Mjpg, !formatRelaxed_};
}

media::PreviewDecoder CVyr3CameraWnd::PreviewDecoderFor() const {
  if (yuy2_) return media::PreviewDecoder::None;
  return core::GroupOf(model_) == core::CameraGroup::C ? media::PreviewDecoder::Vxm : media::PreviewDecoder::Platform;
}

// --- graph ---------------------------------------------------------------

void CVyr3CameraWnd::SelectDevices(const CaptureDevice& video, const CaptureDevice* audio) {
  video_ = video;
  audio_ = audio ? std::optional<CaptureDevice>(*audio) : std::nullopt;
  if (state_ == GraphState::Recording) StopRecording();
  if (state_ == GraphState::Previewing) StopPreview();
  KillTimer(kReconnectTimer);
  graph_->Free();
  formatRelaxed_ = false;
  // A model-6 camera that cannot capture 1280 x 1024 is the model-8 kind.
  if (model_ == 6) {
    std::string error;
    if (graph_->BuildPreview(video, CaptureFormat(), PreviewDecoderFor(), &error) && !graph_->DeviceOffers(1280, 1024)) {
      SetResolution(8, core::ResolutionIndexOf(5, size_));
    }
    graph_->Free();
  }
  StartPreview();
}

bool CVyr3CameraWnd::BuildPreview() {
  if (!video_) return false;
  // A lost camera keeps saying so while it is tried again.
  if (overlay_ != static_cast<int>(OverlayStatus::Disconnected)) overlay_ = static_cast<int>(OverlayStatus::PleaseWait);
  update();
  std::string error;
  if (!graph_->BuildPreview(*video_, CaptureFormat(), PreviewDecoderFor(), &error)) {
    if (!lossLogged_) Log(video_->friendlyName + ": " + error);
    lossLogged_ = true;
    return false;
  }
  previewEnabled_ = true;
  // The still branch: every press of the camera's button asks the main
  // window to save the live picture. A camera without one runs without it.
  if (auto* owner = qobject_cast<win::Window*>(parentWidget())) {
    stillButton_.Start(video_->path, [owner] { owner->PostMessage(message::kStillButton); });
  }
  if (core::GroupOf(model_) == core::CameraGroup::C) CallDecoderSetBW(colour_ ? 0 : 1);
  AutoFocus();
  ApplySavedPictureControls();
  return true;
}

bool CVyr3CameraWnd::StartPreview() {
  paused_ = false;
  BuildPreview();
  if (!graph_->Exists()) return false;
  if (!graph_->Run()) {
    Log((video_ ? video_->friendlyName : std::string("camera")) + ": the capture graph does not run");
    graph_->Stop();
  }
  state_ = GraphState::Previewing;
  return true;
}

void CVyr3CameraWnd::StopPreview() {
  if (state_ != GraphState::Previewing) return;
  paused_ = false;
  previewEnabled_ = false;
  stillButton_.Stop();
  graph_->Stop();
  {
    std::lock_guard lock(frameLock_);
    frame_ = QImage();
  }
  update();
  state_ = GraphState::None;
}

bool CVyr3CameraWnd::TogglePause() {
  if (state_ != GraphState::Previewing) return false;
  if (paused_) {
    if (!graph_->Run()) return false;
    paused_ = false;
  } else {
    if (!graph_->Pause()) return false;
    paused_ = true;
  }
  return true;
}

void CVyr3CameraWnd::CloseCamera() {
  KillTimer(kReconnectTimer);
  StopIntervalCapture();
  if (state_ == GraphState::Recording) StopRecording();
  StopPreview();
  stillButton_.Stop();
  if (graph_) graph_->Free();
  video_.reset();
  audio_.reset();
}

// The camera's own stream goes into the file unchanged, with the first
// microphone's sound; the picture keeps showing through the preview branch
// of the same graph. Nothing is written before the graph runs.
bool CVyr3CameraWnd::StartRecording(const std::string& fileName) { return StartFileGraph(fileName, 0); }

// Time-lapse is a recording whose graph keeps one frame every `seconds` and
// has no sound; everything else (start, stop, repair) is the recording's.
bool CVyr3CameraWnd::StartTimeLapse(const std::string& fileName, int seconds) {
  if (state_ == GraphState::Recording) return false;
  return StartFileGraph(fileName, ClampInterval(seconds));
}

bool CVyr3CameraWnd::StartFileGraph(const std::string& fileName, int timeLapseSeconds) {
  paused_ = false;
  if (fileName.empty()) return false;
  if (state_ == GraphState::Recording) return true;
  if (!video_) return false;
  if (state_ == GraphState::Previewing) StopPreview();
  KillTimer(kReconnectTimer);
  stillButton_.Stop();
  std::string error;
  const bool built =
      timeLapseSeconds > 0
          ? graph_->BuildTimeLapse(*video_, CaptureFormat(), PreviewDecoderFor(), fileName, timeLapseSeconds, &error)
          : graph_->BuildRecording(*video_, audio_ ? &*audio_ : nullptr, CaptureFormat(), PreviewDecoderFor(), fileName,
                                   &error);
  if (!built) {
    Log(fileName + ": " + error);
    return false;
  }
  if (core::GroupOf(model_) == core::CameraGroup::C) CallDecoderSetBW(0);
  recordingView_ = true;
  previewEnabled_ = true;
  if (!graph_->StartRecording()) {
    Log(fileName + ": the recording graph does not run");
    for (const auto& line : graph_->DrainBus()) Log(line);
    recordingView_ = false;
    graph_->Free();
    return false;
  }
  recordingFile_ = fileName;
  timeLapseSeconds_ = timeLapseSeconds;
  state_ = GraphState::Recording;
  if (zoom_ > 1.0) PlaceNavigator(false);
  update();
  return true;
}

// The end of the stream makes the multiplexer write its index and headers.
// When it does not arrive in time (a failed writer, a device that hangs) the
// file is mended from its chunks, so a stop never leaves a file that does
// not play.
bool CVyr3CameraWnd::StopRecording() {
  if (state_ != GraphState::Recording) return false;
  paused_ = false;
  const bool finished = graph_->FinishRecording(kFinishMilliseconds);
  timeLapseFrames_ = graph_->TimeLapseFrames();
  timeLapseSeconds_ = 0;
  previewEnabled_ = false;
  graph_->Free();
  recordingView_ = false;
  if (!finished) {
    const auto result = media::RepairAvi(recordingFile_);
    Log(recordingFile_ + (result == media::RepairResult::Repaired ? ": not finished by the graph; repaired"
                          : result == media::RepairResult::AlreadyFine ? ": finished"
                                                                       : ": not finished and cannot be repaired"));
  }
  state_ = GraphState::None;
  update();
  return true;
}

// Errors arrive here on the window's thread. The last picture stays; the
// device is released and tried again a little later, as an unplugged camera
// may come back. The log gets the errors of a loss once, not every retry.
void CVyr3CameraWnd::OnGraphEvent() {
  const auto lines = graph_->DrainBus();
  // A recording that loses its camera or its disk stops by itself: the file
  // is finished, and the main window is told as if the teacher had pressed
  // stop (the indicator stops, the bar comes back, the camera is bound
  // again, which waits for a lost camera as below).
  if (!lines.empty() && state_ == GraphState::Recording) {
    for (const auto& line : lines) Log(line);
    StopRecording();
    PostToMainWindow(command::kStopRecording);
    return;
  }
  if (lines.empty() || state_ != GraphState::Previewing) return;
  // A device that refuses the asked size streams in its own; the view
  // takes whatever size the frames have.
  if (graph_->FormatRefused() && !formatRelaxed_) {
    Log(video_->friendlyName + ": refuses " + std::to_string(size_.width) + " x " + std::to_string(size_.height) +
        "; showing the size it sends");
    formatRelaxed_ = true;
    graph_->Free();
    StartPreview();
    return;
  }
  if (!lossLogged_) {
    for (const auto& line : lines) Log(line);
    lossLogged_ = true;
  }
  graph_->Free();
  overlay_ = static_cast<int>(OverlayStatus::Disconnected);
  update();
  SetTimer(kReconnectTimer, kReconnectMilliseconds);
}

void CVyr3CameraWnd::OnTimer(int id) {
  if (id == kIntervalTimer) {
    TakeIntervalStill();
    return;
  }
  if (id != kReconnectTimer) {
    CameraView::OnTimer(id);
    return;
  }
  KillTimer(kReconnectTimer);
  if (state_ == GraphState::Previewing && video_ && !graph_->Exists()) StartPreview();
}

std::intptr_t CVyr3CameraWnd::OnMessage(const win::Msg& message) {
  switch (message.id) {
    case kGraphEvent: OnGraphEvent(); return 0;
    case kFrameStored: OnFrameStored(); return 0;
    case ui::kNavigatorSelection: {
      const auto* selection = reinterpret_cast<const gdi::Rect*>(message.wParam);
      const auto* thumbnail = reinterpret_cast<const gdi::Rect*>(message.lParam);
      if (selection == nullptr || thumbnail == nullptr) return 0;
      const QImage picture = CurrentFrame();
      zoomSource_ = ZoomSourceFromSelection(*selection, *thumbnail, picture.size());
      update();
      return 0;
    }
    default: return CameraView::OnMessage(message);
  }
}

// --- frames --------------------------------------------------------------

void CVyr3CameraWnd::StoreFrame(const media::VideoFrame& frame) {
  if (!previewEnabled_ || frame.data == nullptr || frame.width < 1 || frame.height < 1) return;
  QImage image;
  if (frame.pixels == media::FramePixels::Yuy2) {
    image = QImage(frame.width, frame.height, QImage::Format_BGR888);
    if (image.isNull()) return;  // out of memory: the previous frame stays
    ConvertYuy2ToBgr24(frame.data, frame.stride, frame.width, frame.height, image.bits(),
                       static_cast<std::size_t>(image.bytesPerLine()), false);
  } else {
    image = QImage(frame.data, frame.width, frame.height, static_cast<qsizetype>(frame.stride), QImage::Format_RGB32)
                .copy();
    if (image.isNull()) return;
  }
  const bool recording = recordingView_;
  if (negative_ && !recording) {
    const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * (image.depth() / 8);
    for (int y = 0; y < image.height(); ++y) InvertColourBytes(image.scanLine(y), rowBytes, frame.width);
  }
  const int code = recording ? 0 : rotateFlipCode_.load();
  if (code != 0) image = RotateFlipImage(image, code);
  overlay_ = static_cast<int>(OverlayStatus::None);
  {
    std::lock_guard lock(frameLock_);
    frame_ = std::move(image);
    frameArrivalNs_ = frame.arrivalNs;
  }
  ++framesStored_;
  if (!repaintPending_.exchange(true)) PostMessage(kFrameStored);
}

void CVyr3CameraWnd::OnFrameStored() {
  repaintPending_ = false;
  lossLogged_ = false;
  update();
  if (zoom_ > 1.0 && navigator_ != nullptr && navigator_->isVisible()) navigator_->SetPicture(zoom_, CurrentFrame());
}

QImage CVyr3CameraWnd::CurrentFrame() const {
  std::lock_guard lock(frameLock_);
  return frame_;
}

gdi::PackedDib CVyr3CameraWnd::TakeSnapshot(bool freeze) {
  if (freeze) previewEnabled_ = false;
  const QImage picture = CurrentFrame();  // shares the pixels; the slot only ever swaps
  if (picture.isNull()) return {};
  return gdi::FromQImage(picture, picture.depth() == 24 ? 24 : 32);
}

void CVyr3CameraWnd::SaveBitmapFile(const std::string& path, const gdi::PackedDib& picture) {
  if (path.empty() || picture.IsEmpty()) return;
  if (!gdi::WriteBitmapFile(path, picture)) {
    Log("cannot write " + path);
    return;
  }
  AddStill(path, picture);
}

// --- drawing -------------------------------------------------------------

void CVyr3CameraWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kBackground);
  QImage picture;
  std::int64_t arrival = 0;
  {
    std::lock_guard lock(frameLock_);
    picture = frame_;
    arrival = frameArrivalNs_;
  }
  QRect shownSource, shownTarget;
  if (!picture.isNull()) {
    // While recording the picture is fitted or stretched, never zoomed.
    const bool recording = state_ == GraphState::Recording;
    const FrameDraw plan = PlanFrameDraw(size(), picture.size(), fitMode_, recording ? 1.0 : zoom_,
                                         recording ? Arrangement::Normal : arrangement_, recording ? gdi::Rect{} : zoomSource_);
    if (plan.draw) {
      painter.setRenderHint(QPainter::SmoothPixmapTransform, plan.source.size() != plan.target.size());
      painter.drawImage(plan.target, picture, plan.source);
      shownSource = plan.source;
      shownTarget = plan.target;
    }
  }
  PlaceLiveDrawing(shownSource, shownTarget);
  const auto overlay = GetOverlayStatus();
  if (overlay != OverlayStatus::None) {
    QFont font("Arial");
    font.setBold(true);
    font.setPixelSize(overlay == OverlayStatus::PleaseWait ? 37 : 48);
    painter.setFont(font);
    if (overlay == OverlayStatus::Disconnected) {
      // Over the last picture, on a dark band so that it reads on any page.
      font.setPixelSize(37);
      painter.setFont(font);
      const QRect band(0, height() / 2 - 30, width(), 60);
      painter.fillRect(band, QColor(0, 0, 0, 160));
      painter.setPen(QColor(255, 80, 80));
      painter.drawText(band, Qt::AlignCenter | Qt::TextSingleLine, QStringLiteral("Camera disconnected"));
    } else {
      painter.setPen(overlay == OverlayStatus::PleaseWait ? QColor(255, 0, 0) : QColor(0, 255, 0));
      painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine,
                       overlay == OverlayStatus::PleaseWait ? QStringLiteral("Please wait...") : QStringLiteral("Capturing"));
    }
  }
  PaintIntervalCount(painter);
  if (arrangement_ == Arrangement::Split && !splitBar_.isNull()) painter.drawImage(QRect(0, 0, 5, height()), splitBar_);
  if (arrangement_ == Arrangement::CameraInset && !insetFrame_.isNull()) painter.drawImage(0, 0, insetFrame_);
  if (!picture.isNull() && arrival != 0) {
    ++framesPainted_;
    lastLatencyNs_ = SteadyNowNs() - arrival;
  }
}

void CVyr3CameraWnd::PlaceNavigator(bool show) {
  if (navigator_ == nullptr) return;
  if (!show) {
    navigator_->hide();
    return;
  }
  const QRect place = NavigatorPlacement(size());
  if (place.isEmpty()) return;
  navigator_->setGeometry(place);
  navigator_->SetZoom(zoom_);
  const QImage picture = CurrentFrame();
  if (!picture.isNull()) navigator_->SetPicture(zoom_, picture);
  navigator_->show();
  navigator_->raise();
}

void CVyr3CameraWnd::SetZoom(double factor) {
  if (factor == zoom_) return;
  zoom_ = factor;
  PlaceNavigator(fitMode_ == 1 && arrangement_ == Arrangement::Normal && zoom_ > 1.0);
  update();
}

void CVyr3CameraWnd::SetFitMode(int mode) {
  const int next = mode == 2 ? 1 - fitMode_ : mode;
  if (next == fitMode_) return;
  fitMode_ = next;
  PlaceNavigator(fitMode_ == 1 && zoom_ > 1.0 && state_ == GraphState::Previewing);
  update();
}

void CVyr3CameraWnd::ShowNavigator(bool show) { PlaceNavigator(fitMode_ == 1 && show && zoom_ > 1.0); }

void CVyr3CameraWnd::SetArrangement(Arrangement arrangement) {
  arrangement_ = arrangement;
  filmstrip_->SetSuppressed(arrangement == Arrangement::CameraInset);
  update();
}

// --- transforms ----------------------------------------------------------

void CVyr3CameraWnd::RecomputeRotateFlipCode() {
  const int before = rotateFlipCode_;
  rotateFlipCode_ = gdi::RotateFlipCode(rotation_, mirror_, flip_);
  TurnLiveDrawing(before, rotateFlipCode_);
}

void CVyr3CameraWnd::ToggleMirror() {
  mirror_ = !mirror_;
  RecomputeRotateFlipCode();
}

void CVyr3CameraWnd::ToggleFlip() {
  flip_ = !flip_;
  RecomputeRotateFlipCode();
}

void CVyr3CameraWnd::RotateQuarter() {
  rotation_ = (rotation_ + 1) % 4;
  RecomputeRotateFlipCode();
}

void CVyr3CameraWnd::SetRotation(int quarterTurns) {
  rotation_ = ((quarterTurns % 4) + 4) % 4;
  RecomputeRotateFlipCode();
}

// The decoder's black-and-white switch: load, call, unload. The module is
// the file GStreamer runs the decoder from (the program folder's, normally),
// so the switch reaches the running pipelines; a missing module or export is
// skipped.
void CVyr3CameraWnd::CallDecoderSetBW(int blackWhite) {
  std::string file = media::ElementModuleFile("vxmmjpegdec");
  if (file.empty()) file = sys::JoinPath(sys::ProgramFolder(), "VxmMjpeg.so");
  sys::DynamicLibrary module(file);
  if (auto setBW = module.Find<int (*)(int)>("SetBW")) setBW(blackWhite);
}

void CVyr3CameraWnd::ToggleBlackWhite() {
  if (!video_) return;
  if (core::GroupOf(model_) == core::CameraGroup::C) {
    colour_ = !colour_;
    CallDecoderSetBW(colour_ ? 0 : 1);
    return;
  }
  const camctl::CameraControls controls(video_->path);
  if (colour_) {
    if (controls.Set(V4L2_CID_SATURATION, 0)) colour_ = false;
  } else if (const auto info = controls.Query(V4L2_CID_SATURATION)) {
    if (controls.Set(V4L2_CID_SATURATION, info->defaultValue)) colour_ = true;
  }
}

// --- focus ---------------------------------------------------------------

void CVyr3CameraWnd::AutoFocus() {
  if (focusPopup_->isVisible()) focusPopup_->hide();
  if (!video_) return;
  const camctl::CameraControls controls(video_->path);
  if (!controls.IsOpen() || !controls.Query(V4L2_CID_FOCUS_AUTO)) return;
  using namespace std::chrono_literals;
  if (core::GroupOf(model_) == core::CameraGroup::C) {
    controls.Set(V4L2_CID_FOCUS_AUTO, 1);
    std::this_thread::sleep_for(200ms);
    controls.ExtensionUnitSet(2, 1);
    return;
  }
  controls.Set(V4L2_CID_FOCUS_AUTO, 0);
  controls.Set(V4L2_CID_FOCUS_ABSOLUTE, 1);
  std::this_thread::sleep_for(500ms);
  controls.Set(V4L2_CID_FOCUS_ABSOLUTE, 0);
  std::this_thread::sleep_for(500ms);
  controls.Set(V4L2_CID_FOCUS_AUTO, 1);
  std::this_thread::sleep_for(500ms);
}

void CVyr3CameraWnd::ToggleFocusPopup() {
  if (focusPopup_->isVisible()) {
    focusPopup_->hide();
    return;
  }
  if (!video_) return;
  const camctl::CameraControls controls(video_->path);
  const auto info = controls.Query(V4L2_CID_FOCUS_ABSOLUTE);
  const auto value = controls.Get(V4L2_CID_FOCUS_ABSOLUTE);
  if (!info || !value) return;
  if (core::GroupOf(model_) == core::CameraGroup::C) {
    focusPopup_->SetValue(*value, info->maximum - 1);
    controls.Set(V4L2_CID_FOCUS_ABSOLUTE, *value);
  } else {
    focusPopup_->SetValue(*value, 0);
  }
  focusPopup_->setGeometry((width() - 360) / 2, arrangement_ == Arrangement::CameraInset ? 5 : 0, 360, 36);
  focusPopup_->show();
  focusPopup_->raise();
}

void CVyr3CameraWnd::SetFocusValue(int value) {
  if (!video_) return;
  const camctl::CameraControls controls(video_->path);
  controls.Set(V4L2_CID_FOCUS_AUTO, 0);
  controls.Set(V4L2_CID_FOCUS_ABSOLUTE, value);
}

void CVyr3CameraWnd::ShowCameraPropertyPages(QWidget* owner) {
  if (!video_) return;
  camctl::ShowControlDialog(video_->path, video_->friendlyName, owner);
}

// --- window behaviour ----------------------------------------------------

// In Split the left 5 pixels are the sizing edge of the split; as the inset
// the whole view drags.
win::HitTest CVyr3CameraWnd::HitTestAt(const QPoint& point) const {
  if (arrangement_ == Arrangement::Split && point.x() < 5) return win::HitTest::Left;
  if (arrangement_ == Arrangement::CameraInset) return win::HitTest::Caption;
  return win::HitTest::Client;
}

void CVyr3CameraWnd::PostToMainWindow(int commandId) {
  if (auto* owner = qobject_cast<win::Window*>(parentWidget())) owner->PostCommand(commandId);
}

void CVyr3CameraWnd::resizeEvent(QResizeEvent* event) {
  CameraView::resizeEvent(event);
  liveDrawing_->setGeometry(rect());
  if (focusPopup_ != nullptr && focusPopup_->isVisible()) {
    focusPopup_->hide();
    if (auto* owner = qobject_cast<win::Window*>(parentWidget())) owner->SendMessage(message::kFocusPopupHidden);
  }
  // The picture controls stay open, centred again.
  if (picturePopup_ != nullptr && picturePopup_->isVisible()) {
    picturePopup_->move((width() - picturePopup_->width()) / 2, picturePopup_->y());
  }
  if (arrangement_ == Arrangement::Split) PostToMainWindow(command::kSplitResized);
  if (zoom_ > 1.0 && navigator_ != nullptr && navigator_->isVisible()) PlaceNavigator(true);
  filmstrip_->Place();
  update();
}

void CVyr3CameraWnd::OnExitSizeMove() { PostToMainWindow(command::kSplitSizingEnded); }

// Split: the view is sized by its left edge, at least 28 wide (388 while the
// focus popup needs the room) and at most the main window's width − 14.
void CVyr3CameraWnd::OnSizing(win::HitTest edge, QRect& proposedGeometry) {
  if (arrangement_ != Arrangement::Split || edge != win::HitTest::Left || parentWidget() == nullptr) return;
  const int minimum = focusPopup_ != nullptr && focusPopup_->isVisible() ? 388 : 28;
  const int maximum = std::max(minimum, parentWidget()->width() - 14);
  const int width = std::clamp(proposedGeometry.width(), minimum, maximum);
  proposedGeometry.setLeft(proposedGeometry.right() + 1 - width);
}

void CVyr3CameraWnd::mouseDoubleClickEvent(QMouseEvent* event) {
  if (arrangement_ == Arrangement::CameraInset && event->button() == Qt::LeftButton) {
    PostToMainWindow(command::kSwapToImageInset);
    return;
  }
  CameraView::mouseDoubleClickEvent(event);
}

}  // namespace orvilo::camera
