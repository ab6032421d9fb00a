// Routing: commands and messages to the mode that owns them, and the one
// path from one mode into another.
#include <algorithm>

#include "core/command_ids.h"
#include "core/zoom.h"
#include "platform/win/geometry.h"
#include "shell/main_window.h"
#include "ui/skin_progress_bar.h"

namespace orvilo::shell {

shell::Mode& CVyr3Dlg::ModeOf(ViewMode mode) {
  switch (mode) {
    case ViewMode::Camera: return cameraMode_;
    case ViewMode::Image: return imageMode_;
    case ViewMode::Reading: return readingMode_;
    case ViewMode::Movie: return movieMode_;
    case ViewMode::AR: break;
  }
  return arMode_;
}

bool CVyr3Dlg::OnCommand(int id) {
  if (id >= command::kLogo && id <= command::kZoomList) {
    OnTitleCommand(id);
    return true;
  }
  if (id >= command::kModeCamera && id <= command::kModeAr) {
    ChangeMode(static_cast<ViewMode>(id - command::kModeCamera), Entry::ByTab, {});
    return true;
  }
  if (OnFullScreenCommand(id)) return true;
  if (id == command::kBlankPicture) {
    ToggleBlank();
    return true;
  }
  if (id == command::kShortcutHelp) {
    ToggleHelp();
    return true;
  }
  for (ViewMode mode : {ViewMode::Camera, ViewMode::Image, ViewMode::Reading, ViewMode::Movie, ViewMode::AR}) {
    if (ModeOf(mode).OnCommand(id)) return true;
  }
  return Current().OnCommandWhileCurrent(id);
}

std::intptr_t CVyr3Dlg::OnMessage(const win::Msg& msg) {
  const int wParam = static_cast<int>(msg.wParam);
  switch (msg.id) {
    case message::kMoviePositionSlider: movieMode_.OnSeek(wParam); return 0;
    case message::kMovieEnded: movieMode_.OnEnded(); return 0;
    case message::kMoviePosition: movieMode_.OnPosition(wParam, static_cast<int>(msg.lParam)); return 0;
    case message::kMovieSpeed: movieMode_.OnSpeed(wParam); return 0;
    case message::kPointerActivity:
      // The movie view's pointer brings the movie bar up; elsewhere the
      // picture of reading mode shows or hides the speech control bar.
      if (mode_ == ViewMode::Movie) {
        movieMode_.OnPointerActivity();
      } else {
        readingMode_.OnPointerActivity(msg.wParam);
      }
      return 0;
    case message::kPickerChoice:
      // The drawing over the live picture takes the pen choices while it shows.
      if (!cameraMode_.OnPickerChoice(wParam, static_cast<int>(msg.lParam))) {
        imageMode_.OnPickerChoice(wParam, static_cast<int>(msg.lParam));
      }
      return 0;
    case message::kCameraSettings:
      cameraMode_.ShowPropertyPages(win::Window::FromHandleId(static_cast<std::uint32_t>(msg.wParam)));
      return 0;
    case message::kStillButton: cameraMode_.OnStillButton(); return 0;
    case message::kFocusPopupHidden: cameraMode_.OnFocusPopupHidden(); return 0;
    case message::kOpenStill: cameraMode_.OnOpenStill(wParam); return 0;
    case message::kCompareStill: cameraMode_.OnCompareStill(wParam); return 0;
    case message::kReadingLanguage: readingMode_.OnLanguageChanged(msg.wParam); return 0;
    case message::kLayOutViews: LayOutViews(); return 0;
    case message::kTouchZoom:
      // The image view has zoomed itself by a pinch; the percentage shown
      // and the camera view follow.
      SetZoomPercent(std::clamp(wParam, core::kMinimumZoomPercent, core::kMaximumZoomPercent));
      return 0;
    case message::kMasterVolume:
      if (services_.masterVolume) services_.masterVolume->SetPercent(wParam);
      return 0;
    default: return win::Dialog::OnMessage(msg);
  }
}

// Control bars hide, the camera-mode layout returns to Normal, the mode
// left passes on what it hands over (or the content a command brings), and
// the new mode is entered. Camera is entered afresh even from camera mode,
// with the zoom back at 100 %; any other mode only when it is not current.
void CVyr3Dlg::ChangeMode(ViewMode next, Entry entry, Handover content) {
  if (children_.readingBar && children_.readingBar->isVisible()) children_.readingBar->hide();
  if (children_.movieBar && children_.movieBar->isVisible()) children_.movieBar->hide();
  cameraMode_.ReturnToNormal();
  if (next == ViewMode::Camera) {
    zoomPercent_ = 100;
    if (children_.image) children_.image->SetZoom(1.0);
    if (children_.camera) children_.camera->SetZoom(1.0);
    update(win::ToQRect(ZoomBadgeRect(width())));
  } else if (next == mode_) {
    return;
  }
  if (next == ViewMode::Reading || next == ViewMode::Movie || next == ViewMode::AR) stage_.HidePalette();
  Handover handover;
  if (next != mode_) handover = Current().Leave(next, entry);
  if (entry == Entry::WithContent) {
    content.arViewerClosed = handover.arViewerClosed;
    handover = std::move(content);
  }
  mode_ = next;
  Current().Enter(std::move(handover));
  update(win::ToQRect(StatusArea(width())));
}

void CVyr3Dlg::SwitchMode(ViewMode next, Handover content) {
  ChangeMode(next, Entry::WithContent, std::move(content));
  if (children_.tabs && children_.tabs->SelectedMode() != next) children_.tabs->SelectTabOf(next);
}

void CVyr3Dlg::OpenFile(ViewMode mode, const std::string& path) {
  if (std::optional<Handover> opened = ModeOf(mode).Open(path)) SwitchMode(mode, std::move(*opened));
}

void CVyr3Dlg::ShowCommandBar(ViewMode mode) {
  const std::optional<ViewMode> previous = bars_.VisibleBar();
  BarShowRules rules;
  rules.fullScreen = settings_.fullScreen;
  rules.gradeSlot = [this](int grade) { return store_.GradeSlot(grade); };
  rules.gradeHasContent = [this](int grade) { return children_.ar && children_.ar->GradeHasContent(grade); };
  if (!bars_.Show(mode, rules)) return;
  // The AR bar carries the master volume slider.
  if (mode == ViewMode::AR && volumeSlider_) {
    if (services_.masterVolume) {
      if (const auto percent = services_.masterVolume->ReadPercent()) volumeSlider_->SetPosition(*percent, 100);
    }
    volumeSlider_->show();
  } else if (previous == ViewMode::AR && volumeSlider_) {
    volumeSlider_->hide();
  }
  ShowZoomControls(mode != ViewMode::Movie && mode != ViewMode::AR && !settings_.fullScreen);
}

}  // namespace orvilo::shell
