#include "shell/modes/camera_mode.h"

#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <vector>

#include "camera/interval_capture.h"
#include "core/command_ids.h"
#include "core/settings/ensure_folder.h"
#include "core/settings/settings_store.h"
#include "platform/media/recording_journal.h"
#include "platform/profile/private_profile.h"
#include "platform/sys/local_time.h"
#include "platform/sys/program_folder.h"
#include "platform/win/geometry.h"
#include "platform/win/message.h"
#include "shell/child_windows.h"
#include "shell/command_bars.h"
#include "shell/frame_font.h"
#include "shell/frame_geometry.h"
#include "shell/modes/stage.h"
#include "shell/settings_dialog.h"
#include "ui/picker_popup.h"

namespace orvilo::shell {

namespace {

constexpr int kWatchdogFirstMs = 2000;
constexpr int kWatchdogRepeatMs = 5000;
// The device needs a moment after closing before it is opened again.
constexpr int kReopenDelayMs = 300;

SettingsPage ResolutionPageOf(core::CameraModel model) {
  switch (core::GroupOf(model)) {
    case core::CameraGroup::B: return SettingsPage::ResolutionGroupB;
    case core::CameraGroup::C: return SettingsPage::ResolutionGroupC;
    case core::CameraGroup::A: break;
  }
  return SettingsPage::Resolution;
}

// "20261210143005.bmp": the local time of a still picture.
std::string StillPictureName() {
  const sys::LocalTime now = sys::GetLocalTime();
  char name[32];
  std::snprintf(name, sizeof name, "%04d%02d%02d%02d%02d%02d.bmp", now.year, now.month, now.day, now.hour, now.minute,
                now.second);
  return name;
}

constexpr bool ShowsAPicture(ViewMode mode) { return mode == ViewMode::Image || mode == ViewMode::Reading; }

}  // namespace

CameraMode::CameraMode(ModeContext context, camera::CaptureDevices& devices, const core::CameraModel& model)
    : Mode(context), devices_(devices), model_(model) {}

Handover CameraMode::Leave(ViewMode next, Entry entry) {
  Handover handover;
  camera::CameraView* camera = context_.children.camera.get();
  if (camera && camera->LiveDrawingShown()) {
    camera->ShowLiveDrawing(false);  // its strokes stay for the next time it is turned on
    context_.bars.MakeReleasedToggle(command::kLiveDrawing);
  }
  if (entry == Entry::WithContent || !camera) return handover;
  if (ShowsAPicture(next)) handover.picture = camera->TakeSnapshot(true);
  camera->CloseCamera();
  context_.bars.MakeReleasedToggle(command::kIntervalCapture);  // closing stopped it
  if (timeLapse_) {
    // Closing finished the file too.
    ForgetRecordingFile();
    SetTimeLapseBar(false);
  }
  return handover;
}

void CameraMode::Enter(Handover handover) {
  ChildWindows& children = context_.children;
  context_.host.ShowCommandBar(ViewMode::Camera);
  context_.stage.PlaceInContent(children.camera.get());
  context_.stage.ShowOnly(children.camera.get());
  if (children.image) children.image->SetMode(ViewMode::Camera);
  if (paletteEnabled_) {
    context_.stage.ShowPalette(ToolSet::Camera);
  } else {
    context_.stage.HidePalette();
  }
  // A time-lapse left running while a still was looked at runs on; one that
  // ended meanwhile (a lost camera or disk) is tidied up here.
  const bool lapseRunning = children.camera && children.camera->TimeLapseRunning();
  if (timeLapse_ && !lapseRunning) {
    ForgetRecordingFile();
    SetTimeLapseBar(false);
  }
  if (!lapseRunning) BindCamera();
  if (handover.arViewerClosed) context_.host.StartTimer(timer::kCameraRestartWatchdog, kWatchdogFirstMs);
}

void CameraMode::LayOut() {
  ChildWindows& children = context_.children;
  const gdi::Size client = context_.stage.ClientSize();
  if (arrangement_ == Arrangement::Split && children.camera && children.image) {
    children.camera->setGeometry(
        win::ToQRect(SplitCameraRectAfterResize(client, children.camera->width(), children.image->width())));
  } else if (arrangement_ == Arrangement::CameraInset) {
    context_.stage.PlaceInContent(children.image.get());
  } else {
    context_.stage.PlaceInContent(children.camera.get());
  }
}

void CameraMode::AfterResize() {
  ChildWindows& children = context_.children;
  win::Window* inset = arrangement_ == Arrangement::CameraInset  ? static_cast<win::Window*>(children.camera.get())
                       : arrangement_ == Arrangement::ImageInset ? static_cast<win::Window*>(children.image.get())
                                                                 : nullptr;
  if (inset) {
    inset->setGeometry(win::ToQRect(KeepInsetInside(win::FromQRect(inset->geometry()), context_.stage.ClientSize())));
  }
}

void CameraMode::PaintStatus(QPainter& painter) const {
  if (!context_.children.camera) return;
  painter.setPen(Qt::white);
  painter.setFont(FrameFont(12, 700));
  const auto label = core::ResolutionLabel(model_, context_.children.camera->GetResolutionIndex(model_));
  painter.drawText(win::ToQRect(ResolutionTextRect(context_.stage.ClientSize().width)), Qt::AlignLeft | Qt::AlignBottom,
                   QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())));
}

