#include "ar/ar_content.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/ar/ar_folder.h"

namespace orvilo::ar {
namespace {

using testing::ArFolder;

TEST(ArContent, NamesOfSectionsKeysAndViewers) {
  EXPECT_EQ(GradeSection(3), "GRADE03");
  EXPECT_EQ(ChapterKey(1, 3), "CHAPTER13");
  EXPECT_EQ(ChapterKey(2, 10), "CHAPTER210");
  EXPECT_EQ(MarkerKey(1, 2), "MARKER12");
  const ArContent content("/opt/orvilo");
  EXPECT_EQ(content.DescriptionPath(), "/opt/orvilo/AR/AR.ini");
  EXPECT_EQ(content.ViewerPath(3, 2, 10), "/opt/orvilo/AR/3/2/10/ARViewer.exe");
}

TEST(ArContent, WithoutDescriptionFileThereIsNoPictureNoUnitsAndAnEmptyPicker) {
  ArFolder folder;
  const ArContent content(folder.program());
  EXPECT_FALSE(content.PicturePath(0));
  EXPECT_FALSE(content.PicturePath(3));
  const GradePicker picker = content.Picker(3);
  EXPECT_EQ(picker.width, 0);
  EXPECT_EQ(picker.height, 0);
  EXPECT_EQ(picker.units, (std::array<int, 2>{0, 0}));
  EXPECT_FALSE(content.Marker(3, 1, 1));
}

struct PickerCase {
  const char* name;
  const char* section;  // lines of [GRADE03]
  int width, height, units1, units2;
};

class PickerValues : public ::testing::TestWithParam<PickerCase> {};

TEST_P(PickerValues, AreReadWithinTheirLimits) {
  ArFolder folder;
  folder.WriteDescription(std::string("[GRADE03]\r\n") + GetParam().section);
  const GradePicker picker = ArContent(folder.program()).Picker(3);
  EXPECT_EQ(picker.width, GetParam().width);
  EXPECT_EQ(picker.height, GetParam().height);
  EXPECT_EQ(picker.units[0], GetParam().units1);
  EXPECT_EQ(picker.units[1], GetParam().units2);
}

INSTANTIATE_TEST_SUITE_P(
    ArContent, PickerValues,
    ::testing::Values(PickerCase{"AsWritten", "WIDTH=300\r\nHEIGHT=290\r\nSEMESTER1=3\r\nSEMESTER2=2\r\n", 300, 290, 3, 2},
                      PickerCase{"KeysAbsent", "IMAGE=x.png\r\n", 0, 0, 0, 0},
                      PickerCase{"NegativeValues", "WIDTH=-50\r\nHEIGHT=-1\r\nSEMESTER1=-3\r\nSEMESTER2=4\r\n", 0, 0, 0, 4},
                      PickerCase{"Text", "WIDTH=wide\r\nSEMESTER1=many\r\n", 0, 0, 0, 0},
                      PickerCase{"HugeSize", "WIDTH=99999999\r\nHEIGHT=5000\r\n", kPickerSizeLimit, kPickerSizeLimit, 0, 0},
                      PickerCase{"FiveAndSeven", "SEMESTER1=5\r\nSEMESTER2=7\r\n", 0, 0, 5, 7},
                      PickerCase{"MoreThanTwelveUnits", "SEMESTER1=5\r\nSEMESTER2=9\r\n", 0, 0, 5, 7},
                      PickerCase{"TwentyInSemesterOne", "SEMESTER1=20\r\nSEMESTER2=2\r\n", 0, 0, 12, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArContent, PickerCaptionsComeFromChapterKeys) {
  ArFolder folder;
  folder.WriteDescription(
      "[GRADE05]\r\nSEMESTER1=1\r\nSEMESTER2=10\r\nCHAPTER11=Weather\r\nCHAPTER210=Light\r\nCHAPTER21=날씨\r\n");
  const GradePicker picker = ArContent(folder.program()).Picker(5);
  EXPECT_EQ(picker.captions[0][0], "Weather");
  EXPECT_EQ(picker.captions[1][0], "날씨");
  EXPECT_EQ(picker.captions[1][9], "Light");
  EXPECT_EQ(picker.captions[1][1], "");
}

TEST(ArContent, PictureNeedsAValueAndAnExistingFile) {
  ArFolder folder;
  folder.WriteDescription(
      "[AR]\r\nIMAGE=title.png\r\n[GRADE03]\r\nIMAGE=pictures/grade3.png\r\n[GRADE04]\r\nIMAGE=gone.png\r\n"
      "[GRADE05]\r\nIMAGE=\r\n");
  folder.AddPicture("title.png");
  folder.AddPicture("pictures/grade3.png");
  const ArContent content(folder.program());
  EXPECT_EQ(content.PicturePath(0), folder.ar("title.png"));
  EXPECT_EQ(content.PicturePath(3), folder.ar("pictures/grade3.png"));
  EXPECT_FALSE(content.PicturePath(4));  // file missing
  EXPECT_FALSE(content.PicturePath(5));  // empty value
  EXPECT_FALSE(content.PicturePath(6));  // no section
  EXPECT_FALSE(content.PicturePath(7));  // no such grade
}

TEST(ArContent, MarkerIsTheNumberAsWrittenOrNothingWhenMissing) {
  ArFolder folder;
  folder.WriteDescription("[GRADE03]\r\nMARKER11=4\r\nMARKER13=9\r\nMARKER14=\r\nMARKER21=x\r\n");
  const ArContent content(folder.program());
  EXPECT_EQ(content.Marker(3, 1, 1), 4);
  EXPECT_EQ(content.Marker(3, 1, 3), 9);
  EXPECT_EQ(content.Marker(3, 2, 1), 0);
  EXPECT_FALSE(content.Marker(3, 1, 2));  // missing
  EXPECT_FALSE(content.Marker(3, 1, 4));  // empty
}

struct ContentCase {
  const char* name;
  const char* viewerFolder;  // under AR/, where ARViewer.exe is put
  const char* extraFolder;   // made as well (may be empty)
  bool gradeThree;
};

class GradeContent : public ::testing::TestWithParam<ContentCase> {};

TEST_P(GradeContent, LooksInUnitSemesterAndGradeFolders) {
  ArFolder folder;
  folder.AddViewerAt(GetParam().viewerFolder);
  if (*GetParam().extraFolder) std::filesystem::create_directories(folder.ar(GetParam().extraFolder));
  const ArContent content(folder.program());
  EXPECT_EQ(content.GradeHasContent(3), GetParam().gradeThree);
  EXPECT_FALSE(content.GradeHasContent(4));
}

INSTANTIATE_TEST_SUITE_P(ArContent, GradeContent,
                         ::testing::Values(ContentCase{"UnitOfSemesterOne", "3/1/2", "", true},
                                           ContentCase{"UnitOfSemesterTwo", "3/2/12", "", true},
                                           ContentCase{"InTheSemesterFolder", "3/1", "", true},
                                           ContentCase{"InTheGradeFolderBesideASemester", "3", "3/2", true},
                                           ContentCase{"InTheGradeFolderAlone", "3", "", false},
                                           ContentCase{"SemesterThree", "3/3/1", "", false},
                                           ContentCase{"TooDeep", "3/1/1/extra", "", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ArContent, AFolderNamedLikeTheViewerIsNoViewer) {
  ArFolder folder;
  std::filesystem::create_directories(folder.ar("3/1/1/ARViewer.exe"));
  const ArContent content(folder.program());
  EXPECT_FALSE(content.UnitHasContent(3, 1, 1));
  EXPECT_FALSE(content.GradeHasContent(3));
}

TEST(ArContent, UnitTestIsTheViewerFile) {
  ArFolder folder;
  folder.AddViewer(3, 2, 1);
  const ArContent content(folder.program());
  EXPECT_TRUE(content.UnitHasContent(3, 2, 1));
  EXPECT_FALSE(content.UnitHasContent(3, 1, 1));
  EXPECT_FALSE(content.UnitHasContent(4, 2, 1));
}

}  // namespace
}  // namespace orvilo::ar
