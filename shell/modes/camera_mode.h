// Camera mode: the live picture with its tools, the camera-mode layouts
// (split screen, picture in picture and its swap), recording, stills,
// resolution, focus and the camera restart watchdog.
#pragma once

#include <optional>
#include <string>

#include "camera/capture_devices.h"
#include "core/camera_model.h"
#include "shell/modes/mode.h"
#include "shell/tools_palette.h"

namespace orvilo::shell {

class CameraMode : public Mode {
 public:
  // `model` is the main window's camera model, read when needed (a model-6
  // camera is settled once bound).
  CameraMode(ModeContext context, camera::CaptureDevices& devices, const core::CameraModel& model);

  ViewMode Kind() const override { return ViewMode::Camera; }
  // Picture modes get a frozen frame; the camera closes. A command that
  // brings its own content (a file opened from this mode) leaves the camera
  // running; coming back through the tab binds it afresh.
  Handover Leave(ViewMode next, Entry entry) override;
  // The live picture fills the content area; the palette shows the camera
  // tools while enabled; the camera is bound again, and watched when an AR
  // viewer may have held it.
  void Enter(Handover handover) override;
  void LayOut() override;
  // An inset stays inside the resized window.
  void AfterResize() override;
  bool OnCommand(int id) override;
  bool OnCommandWhileCurrent(int id) override;
  // The capture size of the camera view.
  void PaintStatus(QPainter& painter) const override;

  Arrangement CurrentArrangement() const { return arrangement_; }
  bool PaletteEnabled() const { return paletteEnabled_; }
  // Every change of mode starts from the Normal arrangement.
  void ReturnToNormal();
  // Binds every attached camera of a known model to the camera view; true
  // when one was bound.
  bool BindCamera();
  // The still button of the camera (message 1829): the frame is saved under
  // the local time in the image folder.
  void OnStillButton();
  // Timer 1344: until a frame arrives the camera is closed and bound again.
  void OnRestartWatchdog();
  // The filmstrip: a click on a thumbnail opens the still in image mode as
  // Open File does (message 1282); a drop of one compares it with the live
  // picture in split screen (message 1283). Both carry the still's place.
  void OnOpenStill(int index);
  void OnCompareStill(int index);
  // A picker of the palette chose an entry (message 1575) while the drawing
  // over the live picture shows: its pen takes it. False when the choice is
  // not the live drawing's.
  bool OnPickerChoice(int tool, int entry);
  // A resize of the camera view hid the focus popup (message 1836).
  void OnFocusPopupHidden();
  void ShowPropertyPages(QWidget* owner);
  // At start: recordings a killed program left unfinished (named in the
  // video folder's journal, or lying in the video folder) are repaired.
  void RepairUnfinishedRecordings();

 private:
  void OpenFile();
  void Record();
  void StopRecording();
  void ChooseResolution();
  void ChooseFolders();
  void TogglePalette();
  ToolSet PaletteToolSet() const;
  void ToggleLiveDrawing();
  bool OnLiveDrawingTool(int id);
  bool OnTool(int id);
  void SetArrangementOfViews(Arrangement arrangement);
  void ToggleSplit();
  void TogglePictureInPicture();
  void SwapInset(Arrangement to);
  void BackToNormalLayout();
  void SetRecordingBar(bool recording);
  void ForgetRecordingFile();
  // Interval capture: stops a running one, or asks for the interval and
  // starts one into the image folder.
  void ToggleIntervalCapture();
  // The interval from the list under the bar button `commandId`; the choice
  // is kept in the settings file under `key`.
  std::optional<int> ChooseInterval(int commandId, const char* key);
  // Time-lapse: stops a running one, or asks for the interval and records
  // into a new file of the video folder.
  void ToggleTimeLapse();
  // While a time-lapse runs, the buttons that would rebuild or take over the
  // camera's graph (record, resolution, pause) are disabled.
  void SetTimeLapseBar(bool running);
  void ToggleFilmstrip();
  // Split screen with `still` (a file) in the image view, or, when empty,
  // the live picture's snapshot.
  void EnterSplit(const std::string& still);

  camera::CaptureDevices& devices_;
  const core::CameraModel& model_;
  Arrangement arrangement_ = Arrangement::Normal;
  // Whether the palette shows in camera mode (image mode always shows it).
  bool paletteEnabled_ = true;
  std::string recordingPath_;  // the file being recorded, kept in the journal until it is finished
  bool timeLapse_ = false;     // the recording is a time-lapse
};

}  // namespace orvilo::shell
