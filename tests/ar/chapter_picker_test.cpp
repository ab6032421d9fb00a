#include "ar/chapter_picker.h"

#include <gtest/gtest.h>

namespace orvilo::ar {
namespace {

GradePicker FiveAndSeven() {
  GradePicker picker;
  picker.width = 300;
  picker.height = 480;
  picker.units = {5, 7};
  for (int unit = 1; unit <= 7; ++unit) {
    picker.captions[0][unit - 1] = "1-" + std::to_string(unit);
    picker.captions[1][unit - 1] = "2-" + std::to_string(unit);
  }
  return picker;
}

TEST(ChapterPicker, FiveAndSevenUnitsFillTheTwelveButtons) {
  const PickerLayout layout = LayOutChapterPicker(FiveAndSeven(), Chapter{1, 1}, [](const Chapter&) { return true; });
  EXPECT_EQ(layout.size, (gdi::Size{300, 480}));
  EXPECT_EQ(layout.semester1Units, 5);
  for (const UnitButton& button : layout.buttons) EXPECT_TRUE(button.shown);
  // Unit 1 of semester 2 is button 5, one empty row below semester 1.
  EXPECT_EQ(layout.buttons[5].chapter, (Chapter{2, 1}));
  EXPECT_EQ(layout.buttons[5].caption, "2-1");
  EXPECT_EQ(layout.buttons[0].place, gdi::Rect::FromPositionAndSize(100, 66, 188, 24));
  EXPECT_EQ(layout.buttons[4].place.top, 66 + 4 * 26);
  EXPECT_EQ(layout.buttons[5].place.top, 66 + 6 * 26);
  EXPECT_EQ(layout.buttons[11].place.top, 66 + 12 * 26);
  EXPECT_TRUE(layout.labels[0].shown);
  EXPECT_EQ(layout.labels[0].place, gdi::Rect::FromPositionAndSize(40, 66, 50, 24));
  EXPECT_EQ(layout.labels[1].place, gdi::Rect::FromPositionAndSize(40, 66 + 6 * 26, 50, 24));
}

TEST(ChapterPicker, ButtonsAreEnabledByTheUnitTestAndOnlyAnEnabledPresetIsChecked) {
  const auto installed = [](const Chapter& c) { return c.semester == 2 && c.unit <= 2; };
  PickerLayout layout = LayOutChapterPicker(FiveAndSeven(), Chapter{2, 2}, installed);
  for (int i = 0; i < kUnitButtonCount; ++i) {
    EXPECT_EQ(layout.buttons[i].enabled, i == 5 || i == 6) << i;
    EXPECT_EQ(layout.buttons[i].checked, i == 6) << i;
  }
  layout = LayOutChapterPicker(FiveAndSeven(), Chapter{1, 1}, installed);
  for (const UnitButton& button : layout.buttons) EXPECT_FALSE(button.checked);
}

TEST(ChapterPicker, AnEmptySemesterHidesItsLabelAndTheOtherMovesUp) {
  GradePicker picker;
  picker.width = 200;
  picker.units = {0, 2};
  const PickerLayout layout = LayOutChapterPicker(picker, Chapter{2, 1}, [](const Chapter&) { return true; });
  EXPECT_FALSE(layout.labels[0].shown);
  EXPECT_TRUE(layout.labels[1].shown);
  EXPECT_EQ(layout.labels[1].place.top, 66);
  EXPECT_EQ(layout.buttons[0].chapter, (Chapter{2, 1}));
  EXPECT_TRUE(layout.buttons[0].checked);
  EXPECT_FALSE(layout.buttons[2].shown);
}

TEST(ChapterPicker, NoDescriptionShowsNothing) {
  const PickerLayout layout = LayOutChapterPicker(GradePicker{}, Chapter{1, 1}, nullptr);
  EXPECT_EQ(layout.size, (gdi::Size{0, 0}));
  EXPECT_FALSE(layout.labels[0].shown || layout.labels[1].shown);
  for (const UnitButton& button : layout.buttons) EXPECT_FALSE(button.shown);
}

struct ButtonCase {
  int index, semester1Units;
  Chapter chapter;
};

class ChapterOfButtonCases : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(ChapterOfButtonCases, MapsTheCheckedButtonToItsUnit) {
  EXPECT_EQ(ChapterOfButton(GetParam().index, GetParam().semester1Units), GetParam().chapter);
}

INSTANTIATE_TEST_SUITE_P(ChapterPicker, ChapterOfButtonCases,
                         ::testing::Values(ButtonCase{0, 5, {1, 1}}, ButtonCase{4, 5, {1, 5}}, ButtonCase{5, 5, {2, 1}},
                                           ButtonCase{11, 5, {2, 7}},
                                           ButtonCase{-1, 5, {1, 1}},  // none checked: button 0
                                           ButtonCase{-1, 0, {2, 1}}, ButtonCase{3, 0, {2, 4}}),
                         [](const auto& info) {
                           const ButtonCase& c = info.param;
                           return (c.index < 0 ? std::string("NoneChecked") : "Button" + std::to_string(c.index)) +
                                  "With" + std::to_string(c.semester1Units) + "UnitsInSemester1";
                         });

}  // namespace
}  // namespace orvilo::ar
