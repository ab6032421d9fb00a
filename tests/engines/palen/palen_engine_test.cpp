// The engine's exported calls: languages, loading, cropping, straightening,
// the numbered imaging helpers, templates, switches and the device context.
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <omp.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "engines/palen/PalenPublicAPI.h"
#include "ocr_fixtures.h"
#include "platform/gdi/bitmap_header.h"

namespace {

constexpr int kKorean = 0, kEnglish = 12;
constexpr std::int32_t kPagePelsPerMeter = 11511;

std::string TakeText(char* text) {
  std::string copy = text != nullptr ? text : "<null>";
  PALEN_FreeText(text);
  return copy;
}

class PalenEngineTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    ASSERT_EQ(SetLanguage(nullptr, nullptr, kKorean, kEnglish, 0), 1);
    PALEN_EnableDPICheck(0);
  }
  void TearDown() override {
    for (VxGlobalHandle block : owned_) VxGlobalFree(block);
  }

  VxGlobalHandle Own(VxGlobalHandle block) {
    owned_.push_back(block);
    return block;
  }
  std::string PathOf(const char* name) const { return folder_.filePath(QString::fromUtf8(name)).toStdString(); }

  // A page DIB of drawn text, ready for recognition (8-bit, page resolution).
  VxGlobalHandle TextPage(const ocrtest::TextPicture& text) { return PageOf(ocrtest::DrawText(text)); }
  VxGlobalHandle PageOf(const QImage& picture) {
    const std::string path = PathOf("text.png");
    EXPECT_TRUE(ocrtest::SavePicture(picture, QString::fromStdString(path)));
    VxGlobalHandle page = Own(PALEN_LoadImage(path.c_str(), 0, 1, 0, nullptr));
    auto* header = static_cast<orvilo::gdi::BitmapInfoHeader*>(VxGlobalLock(page));
    header->biXPelsPerMeter = header->biYPelsPerMeter = kPagePelsPerMeter;
    VxGlobalUnlock(page);
    return page;
  }

  std::vector<PalenLayoutItem> Layout(VxGlobalHandle page) {
    std::vector<PalenLayoutItem> items(200);
    items.resize(std::max(0, PALEN_AutoSpliteLayout(page, items.data(), 200, nullptr, nullptr)));
    return items;
  }

  QTemporaryDir folder_;
  std::vector<VxGlobalHandle> owned_;
};

const QString kSentence = QStringLiteral("Light travels in straight lines.");

ocrtest::TextPicture Sentence() {
  ocrtest::TextPicture text;
  text.lines = {kSentence};
  text.size = QSize(900, 200);
  return text;
}

// ---- Languages --------------------------------------------------------

struct LanguageCase {
  const char* name;
  int language, languageEx, mode;
  int expected;
};
void PrintTo(const LanguageCase& value, std::ostream* out) { *out << value.name; }

class PalenLanguageTest : public PalenEngineTest, public testing::WithParamInterface<LanguageCase> {};

TEST_P(PalenLanguageTest, KnowsItsLanguageCodes) {
  const LanguageCase& codes = GetParam();
  EXPECT_EQ(SetLanguage(nullptr, nullptr, codes.language, codes.languageEx, codes.mode), codes.expected);
  VxGlobalHandle page = TextPage(Sentence());
  EXPECT_EQ(Layout(page).empty(), codes.expected == 0) << "layout needs a language";
}

INSTANTIATE_TEST_SUITE_P(Codes, PalenLanguageTest,
                         testing::Values(LanguageCase{"KoreanWithEnglish", kKorean, kEnglish, 0, 1},
                                         LanguageCase{"EnglishAlone", kEnglish, -1, 0, 1},
                                         LanguageCase{"KoreanAlone", kKorean, kKorean, 0, 1},
                                         LanguageCase{"EnglishWithKorean", kEnglish, kKorean, 0, 1},
                                         LanguageCase{"UnknownLanguage", 5, kEnglish, 0, 0},
                                         LanguageCase{"UnknownExtension", kKorean, 7, 0, 0},
                                         LanguageCase{"UnknownMode", kKorean, kEnglish, 1, 0}),
                         [](const testing::TestParamInfo<LanguageCase>& info) { return std::string(info.param.name); });

