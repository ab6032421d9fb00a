#include "shell/main_window.h"

#include <QGuiApplication>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>

#include "core/camera_model.h"
#include "ui/skin_button.h"
#include "ui/skin_progress_bar.h"
#include "ui/skin_resources.h"
#include "platform/sys/program_folder.h"
#include "platform/win/geometry.h"
#include "core/camera_features.h"
#include "core/command_ids.h"
#include "shell/frame_geometry.h"
#include "ui/skin/skin_ids.h"

namespace orvilo::shell {

using ui::CSkinButton;
using ui::CSkinPrograssBar;

CVyr3Dlg::CVyr3Dlg(MainWindowServices services)
    : services_(std::move(services)),
      store_(services_.programFolder, services_.systemLanguage),
      devices_(*services_.devices) {
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setObjectName("CVyr3Dlg");
}

CVyr3Dlg::~CVyr3Dlg() {
  // The settings that change while the program runs are written before any
  // child is destroyed, so the camera view can still be asked.
  if (initialised_) {
    std::optional<core::CameraViewState> camera;
    if (children_.camera) {
      camera = core::CameraViewState{children_.camera->GetResolutionIndex(model_), children_.camera->Rotation()};
    }
    store_.WriteAtShutdown(camera, settings_.fullScreen);
  }
  children_.DestroyAll();
  for (auto& button : titleButtons_) button.reset();
  bars_.DestroyAll();
  volumeSlider_.reset();
  devices_.Release();
}

CSkinButton* CVyr3Dlg::TitleButton(int index) const {
  return index >= 0 && index < static_cast<int>(titleButtons_.size()) ? titleButtons_[index].get() : nullptr;
}

gdi::Size CVyr3Dlg::ClientSize() const { return gdi::Size{width(), height()}; }

bool CVyr3Dlg::OnInitDialog() {
  setWindowIcon(ui::LoadIconResource(skin::kProgramIcon));

  model_ = devices_.IdentifyModel();

  settings_ = store_.ReadAtStart();
  setWindowTitle(QString::fromStdString(core::MainWindowCaption(model_, settings_.title)));

  korean_ = store_.IsKoreanWindowLanguage();
  featureVariant_ = core::FeatureVariantOf(model_);

  int screenHeight = kMainWindowMaximumHeight;
  QRect desktop(0, 0, kMainWindowWidth, kMainWindowMaximumHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    desktop = screen->availableGeometry();
    screenHeight = desktop.height();
  }
  if (services_.availableScreenHeight) screenHeight = *services_.availableScreenHeight;
  setMinimumSize(kMinimumTrackingSize.width, kMinimumTrackingSize.height);
  resize(kMainWindowWidth, InitialMainWindowHeight(screenHeight));
  move(desktop.x() + (desktop.width() - width()) / 2, desktop.y() + (desktop.height() - height()) / 2);

  LoadFramePictures();
  CreateTitleButtons();
  CreateChildWindows();

  if (core::HasReadingTab(featureVariant_) && children_.reading) children_.reading->InitRecognition();

  auto slider = std::make_unique<CSkinPrograssBar>();
  const gdi::Rect place = VolumeSliderRect(width());
  if (slider->Create(message::kMasterVolume, this, 5, skin::kArVolumeSliderBase, place.left, place.top)) {
    slider->setGeometry(win::ToQRect(place));
    slider->hide();
    volumeSlider_ = std::move(slider);
  }

  ShowCommandBar(0);
  initialised_ = true;

  const bool bound = BindCamera();
  if (bound && model_ == 6 && children_.camera) model_ = children_.camera->Model();
  if (!bound) {
    SettingsDialogState noCamera;
    noCamera.page = SettingsPage::NoCamera;
    RunSettingsDialog(noCamera);
    EndDialog(win::kResultClose);
    return true;
  }

  if (children_.camera) children_.camera->SetFitMode(settings_.fullScreen ? 0 : 1);
  if (children_.movie) children_.movie->SetMovieFit(settings_.fullScreen ? 0 : 1);
  if (children_.image) children_.image->SetFullScreenPicture(settings_.fullScreen);
  return true;
}

void CVyr3Dlg::CreateTitleButtons() {
  const std::string logoPath = sys::JoinPath(services_.programFolder, "logo.bmp");
  for (int index = 0; index < 8; ++index) {
    auto button = std::make_unique<CSkinButton>();
    const int commandId = command::kFirstTitleButton + index;
    bool created = false;
    if (index == 0) created = button->CreateFromFile(logoPath, commandId, 4, this, 10, 6);
    if (!created) created = button->Create(commandId, this, skin::TitleButton(index), 0, 0);
    if (created) titleButtons_[index] = std::move(button);
  }
  PlaceTitleButtons();
  if (titleButtons_[3]) titleButtons_[3]->hide();
}

void CVyr3Dlg::PlaceTitleButtons() {
  for (int index = 0; index < 8; ++index) {
    CSkinButton* button = titleButtons_[index].get();
    if (button == nullptr) continue;
    const QSize look = button->FrameSize();
    const gdi::Rect place = TitleButtonRect(index, width(), {look.width(), look.height()});
    button->move(place.left, place.top);
  }
}

bool CVyr3Dlg::CreateChild(win::Window* child, int index) {
  const QString name = QString("Vyr3Child%1").arg(index + 2);
  return child->Create(this, name, index + 2, win::ToQRect(InitialChildRect(height())), true);
}

void CVyr3Dlg::CreateChildWindows() {
  ChildWindowFactory& factory = *services_.children;
  const auto gradeSlot = [this](int grade) { return store_.GradeSlot(grade); };
  // Each entry is made, created as a window and kept, or left empty.
  const auto make = [this](auto window, int index) {
    if (window && !CreateChild(window.get(), index)) window.reset();
    return window;
  };
  children_.image = make(factory.MakeImageView(), kImageViewIndex);
  bars_.Create(0, this, korean_, width(), gradeSlot);
  children_.movie = make(factory.MakeMovieView(), kMovieViewIndex);
  bars_.Create(1, this, korean_, width(), gradeSlot);
  children_.camera = make(factory.MakeCameraView(), kCameraViewIndex);
  if (children_.camera) {
    children_.camera->SetResolution(model_, settings_.resolutionIndex);
    if (settings_.rotation != 0) children_.camera->SetRotation(settings_.rotation);
  }
  bars_.Create(2, this, korean_, width(), gradeSlot);
  children_.ar = make(factory.MakeArView(), kArViewIndex);
  bars_.Create(3, this, korean_, width(), gradeSlot);
  children_.record = make(factory.MakeRecordIndicator(), kRecordIndicatorIndex);
  bars_.Create(4, this, korean_, width(), gradeSlot);
  children_.tabs = make(factory.MakeTabStrip(featureVariant_, korean_), kTabStripIndex);
  children_.tools = make(factory.MakeToolsPalette(), kToolsPaletteIndex);
  children_.reading = make(factory.MakeReadingPanel(model_), kReadingPanelIndex);
  if (children_.reading) children_.reading->RegisterUserDictionary(settings_.userDicPath);
  children_.readingBar = make(factory.MakeControlBar(true), kReadingBarIndex);
  children_.movieBar = make(factory.MakeControlBar(false), kMovieBarIndex);

  for (int index = 0; index < kChildCount; ++index) {
    if (win::Window* child = children_.At(index)) {
      const bool shown = index == kCameraViewIndex || index == kTabStripIndex || index == kToolsPaletteIndex;
      child->setVisible(shown);
    }
  }
}

std::intptr_t CVyr3Dlg::OnMessage(const win::Msg& msg) {
  switch (msg.id) {
    case message::kMoviePositionSlider:
      if (children_.movie) children_.movie->SeekPercent(static_cast<int>(msg.wParam));
      return 0;
    case message::kMovieEnded:
      StopMovieAndUpdateBar();
      if (children_.movie) children_.movie->update();
      return 0;
    case message::kPointerActivity: OnPointerActivity(msg.wParam); return 0;
    case message::kMoviePosition: OnMoviePosition(static_cast<int>(msg.wParam), static_cast<int>(msg.lParam)); return 0;
    case message::kPickerChoice: OnPickerChoice(static_cast<int>(msg.wParam), static_cast<int>(msg.lParam)); return 0;
    case message::kCameraSettings:
      if (children_.camera) {
        win::Window* dialog = win::Window::FromHandleId(static_cast<std::uint32_t>(msg.wParam));
        children_.camera->ShowCameraPropertyPages(dialog);
      }
      return 0;
    case message::kMovieSpeed:
      if (children_.movie) children_.movie->SetSpeed(static_cast<int>(msg.wParam));
      return 0;
    case message::kStillButton: OnStillButton(); return 0;
    case message::kReadingLanguage:
      if (children_.reading) {
        children_.reading->RegisterUserDictionary(msg.wParam == 0 ? settings_.userDicPath : settings_.userEDicPath);
      }
      return 0;
    case message::kFocusPopupHidden: MakeReleasedToggle(command::kManualFocus); return 0;
    case message::kLayOutViews: LayOutViews(); return 0;
    case message::kMasterVolume:
      if (services_.masterVolume) services_.masterVolume->SetPercent(static_cast<int>(msg.wParam));
      return 0;
    default: return win::Dialog::OnMessage(msg);
  }
}

bool CVyr3Dlg::OnCommand(int id) {
  const auto between = [id](int first, int last) { return id >= first && id <= last; };
  const auto onBar = [id](int bar) {
    return id >= command::kBarFirstButton[bar] && id < command::kBarFirstButton[bar] + command::kBarButtonCount[bar];
  };
  if (between(command::kLogo, command::kZoomList)) {
    OnTitleCommand(id);
  } else if (between(command::kModeCamera, command::kModeAr)) {
    SwitchMode(static_cast<ViewMode>(id - command::kModeCamera));
  } else if (onBar(0)) {
    OnCameraCommand(id);
  } else if (onBar(1)) {
    OnImageCommand(id);
  } else if (onBar(2)) {
    OnReadingCommand(id);
  } else if (onBar(3)) {
    OnMovieCommand(id);
  } else if (onBar(4)) {
    if (children_.ar) children_.ar->OnBarCommand(id);
  } else if (between(command::kCameraNegative, command::kPictureInPicture)) {
    OnCameraTool(id);
  } else if (between(command::kPen, command::kImageRotate)) {
    OnImageTool(id);
  } else if (between(command::kPlay, command::kRepeat)) {
    OnControlBarCommand(id);
  } else if (between(command::kSplitResized, command::kSplitSizingEnded) ||
             between(command::kPanelResized, command::kPanelSizingEnded) ||
             between(command::kSwapToImageInset, command::kSwapToCameraInset) ||
             between(command::kUndoPossible, command::kNothingToRedo)) {
    OnViewCommand(id);
  } else {
    return false;
  }
  return true;
}

void CVyr3Dlg::OnTimer(int id) {
  if (id == timer::kCameraRestartWatchdog) OnCameraRestartWatchdog();
}

win::HitTest CVyr3Dlg::HitTestAt(const QPoint& point) const {
  if (point.y() < kCaptionHeight) return win::HitTest::Caption;
  const bool maximiseShown = titleButtons_[2] != nullptr && titleButtons_[2]->isVisibleTo(this);
  if (maximiseShown && point.x() >= width() - kSizingCornerSize && point.y() >= height() - kSizingCornerSize) {
    return win::HitTest::BottomRight;
  }
  return win::HitTest::Client;
}

void CVyr3Dlg::OnExitSizeMove() {
  if (children_.tools && children_.tools->isVisible()) children_.tools->RepaintButtons();
}

void CVyr3Dlg::resizeEvent(QResizeEvent* event) {
  win::Dialog::resizeEvent(event);
  if (!initialised_) return;
  const gdi::Size client = ClientSize();
  PlaceTitleButtons();
  bars_.PlaceGradeButtons(client.width, [this](int grade) { return store_.GradeSlot(grade); });
  if (volumeSlider_) volumeSlider_->setGeometry(win::ToQRect(VolumeSliderRect(client.width)));
  if (!isMinimized()) {
    if (children_.tools) {
      children_.tools->setGeometry(win::ToQRect(KeepPaletteInside(win::FromQRect(children_.tools->geometry()), client)));
    }
  }
  LayOutViews();
  update();
  if (children_.tools) children_.tools->RepaintButtons();
  if (children_.readingBar) children_.readingBar->hide();
  if (children_.movieBar) children_.movieBar->hide();
  win::Window* inset = arrangement_ == Arrangement::CameraInset  ? static_cast<win::Window*>(children_.camera.get())
                       : arrangement_ == Arrangement::ImageInset ? static_cast<win::Window*>(children_.image.get())
                                                                 : nullptr;
  if (inset) inset->setGeometry(win::ToQRect(KeepInsetInside(win::FromQRect(inset->geometry()), client)));
  if (mode_ == ViewMode::Reading && children_.reading) children_.reading->Refresh();
}

}  // namespace orvilo::shell
