#include "shell/tour/tour_answers.h"

#include "platform/win/message.h"

namespace orvilo::shell::tour {

std::optional<std::string> TourDialogs::RunFileDialog(QWidget*, const win::FileDialogRequest& request) {
  if (!next_) {
    unanswered_.push_back(request.kind == win::FileDialogRequest::Kind::Save ? "save file" : "open file");
    return std::nullopt;
  }
  std::optional<std::string> answer = std::move(next_);
  next_.reset();
  return answer;
}

std::vector<std::string> TourDialogs::RunFilesDialog(QWidget*, const win::FileDialogRequest&) {
  unanswered_.push_back("open files");
  return {};
}

std::optional<std::string> TourDialogs::RunFolderDialog(QWidget*, const win::FolderDialogRequest&) {
  unanswered_.push_back("folder");
  return std::nullopt;
}

std::optional<win::FontDescription> TourDialogs::RunFontDialog(QWidget*, const win::FontDescription&) {
  unanswered_.push_back("font");
  return std::nullopt;
}

int TourSettingsDialog::Run(QWidget*, SettingsDialogState& state) {
  switch (state.page) {
    case SettingsPage::ArChapter:
    case SettingsPage::Rename: return win::kResultOk;
    default: return win::kResultCancel;
  }
}

}  // namespace orvilo::shell::tour
