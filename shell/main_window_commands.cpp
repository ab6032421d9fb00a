// What the main window keeps for every mode: the title buttons, zoom, the
// full-screen picture, and the dialogs it runs for its modes.
#include <algorithm>

#include "core/command_ids.h"
#include "core/zoom.h"
#include "platform/win/common_dialogs.h"
#include "platform/win/geometry.h"
#include "shell/help_overlay.h"
#include "shell/main_window.h"
#include "ui/picker_popup.h"
#include "ui/skin_button.h"

namespace orvilo::shell {

namespace {

// The full-screen on and off buttons of a bar, standing in one place.
struct FullScreenPair {
  int on;
  int off;
  // The zoom controls go with the full-screen picture of these bars.
  bool zoomBar;
};
constexpr FullScreenPair kFullScreenPairs[] = {
    {command::kCameraFullScreenOn, command::kCameraFullScreenOff, true},
    {command::kImageFullScreenOn, command::kImageFullScreenOff, true},
    {command::kMovieFullScreenOn, command::kMovieFullScreenOff, false},
};

}  // namespace

std::optional<std::string> CVyr3Dlg::RunFileDialog(bool save, FileFilter filter, const std::string& defaultExtension) {
  win::FileDialogRequest request;
  request.kind = save ? win::FileDialogRequest::Kind::Save : win::FileDialogRequest::Kind::Open;
  request.filter = FileFilterText(filter, korean_);
  request.defaultExtension = defaultExtension;
  request.hideReadOnly = true;
  request.overwritePrompt = save;
  return win::CommonDialogs::Current().RunFileDialog(this, request);
}

int CVyr3Dlg::RunSettingsDialog(SettingsDialogState& state) {
  return services_.settingsDialog ? services_.settingsDialog->Run(this, state) : win::kResultCancel;
}

void CVyr3Dlg::RepaintFrame(const gdi::Rect& area) { update(win::ToQRect(area)); }

void CVyr3Dlg::OnTitleCommand(int id) {
  const auto showTitleButton = [this](TitleButtonId button, bool shown) {
    if (ui::CSkinButton* title = TitleButton(button)) title->setVisible(shown);
  };
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
      showTitleButton(TitleButtonId::Restore, true);
      showTitleButton(TitleButtonId::Maximise, false);
      break;
    case command::kRestore:
      showNormal();
      showTitleButton(TitleButtonId::Maximise, true);
      showTitleButton(TitleButtonId::Restore, false);
      break;
    case command::kClose: EndDialog(win::kResultClose); break;
    case command::kZoomIn: SetZoomPercent(core::ZoomedIn(zoomPercent_)); break;
    case command::kZoomOut: SetZoomPercent(core::ZoomedOut(zoomPercent_)); break;
    case command::kZoomList: OpenZoomList(); break;
    default: break;
  }
}

bool CVyr3Dlg::OnFullScreenCommand(int id) {
  for (const FullScreenPair& pair : kFullScreenPairs) {
    if (id == pair.on || id == pair.off) {
      SetFullScreenPicture(id == pair.on, pair.on, pair.off);
      return true;
    }
  }
  return false;
}

// The flag is shared by every mode: pictures stretch to their views, and
// the bar's on and off buttons swap places.
void CVyr3Dlg::SetFullScreenPicture(bool on, int onCommand, int offCommand) {
  settings_.fullScreen = on;
  const int fit = on ? 0 : 1;
  if (children_.camera) children_.camera->SetFitMode(fit);
  if (children_.movie) children_.movie->SetMovieFit(fit);
  if (children_.image) {
    children_.image->SetFullScreenPicture(on);
    if (children_.image->isVisible()) children_.image->update();
  }
  bars_.SetShown(onCommand, !on);
  bars_.SetShown(offCommand, on);
  const bool zoomBar = std::any_of(std::begin(kFullScreenPairs), std::end(kFullScreenPairs),
                                   [onCommand](const FullScreenPair& pair) { return pair.on == onCommand && pair.zoomBar; });
  if (zoomBar) ShowZoomControls(!on && mode_ != ViewMode::Movie && mode_ != ViewMode::AR);
}

void CVyr3Dlg::ShowZoomControls(bool shown) {
  for (TitleButtonId button : {TitleButtonId::ZoomIn, TitleButtonId::ZoomOut, TitleButtonId::ZoomList}) {
    if (ui::CSkinButton* title = TitleButton(button)) title->setVisible(shown);
  }
  update(win::ToQRect(ZoomBadgeRect(width())));
}

void CVyr3Dlg::SetZoomPercent(int percent) {
  zoomPercent_ = percent;
  update(win::ToQRect(ZoomBadgeRect(width())));
  const double factor = core::ZoomFactor(percent);
  if (children_.image) children_.image->SetZoom(factor);
  if (children_.camera) children_.camera->SetZoom(factor);
  stage_.RaisePalette();
}

// A presenter's "blank screen": black over the whole window, frame and bars
// included, until B, "." or Escape again. The views underneath go on as they
// were (a movie keeps playing, reading keeps speaking).
void CVyr3Dlg::ToggleBlank() {
  if (!blank_) {
    blank_ = std::make_unique<QWidget>(this);
    blank_->setAutoFillBackground(true);
    QPalette black = blank_->palette();
    black.setColor(QPalette::Window, Qt::black);
    blank_->setPalette(black);
    blank_->hide();
  }
  if (Blanked()) {
    blank_->hide();
    return;
  }
  blank_->setGeometry(rect());
  blank_->show();
  blank_->raise();
}

void CVyr3Dlg::ToggleHelp() {
  if (!help_) {
    help_ = std::make_unique<HelpOverlay>(korean_, this);
    help_->hide();
  }
  if (HelpShown()) {
    help_->hide();
    return;
  }
  help_->setGeometry(rect());
  help_->show();
  help_->raise();
}

void CVyr3Dlg::OpenZoomList() {
  const gdi::Rect anchor = ZoomListAnchor(width());
  const QPoint topLeft = mapToGlobal(QPoint(anchor.left, anchor.top));
  const gdi::Rect firstRow = gdi::Rect::FromPositionAndSize(topLeft.x(), topLeft.y(), anchor.Width(), anchor.Height());
  int selected = core::ZoomListIndexFor(zoomPercent_);
  const int result = ui::PickerRunner::Current().Run(this, ui::PickerKind::ZoomPercent, firstRow, selected);
  if (result == win::kResultOk && selected >= 0 && selected < static_cast<int>(core::kZoomListValues.size())) {
    SetZoomPercent(core::kZoomListValues[selected]);
  }
}

}  // namespace orvilo::shell