bool CameraMode::OnCommand(int id) {
  camera::CameraView* camera = context_.children.camera.get();
  switch (id) {
    case command::kOpenFile: OpenFile(); return true;
    case command::kSaveFrame:
      if (camera) {
        gdi::PackedDib frame = camera->TakeAnnotatedSnapshot();
        if (!frame.IsEmpty()) {
          if (const auto path = context_.host.RunFileDialog(true, FileFilter::SavePicture, "bmp")) {
            camera->SaveBitmapFile(*path, frame);
          }
        }
      }
      context_.stage.RaisePalette();
      return true;
    case command::kRecord: Record(); return true;
    case command::kResolution: ChooseResolution(); return true;
    case command::kPalette: TogglePalette(); return true;
    case command::kSettings: ChooseFolders(); return true;
    case command::kAutoFocus:
      context_.bars.MakeReleasedToggle(command::kManualFocus);
      if (camera) camera->AutoFocus();
      return true;
    case command::kManualFocus:
      if (camera) camera->ToggleFocusPopup();
      return true;
    case command::kPause:
      if (camera) camera->TogglePause();
      return true;
    case command::kStopRecording: StopRecording(); return true;
    case command::kPictureControls:
      if (camera) camera->TogglePictureControls();
      return true;
    case command::kIntervalCapture: ToggleIntervalCapture(); return true;
    case command::kTimeLapse: ToggleTimeLapse(); return true;
    case command::kFilmstrip: ToggleFilmstrip(); return true;
    case command::kLiveDrawing: ToggleLiveDrawing(); return true;
    case command::kClearLiveDrawing:
      if (camera) camera->ClearLiveDrawing();
      return true;
    default: return OnLiveDrawingTool(id) || OnTool(id);
  }
}

bool CameraMode::OnCommandWhileCurrent(int id) {
  ChildWindows& children = context_.children;
  switch (id) {
    case command::kSplitResized:
      if (arrangement_ != Arrangement::Split || !children.camera || !children.image) return true;
      context_.bars.MakeReleasedToggle(command::kManualFocus);
      children.image->setGeometry(win::ToQRect(ImageRectLeftOf(win::FromQRect(children.camera->geometry()))));
      context_.stage.RaisePalette();
      return true;
    case command::kSplitSizingEnded:
      if (arrangement_ != Arrangement::Split) return true;
      if (children.image) children.image->update();
      context_.stage.RaisePalette();
      return true;
    case command::kSwapToImageInset:
      if (arrangement_ == Arrangement::CameraInset) SwapInset(Arrangement::ImageInset);
      return true;
    case command::kSwapToCameraInset:
      if (arrangement_ == Arrangement::ImageInset) SwapInset(Arrangement::CameraInset);
      return true;
    default: return false;
  }
}

// The extension decides: pictures open in image mode, anything else in
// movie mode, each entered only when its view could open the file.
void CameraMode::OpenFile() {
  const auto path = context_.host.RunFileDialog(false, FileFilter::PictureOrMovie, "");
  if (!path) return;
  context_.host.OpenFile(IsPictureFileName(*path) ? ViewMode::Image : ViewMode::Movie, *path);
}

