// Page 7 of the settings dialog: the AR chapter picker.
#include <QLabel>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "shell/ar_chapter_picker.h"
#include "shell/resolution_dialog.h"
#include "tests/ar/ar_folder.h"
#include "tests/shell/windows/dialog_test_support.h"

namespace orvilo::shell {
namespace {

using orvilo::shell::dialog_test::Button;
using orvilo::shell::dialog_test::ChildWithId;
using orvilo::shell::dialog_test::Click;
using orvilo::testing::ArFolder;


QRadioButton* Unit(CVyrResolutionDLG& dialog, int index) {
  return ChildWithId<QRadioButton>(dialog, CVyrResolutionDLG::kFirstUnitButton + index);
}

int RunPicker(SettingsDialogState& state, const std::function<void(CVyrResolutionDLG&)>& act) {
  CVyrResolutionDLG dialog(state, true, nullptr);
  QTimer::singleShot(0, &dialog, [&] { act(dialog); });
  return dialog.DoModal();
}

// Grade 3 with five units in semester 1 and seven in semester 2; viewers
// for units 1-1, 1-2 and 2-1 only.
class ArChapterPage : public ::testing::Test {
 protected:
  ArChapterPage() {
    std::string ini = "[GRADE03]\r\nWIDTH=300\r\nHEIGHT=420\r\nSEMESTER1=5\r\nSEMESTER2=7\r\n";
    for (int s = 1; s <= 2; ++s) {
      for (int u = 1; u <= 7; ++u) {
        ini += "CHAPTER" + std::to_string(s) + std::to_string(u) + "=" + std::to_string(s) + "-" + std::to_string(u) + "\r\n";
      }
    }
    folder.WriteDescription(ini);
    folder.AddViewer(3, 1, 1);
    folder.AddViewer(3, 1, 2);
    folder.AddViewer(3, 2, 1);
    state.page = SettingsPage::ArChapter;
    state.text1 = folder.program();
    state.arGrade = 3;
    state.arSemester = 2;
    state.arUnit = 1;
  }