TEST_F(PalenEngineTest, PrefersTheLanguageDataBesideTheModule) {
  // A damaged English model in <folder>/tessdata is chosen over the
  // system's, fails to load, and leaves no language: no crash.
  ASSERT_TRUE(QDir(folder_.path()).mkdir(QStringLiteral("tessdata")));
  QFile model(folder_.filePath(QStringLiteral("tessdata/eng.traineddata")));
  ASSERT_TRUE(model.open(QIODevice::WriteOnly));
  model.write(QByteArray(4096, '\x5A'));
  model.close();
  const std::string folder = folder_.path().toStdString();
  EXPECT_EQ(SetLanguage(nullptr, folder.c_str(), kEnglish, -1, 0), 0);
  EXPECT_TRUE(Layout(TextPage(Sentence())).empty());
  // Korean is not there at all: the system's data serves.
  EXPECT_EQ(SetLanguage(nullptr, folder.c_str(), kKorean, -1, 0), 1);
}

// ---- Loading ----------------------------------------------------------

struct LoadCase {
  const char* name;
  int page, mode, reserved;
  const char* file;  // made by the test: "page.png" or "folder"; others are missing
  int error;
};
void PrintTo(const LoadCase& value, std::ostream* out) { *out << value.name; }

class PalenLoadTest : public PalenEngineTest, public testing::WithParamInterface<LoadCase> {};