void CameraMode::Record() {
  ChildWindows& children = context_.children;
  if (!IsCurrent() || !children.camera || !children.record) return;
  const auto path = context_.host.RunFileDialog(true, FileFilter::RecordingAvi, "avi");
  if (!path || path->empty()) return;
  // Named in the journal before anything is written, so that a killed
  // program's file is found and repaired at the next start.
  media::RecordingJournal journal(context_.settings.videoFolder);
  journal.Add(*path);
  if (!children.camera->StartRecording(*path)) {
    journal.Remove(*path);
    return;
  }
  recordingPath_ = *path;
  children.record->StartBlinking();
  SetRecordingBar(true);
  if (paletteEnabled_) context_.stage.HidePalette();
  children.camera->raise();
  children.record->raise();
}

// Also the end of a time-lapse (its button, or the camera view stopping
// it by itself after a lost camera or disk), which has its own bar.
void CameraMode::StopRecording() {
  ChildWindows& children = context_.children;
  if (!IsCurrent()) return;
  if (children.record && !timeLapse_) children.record->StopBlinking();
  if (children.camera) children.camera->StopRecording();
  ForgetRecordingFile();
  BindCamera();
  if (timeLapse_) {
    SetTimeLapseBar(false);
    return;
  }
  SetRecordingBar(false);
  if (paletteEnabled_ && children.tools && !context_.stage.PaletteVisible()) {
    children.tools->show();
    children.tools->raise();
  }
}

// The file is finished: the journal need not find it any more.
void CameraMode::ForgetRecordingFile() {
  if (!recordingPath_.empty()) media::RecordingJournal(context_.settings.videoFolder).Remove(recordingPath_);
  recordingPath_.clear();
}

void CameraMode::RepairUnfinishedRecordings() {
  if (!context_.settings.videoFolder.empty()) media::RecordingJournal(context_.settings.videoFolder).RepairUnfinished();
}

// While recording, the bar shows stop in place of record and every other
// button disabled; afterwards the other way round.
void CameraMode::SetRecordingBar(bool recording) {
  context_.bars.SetShown(command::kRecord, !recording);
  context_.bars.SetShown(command::kStopRecording, recording);
  const int bar = static_cast<int>(ViewMode::Camera);
  for (int index = 0; index < command::kBarButtonCount[bar]; ++index) {
    const int other = command::BarButton(bar, index);
    if (other != command::kRecord && other != command::kStopRecording) context_.bars.SetDisabled(other, recording);
  }
}

void CameraMode::ChooseResolution() {
  camera::CameraView* camera = context_.children.camera.get();
  if (!camera) return;
  SettingsDialogState state;
  state.page = ResolutionPageOf(model_);
  state.resolutionIndex = camera->GetResolutionIndex(model_);
  const int before = state.resolutionIndex;
  if (context_.host.RunSettingsDialog(state) != win::kResultOk) return;
  if (state.resolutionIndex != before) camera->SetResolution(model_, state.resolutionIndex);
  BindCamera();
  context_.host.RepaintFrame(ResolutionTextRect(context_.stage.ClientSize().width));
}

void CameraMode::ChooseFolders() {
  SettingsDialogState state;
  state.page = SettingsPage::Settings;
  state.text1 = context_.settings.imageFolder;
  state.text2 = context_.settings.videoFolder;
  if (context_.host.RunSettingsDialog(state) == win::kResultOk) {
    context_.store.ApplyFolderChoice(context_.settings, state.text1, state.text2);
  }
}

void CameraMode::TogglePalette() {
  ToolsPalette* tools = context_.children.tools.get();
  if (paletteEnabled_) {
    context_.stage.HidePalette();
  } else if (tools) {
    tools->SetToolSet(PaletteToolSet());
    tools->show();
    tools->raise();
  }
  paletteEnabled_ = !paletteEnabled_;
}

// The picture tools act only while the live picture shows; the layout tools
// only in camera mode, where the arrangement may change.
bool CameraMode::OnTool(int id) {
  camera::CameraView* camera = context_.children.camera.get();
  switch (id) {
    case command::kSplitScreen:
      if (IsCurrent()) ToggleSplit();
      return true;
    case command::kPictureInPicture:
      if (IsCurrent()) TogglePictureInPicture();
      return true;
    case command::kCameraNegative:
    case command::kCameraBlackWhite:
    case command::kCameraMirror:
    case command::kCameraFlip:
    case command::kCameraRotate: break;
    default: return false;
  }
  if (!camera || !camera->isVisible()) return true;
  switch (id) {
    case command::kCameraNegative: camera->ToggleNegative(); break;
    case command::kCameraBlackWhite: camera->ToggleBlackWhite(); break;
    case command::kCameraMirror: camera->ToggleMirror(); break;
    case command::kCameraFlip: camera->ToggleFlip(); break;
    default: camera->RotateQuarter(); break;
  }
  return true;
}

