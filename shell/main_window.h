// CVyr3Dlg, the main window: a frameless modal dialog that owns every other
// window of the program for the whole run, switches between the five modes,
// lays out the camera-mode arrangements, and routes the commands and
// messages of its children to the view of the current mode.
//
// It is wiring: what each child does lives in the child. Everything the
// main window depends on arrives through MainWindowServices, so tests run
// it with recording children, scripted dialogs and a temporary program
// folder.
#pragma once

#include <QImage>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "camera/capture_devices.h"
#include "platform/win/dialog.h"
#include "platform/audio/master_volume.h"
#include "shell/child_windows.h"
#include "shell/command_bars.h"
#include "core/settings/settings_store.h"
#include "shell/settings_dialog.h"
#include "core/view_mode.h"

namespace orvilo::ui {
class CSkinButton;
class CSkinPrograssBar;
}  // namespace orvilo::ui

namespace orvilo::shell {

struct MainWindowServices {
  std::string programFolder;
  int systemLanguage = 0;
  media::DeviceEnumerator* devices = nullptr;
  ChildWindowFactory* children = nullptr;
  SettingsDialogRunner* settingsDialog = nullptr;
  audio::MasterVolume* masterVolume = nullptr;
  // The primary screen's available height; empty: ask the screen.
  std::optional<int> availableScreenHeight;
};

class CVyr3Dlg : public win::Dialog {
  Q_OBJECT
 public:
  explicit CVyr3Dlg(MainWindowServices services);
  // Shutdown: settings written, then every child destroyed in index order.
  ~CVyr3Dlg() override;

  ViewMode Mode() const { return mode_; }
  Arrangement CurrentArrangement() const { return arrangement_; }
  int ZoomPercent() const { return zoomPercent_; }
  bool FullScreenPicture() const { return settings_.fullScreen; }
  bool PaletteEnabled() const { return paletteEnabled_; }
  bool Korean() const { return korean_; }
  int FeatureVariant() const { return featureVariant_; }
  core::CameraModel Model() const { return model_; }
  int ArMarker() const { return arMarker_; }
  const std::string& ArCaption() const { return arCaption_; }
  const core::MainWindowSettings& Settings() const { return settings_; }
  const ChildWindows& Children() const { return children_; }
  CommandBars& Bars() { return bars_; }
  ui::CSkinButton* TitleButton(int index) const;
  ui::CSkinPrograssBar* VolumeSlider() const { return volumeSlider_.get(); }
  gdi::Size ClientSize() const;
  // The top strip drags the window; the bottom-right corner sizes it while
  // the maximise button shows.
  win::HitTest HitTestAt(const QPoint& windowPoint) const override;

 protected:
  bool OnInitDialog() override;
  std::intptr_t OnMessage(const win::Msg& message) override;
  bool OnCommand(int commandId) override;
  void OnTimer(int id) override;
  void OnExitSizeMove() override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // Initialisation steps.
  void CreateTitleButtons();
  void CreateChildWindows();
  bool CreateChild(win::Window* child, int index);
  void PlaceTitleButtons();

  // Modes and layouts.
  void SwitchMode(ViewMode requested);
  void LeaveMode(ViewMode requested, bool& arViewerClosed);
  void EnterMode(ViewMode requested, bool arViewerClosed);
  void ShowOnlyView(int viewIndex);
  void ShowCommandBar(int bar);
  void PlaceInContent(win::Window* window);
  void PlaceReadingPanelAndImage(bool entering);
  void Raise(QWidget* window);
  void RaisePalette();
  void SetArrangementOfViews(Arrangement arrangement);
  void ToggleSplit();
  void TogglePictureInPicture();
  void SwapInset(Arrangement to);
  void LayOutViews();
  void SetFullScreenPicture(bool on, int onCommand, int offCommand);
  void SetZoomPercent(int percent);
  void OpenZoomList();
  void StopMovieAndUpdateBar();
  void ShowPaletteWithToolSet(ToolSet set);
  // Binds every attached camera of a known model to the camera view; true
  // when one was bound.
  bool BindCamera();

  // Command groups.
  void OnTitleCommand(int id);
  void OnCameraCommand(int id);
  void OnImageCommand(int id);
  void OnReadingCommand(int id);
  void OnMovieCommand(int id);
  void OnCameraTool(int id);
  void OnImageTool(int id);
  void OnControlBarCommand(int id);
  void OnViewCommand(int id);

  // Private messages.
  void OnPointerActivity(std::uintptr_t wParam);
  void OnMoviePosition(int seconds, int duration);
  void OnPickerChoice(int tool, int entry);
  void OnStillButton();
  void OnCameraRestartWatchdog();

  // Learning files (reading mode): not built yet; opening one changes
  // nothing and saving writes nothing.
  void LoadLearningFile(const std::string& path);
  void SaveLearningFile();

  void LoadFramePictures();

  std::optional<std::string> RunFileDialog(bool save, const std::string& filter, const std::string& defaultExtension);
  int RunSettingsDialog(SettingsDialogState& state);
  void SetBarButtonDisabled(int commandId, bool disabled);
  void SetRecordingBar(bool recording);
  void ShowMovieBarPlaying();
  void MakeReleasedToggle(int commandId);

  MainWindowServices services_;
  core::SettingsStore store_;
  camera::CaptureDevices devices_;
  core::MainWindowSettings settings_;
  ChildWindows children_;
  CommandBars bars_;
  std::array<std::unique_ptr<ui::CSkinButton>, 8> titleButtons_;
  // Frame pieces (TL, T, TR, L, R, BL, B, BR), zoom badge, marker cells, speaker.
  std::array<QImage, 8> framePieces_;
  QImage zoomBadge_;
  QImage markerCells_;
  QImage speakerIcon_;
  std::unique_ptr<ui::CSkinPrograssBar> volumeSlider_;

  int zoomPercent_ = 100;
  bool korean_ = true;
  bool paletteEnabled_ = true;
  core::CameraModel model_ = core::kNoCamera;
  int featureVariant_ = 0;
  ViewMode mode_ = ViewMode::Camera;
  Arrangement arrangement_ = Arrangement::Normal;
  int arMarker_ = 0;
  std::string arCaption_;
  // Set by "frame to image" (1086): the picked frame is already in the image
  // view, so the mode switch it posts must not grab the rewound movie again.
  bool movieFrameHandedOver_ = false;
  bool initialised_ = false;
};

}  // namespace orvilo::shell
