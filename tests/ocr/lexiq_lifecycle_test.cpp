// The module before and after LEXIQ_Init. One sequence in its own program:
// the module's state lives as long as the process.
#include <gtest/gtest.h>

#include "ocr/LEXIQ.h"
#include "ocr_fixtures.h"

namespace {

TEST(LexiqLifecycleTest, RefusesEverythingUntilInitThenAnswersOneThenTwo) {
  VxGlobalHandle page = ocrtest::MakeGreyDib(64, 32, [](int, int) { return 255; });

  EXPECT_EQ(LEXIQ_RecogDIBRect(page, 0, 0, 0, 64, 32), nullptr);
  EXPECT_EQ(LEXIQ_RecogDIB(page, 0, 0, 0, 64, 32), nullptr);
  EXPECT_EQ(LEXIQ_RecogText(page, 0, nullptr, nullptr, 1.0f), nullptr);
  CRecogResultStruct result;
  CAuxResult aux;
  EXPECT_EQ(LEXIQ_RecogTextEx(page, &result, &aux), nullptr);
  EXPECT_EQ(LEXIQ_LoadImage(ORVILO_TEST_DATA_DIR "/does-not-matter.bmp"), nullptr);
  EXPECT_EQ(LEXIQ_SaveCurrentResult("/tmp/never-written.txt"), LEXIQ_NOT_READY);
  EXPECT_EQ(LEXIQ_SaveWorkImage("/tmp/never-written.bmp"), LEXIQ_NOT_READY);

  EXPECT_EQ(LEXIQ_Init(), 1);
  EXPECT_EQ(LEXIQ_Init(), 2);

  EXPECT_EQ(ocrtest::Take(LEXIQ_RecogDIBRect(nullptr, 0, 0, 0, 64, 32)), "");
  EXPECT_EQ(ocrtest::Take(LEXIQ_RecogDIB(nullptr, 0, 0, 0, 64, 32)), "");
  EXPECT_EQ(LEXIQ_SaveCurrentResult("/tmp/never-written.txt"), LEXIQ_NO_RESULT);
  EXPECT_EQ(LEXIQ_SaveWorkImage("/tmp/never-written.bmp"), LEXIQ_NO_WORK_IMAGE);
  EXPECT_EQ(LEXIQ_Free(), 0);
  VxGlobalFree(page);
}

}  // namespace
