#include "shell/resolution_dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>

#include "platform/win/common_dialogs.h"

namespace orvilo::shell {
namespace {

// Runs the dialog; `act` runs inside its modal loop.
int RunDialog(SettingsDialogState& state, bool korean, const std::function<void(CVyrResolutionDLG&)>& act) {
  CVyrResolutionDLG dialog(state, korean, nullptr);
  QTimer::singleShot(0, &dialog, [&] { act(dialog); });
  return dialog.DoModal();
}

template <typename T>
T* ChildWithId(QWidget& dialog, int id) {
  for (T* child : dialog.findChildren<T*>()) {
    if (child->property("controlId").toInt() == id) return child;
  }
  return nullptr;
}

void PressKey(QWidget& widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(&widget, &press);
}

TEST(ResolutionDialog, PageZeroChecksTheCurrentIndexAndOkTakesTheCheckedOne) {
  SettingsDialogState state;
  state.page = SettingsPage::Resolution;
  state.resolutionIndex = 6;
  const int result = RunDialog(state, false, [](CVyrResolutionDLG& dialog) {
    auto* checked = ChildWithId<QRadioButton>(dialog, 1006);
    ASSERT_NE(checked, nullptr);
    EXPECT_TRUE(checked->isChecked());
    EXPECT_EQ(checked->text(), "2048 X 1536");
    EXPECT_EQ(dialog.size(), QSize(350, 300));
    ChildWithId<QRadioButton>(dialog, 1003)->setChecked(true);
    ChildWithId<QPushButton>(dialog, CVyrResolutionDLG::kOk)->click();
  });
  EXPECT_EQ(result, win::kResultOk);
  EXPECT_EQ(state.resolutionIndex, 3);
}

TEST(ResolutionDialog, PageOneWithIndexSixChecksNothingAndOkKeepsSix) {
  SettingsDialogState state;
  state.page = SettingsPage::ResolutionGroupB;
  state.resolutionIndex = 6;
  const int result = RunDialog(state, true, [](CVyrResolutionDLG& dialog) {
    EXPECT_EQ(ChildWithId<QRadioButton>(dialog, 1006), nullptr);
    EXPECT_EQ(ChildWithId<QRadioButton>(dialog, 1005)->text(), "2592 X 1944");
    for (auto* radio : dialog.findChildren<QRadioButton*>()) EXPECT_FALSE(radio->isChecked());
    PressKey(dialog, Qt::Key_Return);  // Enter acts as OK
  });
  EXPECT_EQ(result, win::kResultOk);
  EXPECT_EQ(state.resolutionIndex, 6);
}

TEST(ResolutionDialog, EnglishOkStandsThirteenPixelsFurtherLeft) {
  for (const bool korean : {true, false}) {
    SettingsDialogState state;
    state.page = SettingsPage::Settings;
    RunDialog(state, korean, [korean](CVyrResolutionDLG& dialog) {
      auto* ok = ChildWithId<QPushButton>(dialog, CVyrResolutionDLG::kOk);
      auto* cancel = ChildWithId<QPushButton>(dialog, CVyrResolutionDLG::kCancel);
      EXPECT_EQ(ok->x(), korean ? 350 - 118 : 350 - 131);
      EXPECT_EQ(cancel->x(), ok->x() + 57);
      EXPECT_EQ(ok->y(), 300 - 34);
      dialog.EndDialog(win::kResultCancel);
    });
  }
}

TEST(ResolutionDialog, FoldersPageReturnsTheEditedFoldersAndEscapeCancels) {
  SettingsDialogState state;
  state.page = SettingsPage::Settings;
  state.text1 = "/srv/a";
  state.text2 = "/srv/b";
  win::ScopedScriptedDialogs folders;
  folders.folderAnswers.push_back(std::string("/srv/pictures"));
  EXPECT_EQ(RunDialog(state, false,
                      [](CVyrResolutionDLG& dialog) {
                        ChildWithId<QPushButton>(dialog, CVyrResolutionDLG::kBrowseImageFolder)->click();
                        ChildWithId<QPushButton>(dialog, CVyrResolutionDLG::kOk)->click();
                      }),
            win::kResultOk);
  EXPECT_EQ(state.text1, "/srv/pictures");
  EXPECT_EQ(state.text2, "/srv/b");
  ASSERT_EQ(folders.folderRequests.size(), 1u);
  EXPECT_EQ(folders.folderRequests[0].title, "Select Image folder");
  EXPECT_EQ(folders.folderRequests[0].initialFolder, "/srv/a");

  state.text1 = "/srv/a";
  EXPECT_EQ(RunDialog(state, false, [](CVyrResolutionDLG& dialog) { PressKey(dialog, Qt::Key_Escape); }),
            win::kResultCancel);
  EXPECT_EQ(state.text1, "/srv/a");
}

TEST(ResolutionDialog, DictionaryPageShowsTheFileOfTheChosenLanguage) {
  QTemporaryDir folder;
  const std::string korean = folder.path().toStdString() + "/user.dic";
  std::ofstream(korean, std::ios::binary) << "\xC7\xD0\xB1\xB3 hakgyo\r\n";  // written on Windows in CP949
  SettingsDialogState state;
  state.page = SettingsPage::Dictionary;
  state.text1 = korean;
  state.text2 = folder.path().toStdString() + "/userE.dic";  // missing
  const int result = RunDialog(state, false, [](CVyrResolutionDLG& dialog) {
    auto* edit = dialog.findChild<QPlainTextEdit*>();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->toPlainText(), QString("학교 hakgyo\n"));
    dialog.SendCommand(CVyrResolutionDLG::kEnglishDictionary);
    EXPECT_EQ(edit->toPlainText(), QString());
    ChildWithId<QPushButton>(dialog, CVyrResolutionDLG::kOk)->click();
  });
  EXPECT_EQ(result, win::kResultOk);
  EXPECT_EQ(state.dictionaryLanguage, 1);
  EXPECT_EQ(state.dictionaryText, "");
}

// Opened with the English dictionary chosen: its file is shown, its button
// checked, and what is typed comes back.
TEST(ResolutionDialog, DictionaryPageOpensOnTheGivenLanguageAndReturnsTheEditedText) {
  QTemporaryDir folder;
  SettingsDialogState state;
  state.page = SettingsPage::Dictionary;
  state.text1 = folder.path().toStdString() + "/user.dic";
  state.text2 = folder.path().toStdString() + "/userE.dic";
  std::ofstream(state.text2, std::ios::binary) << "NASA nasa\n";
  state.dictionaryLanguage = 1;
  state.dictionaryText = "left over";
  const int result = RunDialog(state, false, [](CVyrResolutionDLG& dialog) {
    EXPECT_EQ(dialog.size(), QSize(525, 450));
    EXPECT_TRUE(ChildWithId<QRadioButton>(dialog, CVyrResolutionDLG::kEnglishDictionary)->isChecked());
    auto* edit = ChildWithId<QPlainTextEdit>(dialog, CVyrResolutionDLG::kDictionaryEdit);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->toPlainText(), QString("NASA nasa\n"));
    edit->setPlainText("NASA nasa\nUNESCO unesco");
    ChildWithId<QPushButton>(dialog, CVyrResolutionDLG::kOk)->click();
  });
  EXPECT_EQ(result, win::kResultOk);
  EXPECT_EQ(state.dictionaryLanguage, 1);
  EXPECT_EQ(state.dictionaryText, "NASA nasa\nUNESCO unesco");
}

