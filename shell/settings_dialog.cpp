#include "shell/settings_dialog.h"

#include "platform/win/message.h"

namespace orvilo::shell {

int ScriptedSettingsDialog::Run(QWidget*, SettingsDialogState& state) {
  runs.push_back(state);
  if (steps.empty()) return win::kResultCancel;
  Step step = std::move(steps.front());
  steps.pop_front();
  if (step.edit) step.edit(state);
  return step.result;
}

}  // namespace orvilo::shell
