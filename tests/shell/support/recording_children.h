// Recording doubles of the main window's ten children (see recorder.h):
// every operation is one line that records the call, and the answers the
// main window reads are plain fields a test sets. A new operation of a
// child interface costs one line here.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <string>
#include <vector>

#include "recorder.h"
#include "shell/child_windows.h"

namespace orvilo::shell::testing {

// A small picture, so that hand-overs can be told apart by size.
gdi::PackedDib TestPicture(int width, int height);

class RecordingImageView : public imageview::ImageView, Recorder {
 public:
  explicit RecordingImageView(CallLog& log) : Recorder(log, "image") {}
  bool loadResult = true;
  imageview::StrokeKind tool = imageview::StrokeKind::Pen;
  gdi::PackedDib source;  // the last picture it was given
  std::vector<gdi::Rect> blinds;  // what BlindRectangles answers
  gdi::Rect selection;            // what Selection answers

  bool SetImage(gdi::PackedDib picture) override {
    Record("SetImage", picture);
    if (picture.IsEmpty()) return false;
    source = std::move(picture);
    return true;
  }
  bool LoadImageFile(const std::string& path) override { return Reply(loadResult, "LoadImageFile", path); }
  void SaveAnnotatedImage(const std::string& path) override { Record("SaveAnnotatedImage", path); }
  void SetZoom(double factor) override { Record("SetZoom", factor); }
  void ShowNavigator(bool show) override { Record("ShowNavigator", show); }
  void SetMode(ViewMode mode) override { Record("SetMode", mode); }
  void SetArrangement(Arrangement arrangement) override { Record("SetArrangement", arrangement); }
  void SetFullScreenPicture(bool on) override { Record("SetFullScreenPicture", on); }
  void ToggleNegative() override { Record("ToggleNegative"); }
  void ToggleBlackWhite() override { Record("ToggleBlackWhite"); }
  void ToggleMirror() override { Record("ToggleMirror"); }
  void ToggleFlip() override { Record("ToggleFlip"); }
  void RotateQuarter() override { Record("RotateQuarter"); }
  imageview::StrokeKind CurrentTool() const override { return tool; }
  void SetCurrentTool(imageview::StrokeKind kind) override { Record("SetCurrentTool", tool = kind); }
  void SetPenWidth(int width) override { Record("SetPenWidth", width); }
  void SetPenColour(int entry) override { Record("SetPenColour", entry); }
  void SetBoard(imageview::BoardKind board) override { Record("SetBoard", board); }
  void EraseAll() override { Record("EraseAll"); }
  void Undo() override { Record("Undo"); }
  void Redo() override { Record("Redo"); }
  void ResetDrawing() override { Record("ResetDrawing"); }
  void AddBlind(int left, int top, int right, int bottom) override { Record("AddBlind", left, top, right, bottom); }
  void RemoveAllBlinds() override { Record("RemoveAllBlinds"); }
  std::vector<gdi::Rect> BlindRectangles() const override { return blinds; }
  gdi::Rect Selection() const override { return selection; }
  void SetSelection(const gdi::Rect& rect) override { selection = rect; }
  imageview::ReadingSource GetReadingSource() const override { return {}; }
  const gdi::PackedDib& SourcePicture() const override { return source; }
};

class RecordingCameraView : public camera::CameraView, Recorder {
 public:
  explicit RecordingCameraView(CallLog& log) : Recorder(log, "camera") {}
  core::ResolutionIndex resolutionIndex = 2;
  int rotation = 0;
  core::CameraModel reportedModel = 8;
  camera::OverlayStatus overlay = camera::OverlayStatus::None;
  bool recordingStarts = true;
  // Size of the snapshot it hands out; 0 x 0 gives none.
  int snapshotWidth = 64;
  int snapshotHeight = 48;

