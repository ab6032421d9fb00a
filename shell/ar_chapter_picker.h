// The AR view's chapter picker: page 7 of the settings dialog for a grade,
// and the services the AR view gets from the program.
#pragma once

#include <optional>
#include <string>

#include "ar/ar_view.h"
#include "shell/settings_dialog.h"

class QWidget;

namespace orvilo::shell {

// Runs the picker over `owner`: the chosen unit on OK, nothing on Cancel
// or close.
std::optional<ar::Chapter> RunArChapterPicker(SettingsDialogRunner& dialog, QWidget* owner,
                                              const std::string& programFolder, int grade, ar::Chapter preset);

// What the AR view can have without the main window: the program folder,
// the picker over the view's top-level window, and "ARINFO". The main
// window adds the caption and button looks it alone can show.
ar::ArServices StandaloneArServices(ar::ArView& view, const std::string& programFolder, int systemLanguage);

}  // namespace orvilo::shell
