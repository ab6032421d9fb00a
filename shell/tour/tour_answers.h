// The answers the lesson tour gives where the program would ask the
// teacher: the file dialogs take the path the tour names for the step, and
// the settings dialog takes its preset choice (the chapter picker's unit).
// Installed in place of the toolkit's dialogs for the whole tour, so no
// window ever waits for a person.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/win/common_dialogs.h"
#include "shell/settings_dialog.h"

namespace orvilo::shell::tour {

class TourDialogs : public win::CommonDialogs {
 public:
  // The path the next file dialog answers with; a dialog nobody named a
  // path for is cancelled (and listed in Unanswered()).
  void AnswerNextFileDialog(std::string path) { next_ = std::move(path); }
  void ForgetAnswer() { next_.reset(); }
  const std::vector<std::string>& Unanswered() const { return unanswered_; }

  std::optional<std::string> RunFileDialog(QWidget* owner, const win::FileDialogRequest& request) override;
  std::vector<std::string> RunFilesDialog(QWidget* owner, const win::FileDialogRequest& request) override;
  std::optional<std::string> RunFolderDialog(QWidget* owner, const win::FolderDialogRequest& request) override;
  std::optional<win::FontDescription> RunFontDialog(QWidget* owner, const win::FontDescription& initial) override;

 private:
  std::optional<std::string> next_;
  std::vector<std::string> unanswered_;
};

// The chapter picker and the rename page answer OK with what they were
// given; every other page (resolution, folders, about, no camera) is
// cancelled without a window.
class TourSettingsDialog : public SettingsDialogRunner {
 public:
  int Run(QWidget* owner, SettingsDialogState& state) override;
};

}  // namespace orvilo::shell::tour