ToolSet CameraMode::PaletteToolSet() const {
  const camera::CameraView* camera = context_.children.camera.get();
  return camera && camera->LiveDrawingShown() ? ToolSet::LiveDrawing : ToolSet::Camera;
}

// The drawing shows with the pen tools in the palette, even when the palette
// was turned off; turned off, the palette goes back to what it was.
void CameraMode::ToggleLiveDrawing() {
  camera::CameraView* camera = context_.children.camera.get();
  if (!camera) return;
  camera->ShowLiveDrawing(!camera->LiveDrawingShown());
  if (camera->LiveDrawingShown() || paletteEnabled_) {
    context_.stage.ShowPalette(PaletteToolSet());
  } else {
    context_.stage.HidePalette();
  }
}

// The pen tools of the palette draw on the live picture while its drawing
// shows in camera mode; otherwise they are the image view's.
bool CameraMode::OnLiveDrawingTool(int id) {
  camera::CameraView* camera = context_.children.camera.get();
  if (id < command::kPen || id > command::kShapes || !IsCurrent() || !camera || !camera->LiveDrawingShown()) return false;
  switch (id) {
    case command::kPen: camera->SetLiveDrawingTool(drawing::StrokeKind::Pen); break;
    case command::kHighlighter: camera->SetLiveDrawingTool(drawing::StrokeKind::Highlighter); break;
    case command::kEraser: camera->SetLiveDrawingTool(drawing::StrokeKind::Eraser); break;
    case command::kEraseAll: camera->ClearLiveDrawing(); break;
    default:  // colour, pen type, shapes: from a long press on the picture
      if (context_.children.tools) context_.children.tools->OpenPicker(id);
      break;
  }
  return true;
}

bool CameraMode::OnPickerChoice(int tool, int entry) {
  camera::CameraView* camera = context_.children.camera.get();
  if (!IsCurrent() || !camera || !camera->LiveDrawingShown()) return false;
  switch (command::kFirstImageTool + tool) {
    case command::kColour: camera->SetLiveDrawingPenColour(entry); return true;
    case command::kPenType: camera->SetLiveDrawingPenWidth(drawing::PenWidthForEntry(entry)); return true;
    case command::kShapes:
      camera->SetLiveDrawingTool(static_cast<drawing::StrokeKind>(static_cast<int>(drawing::StrokeKind::Quadrangle) + entry));
      return true;
    default: return false;
  }
}

void CameraMode::ReturnToNormal() {
  if (arrangement_ != Arrangement::Normal) SetArrangementOfViews(Arrangement::Normal);
}

void CameraMode::SetArrangementOfViews(Arrangement arrangement) {
  if (context_.children.camera) context_.children.camera->SetArrangement(arrangement);
  if (context_.children.image) context_.children.image->SetArrangement(arrangement);
  arrangement_ = arrangement;
}

// Both views back in the Normal role: the live picture fills the content
// area alone.
void CameraMode::BackToNormalLayout() {
  SetArrangementOfViews(Arrangement::Normal);
  context_.children.image->hide();
  context_.children.camera->show();
  context_.stage.PlaceInContent(context_.children.camera.get());
}

// Split screen: the image view at the left with a still picture, the live
// picture at the right; the camera view reports its resizes (1326) so the
// image view follows its left edge.
void CameraMode::ToggleSplit() {
  ChildWindows& children = context_.children;
  if (!children.camera || !children.image) return;
  if (arrangement_ == Arrangement::Split) {
    BackToNormalLayout();
  } else {
    EnterSplit({});
  }
  context_.stage.RaisePalette();
}

void CameraMode::EnterSplit(const std::string& still) {
  ChildWindows& children = context_.children;
  if (still.empty()) {
    children.image->SetImage(children.camera->TakeSnapshot(false));
  } else if (!children.image->LoadImageFile(still)) {
    return;
  }
  SetArrangementOfViews(Arrangement::Split);
  children.image->show();
  children.camera->setGeometry(win::ToQRect(SplitCameraRect(context_.stage.ClientSize())));
}

