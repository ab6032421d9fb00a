// CVyr3Dlg, the main window: a frameless modal dialog that owns every other
// window of the program for the whole run, draws its frame, title buttons
// and command bars, and routes commands and messages to its five modes.
//
// It is wiring: each mode's logic lives in its class in shell/modes/, and
// what each child does lives in the child. Everything the main window
// depends on arrives through MainWindowServices, so tests run it with
// recording children, scripted dialogs and a temporary program folder.
#pragma once

#include <QImage>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "camera/capture_devices.h"
#include "core/settings/settings_store.h"
#include "core/view_mode.h"
#include "platform/audio/master_volume.h"
#include "platform/win/dialog.h"
#include "shell/camera_search.h"
#include "shell/child_windows.h"
#include "shell/command_bars.h"
#include "shell/frame_geometry.h"
#include "shell/modes/ar_mode.h"
#include "shell/modes/camera_mode.h"
#include "shell/modes/image_mode.h"
#include "shell/modes/movie_mode.h"
#include "shell/modes/reading_mode.h"
#include "shell/modes/stage.h"
#include "shell/settings_dialog.h"

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

class CVyr3Dlg : public win::Dialog, private ModeHost {
  Q_OBJECT
 public:
  explicit CVyr3Dlg(MainWindowServices services);
  // Shutdown: settings written, then every child destroyed in index order.
  ~CVyr3Dlg() override;

  ViewMode Mode() const { return mode_; }
  Arrangement CurrentArrangement() const { return cameraMode_.CurrentArrangement(); }
  int ZoomPercent() const { return zoomPercent_; }
  bool FullScreenPicture() const { return settings_.fullScreen; }
  // The picture is blanked (B or "." from a keyboard or presenter remote).
  bool Blanked() const { return blank_ != nullptr && !blank_->isHidden(); }
  // The list of keys (F1) lies over the window.
  bool HelpShown() const { return help_ != nullptr && !help_->isHidden(); }
  bool PaletteEnabled() const { return cameraMode_.PaletteEnabled(); }
  bool Korean() const { return korean_; }
  int FeatureVariant() const { return featureVariant_; }
  core::CameraModel Model() const { return model_; }
  int ArMarker() const { return arMode_.Marker(); }
  const std::string& ArCaption() const { return arMode_.Caption(); }
  const core::MainWindowSettings& Settings() const { return settings_; }
  const ChildWindows& Children() const { return children_; }
  CommandBars& Bars() { return bars_; }
  ui::CSkinButton* TitleButton(TitleButtonId button) const;
  ui::CSkinPrograssBar* VolumeSlider() const { return volumeSlider_.get(); }
  gdi::Size ClientSize() const override;
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
  // The main window as its modes see it.
  ViewMode CurrentMode() const override { return mode_; }
  void ShowCommandBar(ViewMode mode) override;
  void SwitchMode(ViewMode next, Handover content) override;
  void OpenFile(ViewMode mode, const std::string& path) override;
  std::optional<std::string> RunFileDialog(bool save, FileFilter filter, const std::string& defaultExtension) override;
  int RunSettingsDialog(SettingsDialogState& state) override;
  void StartTimer(int id, int milliseconds) override { SetTimer(id, milliseconds); }
  void StopTimer(int id) override { KillTimer(id); }
  void RepaintFrame(const gdi::Rect& area) override;
  QWidget* Owner() override { return this; }

  // Initialisation steps.
  void LoadFramePictures();
  void CreateTitleButtons();
  void CreateChildWindows();
  bool WaitForCamera();
  bool LostCameraListedAgain();
  void BindReturnedCamera();
  ar::ArServices ArServicesOfThisWindow();
  bool CreateChild(win::Window* child, int index);
  void PlaceTitleButtons();

  // The one path into a mode: by a tab (1134..1138) or with what a command
  // brings (a file opened, a movie frame picked).
  void ChangeMode(ViewMode next, Entry entry, Handover content);
  shell::Mode& ModeOf(ViewMode mode);
  shell::Mode& Current() { return ModeOf(mode_); }
  void LayOutViews();
  void ShowZoomControls(bool shown);

  // What the main window keeps for all modes.
  void OnTitleCommand(int id);
  bool OnFullScreenCommand(int id);
  void SetFullScreenPicture(bool on, int onCommand, int offCommand);
  void SetZoomPercent(int percent);
  void OpenZoomList();
  // Covers the whole window in black, or takes the cover away.
  void ToggleBlank();
  void ToggleHelp();

  MainWindowServices services_;
  core::SettingsStore store_;
  camera::CaptureDevices devices_;
  core::MainWindowSettings settings_;
  ChildWindows children_;
  CommandBars bars_;
  std::array<std::unique_ptr<ui::CSkinButton>, kTitleButtonCount> titleButtons_;
  // The frame's skin pictures, in the order of their resource numbers.
  enum class FramePiece { TopLeft = 0, Top, TopRight, Left, Right, BottomLeft, Bottom, BottomRight };
  static constexpr int kFramePieceCount = 8;
  std::array<QImage, kFramePieceCount> framePieces_;
  QImage zoomBadge_;
  std::unique_ptr<ui::CSkinPrograssBar> volumeSlider_;
  std::unique_ptr<QWidget> blank_;
  std::unique_ptr<QWidget> help_;
  // While running: binds a lost camera as soon as the device list has it again.
  std::unique_ptr<CameraSearch> cameraReturn_;

  int zoomPercent_ = 100;
  bool korean_ = true;
  core::CameraModel model_ = core::kNoCamera;
  int featureVariant_ = 0;
  ViewMode mode_ = ViewMode::Camera;
  bool initialised_ = false;

  Stage stage_;
  CameraMode cameraMode_;
  ImageMode imageMode_;
  ReadingMode readingMode_;
  MovieMode movieMode_;
  ArMode arMode_;
};

}  // namespace orvilo::shell
