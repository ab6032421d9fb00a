#include "shell/command_bars.h"

#include "core/command_ids.h"
#include "shell/frame_geometry.h"
#include "ui/skin/skin_ids.h"

namespace orvilo::shell {

using ui::ButtonLook;
using ui::CSkinButton;
using ui::ToggleState;

namespace {
constexpr int kFirstGradeButton = 10;
constexpr int kGradeCount = 6;
}  // namespace

void CommandBars::Create(int bar, win::Window* owner, bool korean, int clientWidth,
                         const std::function<std::optional<int>(int grade)>& gradeSlot) {
  auto& row = buttons_[bar];
  row.clear();
  for (int index = 0; index < command::kBarButtonCount[bar]; ++index) {
    std::optional<int> slot;
    if (bar == 4 && index >= kFirstGradeButton) slot = gradeSlot(index - kFirstGradeButton + 1);
    const gdi::Point place = BarButtonPosition(bar, index, clientWidth, slot);
    auto button = std::make_unique<CSkinButton>();
    if (!button->Create(command::BarButton(bar, index), owner, skin::CommandBarButton(bar, index), place.x, place.y,
                        korean)) {
      row.push_back(nullptr);
      continue;
    }
    button->hide();
    const int commandId = command::BarButton(bar, index);
    if (commandId == command::kManualFocus || commandId == command::kPanelView) {
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

int CommandBars::VisibleBar() const {
  for (int bar = 0; bar < 5; ++bar) {
    if (const CSkinButton* first = Button(bar, 0); first != nullptr && first->isVisibleTo(first->parentWidget())) {
      return bar;
    }
  }
  return -1;
}

void CommandBars::SetShown(int bar, int index, bool shown) {
  if (CSkinButton* button = Button(bar, index)) button->setVisible(shown);
}

bool CommandBars::Show(int bar, const BarShowRules& rules) {
  const int previous = VisibleBar();
  if (previous == bar) return false;
  const int count = command::kBarButtonCount[bar];
  switch (bar) {
    case 0:
      for (int i = 0; i < count; ++i) SetShown(0, i, true);
      SetShown(0, 10, false);  // stop recording, only while recording
      SetShown(0, 4, !rules.fullScreen);
      SetShown(0, 11, rules.fullScreen);
      break;
    case 1:
      for (int i : {3, 4}) {
        if (CSkinButton* button = Button(1, i)) {
          button->look = ButtonLook::Disabled;
          button->update();
        }
      }
      for (int i = 0; i < count; ++i) SetShown(1, i, true);
      SetShown(1, 2, !rules.fullScreen);
      SetShown(1, 5, rules.fullScreen);
      break;
    case 2:
      for (int i = 0; i < count; ++i) SetShown(2, i, true);
      break;
    case 3:
      SetShown(3, 0, true);
      SetShown(3, 1, true);
      SetShown(3, 2, !rules.fullScreen);
      SetShown(3, 3, rules.fullScreen);
      break;
    case 4:
      for (int i = 0; i < kFirstGradeButton; ++i) SetShown(4, i, true);
      for (int grade = 1; grade <= kGradeCount; ++grade) {
        CSkinButton* button = Button(4, kFirstGradeButton + grade - 1);
        if (button == nullptr) continue;
        const bool hasSlot = rules.gradeSlot && rules.gradeSlot(grade).has_value();
        if (hasSlot && rules.gradeHasContent && !rules.gradeHasContent(grade)) {
          button->look = ButtonLook::Disabled;
          button->update();
        }
        button->setVisible(hasSlot);
      }
      break;
    default: return false;
  }
  if (previous >= 0) {
    for (int i = 0; i < command::kBarButtonCount[previous]; ++i) SetShown(previous, i, false);
  }
  return true;
}

void CommandBars::PlaceGradeButtons(int clientWidth, const std::function<std::optional<int>(int grade)>& gradeSlot) {
  for (int grade = 1; grade <= kGradeCount; ++grade) {
    CSkinButton* button = Button(4, kFirstGradeButton + grade - 1);
    if (button == nullptr) continue;
    const std::optional<int> slot = gradeSlot(grade);
    const gdi::Point place = BarButtonPosition(4, kFirstGradeButton + grade - 1, clientWidth, slot);
    button->move(place.x, place.y);
  }
}

}  // namespace orvilo::shell
