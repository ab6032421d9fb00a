#include "shell/ar_chapter_picker.h"

#include <memory>

#include "core/settings/settings_store.h"
#include "platform/win/message.h"
#include "shell/resolution_dialog.h"

namespace orvilo::shell {

std::optional<ar::Chapter> RunArChapterPicker(SettingsDialogRunner& dialog, QWidget* owner,
                                              const std::string& programFolder, int grade, ar::Chapter preset) {
  SettingsDialogState state;
  state.page = SettingsPage::ArChapter;
  state.text1 = programFolder;
  state.arGrade = grade;
  state.arSemester = preset.semester;
  state.arUnit = preset.unit;
  if (dialog.Run(owner, state) != win::kResultOk) return std::nullopt;
  return ar::Chapter{state.arSemester, state.arUnit};
}

ar::ArServices StandaloneArServices(ar::ArView& view, const std::string& programFolder, int systemLanguage) {
  auto store = std::make_shared<core::SettingsStore>(programFolder, systemLanguage);
  auto dialog = std::make_shared<ResolutionDialogRunner>([store] { return store->IsKoreanComponentLanguage(); });
  ar::ArServices services;
  services.programFolder = programFolder;
  services.pickChapter = [dialog, &view, programFolder](int grade, ar::Chapter preset) {
    return RunArChapterPicker(*dialog, view.window(), programFolder, grade, preset);
  };
  services.captionFormat = [store] { return store->ArInfoFormat(); };
  return services;
}

}  // namespace orvilo::shell
