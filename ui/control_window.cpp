#include "ui/control_window.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "core/command_ids.h"
#include "core/settings/settings_store.h"
#include "platform/gdi/key_colour.h"
#include "platform/sys/program_folder.h"
#include "platform/sys/ui_language.h"
#include "platform/win/window_shape.h"
#include "ui/picker_popup.h"
#include "ui/skin/skin_ids.h"
#include "ui/skin_button.h"
#include "ui/skin_progress_bar.h"
#include "ui/skin_resources.h"

namespace orvilo::ui {
namespace {

constexpr int kHideDelayMs = 500;
constexpr int kFirstButton = command::kPlay;

struct ButtonPlace {
  int x, y;
  bool readingBar;
  const char* english;
  const char* korean;
};
// Commands 1625..1633.
constexpr ButtonPlace kButtons[kControlBarButtonCount] = {
    {13, 4, false, "", ""},  {13, 4, false, "", ""},  {44, 4, false, "", ""},
    {75, 4, false, "", ""},  {106, 4, false, "", ""}, {13, 4, true, "Reading", "읽기"},
    {44, 4, true, "Pause", "일시정시"}, {75, 4, true, "Stop", "정지"}, {106, 6, true, "Repeat", "무한반복"}};

constexpr const char* kSpeedLabels[11] = {" 50%", " 60%", " 70%", " 80%", " 90%", "100%",
                                          "120%", "140%", "160%", "180%", "200%"};

QFont BarFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(11);
  font.setWeight(QFont::Normal);
  return font;
}

}  // namespace

CVyr3ControlWnd::CVyr3ControlWnd(bool readingBar, QWidget* parent, std::optional<bool> korean,
                                 audio::MasterVolume* volume)
    : ControlBar(parent), readingBar_(readingBar), volume_(volume ? volume : &systemVolume_) {
  korean_ = korean ? *korean
                   : core::SettingsStore(sys::ProgramFolder(), sys::SystemUiLanguage()).IsKoreanComponentLanguage();
  setMouseTracking(true);
}

CVyr3ControlWnd::~CVyr3ControlWnd() = default;

// The bar is its face picture: its size, and its shape from the pixels
// that are not magenta.
bool CVyr3ControlWnd::OnCreate() {
  const QImage face =
      ui::LoadSkinBitmap(readingBar_ ? skin::kReadingBarBackground : skin::kMovieBarBackground);
  face_ = gdi::KeyColourToTransparent(face);
  resize(face.size());
  if (!face.isNull()) setMask(win::RegionFromKeyColour(face));

  for (int i = 0; i < kControlBarButtonCount; ++i) {
    const ButtonPlace& place = kButtons[i];
    auto* button = new CSkinButton();
    if (!button->Create(kFirstButton + i, this, skin::ControlBarButton(kFirstButton + i), place.x, place.y, korean_)) {
      button->setParent(this);
    }
    button->SetToolTip(korean_ ? place.korean : place.english);
    const bool shown = place.readingBar == readingBar_ && kFirstButton + i != command::kPauseMovie;
    button->setVisible(shown);
    buttons_[i] = button;
  }
  buttons_[command::kRepeat - kFirstButton]->toggle = 1;

  if (!readingBar_) {
    positionSlider_ = new CSkinPrograssBar();
    if (!positionSlider_->Create(kPositionSliderId, this, 0, skin::kPositionSliderBase, 206, 10)) {
      positionSlider_->setParent(this);
    }
    speedButton_ = new CSkinButton();
    if (!speedButton_->Create(kSpeedButtonId, this, skin::kSpeedButton, 178, 11, korean_)) speedButton_->setParent(this);
  }
  volumeSlider_ = new CSkinPrograssBar();
  if (!volumeSlider_->Create(kVolumeSliderId, this, 5, skin::kBarVolumeSliderBase, readingBar_ ? 223 : 501, 11)) {
    volumeSlider_->setParent(this);
  }
  return true;
}

CSkinButton* CVyr3ControlWnd::Button(int commandId) const {
  const int index = commandId - kFirstButton;
  return index >= 0 && index < kControlBarButtonCount ? buttons_[index] : nullptr;
}

void CVyr3ControlWnd::PostToOwner(std::uint32_t id, std::uintptr_t wParam, std::intptr_t lParam) {
  if (auto* owner = qobject_cast<win::Window*>(parentWidget())) owner->PostMessage(id, wParam, lParam);
}

void CVyr3ControlWnd::ShowPlaying(bool playing) {
  Button(command::kPlay)->setVisible(!playing && !readingBar_);
  Button(command::kPauseMovie)->setVisible(playing && !readingBar_);
}