  void SelectDevices(const media::CaptureDevice& video, const media::CaptureDevice* audio) override {
    Record("SelectDevices", video, audio);
  }
  void SetResolution(core::CameraModel model, core::ResolutionIndex index) override {
    Record("SetResolution", model, resolutionIndex = index);
  }
  core::ResolutionIndex GetResolutionIndex(core::CameraModel) const override { return resolutionIndex; }
  core::CameraModel Model() const override { return reportedModel; }
  bool TogglePause() override { return Reply(true, "TogglePause"); }
  void CloseCamera() override { Record("CloseCamera"); }
  bool StartRecording(const std::string& fileName) override { return Reply(recordingStarts, "StartRecording", fileName); }
  bool StopRecording() override {
    timeLapseRunning = false;
    return Reply(true, "StopRecording");
  }
  gdi::PackedDib TakeSnapshot(bool freeze) override {
    Record("TakeSnapshot", freeze);
    return snapshotWidth == 0 ? gdi::PackedDib() : TestPicture(snapshotWidth, snapshotHeight);
  }
  void SaveBitmapFile(const std::string& path, const gdi::PackedDib& picture) override {
    Record("SaveBitmapFile", path, picture);
  }
  void SetZoom(double factor) override { Record("SetZoom", factor); }
  void SetFitMode(int mode) override { Record("SetFitMode", mode); }
  void ShowNavigator(bool show) override { Record("ShowNavigator", show); }
  void SetArrangement(Arrangement arrangement) override { Record("SetArrangement", arrangement); }
  void ToggleNegative() override { Record("ToggleNegative"); }
  void ToggleBlackWhite() override { Record("ToggleBlackWhite"); }
  void ToggleMirror() override { Record("ToggleMirror"); }
  void ToggleFlip() override { Record("ToggleFlip"); }
  void RotateQuarter() override { Record("RotateQuarter"); }
  int Rotation() const override { return rotation; }
  void SetRotation(int quarterTurns) override { Record("SetRotation", rotation = quarterTurns); }
  void AutoFocus() override { Record("AutoFocus"); }
  void ToggleFocusPopup() override { Record("ToggleFocusPopup"); }
  void ShowCameraPropertyPages(QWidget* owner) override { Record("ShowCameraPropertyPages", owner); }
  void TogglePictureControls() override { Record("TogglePictureControls"); }
  void SetSettingsFile(const std::string& path) override { settingsFile = path; }  // kept, not logged
  bool StartIntervalCapture(const std::string& folder, int seconds) override {
    return intervalRunning = Reply(true, "StartIntervalCapture", folder, seconds);
  }
  void StopIntervalCapture() override {
    Record("StopIntervalCapture");
    intervalRunning = false;
  }
  bool IntervalCaptureRunning() const override { return intervalRunning; }
  bool StartTimeLapse(const std::string& file, int seconds) override {
    return timeLapseRunning = Reply(recordingStarts, "StartTimeLapse", file, seconds);
  }
  bool TimeLapseRunning() const override { return timeLapseRunning; }
  void ShowFilmstrip(bool show) override { Record("ShowFilmstrip", filmstripShown = show); }
  bool FilmstripShown() const override { return filmstripShown; }
  std::string FilmstripStill(int index) const override {
    return index >= 0 && index < static_cast<int>(stills.size()) ? stills[static_cast<std::size_t>(index)] : "";
  }
  std::string settingsFile;
  bool intervalRunning = false;
  bool timeLapseRunning = false;
  bool filmstripShown = false;
  std::vector<std::string> stills;  // the filmstrip's files
  void ShowLiveDrawing(bool show) override { Record("ShowLiveDrawing", liveDrawingShown = show); }
  bool LiveDrawingShown() const override { return liveDrawingShown; }
  void ClearLiveDrawing() override { Record("ClearLiveDrawing"); }
  void SetLiveDrawingTool(drawing::StrokeKind tool) override { Record("SetLiveDrawingTool", tool); }
  void SetLiveDrawingPenWidth(int width) override { Record("SetLiveDrawingPenWidth", width); }
  void SetLiveDrawingPenColour(int entry) override { Record("SetLiveDrawingPenColour", entry); }
  gdi::PackedDib TakeAnnotatedSnapshot() override {
    Record("TakeAnnotatedSnapshot");
    return snapshotWidth == 0 ? gdi::PackedDib() : TestPicture(snapshotWidth, snapshotHeight);
  }
  bool liveDrawingShown = false;
  camera::OverlayStatus GetOverlayStatus() const override { return overlay; }
  void SetOverlayStatus(camera::OverlayStatus status) override { Record("SetOverlayStatus", overlay = status); }
};

class RecordingMovieView : public movie::MovieView, Recorder {
 public:
  explicit RecordingMovieView(CallLog& log) : Recorder(log, "movie") {}
  bool openResult = true;
  movie::PlaybackState state = movie::PlaybackState::Playing;
  int frameWidth = 32;  // 0: no frame to grab
  int frameHeight = 24;

