#include "shell/command_bars.h"

#include "core/command_ids.h"
#include "shell/frame_geometry.h"
#include "ui/skin/skin_ids.h"
#include "ui/tooltips.h"

namespace orvilo::shell {

using ui::ButtonLook;
using ui::CSkinButton;
using ui::ToggleState;

namespace {
constexpr int kGradeCount = 6;
constexpr int kArBar = static_cast<int>(ViewMode::AR);
// The AR bar's grade buttons follow its ten viewer buttons.
constexpr int kFirstGradeButton = command::kFirstArGrade - command::kBarFirstButton[kArBar];

constexpr int BarOf(ViewMode mode) { return static_cast<int>(mode); }
int GradeCommand(int grade) { return command::kFirstArGrade + grade - 1; }
}  // namespace

void CommandBars::Create(ViewMode mode, win::Window* owner, bool korean, int clientWidth,
                         const std::function<std::optional<int>(int grade)>& gradeSlot) {
  const int bar = BarOf(mode);
  auto& row = buttons_[bar];
  row.clear();
  for (int index = 0; index < command::kBarButtonCount[bar]; ++index) {
    const int commandId = command::BarButton(bar, index);
    std::optional<int> slot;
    if (mode == ViewMode::AR && index >= kFirstGradeButton) slot = gradeSlot(index - kFirstGradeButton + 1);
    const gdi::Point place = BarButtonPosition(bar, index, clientWidth, slot);
    auto button = std::make_unique<CSkinButton>();
    if (!button->Create(commandId, owner, skin::CommandBarButton(bar, index), place.x, place.y, korean)) {
      row.push_back(nullptr);
      continue;
    }
    button->hide();
    button->SetToolTip(ui::CommandBarToolTip(bar, index, korean));
    if (commandId == command::kManualFocus || commandId == command::kPanelView ||
        commandId == command::kIntervalCapture || commandId == command::kTimeLapse ||
        commandId == command::kFilmstrip || commandId == command::kLiveDrawing) {
      button->toggle = 1;
      button->toggleState = ToggleState::Off;
    }
    row.push_back(std::move(button));
  }
}

void CommandBars::DestroyAll() {
  for (auto& row : buttons_) row.clear();
}

CSkinButton* CommandBars::Button(int bar, int index) const {
  if (bar < 0 || bar > 4 || index < 0 || index >= static_cast<int>(buttons_[bar].size())) return nullptr;
  return buttons_[bar][index].get();
}

CSkinButton* CommandBars::ButtonOfCommand(int commandId) const {
  for (int bar = 0; bar < 5; ++bar) {
    const int index = commandId - command::kBarFirstButton[bar];
    if (index >= 0 && index < command::kBarButtonCount[bar]) return Button(bar, index);
  }
  return nullptr;
}

std::optional<ViewMode> CommandBars::VisibleBar() const {
  for (int bar = 0; bar < 5; ++bar) {
    if (const CSkinButton* first = Button(bar, 0); first != nullptr && first->isVisibleTo(first->parentWidget())) {
      return static_cast<ViewMode>(bar);
    }
  }
  return std::nullopt;
}

void CommandBars::SetShown(int commandId, bool shown) {
  if (CSkinButton* button = ButtonOfCommand(commandId)) button->setVisible(shown);
}

void CommandBars::SetDisabled(int commandId, bool disabled) {
  if (CSkinButton* button = ButtonOfCommand(commandId)) {
    button->look = disabled ? ButtonLook::Disabled : ButtonLook::Normal;
    button->update();
  }
}

void CommandBars::MakeReleasedToggle(int commandId) { SetToggle(commandId, false); }

void CommandBars::SetToggle(int commandId, bool on) {
  if (CSkinButton* button = ButtonOfCommand(commandId)) {
    button->toggle = 1;
    button->toggleState = on ? ToggleState::On : ToggleState::Off;
    button->look = on ? ButtonLook::Pressed : ButtonLook::Normal;
    button->update();
  }
}

bool CommandBars::Show(ViewMode mode, const BarShowRules& rules) {
  const std::optional<ViewMode> previous = VisibleBar();
  if (previous == mode) return false;
  const int bar = BarOf(mode);
  const auto showAll = [&] {
    for (int index = 0; index < command::kBarButtonCount[bar]; ++index) SetShown(command::BarButton(bar, index), true);
  };
  switch (mode) {
    case ViewMode::Camera:
      showAll();
      SetShown(command::kStopRecording, false);  // only while recording
      SetShown(command::kCameraFullScreenOn, !rules.fullScreen);
      SetShown(command::kCameraFullScreenOff, rules.fullScreen);
      break;
    case ViewMode::Image:
      // Undo and redo wait for the image view to report something to undo.
      SetDisabled(command::kUndo, true);
      SetDisabled(command::kRedo, true);
      showAll();
      SetShown(command::kImageFullScreenOn, !rules.fullScreen);
      SetShown(command::kImageFullScreenOff, rules.fullScreen);
      break;
    case ViewMode::Reading: showAll(); break;
    case ViewMode::Movie:
      SetShown(command::kOpenMovie, true);
      SetShown(command::kFrameToImage, true);
      SetShown(command::kMovieFullScreenOn, !rules.fullScreen);
      SetShown(command::kMovieFullScreenOff, rules.fullScreen);
      break;
    case ViewMode::AR:
      for (int index = 0; index < kFirstGradeButton; ++index) SetShown(command::BarButton(bar, index), true);
      for (int grade = 1; grade <= kGradeCount; ++grade) {
        CSkinButton* button = ButtonOfCommand(GradeCommand(grade));
        if (button == nullptr) continue;
        const bool hasSlot = rules.gradeSlot && rules.gradeSlot(grade).has_value();
        if (hasSlot && rules.gradeHasContent && !rules.gradeHasContent(grade)) SetDisabled(GradeCommand(grade), true);
        button->setVisible(hasSlot);
      }
      break;
  }
  if (previous) {
    const int old = BarOf(*previous);
    for (int index = 0; index < command::kBarButtonCount[old]; ++index) SetShown(command::BarButton(old, index), false);
  }
  return true;
}

void CommandBars::PlaceGradeButtons(int clientWidth, const std::function<std::optional<int>(int grade)>& gradeSlot) {
  for (int grade = 1; grade <= kGradeCount; ++grade) {
    CSkinButton* button = ButtonOfCommand(GradeCommand(grade));
    if (button == nullptr) continue;
    const int index = kFirstGradeButton + grade - 1;
    const gdi::Point place = BarButtonPosition(kArBar, index, clientWidth, gradeSlot(grade));
    button->move(place.x, place.y);
  }
}

}  // namespace orvilo::shell
