#include "shell/resolution_dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>

#include "platform/gdi/key_colour.h"
#include "platform/win/common_dialogs.h"
#include "platform/win/window_shape.h"
#include "tests/shell/windows/dialog_test_support.h"

namespace orvilo::shell {
namespace {

// Runs the dialog; `act` runs inside its modal loop.
int RunDialog(SettingsDialogState& state, bool korean, const std::function<void(CVyrResolutionDLG&)>& act) {
  CVyrResolutionDLG dialog(state, korean, nullptr);
  QTimer::singleShot(0, &dialog, [&] { act(dialog); });
  return dialog.DoModal();
}

using dialog_test::Button;
using dialog_test::ChildWithId;
using dialog_test::Click;

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
    QTest::mouseClick(ChildWithId<QRadioButton>(dialog, 1003), Qt::LeftButton);
    Click(dialog, CVyrResolutionDLG::kOk);
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
      auto* ok = Button(dialog, CVyrResolutionDLG::kOk);
      auto* cancel = Button(dialog, CVyrResolutionDLG::kCancel);
      ASSERT_NE(ok, nullptr);
      ASSERT_NE(cancel, nullptr);
      EXPECT_EQ(ok->x(), korean ? 350 - 118 : 350 - 131);
      EXPECT_EQ(cancel->x(), ok->x() + 57);
      EXPECT_EQ(ok->y(), 300 - 34);
      EXPECT_EQ(ok->FrameSize(), QSize(54, 26));
      EXPECT_EQ(cancel->FrameSize(), korean ? QSize(54, 26) : QSize(67, 26));
      EXPECT_EQ(Button(dialog, CVyrResolutionDLG::kClose)->geometry(), QRect(350 - 25, 15, 15, 15));
      EXPECT_EQ(Button(dialog, CVyrResolutionDLG::kBrowseImageFolder)->geometry(), QRect(288, 69, 38, 22));
      EXPECT_EQ(Button(dialog, CVyrResolutionDLG::kBrowseMovieFolder)->geometry(), QRect(288, 126, 38, 22));
      EXPECT_EQ(Button(dialog, CVyrResolutionDLG::kCameraSettings)->geometry(), QRect(22, 188, 85, 22));
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
                        dialog.SendCommand(CVyrResolutionDLG::kBrowseImageFolder);
                        Click(dialog, CVyrResolutionDLG::kOk);
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
    Click(dialog, CVyrResolutionDLG::kOk);
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
    Click(dialog, CVyrResolutionDLG::kOk);
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
    Click(dialog, CVyrResolutionDLG::kCancel);
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
    EXPECT_EQ(Button(dialog, CVyrResolutionDLG::kOk), nullptr);
    EXPECT_EQ(Button(dialog, CVyrResolutionDLG::kCancel), nullptr);
    Click(dialog, CVyrResolutionDLG::kClose);
  });
  EXPECT_EQ(result, win::kResultClose);
}

// OK collects each page's own values; Cancel and close leave them alone.
TEST(ResolutionDialog, OkCollectsThePageValuesCancelAndCloseDoNot) {
  struct Case {
    SettingsPage page;
    int control;  // the edit or radio button changed before ending
    int end;      // OK, Cancel or close
    std::string text1;
    int index;
  };
  const Case cases[] = {
      {SettingsPage::Resolution, 1001, CVyrResolutionDLG::kOk, "old", 1},
      {SettingsPage::ResolutionGroupB, 1005, CVyrResolutionDLG::kOk, "old", 5},
      {SettingsPage::ResolutionGroupC, 1000, CVyrResolutionDLG::kOk, "old", 0},
      {SettingsPage::ResolutionGroupC, 1000, CVyrResolutionDLG::kCancel, "old", 2},
      {SettingsPage::Rename, 1010, CVyrResolutionDLG::kOk, "new name", 2},
      {SettingsPage::Rename, 1010, CVyrResolutionDLG::kClose, "old", 2},
      {SettingsPage::Settings, 1008, CVyrResolutionDLG::kOk, "new name", 2},
  };
  for (const Case& c : cases) {
    SettingsDialogState state;
    state.page = c.page;
    state.text1 = "old";
    const int result = RunDialog(state, true, [&c](CVyrResolutionDLG& dialog) {
      if (auto* radio = ChildWithId<QRadioButton>(dialog, c.control)) radio->setChecked(true);
      if (auto* edit = ChildWithId<QLineEdit>(dialog, c.control)) edit->setText("new name");
      Click(dialog, c.end);
    });
    EXPECT_EQ(result, c.end == CVyrResolutionDLG::kOk ? win::kResultOk
                      : c.end == CVyrResolutionDLG::kCancel ? win::kResultCancel
                                                            : win::kResultClose)
        << static_cast<int>(c.page);
    EXPECT_EQ(state.text1, c.text1) << static_cast<int>(c.page);
    EXPECT_EQ(state.resolutionIndex, c.index) << static_cast<int>(c.page);
  }
}