void CameraMode::TogglePictureInPicture() {
  ChildWindows& children = context_.children;
  if (!children.camera || !children.image) return;
  if (arrangement_ == Arrangement::Normal || arrangement_ == Arrangement::Split) {
    children.image->SetImage(children.camera->TakeSnapshot(false));
    children.camera->SetArrangement(Arrangement::ImageInset);
    children.camera->ShowNavigator(false);
    children.image->ShowNavigator(false);
    children.image->setGeometry(win::ToQRect(InitialInsetRect(context_.stage.ClientSize())));
    children.image->SetArrangement(Arrangement::ImageInset);
    arrangement_ = Arrangement::ImageInset;
    children.image->show();
    context_.stage.PlaceInContent(children.camera.get());
    children.camera->show();
    children.camera->raise();
    children.image->raise();
  } else {
    BackToNormalLayout();
    children.camera->ShowNavigator(true);
    children.image->ShowNavigator(true);
  }
  context_.stage.RaisePalette();
}

// A double click on the inset swaps the two views' places.
void CameraMode::SwapInset(Arrangement to) {
  ChildWindows& children = context_.children;
  if (!children.camera || !children.image) return;
  children.image->SetImage(children.camera->TakeSnapshot(false));
  if (to == Arrangement::CameraInset) {
    children.camera->SetArrangement(Arrangement::CameraInset);
    const QRect inset = children.image->geometry();
    context_.stage.PlaceInContent(children.image.get());
    children.image->SetArrangement(Arrangement::CameraInset);
    children.camera->setGeometry(inset);
    children.image->raise();
    children.camera->raise();
  } else {
    children.camera->SetArrangement(Arrangement::ImageInset);
    const QRect inset = children.camera->geometry();
    context_.stage.PlaceInContent(children.camera.get());
    children.image->setGeometry(inset);
    children.image->SetArrangement(Arrangement::ImageInset);
    children.camera->raise();
    children.image->raise();
  }
  arrangement_ = to;
  context_.stage.RaisePalette();
}

bool CameraMode::BindCamera() {
  if (context_.children.camera) context_.children.camera->SetSettingsFile(context_.store.settingsPath());
  return devices_.BindCamera([this](const media::CaptureDevice& video, const media::CaptureDevice* audio) {
           if (context_.children.camera) context_.children.camera->SelectDevices(video, audio);
         }) != 0;
}

void CameraMode::ToggleIntervalCapture() {
  camera::CameraView* camera = context_.children.camera.get();
  if (!camera) return;
  if (camera->IntervalCaptureRunning()) {
    camera->StopIntervalCapture();
    context_.bars.MakeReleasedToggle(command::kIntervalCapture);
    return;
  }
  const auto seconds = ChooseInterval(command::kIntervalCapture, "INTERVAL");
  if (!seconds || !camera->StartIntervalCapture(context_.settings.imageFolder, *seconds)) {
    context_.bars.MakeReleasedToggle(command::kIntervalCapture);
  }
}

// The interval from a list under the bar button; the last choice is kept
// in the settings file ("INTERVAL" or "TIMELAPSE", seconds) and offered
// first next time.
std::optional<int> CameraMode::ChooseInterval(int commandId, const char* key) {
  static constexpr int kChoices[] = {1, 2, 5, 10, 30, 60, 300, 600, 1800, 3600};
  const int last = profile::ReadProfileNumber(context_.store.Read(key));
  std::vector<ui::PickerItem> items;
  int selected = 3;
  for (int i = 0; i < static_cast<int>(std::size(kChoices)); ++i) {
    const int s = kChoices[i];
    items.push_back(
        {QImage(), s, s < 60 ? std::to_string(s) + " s" : s < 3600 ? std::to_string(s / 60) + " min" : "1 h"});
    if (s == last) selected = i;
  }
  const gdi::Point button =
      BarButtonPosition(static_cast<int>(ViewMode::Camera), commandId - command::kBarFirstButton[0],
                        context_.stage.ClientSize().width);
  const QPoint corner = context_.host.Owner()->mapToGlobal(QPoint(button.x, button.y + 52));
  const gdi::Rect firstRow = gdi::Rect::FromPositionAndSize(corner.x(), corner.y(), 70, 17);
  if (ui::PickerRunner::Current().Run(context_.host.Owner(), ui::PickerKind::Custom, firstRow, selected, items) !=
          win::kResultOk ||
      selected < 0 || selected >= static_cast<int>(std::size(kChoices))) {
    return std::nullopt;
  }
  context_.store.Write(key, std::to_string(kChoices[selected]));
  return kChoices[selected];
}