TEST(ResolutionDialog, RenamePageReturnsTheEnteredNameOnlyOnOk) {
  SettingsDialogState state;
  state.page = SettingsPage::Rename;
  state.text1 = "lesson 1";
  const int result = RunDialog(state, true, [](CVyrResolutionDLG& dialog) {
    EXPECT_EQ(dialog.size(), QSize(350, 150));
    EXPECT_EQ(dialog.Title(), "Voice Book");
    auto* edit = ChildWithId<QLineEdit>(dialog, CVyrResolutionDLG::kNameEdit);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QString("lesson 1"));
    edit->setText("첫째 시간");
    PressKey(dialog, Qt::Key_Return);
  });
  EXPECT_EQ(result, win::kResultOk);
  EXPECT_EQ(state.text1, "첫째 시간");

  const int cancelled = RunDialog(state, true, [](CVyrResolutionDLG& dialog) {
    ChildWithId<QLineEdit>(dialog, CVyrResolutionDLG::kNameEdit)->setText("other");
    ChildWithId<QPushButton>(dialog, CVyrResolutionDLG::kCancel)->click();
  });
  EXPECT_EQ(cancelled, win::kResultCancel);
  EXPECT_EQ(state.text1, "첫째 시간");
}

TEST(ResolutionDialog, NoCameraPageHasOnlyItsCloseButton) {
  SettingsDialogState state;
  state.page = SettingsPage::NoCamera;
  const int result = RunDialog(state, false, [](CVyrResolutionDLG& dialog) {
    EXPECT_EQ(dialog.size(), QSize(280, 110));
    EXPECT_EQ(dialog.Title(), "Searching for Camera");
    EXPECT_EQ(ChildWithId<QPushButton>(dialog, CVyrResolutionDLG::kOk), nullptr);
    ChildWithId<QPushButton>(dialog, CVyrResolutionDLG::kClose)->click();
  });
  EXPECT_EQ(result, win::kResultClose);
}

}  // namespace
}  // namespace orvilo::shell
