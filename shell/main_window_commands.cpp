// The main window's command and message handlers, grouped by sender.
#include <QTimer>
#include <cstdio>

#include "ui/skin_button.h"
#include "platform/sys/file_io.h"
#include "platform/sys/local_time.h"
#include "platform/sys/program_folder.h"
#include "platform/win/common_dialogs.h"
#include "platform/win/geometry.h"
#include "core/command_ids.h"
#include "shell/file_filters.h"
#include "shell/frame_geometry.h"
#include "shell/main_window.h"
#include "core/zoom.h"

namespace orvilo::shell {

using ui::ButtonLook;
using imageview::StrokeKind;
using ui::ToggleState;

namespace {

SettingsPage ResolutionPageOf(core::CameraModel model) {
  if (model == 5 || model == 6) return SettingsPage::ResolutionGroupB;
  if (model == 7 || model == 8) return SettingsPage::ResolutionGroupC;
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

}  // namespace

std::optional<std::string> CVyr3Dlg::RunFileDialog(bool save, const std::string& filter,
                                                   const std::string& defaultExtension) {
  win::FileDialogRequest request;
  request.kind = save ? win::FileDialogRequest::Kind::Save : win::FileDialogRequest::Kind::Open;
  request.filter = filter;
  request.defaultExtension = defaultExtension;
  request.hideReadOnly = true;
  request.overwritePrompt = save;
  return win::CommonDialogs::Current().RunFileDialog(this, request);
}

int CVyr3Dlg::RunSettingsDialog(SettingsDialogState& state) {
  return services_.settingsDialog ? services_.settingsDialog->Run(this, state) : win::kResultCancel;
}

void CVyr3Dlg::SetBarButtonDisabled(int commandId, bool disabled) {
  if (auto* button = bars_.ButtonOfCommand(commandId)) {
    button->look = disabled ? ButtonLook::Disabled : ButtonLook::Normal;
    button->update();
  }
}

// While recording, bar 0 shows stop in place of record and every other
// button disabled; afterwards the other way round.
void CVyr3Dlg::SetRecordingBar(bool recording) {
  if (auto* button = bars_.ButtonOfCommand(command::kRecord)) button->setVisible(!recording);
  if (auto* button = bars_.ButtonOfCommand(command::kStopRecording)) button->setVisible(recording);
  for (int index = 0; index < command::kBarButtonCount[0]; ++index) {
    const int other = command::BarButton(0, index);
    if (other != command::kRecord && other != command::kStopRecording) SetBarButtonDisabled(other, recording);
  }
}

// A movie started playing: its bar shows the pause button and comes up.
void CVyr3Dlg::ShowMovieBarPlaying() {
  if (!children_.movieBar) return;
  children_.movieBar->ShowPlaying(true);
  children_.movieBar->ShowBar();
  Raise(children_.movieBar.get());
}

void CVyr3Dlg::MakeReleasedToggle(int commandId) {
  if (auto* button = bars_.ButtonOfCommand(commandId)) {
    button->toggle = 1;
    button->toggleState = ToggleState::Off;
    button->look = ButtonLook::Normal;
    button->update();
  }
}

void CVyr3Dlg::OnTitleCommand(int id) {
  switch (id) {
    case command::kLogo:
      if (store_.LogoPopupEnabled()) {
        SettingsDialogState about;
        about.page = SettingsPage::About;
        RunSettingsDialog(about);
      }
      break;
    case command::kMinimise: showMinimized(); break;
    case command::kMaximise:
      showMaximized();
      if (titleButtons_[3]) titleButtons_[3]->show();
      if (titleButtons_[2]) titleButtons_[2]->hide();
      break;
    case command::kRestore:
      showNormal();
      if (titleButtons_[2]) titleButtons_[2]->show();
      if (titleButtons_[3]) titleButtons_[3]->hide();
      break;
    case command::kClose: EndDialog(win::kResultClose); break;
    case command::kZoomIn: SetZoomPercent(core::ZoomedIn(zoomPercent_)); break;
    case command::kZoomOut: SetZoomPercent(core::ZoomedOut(zoomPercent_)); break;
    case command::kZoomList: OpenZoomList(); break;
    default: break;
  }
}

void CVyr3Dlg::OnCameraCommand(int id) {
  auto* camera = children_.camera.get();
  switch (id) {
    case command::kOpenFile: {
      const auto path = RunFileDialog(false, FileFilterText(FileFilter::PictureOrMovie, korean_), "");
      if (!path) return;
      if (IsPictureFileName(*path)) {
        if (!children_.image || !children_.image->LoadImageFile(*path)) return;
        ShowCommandBar(1);
        ShowOnlyView(kImageViewIndex);
        mode_ = ViewMode::Image;
        children_.image->SetMode(mode_);
        if (children_.tabs) children_.tabs->SelectTabOf(ViewMode::Image);
        LayOutViews();
        ShowPaletteWithToolSet(ToolSet::Image);
        RaisePalette();
      } else {
        if (!children_.movie || !children_.movie->OpenMovie(*path)) return;
        ShowCommandBar(3);
        ShowOnlyView(kMovieViewIndex);
        mode_ = ViewMode::Movie;
        if (children_.image) children_.image->SetMode(mode_);
        if (children_.tabs) children_.tabs->SelectTabOf(ViewMode::Movie);
        if (children_.tools) children_.tools->hide();
        LayOutViews();
        ShowMovieBarPlaying();
      }
      return;
    }
    case command::kSaveFrame:
      if (camera) {
        gdi::PackedDib frame = camera->TakeSnapshot(false);
        if (!frame.IsEmpty()) {
          if (const auto path = RunFileDialog(true, FileFilterText(FileFilter::SavePicture, korean_), "bmp")) {
            camera->SaveBitmapFile(*path, frame);
          }
        }
      }
      RaisePalette();
      return;
    case command::kRecord: {
      if (mode_ != ViewMode::Camera || !camera || !children_.record) return;
      const auto path = RunFileDialog(true, FileFilterText(FileFilter::RecordingAvi, korean_), "avi");
      if (!path || path->empty() || !camera->StartRecording(*path)) return;
      children_.record->StartBlinking();
      SetRecordingBar(true);
      if (paletteEnabled_ && children_.tools && children_.tools->isVisible()) children_.tools->hide();
      camera->raise();
      children_.record->raise();
      return;
    }
    case command::kResolution: {
      if (!camera) return;
      SettingsDialogState state;
      state.page = ResolutionPageOf(model_);
      state.resolutionIndex = camera->GetResolutionIndex(model_);
      const int before = state.resolutionIndex;
      if (RunSettingsDialog(state) != win::kResultOk) return;
      if (state.resolutionIndex != before) camera->SetResolution(model_, state.resolutionIndex);
      BindCamera();
      update(win::ToQRect(ResolutionTextRect(width())));
      return;
    }
    case command::kCameraFullScreenOn: SetFullScreenPicture(true, command::kCameraFullScreenOn, command::kCameraFullScreenOff); return;
    case command::kCameraFullScreenOff: SetFullScreenPicture(false, command::kCameraFullScreenOn, command::kCameraFullScreenOff); return;
    case command::kPalette:
      if (paletteEnabled_) {
        if (children_.tools && children_.tools->isVisible()) children_.tools->hide();
        paletteEnabled_ = false;
      } else {
        if (children_.tools) {
          children_.tools->SetToolSet(ToolSet::Camera);
          children_.tools->show();
          children_.tools->raise();
        }
        paletteEnabled_ = true;
      }
      return;
    case command::kSettings: {
      SettingsDialogState state;
      state.page = SettingsPage::Settings;
      state.text1 = settings_.imageFolder;
      state.text2 = settings_.videoFolder;
      if (RunSettingsDialog(state) == win::kResultOk) store_.ApplyFolderChoice(settings_, state.text1, state.text2);
      return;
    }
    case command::kAutoFocus:
      MakeReleasedToggle(command::kManualFocus);
      if (camera) camera->AutoFocus();
      return;
    case command::kManualFocus:
      if (camera) camera->ToggleFocusPopup();
      return;
    case command::kPause:
      if (camera) camera->TogglePause();
      return;
    case command::kStopRecording:
      if (mode_ != ViewMode::Camera) return;
      if (children_.record) children_.record->StopBlinking();
      if (camera) camera->StopRecording();
      BindCamera();
      SetRecordingBar(false);
      if (paletteEnabled_ && children_.tools && !children_.tools->isVisible()) {
        children_.tools->show();
        children_.tools->raise();
      }
      return;
    default: return;
  }
}

void CVyr3Dlg::OnImageCommand(int id) {
  auto* image = children_.image.get();
  switch (id) {
    case command::kOpenPicture: {
      const auto path = RunFileDialog(false, FileFilterText(FileFilter::OpenPicture, korean_), "");
      if (path && image && image->LoadImageFile(*path)) RaisePalette();
      return;
    }
    case command::kSavePicture: {
      const auto path = RunFileDialog(true, FileFilterText(FileFilter::SavePicture, korean_), "bmp");
      if (path && image) image->SaveAnnotatedImage(*path);
      return;
    }
    case command::kImageFullScreenOn: SetFullScreenPicture(true, command::kImageFullScreenOn, command::kImageFullScreenOff); return;
    case command::kImageFullScreenOff: SetFullScreenPicture(false, command::kImageFullScreenOn, command::kImageFullScreenOff); return;
    case command::kUndo:
      if (image) image->Undo();
      return;
    case command::kRedo:
      if (image) image->Redo();
      return;
    default: return;
  }
}

void CVyr3Dlg::OnReadingCommand(int id) {
  auto* panel = children_.reading.get();
  switch (id) {
    case command::kOpenLearningFile: {
      const auto path = RunFileDialog(false, FileFilterText(FileFilter::LearningFile, korean_), "");
      if (path) LoadLearningFile(*path);
      if (panel) panel->Refresh();
      return;
    }
    case command::kSaveLearningFile: SaveLearningFile(); return;
    case command::kRecognise:
      if (children_.image && panel) {
        imageview::ImageView& image = *children_.image;
        const reading::PageGeometry page{0, 0, image.width(), image.height(), image.Selection(),
                                         static_cast<float>(zoomPercent_) / 100.0f, {}, settings_.fullScreen};
        image.SetSelection(panel->Recognise(image.SourcePicture(), page));
      }
      return;
    case command::kUserDictionary: {
      if (!panel) return;
      SettingsDialogState state;
      state.page = SettingsPage::Dictionary;
      state.text1 = settings_.userDicPath;
      state.text2 = settings_.userEDicPath;
      state.dictionaryLanguage = panel->Language();
      if (RunSettingsDialog(state) != win::kResultOk) return;
      const std::string& path = state.dictionaryLanguage == 1 ? settings_.userEDicPath : settings_.userDicPath;
      sys::SaveFileAtomically(path, state.dictionaryText);
      panel->RegisterUserDictionary(path);
      panel->Refresh();
      return;
    }
    case command::kBackgroundMusic: {
      const auto path = RunFileDialog(false, FileFilterText(FileFilter::BackgroundMusic, korean_), "");
      if (panel) {
        panel->SetBackgroundMusic(path.value_or(""));
        panel->Refresh();
      }
      return;
    }
    case command::kBlind:
      if (children_.image) children_.image->AddBlind(0, 0, 0, 0);
      return;
    case command::kPanelView:
      if (panel) panel->ToggleView();
      return;
    default: return;
  }
}

void CVyr3Dlg::OnMovieCommand(int id) {
  auto* movie = children_.movie.get();
  switch (id) {
    case command::kOpenMovie: {
      const auto path = RunFileDialog(false, FileFilterText(FileFilter::OpenMovie, korean_), "");
      if (!path || !movie || !movie->OpenMovie(*path)) return;
      ShowMovieBarPlaying();
      return;
    }
    case command::kFrameToImage: {
      gdi::PackedDib frame = movie ? movie->GrabMovieFrame() : gdi::PackedDib();
      if (!frame.IsEmpty()) {
        StopMovieAndUpdateBar();
        if (children_.image) children_.image->SetImage(std::move(frame));
        movieFrameHandedOver_ = true;
        PostCommand(command::kModeImage);
        if (children_.tabs && children_.tabs->SelectedMode() != ViewMode::Image) {
          children_.tabs->SelectTabOf(ViewMode::Image);
        }
      }
      RaisePalette();
      return;
    }
    case command::kMovieFullScreenOn: SetFullScreenPicture(true, command::kMovieFullScreenOn, command::kMovieFullScreenOff); return;
    case command::kMovieFullScreenOff: SetFullScreenPicture(false, command::kMovieFullScreenOn, command::kMovieFullScreenOff); return;
    default: return;
  }
}

void CVyr3Dlg::OnCameraTool(int id) {
  auto* camera = children_.camera.get();
  if (id == command::kSplitScreen || id == command::kPictureInPicture) {
    if (mode_ != ViewMode::Camera) return;
    if (id == command::kSplitScreen) {
      ToggleSplit();
    } else {
      TogglePictureInPicture();
    }
    return;
  }
  if (!camera || !camera->isVisible()) return;
  switch (id) {
    case command::kCameraNegative: camera->ToggleNegative(); break;
    case command::kCameraBlackWhite: camera->ToggleBlackWhite(); break;
    case command::kCameraMirror: camera->ToggleMirror(); break;
    case command::kCameraFlip: camera->ToggleFlip(); break;
    case command::kCameraRotate: camera->RotateQuarter(); break;
    default: break;
  }
}

void CVyr3Dlg::OnImageTool(int id) {
  auto* image = children_.image.get();
  if (!image || !image->isVisible()) return;
  const auto selectTool = [image](StrokeKind tool) {
    if (image->CurrentTool() != tool) image->SetCurrentTool(tool);
  };
  switch (id) {
    case command::kPen: selectTool(StrokeKind::Pen); break;
    case command::kHighlighter: selectTool(StrokeKind::Highlighter); break;
    case command::kEraser: selectTool(StrokeKind::Eraser); break;
    case command::kEraseAll:
      image->EraseAll();
      image->update();
      break;
    case command::kImageNegative: image->ToggleNegative(); break;
    case command::kImageBlackWhite: image->ToggleBlackWhite(); break;
    case command::kImageMirror: image->ToggleMirror(); break;
    case command::kImageFlip: image->ToggleFlip(); break;
    case command::kImageRotate: image->RotateQuarter(); break;
    default: break;  // the picker tools answer with message 1575 instead
  }
}

void CVyr3Dlg::OnControlBarCommand(int id) {
  if (mode_ == ViewMode::Movie) {
    auto* movie = children_.movie.get();
    if (!movie) return;
    switch (id) {
      case command::kPlay: movie->Play(); break;
      case command::kPauseMovie: movie->TogglePauseMovie(); break;
      case command::kStopMovie: movie->StopMovie(); break;
      case command::kSkipBack: movie->SkipBack(); break;
      case command::kSkipForward: movie->SkipForward(); break;
      default: break;
    }
  } else if (mode_ == ViewMode::Reading) {
    auto* panel = children_.reading.get();
    if (!panel) return;
    switch (id) {
      case command::kReading:
        if (reading::IsListView(panel->View())) {
          if (const auto book = panel->PickBookToRead()) LoadLearningFile(*book);
        }
        panel->Reading(false);
        break;
      case command::kPauseReading: panel->PauseOrResume(); break;
      case command::kStopReading: panel->Stop(); break;
      case command::kRepeat: panel->ToggleRepeat(); break;
      default: break;
    }
  }
}

void CVyr3Dlg::OnViewCommand(int id) {
  switch (id) {
    case command::kSplitResized:
      if (arrangement_ != Arrangement::Split || !children_.camera || !children_.image) return;
      MakeReleasedToggle(command::kManualFocus);
      children_.image->setGeometry(win::ToQRect(ImageRectLeftOf(win::FromQRect(children_.camera->geometry()))));
      RaisePalette();
      return;
    case command::kSplitSizingEnded:
      if (arrangement_ != Arrangement::Split) return;
      if (children_.image) children_.image->update();
      RaisePalette();
      return;
    case command::kPanelResized:
      if (mode_ != ViewMode::Reading || !children_.reading || !children_.image) return;
      children_.image->setGeometry(win::ToQRect(ImageRectLeftOf(win::FromQRect(children_.reading->geometry()))));
      return;
    case command::kPanelSizingEnded:
      if (mode_ == ViewMode::Reading && children_.image) children_.image->update();
      return;
    case command::kSwapToImageInset:
      if (arrangement_ == Arrangement::CameraInset) SwapInset(Arrangement::ImageInset);
      return;
    case command::kSwapToCameraInset:
      if (arrangement_ == Arrangement::ImageInset) SwapInset(Arrangement::CameraInset);
      return;
    case command::kUndoPossible:
    case command::kNothingToUndo:
    case command::kRedoPossible:
    case command::kNothingToRedo:
      if (mode_ != ViewMode::Image) return;
      SetBarButtonDisabled(id <= command::kNothingToUndo ? command::kUndo : command::kRedo,
                           id == command::kNothingToUndo || id == command::kNothingToRedo);
      return;
    default: return;
  }
}

void CVyr3Dlg::OnPointerActivity(std::uintptr_t wParam) {
  if (mode_ == ViewMode::Movie) {
    if (children_.movieBar) {
      children_.movieBar->ShowBar();
      Raise(children_.movieBar.get());
    }
    return;
  }
  if (!children_.readingBar) return;
  if (wParam == 1) {
    children_.readingBar->SetTimer(timer::kControlBarHide, 10);
  } else {
    children_.readingBar->ShowBar();
    Raise(children_.readingBar.get());
  }
}

void CVyr3Dlg::OnMoviePosition(int seconds, int duration) {
  if (!children_.movieBar) return;
  char text[64];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d / %02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60,
                duration / 3600, duration / 60 % 60, duration % 60);
  children_.movieBar->SetPosition(seconds, duration, text);
}

void CVyr3Dlg::OnPickerChoice(int tool, int entry) {
  auto* image = children_.image.get();
  if (!image) return;
  switch (tool) {
    case 2: image->SetPenColour(entry); break;
    case 3: image->SetPenWidth(2 * entry + 1); break;
    case 6: image->SetCurrentTool(static_cast<StrokeKind>(entry + 3)); break;
    case 7: image->SetBoard(static_cast<imageview::BoardKind>(entry)); break;
    default: break;
  }
}

void CVyr3Dlg::OnStillButton() {
  auto* camera = children_.camera.get();
  if (!camera) return;
  camera->SetOverlayStatus(camera::OverlayStatus::Capturing);
  camera->update();
  gdi::PackedDib frame = camera->TakeSnapshot(false);
  if (!frame.IsEmpty()) camera->SaveBitmapFile(sys::JoinPath(settings_.imageFolder, StillPictureName()), frame);
}

// The camera restart watchdog: an AR viewer may have held the camera; until
// a frame arrives the camera is closed and bound again every 5 seconds.
void CVyr3Dlg::OnCameraRestartWatchdog() {
  KillTimer(timer::kCameraRestartWatchdog);
  auto* camera = children_.camera.get();
  if (!camera || camera->GetOverlayStatus() == camera::OverlayStatus::None) return;
  camera->CloseCamera();
  // The device needs a moment after closing; waiting without blocking keeps
  // the window responsive meanwhile.
  QTimer::singleShot(300, this, [this] {
    if (mode_ != ViewMode::Camera) return;
    BindCamera();
    SetTimer(timer::kCameraRestartWatchdog, 5000);
  });
}

void CVyr3Dlg::LoadLearningFile(const std::string&) {}

void CVyr3Dlg::SaveLearningFile() {}

}  // namespace orvilo::shell