  bool OpenMovie(const std::string& path) override { return Reply(openResult, "OpenMovie", path); }
  void Play() override { Record("Play"); }
  void TogglePauseMovie() override { Record("TogglePauseMovie"); }
  void StopMovie() override {
    Record("StopMovie");
    state = movie::PlaybackState::Stopped;
  }
  void SkipBack() override { Record("SkipBack"); }
  void SkipForward() override { Record("SkipForward"); }
  void SeekPercent(int percent) override { Record("SeekPercent", percent); }
  void SetSpeed(int entry) override { Record("SetSpeed", entry); }
  void SetMovieFit(int mode) override { Record("SetMovieFit", mode); }
  // A stopped movie is rewound: its frame differs from the playing one.
  gdi::PackedDib GrabMovieFrame() override {
    Record("GrabMovieFrame");
    if (frameWidth == 0) return {};
    return state == movie::PlaybackState::Stopped ? TestPicture(1, 1) : TestPicture(frameWidth, frameHeight);
  }
  movie::PlaybackState State() const override { return state; }
};

class RecordingArView : public ar::ArView, Recorder {
 public:
  explicit RecordingArView(CallLog& log) : Recorder(log, "ar") {}
  bool viewerRunning = false;
  std::set<int> gradesWithContent{1, 2, 3, 4, 5, 6};

  void OnBarCommand(int commandId) override { Record("OnBarCommand", commandId); }
  bool HasViewer() const override { return viewerRunning; }
  bool CloseViewer() override { return Reply(std::exchange(viewerRunning, false), "CloseViewer"); }
  bool GradeHasContent(int grade) const override { return gradesWithContent.count(grade) != 0; }
};

class RecordingRecordIndicator : public camera::RecordIndicator, Recorder {
 public:
  explicit RecordingRecordIndicator(CallLog& log) : Recorder(log, "record") {}
  bool StartBlinking() override { return Reply(true, "StartBlinking"); }
  void StopBlinking() override { Record("StopBlinking"); }
};

class RecordingTabStrip : public TabStrip, Recorder {
 public:
  explicit RecordingTabStrip(CallLog& log) : Recorder(log, "tabs") {}
  ViewMode selected = ViewMode::Camera;
  void SelectTabOf(ViewMode mode) override { Record("SelectTabOf", selected = mode); }
  ViewMode SelectedMode() const override { return selected; }
};

class RecordingToolsPalette : public ToolsPalette, Recorder {
 public:
  explicit RecordingToolsPalette(CallLog& log) : Recorder(log, "tools") {}
  ToolSet set = ToolSet::Camera;
  void SetToolSet(ToolSet toolSet) override { Record("SetToolSet", set = toolSet); }
  ToolSet CurrentToolSet() const override { return set; }
  void RepaintButtons() override { Record("RepaintButtons"); }
  void OpenPicker(int commandId) override { Record("OpenPicker", commandId); }
};

class RecordingReadingPanel : public reading::ReadingPanel, Recorder {
 public:
  explicit RecordingReadingPanel(CallLog& log) : Recorder(log, "reading") {}
  reading::ReadingView view = reading::ReadingView::Text;
  int language = 0;
  std::string text;
  std::string music;
  VoiceBookServices services;  // as the main window gave them