TEST_P(PalenLoadTest, ReportsWhyNothingWasLoaded) {
  QImage page(60, 40, QImage::Format_RGB32);
  page.fill(Qt::white);
  ASSERT_TRUE(page.save(QString::fromStdString(PathOf("page.png"))));
  ASSERT_TRUE(QDir(folder_.path()).mkdir(QStringLiteral("folder")));
  int error = -1;
  const LoadCase& load = GetParam();
  VxGlobalHandle image = PALEN_LoadImage(PathOf(load.file).c_str(), load.page, load.mode, load.reserved, &error);
  EXPECT_EQ(image, nullptr);
  EXPECT_EQ(error, load.error);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, PalenLoadTest,
    testing::Values(LoadCase{"Missing", 0, 1, 0, "missing.png", PALEN_ERROR_FILE_MISSING},
                    LoadCase{"Folder", 0, 1, 0, "folder", PALEN_ERROR_UNREADABLE},
                    LoadCase{"SecondPageOfAPng", 1, 1, 0, "page.png", PALEN_ERROR_UNREADABLE},
                    LoadCase{"UnknownMode", 0, 2, 0, "page.png", PALEN_ERROR_ARGUMENT},
                    LoadCase{"ReservedNotZero", 0, 1, 3, "page.png", PALEN_ERROR_ARGUMENT},
                    LoadCase{"NegativePage", -1, 1, 0, "page.png", PALEN_ERROR_ARGUMENT}),
    [](const testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

TEST_F(PalenEngineTest, CameraPagesGetTheirBackgroundEvenedOut) {
  // Paper lit from the left: grey 110 on the right, 230 on the left.
  QImage shaded(400, 300, QImage::Format_RGB32);
  for (int y = 0; y < shaded.height(); ++y) {
    for (int x = 0; x < shaded.width(); ++x) {
      const int level = 230 - 120 * x / shaded.width();
      shaded.setPixel(x, y, qRgb(level, level, level));
    }
  }
  const std::string path = PathOf("shaded.png");
  ASSERT_TRUE(shaded.save(QString::fromStdString(path)));
  int error = -1;
  VxGlobalHandle plain = Own(PALEN_LoadImage(path.c_str(), 0, 0, 0, &error));
  EXPECT_EQ(error, PALEN_OK);
  VxGlobalHandle evened = Own(PALEN_LoadImage(path.c_str(), 0, 1, 0, nullptr));
  const ocrtest::DibFacts flat = ocrtest::ReadDib(evened);
  const ocrtest::DibFacts kept = ocrtest::ReadDib(plain);
  ASSERT_TRUE(flat.valid && kept.valid);
  EXPECT_EQ(flat.bitCount, 8);
  const std::size_t stride = orvilo::gdi::DibStride(400, 8);
  const std::size_t middleRow = stride * 150;
  EXPECT_LT(kept.rows[middleRow + 390], 120);
  EXPECT_GT(kept.rows[middleRow + 10], 220);
  EXPECT_GT(flat.rows[middleRow + 390], 240);
  EXPECT_GT(flat.rows[middleRow + 10], 240);
}

// ---- Cropping ---------------------------------------------------------

struct CropCase {
  const char* name;
  bool wholePage;
  PalenRect rect;
  int width, height;  // 0: no crop
};
void PrintTo(const CropCase& value, std::ostream* out) { *out << value.name; }

class PalenCropTest : public PalenEngineTest, public testing::WithParamInterface<CropCase> {};

TEST_P(PalenCropTest, CutsTheRectangleClippedToThePage) {
  // 100 x 80, a marker pixel of 7 at (60, 50).
  VxGlobalHandle page = Own(ocrtest::MakeGreyDib(100, 80, [](int x, int y) { return x == 60 && y == 50 ? 7 : 200; },
                                                 kPagePelsPerMeter));
  const CropCase& crop = GetParam();
  VxGlobalHandle part = Own(PALEN_CropImage(page, crop.wholePage ? nullptr : &crop.rect));
  if (crop.width == 0) {
    EXPECT_EQ(part, nullptr);
    return;
  }
  const ocrtest::DibFacts facts = ocrtest::ReadDib(part);
  ASSERT_TRUE(facts.valid);
  EXPECT_EQ(facts.width, crop.width);
  EXPECT_EQ(facts.height, crop.height);
  EXPECT_EQ(facts.bitCount, 8);
  EXPECT_EQ(facts.xPelsPerMeter, kPagePelsPerMeter);
  const int left = crop.wholePage ? 0 : std::max(crop.rect.left, 0);
  const int top = crop.wholePage ? 0 : std::max(crop.rect.top, 0);
  const std::size_t stride = orvilo::gdi::DibStride(facts.width, 8);
  EXPECT_EQ(facts.rows[stride * (facts.height - 1 - (50 - top)) + (60 - left)], 7);
}

INSTANTIATE_TEST_SUITE_P(Rectangles, PalenCropTest,
                         testing::Values(CropCase{"WholePage", true, {}, 100, 80},
                                         CropCase{"Inside", false, {50, 40, 70, 60}, 20, 20},
                                         CropCase{"PartlyOutside", false, {40, 30, 500, 500}, 60, 50},
                                         CropCase{"AroundThePage", false, {-20, -20, 200, 200}, 100, 80},
                                         CropCase{"Outside", false, {200, 200, 300, 300}, 0, 0},
                                         CropCase{"Inverted", false, {70, 60, 50, 40}, 0, 0},
                                         CropCase{"Empty", false, {50, 40, 50, 60}, 0, 0}),
                         [](const testing::TestParamInfo<CropCase>& info) { return std::string(info.param.name); });

TEST_F(PalenEngineTest, CropOfAColourPageStaysInColour) {
  QImage colour(30, 20, QImage::Format_RGB32);
  colour.fill(QColor(10, 120, 230));
  VxGlobalHandle page = Own(ocrtest::MakeColourDib(colour));
  const PalenRect rect{5, 5, 15, 10};
  const ocrtest::DibFacts facts = ocrtest::ReadDib(Own(PALEN_CropImage(page, &rect)));
  ASSERT_TRUE(facts.valid);
  EXPECT_EQ(facts.bitCount, 24);
  EXPECT_EQ(facts.rows[0], 230);  // blue
  EXPECT_EQ(facts.rows[2], 10);   // red
  EXPECT_EQ(PALEN_CropImage(nullptr, &rect), nullptr);
}

// ---- Straightening ----------------------------------------------------

TEST_F(PalenEngineTest, StraighteningNeedsAPage) {
  EXPECT_EQ(PALEN_AutoAdjustTilt(nullptr, nullptr, nullptr), 0.0f);
  VxGlobalHandle none = nullptr;
  EXPECT_EQ(PALEN_AutoAdjustTilt(&none, nullptr, nullptr), 0.0f);
}

TEST_F(PalenEngineTest, StraightensColourPagesInPlaceAndMeasuresOnlyTheRegion) {
  ocrtest::TextPicture text;
  text.lines = {QStringLiteral("Each of these lines runs a little uphill"), QStringLiteral("because the page lies turned"),
                QStringLiteral("on the desk under the camera.")};
  text.size = QSize(1000, 400);
  text.turnDegrees = -2.0;
  VxGlobalHandle page = Own(ocrtest::MakeColourDib(ocrtest::DrawText(text)));
  VxGlobalHandle original = page;
  const PalenRect paperOnly{0, 340, 1000, 400};
  EXPECT_EQ(PALEN_AutoAdjustTilt(&page, &paperOnly, nullptr), 0.0f);
  EXPECT_NEAR(PALEN_AutoAdjustTilt(&page, nullptr, nullptr), -2.0f, 0.25);
  EXPECT_EQ(page, original);
  const ocrtest::DibFacts facts = ocrtest::ReadDib(page);
  EXPECT_EQ(facts.bitCount, 24);
  EXPECT_EQ(facts.width, 1000);
}

// ---- Imaging helpers by number ----------------------------------------

TEST_F(PalenEngineTest, ImagingHelpersAreFoundByTheirNumbersOnly) {
  for (int ordinal : {0, 25, 27, 42, 120, 122, -1}) EXPECT_EQ(VIC_ProcByOrdinal(ordinal), nullptr) << ordinal;
  for (int ordinal : {26, 36, 43, 121}) EXPECT_NE(VIC_ProcByOrdinal(ordinal), nullptr) << ordinal;
}

TEST_F(PalenEngineTest, WorkImagesAreBottomUpCopiesThatTurnBackIntoDibs) {
  const auto make = reinterpret_cast<VicMakeWorkImageProc>(VIC_ProcByOrdinal(VIC_ORDINAL_MAKE_WORK_IMAGE));
  const auto release = reinterpret_cast<VicReleaseWorkImageProc>(VIC_ProcByOrdinal(VIC_ORDINAL_RELEASE_WORK_IMAGE));
  const auto toDib = reinterpret_cast<VicMakeDibProc>(VIC_ProcByOrdinal(VIC_ORDINAL_MAKE_DIB));
  // Rows of 30, 20, 10 from the top, stored top-down: 30 first in memory.
  VxGlobalHandle page = Own(ocrtest::MakeGreyDib(5, 3, [](int, int y) { return static_cast<std::uint8_t>(30 - 10 * y); }));
  auto* bytes = static_cast<std::uint8_t*>(VxGlobalLock(page));
  reinterpret_cast<orvilo::gdi::BitmapInfoHeader*>(bytes)->biHeight = -3;
  std::swap_ranges(bytes + 40 + 1024, bytes + 40 + 1024 + 8, bytes + 40 + 1024 + 16);

  VicWorkImage work{};
  ASSERT_EQ(make(bytes, &work), VIC_OK);
  VxGlobalUnlock(page);
  EXPECT_EQ(work.width, 5);
  EXPECT_EQ(work.height, 3);
  EXPECT_EQ(work.bitCount, 8);
  EXPECT_EQ(work.stride, 8);
  const auto* header = static_cast<const orvilo::gdi::BitmapInfoHeader*>(work.header);
  EXPECT_EQ(header->biHeight, 3);
  EXPECT_EQ(header->biSizeImage, 24u);
  EXPECT_EQ(header->biClrUsed, 256u);
  EXPECT_EQ(work.pixels[0], 10) << "bottom row first";
  EXPECT_EQ(work.pixels[16], 30);
  EXPECT_EQ(work.pixels[5], 0) << "padding";

  VxGlobalHandle dib = nullptr;
  ASSERT_EQ(toDib(&work, &dib), VIC_OK);
  Own(dib);
  const ocrtest::DibFacts facts = ocrtest::ReadDib(dib);
  EXPECT_EQ(facts.rows[0], 10);
  EXPECT_EQ(facts.height, 3);
  ASSERT_EQ(release(&work), VIC_OK);
  EXPECT_EQ(work.storage, nullptr);
  EXPECT_EQ(work.pixels, nullptr);
  EXPECT_EQ(toDib(&work, &dib), VIC_ERROR_ARGUMENT);
}

struct SaveCase {
  const char* name;
  const char* file;
  int result;
  const char* magic;  // first bytes of a written file
};
void PrintTo(const SaveCase& value, std::ostream* out) { *out << value.name; }

class PalenSaveTest : public PalenEngineTest, public testing::WithParamInterface<SaveCase> {};

TEST_P(PalenSaveTest, SavesByTheExtension) {
  const auto make = reinterpret_cast<VicMakeWorkImageProc>(VIC_ProcByOrdinal(VIC_ORDINAL_MAKE_WORK_IMAGE));
  const auto release = reinterpret_cast<VicReleaseWorkImageProc>(VIC_ProcByOrdinal(VIC_ORDINAL_RELEASE_WORK_IMAGE));
  const auto save = reinterpret_cast<VicSaveProc>(VIC_ProcByOrdinal(VIC_ORDINAL_SAVE));
  VxGlobalHandle page = Own(ocrtest::MakeGreyDib(40, 30, [](int x, int) { return x < 20 ? 0 : 255; }));
  VicWorkImage work{};
  ASSERT_EQ(make(VxGlobalLock(page), &work), VIC_OK);
  VxGlobalUnlock(page);
  const std::string path = GetParam().file[0] == '/' ? GetParam().file : PathOf(GetParam().file);
  EXPECT_EQ(save(path.c_str(), &work, 80), GetParam().result);
  release(&work);
  if (GetParam().magic == nullptr) return;
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().startsWith(GetParam().magic));
}

INSTANTIATE_TEST_SUITE_P(Files, PalenSaveTest,
                         testing::Values(SaveCase{"Bitmap", "work.bmp", VIC_OK, "BM"},
                                         SaveCase{"Png", "work.PNG", VIC_OK, "\x89PNG"},
                                         SaveCase{"Jpeg", "work.jpeg", VIC_OK, "\xFF\xD8"},
                                         SaveCase{"Tiff", "work.tif", VIC_OK, "II*"},
                                         SaveCase{"UnknownType", "work.xyz", VIC_ERROR_FORMAT, nullptr},
                                         SaveCase{"NoExtension", "work", VIC_ERROR_FORMAT, nullptr},
                                         SaveCase{"MissingFolder", "/nonexistent-folder/work.png", VIC_ERROR_WRITE,
                                                  nullptr}),
                         [](const testing::TestParamInfo<SaveCase>& info) { return std::string(info.param.name); });

// ---- Recognition switches ---------------------------------------------

TEST_F(PalenEngineTest, ResultBuffersTakeWhatFitsAndAreMadeWhenMissing) {
  VxGlobalHandle page = TextPage(Sentence());
  std::vector<PalenLayoutItem> items = Layout(page);
  ASSERT_FALSE(items.empty());

  PalenResultBuffers small{VxGlobalAlloc(VX_GHND, 20), VxGlobalAlloc(VX_GHND, 20), 10, 0};
  EXPECT_EQ(TakeText(PALEN_GetTextForRect(page, &small, items.data(), static_cast<int>(items.size()), 1, 0, 0, 0, 0,
                                          nullptr, nullptr, nullptr, 0.0f)),
            kSentence.toStdString());
  EXPECT_EQ(small.count, 9);
  const auto* units = static_cast<const char16_t*>(VxGlobalLock(small.text));
  EXPECT_EQ(std::u16string(units), u"Light tra");
  VxGlobalUnlock(small.text);
  const auto* confidence = static_cast<const std::uint16_t*>(VxGlobalLock(small.confidence));
  for (int i = 0; i < small.count; ++i) EXPECT_LE(confidence[i], 100);
  VxGlobalUnlock(small.confidence);
  VxGlobalFree(small.text);
  VxGlobalFree(small.confidence);

  PalenResultBuffers none{};
  PALEN_FreeText(PALEN_GetTextForRect(page, &none, items.data(), static_cast<int>(items.size()), 1, 0, 0, 0, 0,
                                      nullptr, nullptr, nullptr, 0.0f));
  EXPECT_EQ(none.capacity, PALEN_DEFAULT_RESULT_CAPACITY);
  EXPECT_EQ(none.count, kSentence.size());
  VxGlobalFree(none.text);
  VxGlobalFree(none.confidence);
}

TEST_F(PalenEngineTest, ItemsOfAnySizeAreClippedToThePage) {
  VxGlobalHandle page = TextPage(Sentence());
  PalenLayoutItem items[3] = {};
  items[0] = PalenLayoutItem{595, PALEN_ITEM_COLUMN, 1, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0, 1, 0};
  items[1] = PalenLayoutItem{595, PALEN_ITEM_TEXT, 1, 5000, 5000, 6000, 6000, 1, 1, 0};
  items[2] = PalenLayoutItem{595, PALEN_ITEM_TEXT, 1, 300, 100, 100, 50, 2, 1, 0};
  EXPECT_EQ(TakeText(PALEN_GetTextForRect(page, nullptr, items, 3, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0.0f)),
            kSentence.toStdString());
  EXPECT_EQ(PALEN_GetTextForRect(page, nullptr, items, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0.0f), nullptr);
  EXPECT_EQ(PALEN_GetTextForRect(page, nullptr, nullptr, 3, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0.0f), nullptr);
}

TEST_F(PalenEngineTest, TheResolutionCheckRefusesLowResolutionPages) {
  VxGlobalHandle page = TextPage(Sentence());
  std::vector<PalenLayoutItem> items = Layout(page);
  ASSERT_FALSE(items.empty());
  auto* header = static_cast<orvilo::gdi::BitmapInfoHeader*>(VxGlobalLock(page));
  header->biXPelsPerMeter = header->biYPelsPerMeter = 3780;
  VxGlobalUnlock(page);
  const auto read = [&] {
    return TakeText(PALEN_GetTextForRect(page, nullptr, items.data(), static_cast<int>(items.size()), 0, 0, 0, 0, 0,
                                         nullptr, nullptr, nullptr, 0.0f));
  };
  PALEN_EnableDPICheck(1);
  EXPECT_EQ(read(), "<null>");
  PALEN_EnableDPICheck(0);
  EXPECT_EQ(read(), kSentence.toStdString());
}

TEST_F(PalenEngineTest, OutlinesLandWhereThePlacementPutsThePage) {
  VxGlobalHandle page = TextPage(Sentence());
  std::vector<PalenLayoutItem> items = Layout(page);
  ASSERT_EQ(items.size(), 1u);
  // The page at half size, 100 pixels in from the left, clipped to x < 300.
  std::vector<std::uint8_t> pixels(600 * 200 * 4, 0);
  PalenDrawTarget target{pixels.data(), 600, 200, 600 * 4, 0x000000FF, 3, PALEN_PEN_COPY};
  const PalenPoint origin{100, 0};
  const PalenRect placement{0, 0, 300, 200};
  PALEN_FreeText(PALEN_GetTextForRect(page, nullptr, items.data(), 1, 0, 1, 0, 0, 0, &target, &origin, &placement,
                                      0.5f));
  int left = 600, right = -1;
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 600; ++x) {
      const std::uint8_t* pixel = &pixels[(y * 600 + x) * 4];
      if (pixel[2] == 255) {  // red pen
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
  }
  EXPECT_GE(left, 100);
  EXPECT_LT(right, 300);
  EXPECT_GT(right, left);
}

// ---- Templates --------------------------------------------------------

int itemsSeen = 0;
int CountItem(int) {
  ++itemsSeen;
  return 0;
}

TEST_F(PalenEngineTest, TemplatesKeepTheLayoutForALaterRecognition) {
  VxGlobalHandle page = TextPage(Sentence());
  ASSERT_EQ(PALEN_AutoSpliteLayout_WithLocal(&page, nullptr, 0, nullptr), 1);
  const std::string layout = PathOf("Template.ltf");
  ASSERT_EQ(PALEN_SaveLayerTemplate_WithLocal(layout.c_str()), 0);
  QFile file(QString::fromStdString(layout));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().startsWith("PalenLayoutTemplate 1\npage 900 200\nitems 1\n"));

  itemsSeen = 0;
  EXPECT_EQ(TakeText(PALEN_Recognize_WithLocal(page, nullptr, nullptr, layout.c_str(), 0, 0, 0, 0, 0, nullptr, nullptr,
                                               nullptr, 1.0f, &CountItem, 0, nullptr)),
            kSentence.toStdString());
  EXPECT_EQ(itemsSeen, 1);
  // Without a path the engine's own copy of the layout serves.
  EXPECT_EQ(TakeText(PALEN_Recognize_WithLocal(page, nullptr, nullptr, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr,
                                               nullptr, 1.0f, nullptr, 0, nullptr)),
            kSentence.toStdString());
  // A failed analysis leaves no layout to save.
  EXPECT_EQ(PALEN_AutoSpliteLayout_WithLocal(nullptr, nullptr, 0, nullptr), -1);
  EXPECT_EQ(PALEN_SaveLayerTemplate_WithLocal(PathOf("other.ltf").c_str()), -1);
}

