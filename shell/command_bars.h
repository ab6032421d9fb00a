// The five command bars of the main window: rows of skinned buttons, one
// bar per mode, exactly one of them visible. Button i of the bar of mode m
// posts command BarButton(m, i). Some buttons replace others in place (full
// screen on/off, record/stop recording). Buttons are addressed by their
// command, and their look and toggle state change only through this class.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/view_mode.h"
#include "ui/skin_button.h"

namespace orvilo::shell {

struct BarShowRules {
  bool fullScreen = false;
  // The AR bar's grade buttons: the slot of grade 1..6 (none = hidden) and
  // whether its AR content is installed (else the disabled look).
  std::function<std::optional<int>(int grade)> gradeSlot;
  std::function<bool(int grade)> gradeHasContent;
};

class CommandBars {
 public:
  CommandBars() = default;
  CommandBars(const CommandBars&) = delete;
  CommandBars& operator=(const CommandBars&) = delete;

  // Makes the buttons of the bar of `mode`, hidden, as children of `owner`;
  // a button whose picture is missing is left out. The toggles start as
  // released toggles.
  void Create(ViewMode mode, win::Window* owner, bool korean, int clientWidth,
              const std::function<std::optional<int>(int grade)>& gradeSlot);
  void DestroyAll();

  // The button that posts `commandId` (null when missing or not a bar's).
  ui::CSkinButton* ButtonOfCommand(int commandId) const;

  // The first bar whose first button is visible.
  std::optional<ViewMode> VisibleBar() const;
  // Shows the bar of `mode` by its rules and hides the bar that was
  // visible; false when it was visible already (nothing changes then).
  bool Show(ViewMode mode, const BarShowRules& rules);
  // Re-places the AR bar's grade buttons after a resize (the others stay put).
  void PlaceGradeButtons(int clientWidth, const std::function<std::optional<int>(int grade)>& gradeSlot);

  // Changes of one button, each followed by a repaint; a missing button is
  // skipped.
  void SetShown(int commandId, bool shown);
  void SetDisabled(int commandId, bool disabled);
  // A toggle in its released state with the normal look.
  void MakeReleasedToggle(int commandId);
  // A toggle pressed (on) or released, with the look of that state.
  void SetToggle(int commandId, bool on);

 private:
  ui::CSkinButton* Button(int bar, int index) const;
  std::array<std::vector<std::unique_ptr<ui::CSkinButton>>, 5> buttons_;
};

}  // namespace orvilo::shell
