// Without language data (TESSDATA_PREFIX names an empty folder and no
// tessdata folder lies beside the module) recognition gives empty text.
#include <QTemporaryDir>
#include <stdlib.h>
#include <gtest/gtest.h>

#include "engines/palen/PalenPublicAPI.h"
#include "ocr/LEXIQ.h"
#include "ocr_fixtures.h"

namespace {

TEST(LexiqMissingLanguageTest, RecognitionGivesEmptyTextAndNoCrash) {
  QTemporaryDir folder;
  ASSERT_EQ(setenv("TESSDATA_PREFIX", folder.path().toUtf8().constData(), 1), 0);
  ASSERT_GE(LEXIQ_Init(), 1);
  EXPECT_EQ(SetLanguage(nullptr, ORVILO_PROGRAM_DIR, 0, 12, 0), 0);
  ocrtest::TextPicture text;
  text.lines = {QStringLiteral("Nothing can be read without language data.")};
  const QString path = folder.filePath(QStringLiteral("page.png"));
  ASSERT_TRUE(ocrtest::SavePicture(ocrtest::DrawText(text), path));
  VxGlobalHandle image = LEXIQ_LoadImage(path.toUtf8().constData());
  ASSERT_NE(image, nullptr);
  LEXIQ_AutoAngle(image);
  LEXIQ_PreProc(image);
  EXPECT_EQ(LEXIQ_BeginRecog(nullptr), 0);
  EXPECT_EQ(ocrtest::Take(LEXIQ_RecogDIBRect(image, 0, 0, 0, 1400, 220)), "");
  EXPECT_EQ(ocrtest::Take(LEXIQ_RecogText(image, 0, nullptr, nullptr, 1.0f)), "");
  CRecogResultStruct result;
  CAuxResult aux;
  EXPECT_EQ(ocrtest::Take(LEXIQ_RecogTextEx(image, &result, &aux)), "");
  LEXIQ_EndRecog();
  VxGlobalFree(image);
  LEXIQ_Free();
}

}  // namespace