struct TemplateCase {
  const char* name;
  const char* contents;  // null: no file
};
void PrintTo(const TemplateCase& value, std::ostream* out) { *out << value.name; }

class PalenBadTemplateTest : public PalenEngineTest, public testing::WithParamInterface<TemplateCase> {};

TEST_P(PalenBadTemplateTest, ReadsNothing) {
  VxGlobalHandle page = TextPage(Sentence());
  const std::string path = PathOf("bad.ltf");
  if (GetParam().contents != nullptr) {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(GetParam().contents);
  }
  EXPECT_EQ(PALEN_Recognize_WithLocal(page, nullptr, nullptr, path.c_str(), 1, 1, 1, 1, 1, nullptr, nullptr, nullptr,
                                      1.0f, nullptr, 0, nullptr),
            nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PalenBadTemplateTest,
    testing::Values(TemplateCase{"Missing", nullptr}, TemplateCase{"Garbage", "\x01\x02 not a template"},
                    TemplateCase{"OtherPageSize", "PalenLayoutTemplate 1\npage 800 200\nitems 1\n5 595 1 0 0 800 200 0 1\n"},
                    TemplateCase{"ItemOffThePage", "PalenLayoutTemplate 1\npage 900 200\nitems 1\n5 595 1 0 0 950 200 0 1\n"},
                    TemplateCase{"TooFewItems", "PalenLayoutTemplate 1\npage 900 200\nitems 3\n5 595 1 0 0 900 200 0 1\n"},
                    TemplateCase{"HostileCount", "PalenLayoutTemplate 1\npage 900 200\nitems 2000000000\n"}),
    [](const testing::TestParamInfo<TemplateCase>& info) { return std::string(info.param.name); });

TEST_F(PalenEngineTest, ATemplatePathNamingAPipeReadsNothingWithoutWaiting) {
  VxGlobalHandle page = TextPage(Sentence());
  const std::string path = PathOf("pipe.ltf");
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  EXPECT_EQ(PALEN_Recognize_WithLocal(page, nullptr, nullptr, path.c_str(), 1, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                                      1.0f, nullptr, 0, nullptr),
            nullptr);
}

// ---- Progress ---------------------------------------------------------

struct ProgressLog {
  std::vector<int> percents;
  bool stop = false;
};
int Report(void* context, int percent) {
  auto* log = static_cast<ProgressLog*>(context);
  log->percents.push_back(percent);
  return log->stop ? 1 : 0;
}

TEST_F(PalenEngineTest, ProgressRunsFromZeroToAHundredAndCanStopTheWork) {
  VxGlobalHandle page = TextPage(Sentence());
  ASSERT_EQ(PALEN_AutoSpliteLayout_WithLocal(&page, nullptr, 0, nullptr), 1);
  ProgressLog log;
  PalenProgress progress{&Report, &log};
  EXPECT_EQ(TakeText(PALEN_Recognize_WithLocal(page, nullptr, nullptr, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr,
                                               nullptr, 1.0f, nullptr, 0, &progress)),
            kSentence.toStdString());
  ASSERT_FALSE(log.percents.empty());
  EXPECT_EQ(log.percents.front(), 0);
  EXPECT_EQ(log.percents.back(), 100);
  EXPECT_TRUE(std::is_sorted(log.percents.begin(), log.percents.end()));

  ProgressLog stopped;
  stopped.stop = true;
  PalenProgress stopping{&Report, &stopped};
  EXPECT_EQ(PALEN_Recognize_WithLocal(page, nullptr, nullptr, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, 1.0f,
                                      nullptr, 0, &stopping),
            nullptr);
  EXPECT_EQ(stopped.percents.size(), 1u);
}

// ---- Threads -----------------------------------------------------------

int ThreadsOfThisProcess() {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/task"),
                                        std::filesystem::directory_iterator()));
}