bool CVyr3ControlWnd::OnCommand(int commandId) {
  switch (commandId) {
    case command::kPlay:
      ShowPlaying(true);
      PostToOwner(win::kCommand, static_cast<std::uintptr_t>(commandId));
      return true;
    case command::kPauseMovie:
    case command::kStopMovie:
      ShowPlaying(false);
      PostToOwner(win::kCommand, static_cast<std::uintptr_t>(commandId));
      return true;
    case command::kSkipBack:
    case command::kSkipForward:
    case command::kReading:
    case command::kPauseReading:
    case command::kStopReading:
    case command::kRepeat:
      PostToOwner(win::kCommand, static_cast<std::uintptr_t>(commandId));
      return true;
    case kSpeedButtonId: PickSpeed(); return true;
    default: return ControlBar::OnCommand(commandId);
  }
}

std::intptr_t CVyr3ControlWnd::OnMessage(const win::Msg& msg) {
  switch (msg.id) {
    case message::kMoviePositionSlider: PostToOwner(msg.id, msg.wParam, msg.lParam); return 0;
    case message::kVolumeSliderOfBar: SetMasterVolume(static_cast<int>(msg.wParam)); return 0;
    default: return ControlBar::OnMessage(msg);
  }
}

// The speed list opens below the button, or above it where the screen ends.
void CVyr3ControlWnd::PickSpeed() {
  if (!speedButton_) return;
  const QRect button(speedButton_->mapToGlobal(QPoint(0, 0)), speedButton_->size());
  int screenHeight = 768;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) screenHeight = screen->availableGeometry().height();
  const int top = button.bottom() + 1 + 160 < screenHeight ? button.top() + 16 : button.top() - 168;
  const gdi::Rect firstRow{button.left() - 37, top, button.left() + 18, top + 15};
  int selected = speedIndex_;
  if (PickerRunner::Current().Run(this, PickerKind::SpeedFactor, firstRow, selected) != win::kResultOk) return;
  if (selected < 0 || selected > 10) return;
  speedIndex_ = selected;
  if (auto* owner = qobject_cast<win::Window*>(parentWidget())) {
    owner->SendMessage(message::kMovieSpeed, static_cast<std::uintptr_t>(speedIndex_));
  }
  update(QRect(144, 11, 49, 16));
}

void CVyr3ControlWnd::SetMasterVolume(int percent) {
  percent = std::clamp(percent, 0, 100);
  const int value = percent * 65535 / 100;
  if (value == lastVolume_) return;
  lastVolume_ = value;
  volume_->SetPercent(percent);
}

void CVyr3ControlWnd::ShowBar() {
  if (QWidget* owner = parentWidget()) {
    const int x = std::max(0, (owner->width() - width()) / 2);
    move(x, owner->height() - height() - 8);
  }
  if (volumeSlider_) {
    volumeSlider_->move(readingBar_ ? 223 : 501, 11);
    if (const auto percent = volume_->ReadPercent()) {
      volumeSlider_->SetPosition(*percent, 100);
      lastVolume_ = *percent * 65535 / 100;
    }
  }
  show();
}

void CVyr3ControlWnd::SetPosition(int position, int range, const std::string& text) {
  if (text == positionText_) return;
  positionText_ = text;
  if (positionSlider_) positionSlider_->SetPosition(position, range);
  update(QRect(385, 10, 95, 20));
}

void CVyr3ControlWnd::OnTimer(int id) {
  if (id == timer::kControlBarHide) {
    KillTimer(id);
    hide();
  }
}

void CVyr3ControlWnd::mouseMoveEvent(QMouseEvent* event) {
  KillTimer(timer::kControlBarHide);
  ControlBar::mouseMoveEvent(event);
}

// Leaving to one of its own buttons is not leaving the bar.
void CVyr3ControlWnd::leaveEvent(QEvent* event) {
  const QRect onScreen(mapToGlobal(QPoint(0, 0)), size());
  if (onScreen.contains(QCursor::pos())) {
    KillTimer(timer::kControlBarHide);
  } else {
    SetTimer(timer::kControlBarHide, kHideDelayMs);
  }
  ControlBar::leaveEvent(event);
}

void CVyr3ControlWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, face_);
  if (readingBar_) return;
  painter.setFont(BarFont());
  painter.setPen(Qt::white);
  painter.drawText(QRect(147, 11, 45, 16), Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(kSpeedLabels[speedIndex_]));
  painter.drawText(QRect(385, 10, 95, 20), Qt::AlignCenter, QString::fromStdString(positionText_));
}

}  // namespace orvilo::ui