  ArFolder folder;
  SettingsDialogState state;
};

TEST_F(ArChapterPage, LaysOutTwelveUnitsEnabledByTheirViewersAndChecksThePreset) {
  const int result = RunPicker(state, [](CVyrResolutionDLG& dialog) {
    EXPECT_EQ(dialog.size(), QSize(300, 420));
    EXPECT_EQ(dialog.Title(), "증강현실");
    for (int semester = 0; semester < 2; ++semester) {
      auto* label = ChildWithId<QLabel>(dialog, CVyrResolutionDLG::kFirstSemesterLabel + semester);
      ASSERT_NE(label, nullptr);
      EXPECT_TRUE(label->isVisible());
    }
    EXPECT_EQ(ChildWithId<QLabel>(dialog, 1017)->text(), "2 학기");
    EXPECT_EQ(ChildWithId<QLabel>(dialog, 1017)->geometry(), QRect(40, 66 + 6 * 26, 50, 24));
    for (int i = 0; i < 12; ++i) {
      QRadioButton* button = Unit(dialog, i);
      ASSERT_NE(button, nullptr);
      EXPECT_TRUE(button->isVisible()) << i;
      EXPECT_EQ(button->isEnabled(), i == 0 || i == 1 || i == 5) << i;
      EXPECT_EQ(button->isChecked(), i == 5) << i;
    }
    EXPECT_EQ(Unit(dialog, 5)->text(), "2-1");
    EXPECT_EQ(Unit(dialog, 5)->geometry(), QRect(100, 66 + 6 * 26, 188, 24));
    Unit(dialog, 1)->setChecked(true);
    Click(dialog, CVyrResolutionDLG::kOk);
  });
  EXPECT_EQ(result, win::kResultOk);
  EXPECT_EQ(state.arSemester, 1);
  EXPECT_EQ(state.arUnit, 2);
}

TEST_F(ArChapterPage, OkOnButtonFiveIsUnitOneOfSemesterTwo) {
  EXPECT_EQ(RunPicker(state, [](CVyrResolutionDLG& dialog) { dialog.SendCommand(CVyrResolutionDLG::kOk); }),
            win::kResultOk);
  EXPECT_EQ(state.arSemester, 2);
  EXPECT_EQ(state.arUnit, 1);
}

TEST_F(ArChapterPage, WithNothingCheckedOkGivesTheFirstUnitInstalledOrNot) {
  state.arSemester = 1;
  state.arUnit = 4;  // not installed: not checked
  RunPicker(state, [](CVyrResolutionDLG& dialog) {
    for (int i = 0; i < 12; ++i) EXPECT_FALSE(Unit(dialog, i)->isChecked());
    dialog.SendCommand(CVyrResolutionDLG::kOk);
  });
  EXPECT_EQ(state.arSemester, 1);
  EXPECT_EQ(state.arUnit, 1);
}

TEST_F(ArChapterPage, CancelKeepsThePreset) {
  EXPECT_EQ(RunPicker(state,
                      [](CVyrResolutionDLG& dialog) {
                        Unit(dialog, 0)->setChecked(true);
                        dialog.SendCommand(CVyrResolutionDLG::kCancel);
                      }),
            win::kResultCancel);
  EXPECT_EQ(state.arSemester, 2);
  EXPECT_EQ(state.arUnit, 1);
}

TEST(ArChapterPageWithoutContent, StaysReachableAndShowsNoUnits) {
  ArFolder folder;  // no AR.ini
  SettingsDialogState state;
  state.page = SettingsPage::ArChapter;
  state.text1 = folder.program();
  state.arGrade = 4;
  state.arSemester = 1;
  state.arUnit = 1;
  const int result = RunPicker(state, [](CVyrResolutionDLG& dialog) {
    EXPECT_EQ(dialog.size(), CVyrResolutionDLG::kMinimumArPickerSize);
    EXPECT_FALSE(ChildWithId<QLabel>(dialog, 1016)->isVisible());
    for (int i = 0; i < 12; ++i) EXPECT_FALSE(Unit(dialog, i)->isVisible());
    auto* ok = Button(dialog, CVyrResolutionDLG::kOk);
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(QRect(QPoint(0, 0), dialog.size()).contains(ok->geometry()));
    Click(dialog, CVyrResolutionDLG::kOk);
  });
  EXPECT_EQ(result, win::kResultOk);
  // No units in semester 1: button 0 would be unit 1 of semester 2.
  EXPECT_EQ(state.arSemester, 2);
  EXPECT_EQ(state.arUnit, 1);
}

TEST(ArChapterPicker, RunsPageSevenForTheGradeAndGivesTheChosenUnitOnOkOnly) {
  ScriptedSettingsDialog dialog;
  dialog.steps.push_back({win::kResultOk, [](SettingsDialogState& s) {
                            s.arSemester = 2;
                            s.arUnit = 3;
                          }});
  dialog.steps.push_back({win::kResultCancel, nullptr});
  dialog.steps.push_back({win::kResultClose, nullptr});
  EXPECT_EQ(RunArChapterPicker(dialog, nullptr, "/opt/orvilo", 3, ar::Chapter{1, 2}), (ar::Chapter{2, 3}));
  ASSERT_EQ(dialog.runs.size(), 1u);
  EXPECT_EQ(dialog.runs[0].page, SettingsPage::ArChapter);
  EXPECT_EQ(dialog.runs[0].text1, "/opt/orvilo");
  EXPECT_EQ(dialog.runs[0].arGrade, 3);
  EXPECT_EQ(dialog.runs[0].arSemester, 1);
  EXPECT_EQ(dialog.runs[0].arUnit, 2);
  EXPECT_FALSE(RunArChapterPicker(dialog, nullptr, "/opt/orvilo", 3, ar::Chapter{1, 1}));
  EXPECT_FALSE(RunArChapterPicker(dialog, nullptr, "/opt/orvilo", 3, ar::Chapter{1, 1}));
}

}  // namespace
}  // namespace orvilo::shell
