// The five command bars of the main window: rows of skinned buttons, one
// bar per mode, exactly one of them visible. Bar b's button i posts command
// FirstBarButton(b) + i. Some buttons replace others in place (full screen
// on/off, record/stop recording).
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "ui/skin_button.h"

namespace orvilo::shell {

struct BarShowRules {
  bool fullScreen = false;
  // Bar 4's grade buttons: the slot of grade 1..6 (none = hidden) and
  // whether its AR content is installed (else the disabled look).
  std::function<std::optional<int>(int grade)> gradeSlot;
  std::function<bool(int grade)> gradeHasContent;
};

class CommandBars {
 public:
  CommandBars() = default;
  CommandBars(const CommandBars&) = delete;
  CommandBars& operator=(const CommandBars&) = delete;

  // Makes bar b's buttons, hidden, as children of `owner`; a button whose
  // picture is missing is left out. The toggles start as released toggles.
  void Create(int bar, win::Window* owner, bool korean, int clientWidth,
              const std::function<std::optional<int>(int grade)>& gradeSlot);
  void DestroyAll();

  ui::CSkinButton* Button(int bar, int index) const;
  ui::CSkinButton* ButtonOfCommand(int commandId) const;

  // The first bar whose first button is visible, or -1.
  int VisibleBar() const;
  // Shows bar b by its rules and hides the bar that was visible; false when
  // b was visible already (nothing changes then).
  bool Show(int bar, const BarShowRules& rules);
  // Re-places bar 4's grade buttons after a resize (the others stay put).
  void PlaceGradeButtons(int clientWidth, const std::function<std::optional<int>(int grade)>& gradeSlot);

 private:
  void SetShown(int bar, int index, bool shown);
  std::array<std::vector<std::unique_ptr<ui::CSkinButton>>, 5> buttons_;
};

}  // namespace orvilo::shell
