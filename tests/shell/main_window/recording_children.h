// Recording doubles of the main window's ten children: every operation the
// main window calls is appended to one shared log as "child.Operation(args)",
// and the answers the main window reads are plain fields a test sets.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "shell/child_windows.h"

namespace orvilo::shell::testing {

using CallLog = std::vector<std::string>;

// A small picture, so that hand-overs can be told apart by size.
gdi::PackedDib TestPicture(int width, int height);
std::string Describe(const gdi::PackedDib& picture);

class RecordingImageView : public imageview::ImageView {
 public:
  explicit RecordingImageView(CallLog& log) : log_(log) {}
  ~RecordingImageView() override { log_.push_back("image.~"); }
  bool loadResult = true;
  std::string recognised = "recognised text";
  imageview::StrokeKind tool = imageview::StrokeKind::Pen;
  bool recognitionAvailable = true;

  bool SetImage(gdi::PackedDib picture) override;
  bool LoadImageFile(const std::string& path) override;
  void SaveAnnotatedImage(const std::string& path) override;
  void SetZoom(double factor) override;
  void ShowNavigator(bool show) override;
  void SetMode(ViewMode mode) override;
  void SetArrangement(Arrangement arrangement) override;
  void SetFullScreenPicture(bool on) override;
  void ToggleNegative() override { Log("ToggleNegative"); }
  void ToggleBlackWhite() override { Log("ToggleBlackWhite"); }
  void ToggleMirror() override { Log("ToggleMirror"); }
  void ToggleFlip() override { Log("ToggleFlip"); }
  void RotateQuarter() override { Log("RotateQuarter"); }
  imageview::StrokeKind CurrentTool() const override { return tool; }
  void SetCurrentTool(imageview::StrokeKind kind) override;
  void SetPenWidth(int width) override;
  void SetPenColour(int entry) override;
  void SetBoard(imageview::BoardKind board) override;
  void EraseAll() override { Log("EraseAll"); }
  void Undo() override { Log("Undo"); }
  void Redo() override { Log("Redo"); }
  void ResetDrawing() override { Log("ResetDrawing"); }
  void AddBlind(int left, int top, int right, int bottom) override;
  void RemoveAllBlinds() override { Log("RemoveAllBlinds"); }
  std::vector<gdi::Rect> BlindRectangles() const override { return {}; }
  gdi::Rect Selection() const override { return {}; }
  void SetSelection(const gdi::Rect&) override {}
  const gdi::PackedDib& SourcePicture() const override { return source_; }
  bool InitRecognition() override;
  std::string Recognise() override;

 private:
  void Log(const std::string& call) { log_.push_back("image." + call); }
  CallLog& log_;
  gdi::PackedDib source_;
};

class RecordingCameraView : public camera::CameraView {
 public:
  explicit RecordingCameraView(CallLog& log) : log_(log) {}
  ~RecordingCameraView() override { log_.push_back("camera.~"); }
  core::ResolutionIndex resolutionIndex = 2;
  int rotation = 0;
  core::CameraModel reportedModel = 8;
  camera::OverlayStatus overlay = camera::OverlayStatus::None;
  bool recordingStarts = true;
  // Size of the snapshot it hands out; 0 x 0 gives none.
  int snapshotWidth = 64;
  int snapshotHeight = 48;

