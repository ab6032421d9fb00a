#include "shell/main_window.h"

#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>

#include "core/camera_features.h"
#include "core/camera_model.h"
#include "core/command_ids.h"
#include "platform/sys/program_folder.h"
#include "platform/win/geometry.h"
#include "shell/ar_chapter_picker.h"
#include "shell/camera_search.h"
#include "shell/key_router.h"
#include "ui/skin/skin_ids.h"
#include "ui/skin_button.h"
#include "ui/skin_progress_bar.h"
#include "ui/skin_resources.h"
#include "ui/tooltips.h"

namespace orvilo::shell {

using ui::CSkinButton;
using ui::CSkinPrograssBar;

namespace {
// Its product identifier is shared by two models: the bound camera view
// tells which one it is.
constexpr core::CameraModel kModelSettledByTheCamera = 6;

// The windows shown right after creation; all others start hidden.
constexpr bool ShownAtStart(int index) {
  return index == kCameraViewIndex || index == kTabStripIndex || index == kToolsPaletteIndex;
}
}  // namespace

CVyr3Dlg::CVyr3Dlg(MainWindowServices services)
    : services_(std::move(services)),
      store_(services_.programFolder, services_.systemLanguage),
      devices_(*services_.devices),
      stage_(children_, [this] { return ClientSize(); }),
      cameraMode_({*this, children_, bars_, stage_, settings_, store_}, devices_, model_),
      imageMode_({*this, children_, bars_, stage_, settings_, store_}),
      readingMode_({*this, children_, bars_, stage_, settings_, store_}),
      movieMode_({*this, children_, bars_, stage_, settings_, store_}),
      arMode_({*this, children_, bars_, stage_, settings_, store_}) {
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setObjectName("CVyr3Dlg");
}

CVyr3Dlg::~CVyr3Dlg() {
  cameraReturn_.reset();  // no device-list call reaches a window being taken apart
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

CSkinButton* CVyr3Dlg::TitleButton(TitleButtonId button) const { return titleButtons_[static_cast<int>(button)].get(); }

gdi::Size CVyr3Dlg::ClientSize() const { return gdi::Size{width(), height()}; }

bool CVyr3Dlg::OnInitDialog() {
  setWindowIcon(ui::LoadIconResource(skin::kProgramIcon));

  model_ = devices_.IdentifyModel();

  settings_ = store_.ReadAtStart();
  cameraMode_.RepairUnfinishedRecordings();

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

  // Everything below depends on the camera model, so a camera plugged in
  // while the search page shows starts the program as if it had been there.
  if (model_ == core::kNoCamera && !WaitForCamera()) {
    EndDialog(win::kResultClose);
    return true;
  }
  setWindowTitle(QString::fromStdString(core::MainWindowCaption(model_, settings_.title)));
  korean_ = store_.IsKoreanWindowLanguage();
  featureVariant_ = core::FeatureVariantOf(model_);

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

  ShowCommandBar(ViewMode::Camera);
  // Keys of the window and its children become commands (docs/input.md).
  new KeyRouter(
      this, [this] { return KeyState{mode_, settings_.fullScreen, Blanked(), HelpShown()}; },
      [this](int id) { OnCommand(id); });
  initialised_ = true;

  // A model was identified, so a device of the list matches and is bound.
  const bool bound = cameraMode_.BindCamera();
  if (bound && model_ == kModelSettledByTheCamera && children_.camera) model_ = children_.camera->Model();

  if (children_.camera) children_.camera->SetFitMode(settings_.fullScreen ? 0 : 1);
  if (children_.movie) children_.movie->SetMovieFit(settings_.fullScreen ? 0 : 1);
  if (children_.image) children_.image->SetFullScreenPicture(settings_.fullScreen);

  cameraReturn_ = std::make_unique<CameraSearch>(*services_.devices, [this] { return LostCameraListedAgain(); });
  cameraReturn_->Start([this] { BindReturnedCamera(); });
  return true;
}

// The camera view's own retry opens the lost device again, which finds a
// camera that comes back on the same device node after up to 3 s; a change
// of the device list finds it at once, also on another node.
bool CVyr3Dlg::LostCameraListedAgain() {
  const camera::CameraView* camera = children_.camera.get();
  if (mode_ != ViewMode::Camera || !camera || camera->GetOverlayStatus() != camera::OverlayStatus::Disconnected) {
    return false;
  }
  devices_.EnumerateDevices();
  return devices_.IdentifyModel() != core::kNoCamera;
}

void CVyr3Dlg::BindReturnedCamera() {
  cameraMode_.BindCamera();
  cameraReturn_->Start([this] { BindReturnedCamera(); });  // for the next time it is lost
}

// No supported camera at start: the "Searching for Camera" page shows until
// one is listed (true, the model identified) or the page is closed (false).
bool CVyr3Dlg::WaitForCamera() {
  CameraSearch search(*services_.devices, [this] {
    devices_.EnumerateDevices();
    return devices_.IdentifyModel() != core::kNoCamera;
  });
  while (model_ == core::kNoCamera) {
    SettingsDialogState searching;
    searching.page = SettingsPage::NoCamera;
    searching.cameraSearch = &search;
    if (RunSettingsDialog(searching) != win::kResultOk) return false;
    // The page saw a camera; one that went again at once is waited for anew.
    devices_.EnumerateDevices();
    model_ = devices_.IdentifyModel();
  }
  return true;
}

void CVyr3Dlg::CreateTitleButtons() {
  const std::string logoPath = sys::JoinPath(services_.programFolder, "logo.bmp");
  for (int index = 0; index < kTitleButtonCount; ++index) {
    auto button = std::make_unique<CSkinButton>();
    const int commandId = command::kFirstTitleButton + index;
    bool created = false;
    // A "logo.bmp" of the school replaces the built-in logo.
    if (static_cast<TitleButtonId>(index) == TitleButtonId::Logo) {
      created = button->CreateFromFile(logoPath, commandId, 4, this, 10, 6);
    }
    if (!created) created = button->Create(commandId, this, skin::TitleButton(index), 0, 0);
    if (created) {
      button->SetToolTip(ui::TitleButtonToolTip(index, korean_));
      titleButtons_[index] = std::move(button);
    }
  }
  PlaceTitleButtons();
  if (CSkinButton* restore = TitleButton(TitleButtonId::Restore)) restore->hide();
}

void CVyr3Dlg::PlaceTitleButtons() {
  for (int index = 0; index < kTitleButtonCount; ++index) {
    CSkinButton* button = titleButtons_[index].get();
    if (button == nullptr) continue;
    const QSize look = button->FrameSize();
    const gdi::Rect place = TitleButtonRect(static_cast<TitleButtonId>(index), width(), {look.width(), look.height()});
    button->move(place.left, place.top);
  }
}

bool CVyr3Dlg::CreateChild(win::Window* child, int index) {
  const QString name = QString("Vyr3Child%1").arg(index + 2);
  return child->Create(this, name, index + 2, win::ToQRect(InitialChildRect(height())), true);
}

// The AR view's services with what only the main window can show: the
// unit's marker and caption in the status area and the bar buttons' looks.
ar::ArServices CVyr3Dlg::ArServicesOfThisWindow() {
  ar::ArServices services;
  services.programFolder = services_.programFolder;
  services.pickChapter = [this](int grade, ar::Chapter preset) -> std::optional<ar::Chapter> {
    if (!services_.settingsDialog) return std::nullopt;
    return RunArChapterPicker(*services_.settingsDialog, this, services_.programFolder, grade, preset);
  };
  services.captionFormat = [this] { return store_.ArInfoFormat(); };
  services.showUnitCaption = [this](int marker, const std::string& caption) {
    arMode_.ShowUnitCaption(marker, caption);
    update(win::ToQRect(StatusArea(width())));
  };
  services.setButtonDisabled = [this](int commandId, bool disabled) { bars_.SetDisabled(commandId, disabled); };
  return services;
}

void CVyr3Dlg::CreateChildWindows() {
  ChildWindowFactory& factory = *services_.children;
  const auto gradeSlot = [this](int grade) { return store_.GradeSlot(grade); };
  // Each entry is made, created as a window and kept, or left empty.
  const auto make = [this](auto window, int index) {
    if (window && !CreateChild(window.get(), index)) window.reset();
    return window;
  };
  // Each mode's command bar is made right after the view of the same number.
  children_.image = make(factory.MakeImageView(), kImageViewIndex);
  bars_.Create(ViewMode::Camera, this, korean_, width(), gradeSlot);
  children_.movie = make(factory.MakeMovieView(), kMovieViewIndex);
  bars_.Create(ViewMode::Image, this, korean_, width(), gradeSlot);
  children_.camera = make(factory.MakeCameraView(), kCameraViewIndex);
  if (children_.camera) {
    children_.camera->SetResolution(model_, settings_.resolutionIndex);
    if (settings_.rotation != 0) children_.camera->SetRotation(settings_.rotation);
  }
  bars_.Create(ViewMode::Reading, this, korean_, width(), gradeSlot);
  children_.ar = make(factory.MakeArView(), kArViewIndex);
  if (children_.ar) children_.ar->SetServices(ArServicesOfThisWindow());
  bars_.Create(ViewMode::Movie, this, korean_, width(), gradeSlot);
  children_.record = make(factory.MakeRecordIndicator(), kRecordIndicatorIndex);
  bars_.Create(ViewMode::AR, this, korean_, width(), gradeSlot);
  children_.tabs = make(factory.MakeTabStrip(featureVariant_, korean_), kTabStripIndex);
  children_.tools = make(factory.MakeToolsPalette(), kToolsPaletteIndex);
  children_.reading = make(factory.MakeReadingPanel(model_), kReadingPanelIndex);
  readingMode_.AttachPanel();
  children_.readingBar = make(factory.MakeControlBar(true), kReadingBarIndex);
  children_.movieBar = make(factory.MakeControlBar(false), kMovieBarIndex);

  for (int index = 0; index < kChildCount; ++index) {
    if (win::Window* child = children_.At(index)) child->setVisible(ShownAtStart(index));
  }
}

void CVyr3Dlg::OnTimer(int id) {
  if (id == timer::kCameraRestartWatchdog) cameraMode_.OnRestartWatchdog();
}

win::HitTest CVyr3Dlg::HitTestAt(const QPoint& point) const {
  if (point.y() < kCaptionHeight) return win::HitTest::Caption;
  const CSkinButton* maximise = TitleButton(TitleButtonId::Maximise);
  const bool maximiseShown = maximise != nullptr && maximise->isVisibleTo(this);
  if (maximiseShown && point.x() >= width() - kSizingCornerSize && point.y() >= height() - kSizingCornerSize) {
    return win::HitTest::BottomRight;
  }
  return win::HitTest::Client;
}

void CVyr3Dlg::OnExitSizeMove() {
  if (stage_.PaletteVisible()) children_.tools->RepaintButtons();
}

void CVyr3Dlg::resizeEvent(QResizeEvent* event) {
  win::Dialog::resizeEvent(event);
  if (!initialised_) return;
  const gdi::Size client = ClientSize();
  PlaceTitleButtons();
  bars_.PlaceGradeButtons(client.width, [this](int grade) { return store_.GradeSlot(grade); });
  if (volumeSlider_) volumeSlider_->setGeometry(win::ToQRect(VolumeSliderRect(client.width)));
  if (!isMinimized() && children_.tools) {
    children_.tools->setGeometry(win::ToQRect(KeepPaletteInside(win::FromQRect(children_.tools->geometry()), client)));
  }
  LayOutViews();
  if (blank_) blank_->setGeometry(rect());
  if (help_) help_->setGeometry(rect());
  update();
  if (children_.tools) children_.tools->RepaintButtons();
  if (children_.readingBar) children_.readingBar->hide();
  if (children_.movieBar) children_.movieBar->hide();
  Current().AfterResize();
}

void CVyr3Dlg::LayOutViews() {
  // An inset view is dragged only within the content area.
  const QRect content = win::ToQRect(ContentRect(ClientSize()));
  if (children_.camera) children_.camera->SetDragBounds(content);
  if (children_.image) children_.image->SetDragBounds(content);
  Current().LayOut();
  stage_.RaisePalette();
}

}  // namespace orvilo::shell
