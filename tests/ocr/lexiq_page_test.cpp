// Loading, straightening, binarising and saving pages through the module.
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <ostream>

#include "engines/palen/PalenPublicAPI.h"
#include "ocr/LEXIQ.h"
#include "ocr_fixtures.h"
#include "platform/gdi/bitmap_header.h"

namespace {

constexpr std::int32_t kPagePelsPerMeter = 11511;

class LexiqPageTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GE(LEXIQ_Init(), 1);
    ASSERT_TRUE(folder_.isValid());
  }
  void TearDown() override { LEXIQ_Free(); }

  std::string PathOf(const char* name) const { return folder_.filePath(QString::fromUtf8(name)).toStdString(); }

  std::string SaveWhitePage(const char* name, std::int32_t pelsPerMeter) {
    QImage page(320, 200, QImage::Format_RGB32);
    page.fill(Qt::white);
    page.setDotsPerMeterX(pelsPerMeter);
    page.setDotsPerMeterY(pelsPerMeter);
    const std::string path = PathOf(name);
    EXPECT_TRUE(page.save(QString::fromStdString(path)));
    return path;
  }

  QTemporaryDir folder_;
};

TEST_F(LexiqPageTest, LoadingRaisesTheResolutionToElevenThousandFiveHundredElevenPixelsPerMetre) {
  VxGlobalHandle image = LEXIQ_LoadImage(SaveWhitePage("screen.bmp", 3780).c_str());
  ASSERT_NE(image, nullptr);
  const ocrtest::DibFacts facts = ocrtest::ReadDib(image);
  EXPECT_EQ(facts.bitCount, 8);
  EXPECT_EQ(facts.width, 320);
  EXPECT_EQ(facts.height, 200);
  EXPECT_EQ(facts.xPelsPerMeter, kPagePelsPerMeter);
  EXPECT_EQ(facts.yPelsPerMeter, kPagePelsPerMeter);
  VxGlobalFree(image);
}

TEST_F(LexiqPageTest, LoadingKeepsAHigherResolution) {
  VxGlobalHandle image = LEXIQ_LoadImage(SaveWhitePage("scan.png", 23622).c_str());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(ocrtest::ReadDib(image).xPelsPerMeter, 23622);
  VxGlobalFree(image);
}

// A bitmap file header and info header claiming a picture, without its pixels.
QByteArray BitmapHeaders(std::int32_t width, std::int32_t height) {
  orvilo::gdi::BitmapFileHeader file{};
  orvilo::gdi::BitmapInfoHeader info{};
  file.bfType = orvilo::gdi::kBitmapFileType;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + 64;
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  QByteArray bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  bytes.append(64, '\0');
  return bytes;
}

struct BadFile {
  const char* name;
  std::function<QByteArray()> contents;  // null: the file is not made
};
void PrintTo(const BadFile& value, std::ostream* out) { *out << value.name; }

class LexiqBadFileTest : public LexiqPageTest, public testing::WithParamInterface<BadFile> {};

TEST_P(LexiqBadFileTest, GivesNoImage) {
  const std::string path = PathOf(GetParam().name);
  if (GetParam().contents) {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(GetParam().contents());
  }
  EXPECT_EQ(LEXIQ_LoadImage(path.c_str()), nullptr);
  EXPECT_EQ(LEXIQ_SaveWorkImage(PathOf("work.png").c_str()), LEXIQ_NO_WORK_IMAGE);
}

QByteArray TruncatedPng() {
  QImage page(400, 300, QImage::Format_RGB32);
  page.fill(Qt::gray);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  page.save(&buffer, "PNG");
  return bytes.left(bytes.size() / 3);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LexiqBadFileTest,
    testing::Values(BadFile{"missing.png", nullptr}, BadFile{"empty.png", [] { return QByteArray(); }},
                    BadFile{"garbage.jpg", [] { return QByteArray(5000, 'x'); }},
                    BadFile{"truncated.png", TruncatedPng},
                    BadFile{"zero-size.bmp", [] { return BitmapHeaders(0, 0); }},
                    BadFile{"huge.bmp", [] { return BitmapHeaders(60000, 60000); }}),
    [](const testing::TestParamInfo<BadFile>& info) {
      std::string name = info.param.name;
      name = name.substr(0, name.find('.'));
      std::erase(name, '-');
      return name;
    });

TEST_F(LexiqPageTest, ANullPathGivesNoImage) { EXPECT_EQ(LEXIQ_LoadImage(nullptr), nullptr); }

TEST_F(LexiqPageTest, TheLoadedPageIsTheWorkImageUntilFree) {
  VxGlobalHandle image = LEXIQ_LoadImage(SaveWhitePage("page.bmp", 3780).c_str());
  ASSERT_NE(image, nullptr);
  const std::string saved = PathOf("work.png");
  EXPECT_EQ(LEXIQ_SaveWorkImage(saved.c_str()), 0);
  const QImage work(QString::fromStdString(saved));
  EXPECT_EQ(work.size(), QSize(320, 200));
  EXPECT_EQ(LEXIQ_SaveWorkImage(PathOf("work.xyz").c_str()), VIC_ERROR_FORMAT);
  EXPECT_EQ(LEXIQ_SaveWorkImage("/nonexistent-folder/work.png"), VIC_ERROR_WRITE);
  LEXIQ_Free();
  EXPECT_EQ(LEXIQ_SaveWorkImage(saved.c_str()), LEXIQ_NO_WORK_IMAGE);
  VxGlobalFree(image);
}

struct BinarisationCase {
  const char* name;
  std::function<std::uint8_t(int, int)> level;
  std::function<std::uint8_t(int, int)> expected;
};
void PrintTo(const BinarisationCase& value, std::ostream* out) { *out << value.name; }