  void SelectDevices(const media::CaptureDevice& video, const media::CaptureDevice* audio) override;
  void SetResolution(core::CameraModel model, core::ResolutionIndex index) override;
  core::ResolutionIndex GetResolutionIndex(core::CameraModel) const override { return resolutionIndex; }
  core::CameraModel Model() const override { return reportedModel; }
  bool TogglePause() override;
  void CloseCamera() override { Log("CloseCamera"); }
  bool StartRecording(const std::string& fileName) override;
  bool StopRecording() override;
  gdi::PackedDib TakeSnapshot(bool freeze) override;
  void SaveBitmapFile(const std::string& path, const gdi::PackedDib& picture) override;
  void SetZoom(double factor) override;
  void SetFitMode(int mode) override;
  void ShowNavigator(bool show) override;
  void SetArrangement(Arrangement arrangement) override;
  void ToggleNegative() override { Log("ToggleNegative"); }
  void ToggleBlackWhite() override { Log("ToggleBlackWhite"); }
  void ToggleMirror() override { Log("ToggleMirror"); }
  void ToggleFlip() override { Log("ToggleFlip"); }
  void RotateQuarter() override { Log("RotateQuarter"); }
  int Rotation() const override { return rotation; }
  void SetRotation(int quarterTurns) override;
  void AutoFocus() override { Log("AutoFocus"); }
  void ToggleFocusPopup() override { Log("ToggleFocusPopup"); }
  void ShowCameraPropertyPages(QWidget* owner) override;
  camera::OverlayStatus GetOverlayStatus() const override { return overlay; }
  void SetOverlayStatus(camera::OverlayStatus status) override;

 private:
  void Log(const std::string& call) { log_.push_back("camera." + call); }
  CallLog& log_;
};

class RecordingMovieView : public movie::MovieView {
 public:
  explicit RecordingMovieView(CallLog& log) : log_(log) {}
  ~RecordingMovieView() override { log_.push_back("movie.~"); }
  bool openResult = true;
  movie::PlaybackState state = movie::PlaybackState::Playing;
  int frameWidth = 32;  // 0: no frame to grab
  int frameHeight = 24;

  bool OpenMovie(const std::string& path) override;
  void Play() override { Log("Play"); }
  void TogglePauseMovie() override { Log("TogglePauseMovie"); }
  void StopMovie() override;
  void SkipBack() override { Log("SkipBack"); }
  void SkipForward() override { Log("SkipForward"); }
  void SeekPercent(int percent) override;
  void SetSpeed(int entry) override;
  void SetMovieFit(int mode) override;
  gdi::PackedDib GrabMovieFrame() override;
  movie::PlaybackState State() const override { return state; }

 private:
  void Log(const std::string& call) { log_.push_back("movie." + call); }
  CallLog& log_;
};

class RecordingArView : public ar::ArView {
 public:
  explicit RecordingArView(CallLog& log) : log_(log) {}
  ~RecordingArView() override { log_.push_back("ar.~"); }
  bool viewerRunning = false;
  std::set<int> gradesWithContent{1, 2, 3, 4, 5, 6};

  void OnBarCommand(int commandId) override;
  bool HasViewer() const override { return viewerRunning; }
  bool CloseViewer() override;
  bool GradeHasContent(int grade) const override { return gradesWithContent.count(grade) != 0; }

 private:
  CallLog& log_;
};

class RecordingRecordIndicator : public camera::RecordIndicator {
 public:
  explicit RecordingRecordIndicator(CallLog& log) : log_(log) {}
  ~RecordingRecordIndicator() override { log_.push_back("record.~"); }
  bool StartBlinking() override;
  void StopBlinking() override;

 private:
  CallLog& log_;
};

class RecordingTabStrip : public TabStrip {
 public:
  explicit RecordingTabStrip(CallLog& log) : log_(log) {}
  ~RecordingTabStrip() override { log_.push_back("tabs.~"); }
  ViewMode selected = ViewMode::Camera;
  void SelectTabOf(ViewMode mode) override;
  ViewMode SelectedMode() const override { return selected; }

 private:
  CallLog& log_;
};

class RecordingToolsPalette : public ToolsPalette {
 public:
  explicit RecordingToolsPalette(CallLog& log) : log_(log) {}
  ~RecordingToolsPalette() override { log_.push_back("tools.~"); }
  ToolSet set = ToolSet::Camera;
  void SetToolSet(ToolSet toolSet) override;
  ToolSet CurrentToolSet() const override { return set; }
  void RepaintButtons() override;

