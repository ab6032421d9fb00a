#include "recording_children.h"

#include <sstream>

namespace orvilo::shell::testing {

namespace {
std::string Text(double value) {
  std::ostringstream out;
  out << value;
  return out.str();
}
const char* Name(Arrangement a) {
  switch (a) {
    case Arrangement::Normal: return "Normal";
    case Arrangement::Split: return "Split";
    case Arrangement::CameraInset: return "CameraInset";
    case Arrangement::ImageInset: return "ImageInset";
  }
  return "?";
}
const char* Name(ViewMode m) {
  switch (m) {
    case ViewMode::Camera: return "Camera";
    case ViewMode::Image: return "Image";
    case ViewMode::Reading: return "Reading";
    case ViewMode::Movie: return "Movie";
    case ViewMode::AR: return "AR";
  }
  return "?";
}
}  // namespace

gdi::PackedDib TestPicture(int width, int height) { return gdi::PackedDib::Create(width, height, 24); }

std::string Describe(const gdi::PackedDib& picture) {
  if (picture.IsEmpty()) return "none";
  return std::to_string(picture.width()) + "x" + std::to_string(picture.height());
}

bool RecordingImageView::SetImage(gdi::PackedDib picture) {
  Log("SetImage(" + Describe(picture) + ")");
  const bool ok = !picture.IsEmpty();
  if (ok) source_ = std::move(picture);
  return ok;
}
bool RecordingImageView::LoadImageFile(const std::string& path) {
  Log("LoadImageFile(" + path + ")");
  return loadResult;
}
void RecordingImageView::SaveAnnotatedImage(const std::string& path) { Log("SaveAnnotatedImage(" + path + ")"); }
void RecordingImageView::SetZoom(double factor) { Log("SetZoom(" + Text(factor) + ")"); }
void RecordingImageView::ShowNavigator(bool show) { Log(std::string("ShowNavigator(") + (show ? "1" : "0") + ")"); }
void RecordingImageView::SetMode(ViewMode mode) { Log(std::string("SetMode(") + Name(mode) + ")"); }
void RecordingImageView::SetArrangement(Arrangement a) { Log(std::string("SetArrangement(") + Name(a) + ")"); }
void RecordingImageView::SetFullScreenPicture(bool on) { Log(std::string("SetFullScreenPicture(") + (on ? "1" : "0") + ")"); }
void RecordingImageView::SetCurrentTool(imageview::StrokeKind kind) {
  tool = kind;
  Log("SetCurrentTool(" + std::to_string(static_cast<int>(kind)) + ")");
}
void RecordingImageView::SetPenWidth(int width) { Log("SetPenWidth(" + std::to_string(width) + ")"); }
void RecordingImageView::SetPenColour(int entry) { Log("SetPenColour(" + std::to_string(entry) + ")"); }
void RecordingImageView::SetBoard(imageview::BoardKind board) { Log("SetBoard(" + std::to_string(static_cast<int>(board)) + ")"); }
void RecordingImageView::AddBlind(int left, int top, int right, int bottom) {
  Log("AddBlind(" + std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(right) + "," +
      std::to_string(bottom) + ")");
}
bool RecordingImageView::InitRecognition() {
  Log("InitRecognition");
  return recognitionAvailable;
}
std::string RecordingImageView::Recognise() {
  Log("Recognise");
  return recognised;
}

void RecordingCameraView::SelectDevices(const media::CaptureDevice& video, const media::CaptureDevice* audio) {
  Log("SelectDevices(" + video.path + "," + (audio ? audio->path : std::string("none")) + ")");
}
void RecordingCameraView::SetResolution(core::CameraModel model, core::ResolutionIndex index) {
  resolutionIndex = index;
  Log("SetResolution(" + std::to_string(model) + "," + std::to_string(index) + ")");
}
bool RecordingCameraView::TogglePause() {
  Log("TogglePause");
  return true;
}
bool RecordingCameraView::StartRecording(const std::string& fileName) {
  Log("StartRecording(" + fileName + ")");
  return recordingStarts;
}
bool RecordingCameraView::StopRecording() {
  Log("StopRecording");
  return true;
}
gdi::PackedDib RecordingCameraView::TakeSnapshot(bool freeze) {
  Log(std::string("TakeSnapshot(") + (freeze ? "1" : "0") + ")");
  if (snapshotWidth == 0) return {};
  return TestPicture(snapshotWidth, snapshotHeight);
}
void RecordingCameraView::SaveBitmapFile(const std::string& path, const gdi::PackedDib& picture) {
  Log("SaveBitmapFile(" + path + "," + Describe(picture) + ")");
}
void RecordingCameraView::SetZoom(double factor) { Log("SetZoom(" + Text(factor) + ")"); }
void RecordingCameraView::SetFitMode(int mode) { Log("SetFitMode(" + std::to_string(mode) + ")"); }
void RecordingCameraView::ShowNavigator(bool show) { Log(std::string("ShowNavigator(") + (show ? "1" : "0") + ")"); }
void RecordingCameraView::SetArrangement(Arrangement a) { Log(std::string("SetArrangement(") + Name(a) + ")"); }
void RecordingCameraView::SetRotation(int quarterTurns) {
  rotation = quarterTurns;
  Log("SetRotation(" + std::to_string(quarterTurns) + ")");
}
void RecordingCameraView::ShowCameraPropertyPages(QWidget* owner) {
  Log(std::string("ShowCameraPropertyPages(") + (owner ? owner->objectName().toStdString() : "none") + ")");
}
void RecordingCameraView::SetOverlayStatus(camera::OverlayStatus status) {
  overlay = status;
  Log("SetOverlayStatus(" + std::to_string(static_cast<int>(status)) + ")");
}

bool RecordingMovieView::OpenMovie(const std::string& path) {
  Log("OpenMovie(" + path + ")");
  return openResult;
}
void RecordingMovieView::StopMovie() {
  Log("StopMovie");
  state = movie::PlaybackState::Stopped;
}
void RecordingMovieView::SeekPercent(int percent) { Log("SeekPercent(" + std::to_string(percent) + ")"); }
void RecordingMovieView::SetSpeed(int entry) { Log("SetSpeed(" + std::to_string(entry) + ")"); }
void RecordingMovieView::SetMovieFit(int mode) { Log("SetMovieFit(" + std::to_string(mode) + ")"); }
gdi::PackedDib RecordingMovieView::GrabMovieFrame() {
  Log("GrabMovieFrame");
  if (frameWidth == 0) return {};
  // A stopped movie is rewound: its frame differs from the playing one.
  if (state == movie::PlaybackState::Stopped) return TestPicture(1, 1);
  return TestPicture(frameWidth, frameHeight);
}

void RecordingArView::OnBarCommand(int commandId) { log_.push_back("ar.OnBarCommand(" + std::to_string(commandId) + ")"); }
bool RecordingArView::CloseViewer() {
  log_.push_back("ar.CloseViewer");
  const bool closed = viewerRunning;
  viewerRunning = false;
  return closed;
}

bool RecordingRecordIndicator::StartBlinking() {
  log_.push_back("record.StartBlinking");
  return true;
}
void RecordingRecordIndicator::StopBlinking() { log_.push_back("record.StopBlinking"); }

void RecordingTabStrip::SelectTabOf(ViewMode mode) {
  selected = mode;
  log_.push_back(std::string("tabs.SelectTabOf(") + Name(mode) + ")");
}

void RecordingToolsPalette::SetToolSet(ToolSet toolSet) {
  set = toolSet;
  log_.push_back(std::string("tools.SetToolSet(") + (toolSet == ToolSet::Camera ? "Camera" : "Image") + ")");
}
void RecordingToolsPalette::RepaintButtons() { log_.push_back("tools.RepaintButtons"); }

void RecordingReadingPanel::SetText(const std::string& value) {
  text = value;
  Log("SetText(" + value + ")");
}
void RecordingReadingPanel::SetBackgroundMusic(const std::string& path) {
  music = path;
  Log("SetBackgroundMusic(" + path + ")");
}
void RecordingReadingPanel::RegisterUserDictionary(const std::string& path) { Log("RegisterUserDictionary(" + path + ")"); }
void RecordingReadingPanel::ToggleView() {
  Log("ToggleView");
  switch (view) {
    case reading::ReadingView::Text: view = reading::ReadingView::List; break;
    case reading::ReadingView::List: view = reading::ReadingView::Text; break;
    case reading::ReadingView::TextCollapsed: view = reading::ReadingView::ListCollapsed; break;
    case reading::ReadingView::ListCollapsed: view = reading::ReadingView::TextCollapsed; break;
  }
}
void RecordingReadingPanel::Reading(bool repeatRun) { Log(std::string("Reading(") + (repeatRun ? "1" : "0") + ")"); }
void RecordingReadingPanel::AddVoiceBook(const std::string& path) { Log("AddVoiceBook(" + path + ")"); }
std::optional<std::string> RecordingReadingPanel::PickBookToRead() {
  Log("PickBookToRead");
  return bookToRead;
}

void RecordingControlBar::ShowBar() {
  log_.push_back(name_ + "ShowBar");
  show();
}
void RecordingControlBar::SetPosition(int position, int range, const std::string& text) {
  log_.push_back(name_ + "SetPosition(" + std::to_string(position) + "," + std::to_string(range) + "," + text + ")");
}
void RecordingControlBar::ShowPlaying(bool playing) { log_.push_back(name_ + "ShowPlaying(" + (playing ? "1" : "0") + ")"); }

template <typename T, typename... Args>
std::unique_ptr<T> RecordingChildFactory::Make(int index, const char* name, T*& keep, Args&&... args) {
  creationOrder.push_back(name);
  if (failing.count(index)) {
    keep = nullptr;
    return nullptr;
  }
  auto made = std::make_unique<T>(log_, std::forward<Args>(args)...);
  keep = made.get();
  return made;
}

std::unique_ptr<imageview::ImageView> RecordingChildFactory::MakeImageView() { return Make(0, "image", image); }
std::unique_ptr<movie::MovieView> RecordingChildFactory::MakeMovieView() { return Make(1, "movie", movie); }
std::unique_ptr<camera::CameraView> RecordingChildFactory::MakeCameraView() { return Make(2, "camera", camera); }
std::unique_ptr<ar::ArView> RecordingChildFactory::MakeArView() { return Make(3, "ar", ar); }
std::unique_ptr<camera::RecordIndicator> RecordingChildFactory::MakeRecordIndicator() { return Make(4, "record", record); }
std::unique_ptr<TabStrip> RecordingChildFactory::MakeTabStrip(int featureVariant, bool korean) {
  tabVariant = featureVariant;
  tabKorean = korean;
  return Make(5, "tabs", tabs);
}
std::unique_ptr<ToolsPalette> RecordingChildFactory::MakeToolsPalette() { return Make(6, "tools", tools); }
std::unique_ptr<reading::ReadingPanel> RecordingChildFactory::MakeReadingPanel(core::CameraModel model) {
  panelModel = model;
  return Make(7, "reading", reading);
}
std::unique_ptr<ui::ControlBar> RecordingChildFactory::MakeControlBar(bool readingBar) {
  return readingBar ? Make(8, "readingBar", this->readingBar, true) : Make(9, "movieBar", movieBar, false);
}

}  // namespace orvilo::shell::testing