TEST(ResolutionDialog, CameraSettingsPostsItsCommandToTheOwnerWithTheDialogHandle) {
  class Owner : public win::Window {
   public:
    std::vector<std::pair<std::uint32_t, std::uintptr_t>> messages;
    std::intptr_t OnMessage(const win::Msg& message) override {
      messages.emplace_back(message.id, message.wParam);
      return win::Window::OnMessage(message);
    }
  } owner;
  SettingsDialogState state;
  state.page = SettingsPage::Settings;
  std::uintptr_t handle = 0;
  CVyrResolutionDLG dialog(state, false, &owner);
  QTimer::singleShot(0, &dialog, [&] {
    handle = dialog.Handle()->id;
    Click(dialog, CVyrResolutionDLG::kCameraSettings);
    QTimer::singleShot(0, &dialog, [&] { dialog.EndDialog(win::kResultCancel); });
  });
  dialog.DoModal(&owner);
  QCoreApplication::processEvents();
  const auto posted = std::find_if(owner.messages.begin(), owner.messages.end(),
                                   [](const auto& m) { return m.first == 1630; });
  ASSERT_NE(posted, owner.messages.end());
  EXPECT_EQ(posted->second, handle);
}

// Pixels of the painted page: magenta outside the frame's rounded corners
// (left out of the window's shape), white inside, the title in black, the
// grey boxes around the edit boxes, the about picture on page 3.
TEST(ResolutionDialog, PaintsItsFrameShapeTitleAndBoxes) {
  for (const bool korean : {true, false}) {
    for (const SettingsPage page : {SettingsPage::Resolution, SettingsPage::ResolutionGroupB, SettingsPage::Settings,
                                    SettingsPage::About, SettingsPage::Dictionary, SettingsPage::NoCamera,
                                    SettingsPage::Rename, SettingsPage::ResolutionGroupC}) {
      SettingsDialogState state;
      state.page = page;
      RunDialog(state, korean, [&](CVyrResolutionDLG& dialog) {
        const QImage picture = dialog.RenderPage();
        const int w = picture.width();
        const int h = picture.height();
        const std::string name = std::to_string(static_cast<int>(page)) + (korean ? " ko" : " en");
        ASSERT_EQ(picture.size(), dialog.PageSize()) << name;
        for (const QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)}) {
          EXPECT_EQ(picture.pixel(corner) & 0xFFFFFF, gdi::kKeyColour & 0xFFFFFF) << name;
        }
        EXPECT_EQ(picture.pixel(w / 2, h / 2 + (page == SettingsPage::About ? 90 : 0)) & 0xFFFFFF, 0xFFFFFFu)
            << name;  // white page (below the about picture)
        int dark = 0;
        for (int y = 20; y < 48; ++y) {
          for (int x = 26; x < 126; ++x) dark += qGray(picture.pixel(x, y)) < 100;
        }
        EXPECT_GT(dark, 10) << name << ": title drawn";
        if (page == SettingsPage::Settings) {
          EXPECT_EQ(picture.pixel(23, 80) & 0xFFFFFF, 0xCCCCCCu);
          EXPECT_EQ(picture.pixel(150, 127) & 0xFFFFFF, 0xCCCCCCu);
        }
        if (page == SettingsPage::Rename) {
          EXPECT_EQ(picture.pixel(19, 70) & 0xFFFFFF, 0xCCCCCCu);
        }
        if (page == SettingsPage::Dictionary) {
          EXPECT_EQ(picture.pixel(20, 200) & 0xFFFFFF, 0xCCCCCCu);
        }
        if (page == SettingsPage::About) {
          EXPECT_NE(picture.pixel(w / 2, 90) & 0xFFFFFF, 0xFFFFFFu);
        }
        // The window's shape, taken from this picture, leaves the corners out.
        const QRegion shape = win::RegionFromKeyColour(picture);
        EXPECT_FALSE(shape.contains(QPoint(0, 0))) << name;
        EXPECT_TRUE(shape.contains(QPoint(w / 2, h / 2))) << name;
        dialog.EndDialog(win::kResultCancel);
      });
    }
  }
}

TEST(ResolutionDialog, PlainButtonStripHasFourLooksOfTheAskedSize) {
  const QImage strip = CVyrResolutionDLG::PlainButtonStrip(QSize(54, 26), "OK");
  EXPECT_EQ(strip.size(), QSize(216, 26));
  EXPECT_NE(strip.pixel(10, 10), strip.pixel(2 * 54 + 10, 10));  // pressed looks different
  EXPECT_TRUE(CVyrResolutionDLG::PlainButtonStrip(QSize(0, 26), "OK").isNull());
}

}  // namespace
}  // namespace orvilo::shell
