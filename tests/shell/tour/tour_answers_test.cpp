// The answers the tour gives where the program would ask the teacher.
#include "shell/tour/tour_answers.h"

#include <gtest/gtest.h>

#include "platform/win/message.h"

namespace orvilo::shell::tour {
namespace {

TEST(TourDialogs, AFileDialogTakesTheNamedPathOnceAndOthersAreCancelled) {
  TourDialogs dialogs;
  win::FileDialogRequest save;
  save.kind = win::FileDialogRequest::Kind::Save;
  dialogs.AnswerNextFileDialog("/lesson/still.bmp");
  EXPECT_EQ(dialogs.RunFileDialog(nullptr, save), "/lesson/still.bmp");
  // The path answered one dialog; a second one nobody named a path for is cancelled.
  EXPECT_EQ(dialogs.RunFileDialog(nullptr, save), std::nullopt);
  EXPECT_EQ(dialogs.RunFolderDialog(nullptr, {}), std::nullopt);
  EXPECT_EQ(dialogs.RunFontDialog(nullptr, {}), std::nullopt);
  EXPECT_TRUE(dialogs.RunFilesDialog(nullptr, {}).empty());
  EXPECT_EQ(dialogs.Unanswered(), (std::vector<std::string>{"save file", "folder", "font", "open files"}));
}

TEST(TourSettingsDialog, OnlyTheChapterPickerAndRenameAnswerOk) {
  struct Case {
    SettingsPage page;
    int result;
  } cases[] = {
      {SettingsPage::ArChapter, win::kResultOk},   {SettingsPage::Rename, win::kResultOk},
      {SettingsPage::Resolution, win::kResultCancel}, {SettingsPage::Settings, win::kResultCancel},
      {SettingsPage::NoCamera, win::kResultCancel},   {SettingsPage::About, win::kResultCancel},
  };
  TourSettingsDialog dialog;
  for (const Case& c : cases) {
    SettingsDialogState state;
    state.page = c.page;
    state.arSemester = 1;
    state.arUnit = 2;
    EXPECT_EQ(dialog.Run(nullptr, state), c.result) << static_cast<int>(c.page);
    // The preset choice is what OK takes.
    EXPECT_EQ(state.arSemester, 1);
    EXPECT_EQ(state.arUnit, 2);
  }
}

}  // namespace
}  // namespace orvilo::shell::tour