std::atomic<int> mostThreadsWhileReading{0};
int NoteThreads(int /*itemIndex*/) {
  mostThreadsWhileReading = std::max(mostThreadsWhileReading.load(), ThreadsOfThisProcess());
  return 0;
}

// Debian's Tesseract would start OpenMP threads for each line; libgomp keeps
// the limit per thread, so a thread other than the one that first used the
// engine is where a process-wide assumption shows. Its OpenMP threads would
// still be alive when an item is done.
TEST_F(PalenEngineTest, ReadsOnTheCallingThreadAloneWhicheverThreadCalls) {
  VxGlobalHandle page = TextPage(Sentence());
  ASSERT_EQ(PALEN_AutoSpliteLayout_WithLocal(&page, nullptr, 0, nullptr), 1);
  std::string text;
  int threadsBefore = 0;
  int callersLevelsAfter = 0;
  std::thread reader([&] {
    omp_set_max_active_levels(3);  // the caller's own setting, to be left alone
    threadsBefore = ThreadsOfThisProcess();
    mostThreadsWhileReading = 0;
    text = TakeText(PALEN_Recognize_WithLocal(page, nullptr, nullptr, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr,
                                              nullptr, 1.0f, &NoteThreads, 0, nullptr));
    callersLevelsAfter = omp_get_max_active_levels();
  });
  reader.join();
  EXPECT_EQ(text, kSentence.toStdString());
  EXPECT_EQ(mostThreadsWhileReading.load(), threadsBefore) << "no thread was started to read";
  EXPECT_EQ(callersLevelsAfter, 3);
}