  void SetText(const std::string& value) override { Record("SetText", text = value); }
  std::string Text() const override { return text; }
  std::string BackgroundMusic() const override { return music; }
  void SetBackgroundMusic(const std::string& path) override { Record("SetBackgroundMusic", music = path); }
  void RegisterUserDictionary(const std::string& path) override { Record("RegisterUserDictionary", path); }
  reading::ReadingView View() const override { return view; }
  // Text and list swap; collapsed stays collapsed.
  void ToggleView() override {
    Record("ToggleView");
    view = static_cast<reading::ReadingView>(static_cast<int>(view) ^ 1);
  }
  void Refresh() override { Record("Refresh"); }
  int Language() const override { return language; }
  void Reading(bool repeatRun) override { Record("Reading", repeatRun); }
  void PauseOrResume() override { Record("PauseOrResume"); }
  void Stop() override { Record("Stop"); }
  void ToggleRepeat() override { Record("ToggleRepeat"); }
  void StepItem(int direction) override { Record("StepItem", direction); }
  void AddVoiceBook(const std::string& path) override { Record("AddVoiceBook", path); }
  void SetVoiceBookServices(VoiceBookServices given) override { services = std::move(given); }
  void TellFileProblem(FileProblem problem) override { Record("TellFileProblem", problem); }
  bool recognitionAvailable = true;
  bool InitRecognition() override { return Reply(recognitionAvailable, "InitRecognition"); }
  gdi::Rect Recognise(const gdi::PackedDib& picture, const reading::PageGeometry& page) override {
    Record("Recognise", picture);
    return page.selection;
  }
};

class RecordingControlBar : public ui::ControlBar, Recorder {
 public:
  RecordingControlBar(CallLog& log, bool readingBar) : Recorder(log, readingBar ? "readingBar" : "movieBar") {}
  void ShowBar() override {
    Record("ShowBar");
    show();
  }
  void SetPosition(int position, int range, const std::string& text) override {
    Record("SetPosition", position, range, text);
  }
  void ShowPlaying(bool playing) override { Record("ShowPlaying", playing); }
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

  std::unique_ptr<imageview::ImageView> MakeImageView() override { return Make(kImageViewIndex, "image", image); }
  std::unique_ptr<movie::MovieView> MakeMovieView() override { return Make(kMovieViewIndex, "movie", movie); }
  std::unique_ptr<camera::CameraView> MakeCameraView() override { return Make(kCameraViewIndex, "camera", camera); }
  std::unique_ptr<ar::ArView> MakeArView() override { return Make(kArViewIndex, "ar", ar); }
  std::unique_ptr<camera::RecordIndicator> MakeRecordIndicator() override {
    return Make(kRecordIndicatorIndex, "record", record);
  }
  std::unique_ptr<TabStrip> MakeTabStrip(int featureVariant, bool korean) override {
    tabVariant = featureVariant;
    tabKorean = korean;
    return Make(kTabStripIndex, "tabs", tabs);
  }
  std::unique_ptr<ToolsPalette> MakeToolsPalette() override { return Make(kToolsPaletteIndex, "tools", tools); }
  // When set, makes the reading panel instead of the double (the real panel, say).
  std::function<std::unique_ptr<reading::ReadingPanel>(core::CameraModel)> makeReadingPanel;

  std::unique_ptr<reading::ReadingPanel> MakeReadingPanel(core::CameraModel model) override {
    panelModel = model;
    if (makeReadingPanel) {
      creationOrder.push_back("reading");
      return makeReadingPanel(model);
    }
    return Make(kReadingPanelIndex, "reading", reading);
  }
  std::unique_ptr<ui::ControlBar> MakeControlBar(bool readingBar) override {
    return readingBar ? Make(kReadingBarIndex, "readingBar", this->readingBar, true)
                      : Make(kMovieBarIndex, "movieBar", movieBar, false);
  }

 private:
  template <typename T, typename... Args>
  std::unique_ptr<T> Make(int index, const char* name, T*& keep, Args... args) {
    creationOrder.push_back(name);
    keep = failing.count(index) != 0 ? nullptr : new T(log_, args...);
    return std::unique_ptr<T>(keep);
  }
  CallLog& log_;
};

}  // namespace orvilo::shell::testing