// The file is named by the start time in the video folder, where recordings
// go and where the journal lives that finds a killed program's file.
void CameraMode::ToggleTimeLapse() {
  camera::CameraView* camera = context_.children.camera.get();
  if (!camera || !IsCurrent()) {
    context_.bars.MakeReleasedToggle(command::kTimeLapse);
    return;
  }
  if (camera->TimeLapseRunning()) {
    StopRecording();
    return;
  }
  const auto seconds = ChooseInterval(command::kTimeLapse, "TIMELAPSE");
  const std::string& folder = context_.settings.videoFolder;
  if (!seconds || folder.empty() || !core::EnsureFolder(folder)) {
    context_.bars.MakeReleasedToggle(command::kTimeLapse);
    return;
  }
  const sys::LocalTime now = sys::GetLocalTime();
  std::string path = sys::JoinPath(folder, camera::TimeLapseName(now));
  // Two starts in one second get two files.
  for (int again = 2; std::filesystem::exists(path); ++again) {
    path = sys::JoinPath(folder, camera::TimeLapseName(now).insert(14, "-" + std::to_string(again)));
  }
  media::RecordingJournal journal(folder);
  journal.Add(path);
  if (!camera->StartTimeLapse(path, *seconds)) {
    journal.Remove(path);
    context_.bars.MakeReleasedToggle(command::kTimeLapse);
    return;
  }
  recordingPath_ = path;
  timeLapse_ = true;
  SetTimeLapseBar(true);
}

void CameraMode::SetTimeLapseBar(bool running) {
  timeLapse_ = running;
  context_.bars.SetToggle(command::kTimeLapse, running);
  for (int other : {command::kRecord, command::kResolution, command::kPause}) context_.bars.SetDisabled(other, running);
}

void CameraMode::ToggleFilmstrip() {
  camera::CameraView* camera = context_.children.camera.get();
  if (!camera) return;
  camera->ShowFilmstrip(!camera->FilmstripShown());
  context_.bars.SetToggle(command::kFilmstrip, camera->FilmstripShown());
}

void CameraMode::OnOpenStill(int index) {
  camera::CameraView* camera = context_.children.camera.get();
  if (!camera || !IsCurrent()) return;
  const std::string path = camera->FilmstripStill(index);
  if (!path.empty()) context_.host.OpenFile(ViewMode::Image, path);
}

// The still goes into the image view of split screen; from another
// arrangement split screen is entered with it.
void CameraMode::OnCompareStill(int index) {
  ChildWindows& children = context_.children;
  if (!children.camera || !children.image || !IsCurrent()) return;
  const std::string path = children.camera->FilmstripStill(index);
  if (path.empty()) return;
  if (arrangement_ == Arrangement::Split) {
    children.image->LoadImageFile(path);
    return;
  }
  if (arrangement_ != Arrangement::Normal) BackToNormalLayout();
  EnterSplit(path);
  context_.stage.RaisePalette();
}

void CameraMode::OnStillButton() {
  camera::CameraView* camera = context_.children.camera.get();
  if (!camera) return;
  camera->SetOverlayStatus(camera::OverlayStatus::Capturing);
  camera->update();
  gdi::PackedDib frame = camera->TakeAnnotatedSnapshot();
  if (!frame.IsEmpty()) camera->SaveBitmapFile(sys::JoinPath(context_.settings.imageFolder, StillPictureName()), frame);
}

// An AR viewer may have held the camera: until a frame arrives the camera
// is closed and bound again every 5 seconds.
void CameraMode::OnRestartWatchdog() {
  context_.host.StopTimer(timer::kCameraRestartWatchdog);
  camera::CameraView* camera = context_.children.camera.get();
  if (!camera || camera->GetOverlayStatus() == camera::OverlayStatus::None) return;
  camera->CloseCamera();
  // Waiting without blocking keeps the window responsive meanwhile.
  QTimer::singleShot(kReopenDelayMs, context_.host.Owner(), [this] {
    if (!IsCurrent()) return;
    BindCamera();
    context_.host.StartTimer(timer::kCameraRestartWatchdog, kWatchdogRepeatMs);
  });
}

void CameraMode::OnFocusPopupHidden() { context_.bars.MakeReleasedToggle(command::kManualFocus); }

void CameraMode::ShowPropertyPages(QWidget* owner) {
  if (context_.children.camera) context_.children.camera->ShowCameraPropertyPages(owner);
}

}  // namespace orvilo::shell