 private:
  CallLog& log_;
};

class RecordingReadingPanel : public reading::ReadingPanel {
 public:
  explicit RecordingReadingPanel(CallLog& log) : log_(log) {}
  ~RecordingReadingPanel() override { log_.push_back("reading.~"); }
  reading::ReadingView view = reading::ReadingView::Text;
  int language = 0;
  std::string text;
  std::string music;
  std::optional<std::string> bookToRead;

  void SetText(const std::string& value) override;
  std::string Text() const override { return text; }
  std::string BackgroundMusic() const override { return music; }
  void SetBackgroundMusic(const std::string& path) override;
  void RegisterUserDictionary(const std::string& path) override;
  reading::ReadingView View() const override { return view; }
  void ToggleView() override;
  void Refresh() override { Log("Refresh"); }
  int Language() const override { return language; }
  void Reading(bool repeatRun) override;
  void PauseOrResume() override { Log("PauseOrResume"); }
  void Stop() override { Log("Stop"); }
  void ToggleRepeat() override { Log("ToggleRepeat"); }
  void AddVoiceBook(const std::string& path) override;
  std::optional<std::string> PickBookToRead() override;
  bool InitRecognition() override { Log("InitRecognition"); return true; }
  gdi::Rect Recognise(const gdi::PackedDib& picture, const reading::PageGeometry& page) override { Log("Recognise(" + Describe(picture) + ")"); return page.selection; }

 private:
  void Log(const std::string& call) { log_.push_back("reading." + call); }
  CallLog& log_;
};

class RecordingControlBar : public ui::ControlBar {
 public:
  RecordingControlBar(CallLog& log, bool readingBar) : log_(log), name_(readingBar ? "readingBar." : "movieBar.") {}
  ~RecordingControlBar() override { log_.push_back(name_ + "~"); }
  void ShowBar() override;
  void SetPosition(int position, int range, const std::string& text) override;
  void ShowPlaying(bool playing) override;

 private:
  CallLog& log_;
  std::string name_;
};

// Makes the doubles; an index in `failing` gives a failed creation.
class RecordingChildFactory : public ChildWindowFactory {
 public:
  explicit RecordingChildFactory(CallLog& log) : log_(log) {}
  std::set<int> failing;
  std::vector<std::string> creationOrder;
  int tabVariant = -1;
  bool tabKorean = false;
  core::CameraModel panelModel = -1;

  // The doubles as made (null when failing); owned by the main window.
  RecordingImageView* image = nullptr;
  RecordingMovieView* movie = nullptr;
  RecordingCameraView* camera = nullptr;
  RecordingArView* ar = nullptr;
  RecordingRecordIndicator* record = nullptr;
  RecordingTabStrip* tabs = nullptr;
  RecordingToolsPalette* tools = nullptr;
  RecordingReadingPanel* reading = nullptr;
  RecordingControlBar* readingBar = nullptr;
  RecordingControlBar* movieBar = nullptr;

  std::unique_ptr<imageview::ImageView> MakeImageView() override;
  std::unique_ptr<movie::MovieView> MakeMovieView() override;
  std::unique_ptr<camera::CameraView> MakeCameraView() override;
  std::unique_ptr<ar::ArView> MakeArView() override;
  std::unique_ptr<camera::RecordIndicator> MakeRecordIndicator() override;
  std::unique_ptr<TabStrip> MakeTabStrip(int featureVariant, bool korean) override;
  std::unique_ptr<ToolsPalette> MakeToolsPalette() override;
  std::unique_ptr<reading::ReadingPanel> MakeReadingPanel(core::CameraModel model) override;
  std::unique_ptr<ui::ControlBar> MakeControlBar(bool readingBar) override;

 private:
  template <typename T, typename... Args>
  std::unique_ptr<T> Make(int index, const char* name, T*& keep, Args&&... args);
  CallLog& log_;
};

}  // namespace orvilo::shell::testing