class LexiqPreProcTest : public LexiqPageTest, public testing::WithParamInterface<BinarisationCase> {};

// 30 pixels a row: 2 bytes of padding per row, which are binarised too.
TEST_P(LexiqPreProcTest, BinarisesEveryPixelAndSetsThePageResolution) {
  constexpr int kWidth = 30, kHeight = 20;
  VxGlobalHandle page = ocrtest::MakeGreyDib(kWidth, kHeight, GetParam().level, 3780);
  LEXIQ_PreProc(page);
  const ocrtest::DibFacts facts = ocrtest::ReadDib(page);
  ASSERT_TRUE(facts.valid);
  EXPECT_EQ(facts.xPelsPerMeter, kPagePelsPerMeter);
  EXPECT_EQ(facts.yPelsPerMeter, kPagePelsPerMeter);
  const std::size_t stride = orvilo::gdi::DibStride(kWidth, 8);
  for (int y = 0; y < kHeight; ++y) {
    const std::uint8_t* row = facts.rows.data() + stride * (kHeight - 1 - y);
    for (int x = 0; x < kWidth; ++x) ASSERT_EQ(row[x], GetParam().expected(x, y)) << x << "," << y;
    // Padding was 0, which is never above a threshold.
    EXPECT_EQ(row[kWidth], 0);
    EXPECT_EQ(row[kWidth + 1], 0);
  }
  VxGlobalFree(page);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, LexiqPreProcTest,
    testing::Values(BinarisationCase{"AllTwoHundredBecomesWhite", [](int, int) { return 200; },
                                     [](int, int) { return 255; }},
                    BinarisationCase{"AllBlackStaysBlack", [](int, int) { return 0; }, [](int, int) { return 0; }},
                    BinarisationCase{"HalfTenHalfTwoFifty",
                                     [](int x, int) { return x < 15 ? 10 : 250; },
                                     [](int x, int) { return x < 15 ? 0 : 255; }}),
    [](const testing::TestParamInfo<BinarisationCase>& info) { return std::string(info.param.name); });

TEST_F(LexiqPageTest, PreProcLeavesPagesOfOtherDepthsAlone) {
  QImage colour(40, 10, QImage::Format_RGB32);
  colour.fill(QColor(120, 130, 140));
  VxGlobalHandle page = ocrtest::MakeColourDib(colour);
  const ocrtest::DibFacts before = ocrtest::ReadDib(page);
  LEXIQ_PreProc(page);
  const ocrtest::DibFacts after = ocrtest::ReadDib(page);
  EXPECT_EQ(after.rows, before.rows);
  EXPECT_EQ(after.xPelsPerMeter, before.xPelsPerMeter);
  VxGlobalFree(page);
}

TEST_F(LexiqPageTest, PreProcLeavesABlockTooSmallForItsHeaderAlone) {
  // The header claims 1000 x 1000 pixels; the block holds the header only.
  VxGlobalHandle page = ocrtest::MakeGreyDib(4, 4, [](int, int) { return 200; });
  auto* header = static_cast<orvilo::gdi::BitmapInfoHeader*>(VxGlobalLock(page));
  header->biWidth = 1000;
  header->biHeight = 1000;
  VxGlobalUnlock(page);
  const ocrtest::DibFacts before = ocrtest::ReadDib(page);
  LEXIQ_PreProc(page);
  LEXIQ_PreProc(nullptr);
  EXPECT_EQ(ocrtest::ReadDib(page).xPelsPerMeter, before.xPelsPerMeter);
  VxGlobalFree(page);
}

struct TiltCase {
  const char* name;
  double turnDegrees;
};
void PrintTo(const TiltCase& value, std::ostream* out) { *out << value.name; }

class LexiqAutoAngleTest : public LexiqPageTest, public testing::WithParamInterface<TiltCase> {};

TEST_P(LexiqAutoAngleTest, StraightensThePageInItsOwnBlock) {
  ocrtest::TextPicture text;
  text.lines = {QStringLiteral("Straight lines of text let the engine measure how far"),
                QStringLiteral("the page was turned under the camera before reading"),
                QStringLiteral("it, so the words can be read along their lines again."),
                QStringLiteral("A few lines are enough to measure a small turn well.")};
  text.size = QSize(1400, 500);
  text.turnDegrees = GetParam().turnDegrees;
  const std::string path = PathOf("turned.png");
  ASSERT_TRUE(ocrtest::SavePicture(ocrtest::DrawText(text), QString::fromStdString(path)));
  VxGlobalHandle image = LEXIQ_LoadImage(path.c_str());
  ASSERT_NE(image, nullptr);
  const std::size_t size = VxGlobalSize(image);

  const float tilt = LEXIQ_AutoAngle(image);
  EXPECT_NEAR(tilt, GetParam().turnDegrees, 0.25);
  EXPECT_EQ(VxGlobalSize(image), size);
  const ocrtest::DibFacts facts = ocrtest::ReadDib(image);
  EXPECT_EQ(facts.width, 1400);
  EXPECT_EQ(facts.height, 500);
  // Once straight, (almost) nothing is left to turn.
  EXPECT_NEAR(LEXIQ_AutoAngle(image), 0.0f, 0.15);
  VxGlobalFree(image);
}

INSTANTIATE_TEST_SUITE_P(Turns, LexiqAutoAngleTest,
                         testing::Values(TiltCase{"Straight", 0.0}, TiltCase{"Clockwise", 2.0},
                                         TiltCase{"AntiClockwise", -2.5}),
                         [](const testing::TestParamInfo<TiltCase>& info) { return std::string(info.param.name); });

TEST_F(LexiqPageTest, AutoAngleOfNoImageIsZero) { EXPECT_EQ(LEXIQ_AutoAngle(nullptr), 0.0f); }

}  // namespace
