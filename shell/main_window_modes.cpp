// The main window's modes, camera-mode arrangements, full-screen picture,
// zoom and layout.
#include <QGuiApplication>

#include "ui/picker_popup.h"
#include "ui/skin_button.h"
#include "ui/skin_progress_bar.h"
#include "platform/win/geometry.h"
#include "core/command_ids.h"
#include "shell/frame_geometry.h"
#include "shell/main_window.h"
#include "core/zoom.h"

namespace orvilo::shell {

using reading::IsCollapsed;
using reading::IsListView;

void CVyr3Dlg::SwitchMode(ViewMode requested) {
  if (children_.readingBar && children_.readingBar->isVisible()) children_.readingBar->hide();
  if (children_.movieBar && children_.movieBar->isVisible()) children_.movieBar->hide();
  if (arrangement_ != Arrangement::Normal) SetArrangementOfViews(Arrangement::Normal);
  if (requested == ViewMode::Camera) {
    zoomPercent_ = 100;
    if (children_.image) children_.image->SetZoom(1.0);
    if (children_.camera) children_.camera->SetZoom(1.0);
    update(win::ToQRect(ZoomBadgeRect(width())));
  } else if (requested == mode_) {
    movieFrameHandedOver_ = false;
    return;
  }
  if (requested == ViewMode::Reading || requested == ViewMode::Movie || requested == ViewMode::AR) {
    if (children_.tools && children_.tools->isVisible()) children_.tools->hide();
  }
  bool arViewerClosed = false;
  if (requested != mode_) LeaveMode(requested, arViewerClosed);
  movieFrameHandedOver_ = false;
  EnterMode(requested, arViewerClosed);
  update(win::ToQRect(StatusArea(width())));
}

void CVyr3Dlg::LeaveMode(ViewMode requested, bool& arViewerClosed) {
  const bool toPicture = requested == ViewMode::Image || requested == ViewMode::Reading;
  switch (mode_) {
    case ViewMode::Camera:
      if (children_.camera) {
        if (toPicture && children_.image) children_.image->SetImage(children_.camera->TakeSnapshot(true));
        children_.camera->CloseCamera();
      }
      break;
    case ViewMode::Image:
      if (children_.image) children_.image->ResetDrawing();
      break;
    case ViewMode::Reading:
      if (children_.image) children_.image->RemoveAllBlinds();
      if (children_.reading) {
        children_.reading->Stop();
        children_.reading->hide();
        children_.reading->SetText("");
      }
      break;
    case ViewMode::Movie: {
      if (!children_.movie) break;
      const bool grab = toPicture && !movieFrameHandedOver_;
      gdi::PackedDib frame = grab ? children_.movie->GrabMovieFrame() : gdi::PackedDib();
      StopMovieAndUpdateBar();
      if (grab && children_.image && !frame.IsEmpty()) children_.image->SetImage(std::move(frame));
      break;
    }
    case ViewMode::AR: {
      const bool closed = children_.ar && children_.ar->CloseViewer();
      arMarker_ = 0;
      arCaption_.clear();
      if (requested == ViewMode::Camera) arViewerClosed = closed;
      break;
    }
  }
}

void CVyr3Dlg::EnterMode(ViewMode requested, bool arViewerClosed) {
  switch (requested) {
    case ViewMode::Camera:
      ShowCommandBar(0);
      PlaceInContent(children_.camera.get());
      ShowOnlyView(kCameraViewIndex);
      mode_ = ViewMode::Camera;
      if (children_.image) children_.image->SetMode(mode_);
      if (paletteEnabled_) {
        ShowPaletteWithToolSet(ToolSet::Camera);
      } else if (children_.tools) {
        children_.tools->hide();
      }
      BindCamera();
      if (arViewerClosed) SetTimer(timer::kCameraRestartWatchdog, 2000);
      break;
    case ViewMode::Image:
      ShowCommandBar(1);
      PlaceInContent(children_.image.get());
      ShowOnlyView(kImageViewIndex);
      ShowPaletteWithToolSet(ToolSet::Image);
      mode_ = ViewMode::Image;
      if (children_.image) children_.image->SetMode(mode_);
      break;
    case ViewMode::Reading:
      ShowCommandBar(2);
      MakeReleasedToggle(command::kPanelView);
      PlaceReadingPanelAndImage(true);
      ShowOnlyView(kImageViewIndex);
      mode_ = ViewMode::Reading;
      if (children_.image) children_.image->SetMode(mode_);
      if (children_.readingBar) {
        children_.readingBar->ShowBar();
        Raise(children_.readingBar.get());
      }
      break;
    case ViewMode::Movie:
      ShowCommandBar(3);
      PlaceInContent(children_.movie.get());
      ShowOnlyView(kMovieViewIndex);
      mode_ = ViewMode::Movie;
      if (children_.image) children_.image->SetMode(mode_);
      break;
    case ViewMode::AR:
      ShowCommandBar(4);
      PlaceInContent(children_.ar.get());
      ShowOnlyView(kArViewIndex);
      mode_ = ViewMode::AR;
      break;
  }
}

// The reading panel at the right of the content area and the image view
// beside it; on entering the mode the panel opens on its text.
void CVyr3Dlg::PlaceReadingPanelAndImage(bool entering) {
  const gdi::Size client = ClientSize();
  int panelWidth = 0;
  if (children_.reading) {
    if (entering) {
      const reading::ReadingView view = children_.reading->View();
      panelWidth = IsCollapsed(view) ? reading::kCollapsedReadingPanelWidth : reading::kReadingPanelWidth;
      children_.reading->setGeometry(win::ToQRect(ReadingPanelRectOnEnter(client, panelWidth)));
      if (IsListView(view)) children_.reading->ToggleView();
      children_.reading->show();
    } else {
      panelWidth = children_.reading->width();
      children_.reading->setGeometry(win::ToQRect(ReadingPanelRectOnLayout(client, panelWidth)));
    }
  }
  if (children_.image) children_.image->setGeometry(win::ToQRect(ReadingImageRect(client, panelWidth)));
}

void CVyr3Dlg::ShowOnlyView(int viewIndex) {
  for (int index = kImageViewIndex; index <= kArViewIndex; ++index) {
    win::Window* view = children_.At(index);
    if (view == nullptr) continue;
    const bool wanted = index == viewIndex;
    if (view->isVisibleTo(this) != wanted) view->setVisible(wanted);
  }
  if (viewIndex == kImageViewIndex && children_.image) children_.image->update();
  if (viewIndex == kArViewIndex && children_.ar) children_.ar->update();
  RaisePalette();
}

void CVyr3Dlg::ShowCommandBar(int bar) {
  const int previous = bars_.VisibleBar();
  BarShowRules rules;
  rules.fullScreen = settings_.fullScreen;
  rules.gradeSlot = [this](int grade) { return store_.GradeSlot(grade); };
  rules.gradeHasContent = [this](int grade) { return children_.ar && children_.ar->GradeHasContent(grade); };
  if (!bars_.Show(bar, rules)) return;
  if (bar == 4 && volumeSlider_) {
    if (services_.masterVolume) {
      if (const auto percent = services_.masterVolume->ReadPercent()) volumeSlider_->SetPosition(*percent, 100);
    }
    volumeSlider_->show();
  } else if (previous == 4 && volumeSlider_) {
    volumeSlider_->hide();
  }
  const bool zoomControls = bar != 3 && bar != 4 && !settings_.fullScreen;
  for (int index : {5, 6, 7}) {
    if (titleButtons_[index]) titleButtons_[index]->setVisible(zoomControls);
  }
  update(win::ToQRect(ZoomBadgeRect(width())));
}

void CVyr3Dlg::PlaceInContent(win::Window* window) {
  if (window) window->setGeometry(win::ToQRect(ContentRect(ClientSize())));
}

void CVyr3Dlg::Raise(QWidget* window) {
  if (window) window->raise();
}

void CVyr3Dlg::RaisePalette() { Raise(children_.tools.get()); }

void CVyr3Dlg::ShowPaletteWithToolSet(ToolSet set) {
  if (!children_.tools) return;
  children_.tools->SetToolSet(set);
  if (!children_.tools->isVisibleTo(this)) {
    children_.tools->show();
    children_.tools->raise();
  }
}

void CVyr3Dlg::SetArrangementOfViews(Arrangement arrangement) {
  if (children_.camera) children_.camera->SetArrangement(arrangement);
  if (children_.image) children_.image->SetArrangement(arrangement);
  arrangement_ = arrangement;
}

// Split screen: the image view at the left with a still picture, the live
// picture at the right; the camera view reports its resizes (1326) so the
// image view follows its left edge.
void CVyr3Dlg::ToggleSplit() {
  if (!children_.camera || !children_.image) return;
  if (arrangement_ == Arrangement::Split) {
    SetArrangementOfViews(Arrangement::Normal);
    children_.image->hide();
    children_.camera->show();
    PlaceInContent(children_.camera.get());
  } else {
    children_.image->SetImage(children_.camera->TakeSnapshot(false));
    SetArrangementOfViews(Arrangement::Split);
    children_.image->show();
    children_.camera->setGeometry(win::ToQRect(SplitCameraRect(ClientSize())));
  }
  RaisePalette();
}

void CVyr3Dlg::TogglePictureInPicture() {
  if (!children_.camera || !children_.image) return;
  if (arrangement_ == Arrangement::Normal || arrangement_ == Arrangement::Split) {
    children_.image->SetImage(children_.camera->TakeSnapshot(false));
    children_.camera->SetArrangement(Arrangement::ImageInset);
    children_.camera->ShowNavigator(false);
    children_.image->ShowNavigator(false);
    children_.image->setGeometry(win::ToQRect(InitialInsetRect(ClientSize())));
    children_.image->SetArrangement(Arrangement::ImageInset);
    arrangement_ = Arrangement::ImageInset;
    children_.image->show();
    PlaceInContent(children_.camera.get());
    children_.camera->show();
    children_.camera->raise();
    children_.image->raise();
  } else {
    SetArrangementOfViews(Arrangement::Normal);
    children_.image->hide();
    children_.camera->show();
    PlaceInContent(children_.camera.get());
    children_.camera->ShowNavigator(true);
    children_.image->ShowNavigator(true);
  }
  RaisePalette();
}

// A double click on the inset swaps the two views' places.
void CVyr3Dlg::SwapInset(Arrangement to) {
  if (!children_.camera || !children_.image) return;
  children_.image->SetImage(children_.camera->TakeSnapshot(false));
  if (to == Arrangement::CameraInset) {
    children_.camera->SetArrangement(Arrangement::CameraInset);
    const QRect inset = children_.image->geometry();
    PlaceInContent(children_.image.get());
    children_.image->SetArrangement(Arrangement::CameraInset);
    children_.camera->setGeometry(inset);
    children_.image->raise();
    children_.camera->raise();
  } else {
    children_.camera->SetArrangement(Arrangement::ImageInset);
    const QRect inset = children_.camera->geometry();
    PlaceInContent(children_.camera.get());
    children_.image->setGeometry(inset);
    children_.image->SetArrangement(Arrangement::ImageInset);
    children_.camera->raise();
    children_.image->raise();
  }
  arrangement_ = to;
  RaisePalette();
}

void CVyr3Dlg::LayOutViews() {
  const gdi::Size client = ClientSize();
  // An inset view is dragged only within the content area.
  const QRect content = win::ToQRect(ContentRect(client));
  if (children_.camera) children_.camera->SetDragBounds(content);
  if (children_.image) children_.image->SetDragBounds(content);
  switch (mode_) {
    case ViewMode::Camera:
      if (arrangement_ == Arrangement::Split && children_.camera && children_.image) {
        children_.camera->setGeometry(win::ToQRect(
            SplitCameraRectAfterResize(client, children_.camera->width(), children_.image->width())));
      } else if (arrangement_ == Arrangement::CameraInset) {
        PlaceInContent(children_.image.get());
      } else {
        PlaceInContent(children_.camera.get());
      }
      break;
    case ViewMode::Image: PlaceInContent(children_.image.get()); break;
    case ViewMode::Reading: PlaceReadingPanelAndImage(false); break;
    case ViewMode::Movie: PlaceInContent(children_.movie.get()); break;
    case ViewMode::AR: PlaceInContent(children_.ar.get()); break;
  }
  RaisePalette();
}

void CVyr3Dlg::SetFullScreenPicture(bool on, int onCommand, int offCommand) {
  settings_.fullScreen = on;
  const int fit = on ? 0 : 1;
  if (children_.camera) children_.camera->SetFitMode(fit);
  if (children_.movie) children_.movie->SetMovieFit(fit);
  if (children_.image) {
    children_.image->SetFullScreenPicture(on);
    if (children_.image->isVisible()) children_.image->update();
  }
  if (auto* button = bars_.ButtonOfCommand(onCommand)) button->setVisible(!on);
  if (auto* button = bars_.ButtonOfCommand(offCommand)) button->setVisible(on);
  const bool zoomBar = onCommand == command::kCameraFullScreenOn || onCommand == command::kImageFullScreenOn;
  if (zoomBar) {
    const bool zoomControls = !on && mode_ != ViewMode::Movie && mode_ != ViewMode::AR;
    for (int index : {5, 6, 7}) {
      if (titleButtons_[index]) titleButtons_[index]->setVisible(zoomControls);
    }
    update(win::ToQRect(ZoomBadgeRect(width())));
  }
}

void CVyr3Dlg::SetZoomPercent(int percent) {
  zoomPercent_ = percent;
  update(win::ToQRect(ZoomBadgeRect(width())));
  const double factor = core::ZoomFactor(percent);
  if (children_.image) children_.image->SetZoom(factor);
  if (children_.camera) children_.camera->SetZoom(factor);
  RaisePalette();
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

bool CVyr3Dlg::BindCamera() {
  return devices_.BindCamera([this](const media::CaptureDevice& video, const media::CaptureDevice* audio) {
           if (children_.camera) children_.camera->SelectDevices(video, audio);
         }) != 0;
}

void CVyr3Dlg::StopMovieAndUpdateBar() {
  if (!children_.movie) return;
  children_.movie->StopMovie();
  if (children_.movie->State() == movie::PlaybackState::Stopped && children_.movieBar) {
    children_.movieBar->ShowPlaying(false);
  }
}

}  // namespace orvilo::shell
