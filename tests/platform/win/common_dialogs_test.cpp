#include "platform/win/common_dialogs.h"

#include <gtest/gtest.h>

using namespace orvilo::win;

struct FilterCase {
  std::string windowsFilter;
  std::vector<std::string> nameFilters;
};

class WindowsFilters : public ::testing::TestWithParam<FilterCase> {};

TEST_P(WindowsFilters, BecomeToolkitNameFilters) {
  EXPECT_EQ(NameFiltersFromWindowsFilter(GetParam().windowsFilter), GetParam().nameFilters);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowsFilters,
    ::testing::Values(
        FilterCase{"이미지 파일 (bmp,jpg)|*.bmp;*.jpg||", {"이미지 파일 (bmp,jpg) (*.bmp *.jpg)"}},
        FilterCase{"QEL Learning File (*.qel)|*.qel||", {"QEL Learning File (*.qel) (*.qel)"}},
        FilterCase{"Image file (bmp,jpg)|*.bmp;*.jpg|Movie file (wmv)|*.wmv|ALL file|*.bmp;*.wmv||",
                   {"Image file (bmp,jpg) (*.bmp *.jpg)", "Movie file (wmv) (*.wmv)", "ALL file (*.bmp *.wmv)"}},
        FilterCase{"", {}}, FilterCase{"no patterns", {}}, FilterCase{"A|*.a", {"A (*.a)"}}));

TEST(ScriptedDialogs, AnswersInOrderRecordsRequestsAndCancelsWhenExhausted) {
  ScopedScriptedDialogs script;
  ASSERT_EQ(&CommonDialogs::Current(), &script);
  script.fileAnswers = {std::string("/tmp/a.bmp"), std::nullopt};
  FileDialogRequest request;
  request.kind = FileDialogRequest::Kind::Save;
  request.filter = "x|*.x||";
  request.defaultExtension = "bmp";
  EXPECT_EQ(CommonDialogs::Current().RunFileDialog(nullptr, request), "/tmp/a.bmp");
  EXPECT_EQ(CommonDialogs::Current().RunFileDialog(nullptr, request), std::nullopt);
  EXPECT_EQ(CommonDialogs::Current().RunFileDialog(nullptr, request), std::nullopt);
  ASSERT_EQ(script.fileRequests.size(), 3u);
  EXPECT_EQ(script.fileRequests[0], request);
  EXPECT_EQ(CommonDialogs::Current().RunFolderDialog(nullptr, {"Select Image folder", "/x"}), std::nullopt);
  EXPECT_EQ(script.folderRequests.at(0).title, "Select Image folder");
}

TEST(ScriptedDialogs, UninstallRestoresTheToolkitDialogs) {
  CommonDialogs* before = &CommonDialogs::Current();
  {
    ScopedScriptedDialogs script;
    EXPECT_NE(&CommonDialogs::Current(), before);
  }
  EXPECT_EQ(&CommonDialogs::Current(), before);
}