// ---- Columns ----------------------------------------------------------

TEST_F(PalenEngineTest, ReadsColumnsOneAfterTheOther) {
  ocrtest::EnsureGuiApplication();
  QImage picture(1600, 500, QImage::Format_RGB32);
  picture.fill(Qt::white);
  const QStringList left = {QStringLiteral("Rivers carry water from"), QStringLiteral("the mountains down to"),
                            QStringLiteral("the sea, where the sun"), QStringLiteral("warms it again and"),
                            QStringLiteral("lifts it into the sky.")};
  const QStringList right = {QStringLiteral("Farmers grow food and"), QStringLiteral("drivers bring it to the"),
                             QStringLiteral("stores, where shop"), QStringLiteral("owners sell it to the"),
                             QStringLiteral("families of the town.")};
  {
    QPainter painter(&picture);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(36);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (int line = 0; line < 5; ++line) {
      painter.drawText(60, 100 + 56 * line, left[line]);
      painter.drawText(840, 100 + 56 * line, right[line]);
    }
  }
  VxGlobalHandle page = PageOf(picture);
  std::vector<PalenLayoutItem> items = Layout(page);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].kind, PALEN_ITEM_TEXT);
  EXPECT_LT(items[0].right, items[1].left);
  // The whole left column comes before the right one.
  const std::string text = TakeText(
      PALEN_GetTextForRect(page, nullptr, items.data(), 2, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0.0f));
  const std::vector<std::size_t> order = {text.find("Rivers carry"), text.find("into the sky."),
                                          text.find("Farmers grow"), text.find("of the town.")};
  for (std::size_t position : order) ASSERT_NE(position, std::string::npos) << text;
  EXPECT_TRUE(std::is_sorted(order.begin(), order.end())) << text;
}

}  // namespace
