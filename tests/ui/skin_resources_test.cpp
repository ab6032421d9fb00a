// The built-in skin pictures: every row of the table is in the program at
// its size, sizes that windows depend on are what they must be, and the
// language versions exist where a picture set has two.
#include "ui/skin_resources.h"
#include "platform/gdi/key_colour.h"

#include <QDirIterator>
#include <gtest/gtest.h>

#include <set>

#include "ui/skin/skin_table.h"
#include "platform/win/window_shape.h"

using namespace orvilo;
using namespace orvilo::ui;
using skin::SkinKind;

namespace {

QImage Load(SkinKind kind, int id, bool korean) {
  switch (kind) {
    case SkinKind::Bitmap: return LoadSkinBitmap(id, korean);
    case SkinKind::Png: return LoadPngResource(id);
    case SkinKind::Icon: {
      const QIcon icon = LoadIconResource(id);
      return icon.isNull() ? QImage() : icon.pixmap(icon.availableSizes().back()).toImage();
    }
    case SkinKind::Cursor: {
      const QCursor cursor = LoadCursorResource(id);
      return cursor.pixmap().toImage();
    }
  }
  return {};
}

bool SamePixels(const QImage& a, const QImage& b) {
  return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TEST(SkinTable, EveryPictureLoadsAtItsSizeInEachLanguage) {
  ASSERT_GT(skin::SkinTable().size(), 200u);  // not emptied by mistake
  for (const skin::SkinEntry& entry : skin::SkinTable()) {
    SCOPED_TRACE(entry.id);
    for (const bool korean : {true, false}) {
      const QImage picture = Load(entry.kind, entry.id, korean);
      ASSERT_FALSE(picture.isNull()) << entry.shows;
      const auto size = entry.SizeFor(!korean);
      EXPECT_EQ(picture.size(), QSize(size.width, size.height)) << entry.shows << (korean ? " (Korean)" : " (English)");
    }
  }
}

TEST(SkinTable, NumbersAreUniqueWithinAKindAndEveryRowSaysWhatAndWhere) {
  std::set<std::pair<SkinKind, int>> seen;
  for (const skin::SkinEntry& entry : skin::SkinTable()) {
    EXPECT_TRUE(seen.insert({entry.kind, entry.id}).second) << entry.id;
    EXPECT_FALSE(entry.shows.empty()) << entry.id;
    EXPECT_FALSE(entry.usedBy.empty()) << entry.id;
    EXPECT_EQ(entry.SizeFor(false).width % entry.looks, 0) << entry.id;
    EXPECT_EQ(entry.SizeFor(true).width % entry.looks, 0) << entry.id;
  }
}

TEST(SkinTable, TheBundleHoldsNothingTheTableDoesNotList) {
  int files = 0;
  for (const QString& folder : {QStringLiteral(":/skin"), QStringLiteral(":/png"), QStringLiteral(":/icon"),
                               QStringLiteral(":/cursor")}) {
    LoadSkinBitmap(skin::FramePiece(0));  // registers the bundle
    QDirIterator it(folder);
    while (it.hasNext()) {
      const QString path = it.next();
      QString name = it.fileName();
      const bool english = name.endsWith(QLatin1String("_en.png"));
      name.chop(english ? 7 : 4);
      bool numeric = false;
      const int id = name.toInt(&numeric);
      ASSERT_TRUE(numeric) << path.toStdString();
      const SkinKind kind = folder == QLatin1String(":/skin")  ? SkinKind::Bitmap
                            : folder == QLatin1String(":/png") ? SkinKind::Png
                            : folder == QLatin1String(":/icon") ? SkinKind::Icon
                                                                 : SkinKind::Cursor;
      const skin::SkinEntry* entry = skin::FindSkinEntry(kind, id);
      ASSERT_NE(entry, nullptr) << path.toStdString();
      EXPECT_TRUE(!english || entry->languageSets) << path.toStdString();
      ++files;
    }
  }
  EXPECT_GT(files, 250);
}

// Sizes that the windows' layouts rely on, written out here on their own so
// that a wrong row in the table shows.
struct FixedSize {
  int id;
  int width;
  int height;
};

void PrintTo(const FixedSize& size, std::ostream* out) { *out << size.id << ": " << size.width << " x " << size.height; }

class FixedBitmapSizes : public ::testing::TestWithParam<FixedSize> {};

TEST_P(FixedBitmapSizes, AreThoseTheLayoutsExpect) {
  const FixedSize expected = GetParam();
  const QImage picture = LoadSkinBitmap(expected.id, true);
  ASSERT_FALSE(picture.isNull()) << expected.id;
  EXPECT_EQ(picture.size(), QSize(expected.width, expected.height)) << expected.id;
}

INSTANTIATE_TEST_SUITE_P(
    Skin, FixedBitmapSizes,
    ::testing::Values(
        // main window frame, badge, marker strip, speaker
        FixedSize{500, 30, 85}, FixedSize{501, 1, 85}, FixedSize{502, 30, 85}, FixedSize{503, 30, 1},
        FixedSize{504, 30, 1}, FixedSize{505, 30, 18}, FixedSize{506, 1, 18}, FixedSize{507, 30, 18},
        FixedSize{508, 60, 19}, FixedSize{509, 264, 22}, FixedSize{510, 13, 12},
        // title buttons: four looks of 17x17, 22x22, 25x22, 15x16
        FixedSize{520, 68, 17}, FixedSize{521, 88, 22}, FixedSize{524, 88, 22}, FixedSize{525, 100, 22},
        FixedSize{527, 60, 16},
        // command bars: 47x52 looks, AR grades 24x32
        FixedSize{600, 188, 52}, FixedSize{611, 188, 52}, FixedSize{625, 188, 52}, FixedSize{646, 188, 52},
        FixedSize{663, 188, 52}, FixedSize{689, 188, 52}, FixedSize{690, 96, 32}, FixedSize{695, 96, 32},
        // palette, focus popup
        FixedSize{800, 28, 9}, FixedSize{801, 28, 1}, FixedSize{802, 9, 28}, FixedSize{803, 1, 28},
        FixedSize{810, 112, 28}, FixedSize{832, 112, 28}, FixedSize{840, 360, 36}, FixedSize{841, 92, 23},
        // settings dialog frame and buttons
        FixedSize{850, 17, 35}, FixedSize{851, 1, 35}, FixedSize{853, 17, 1}, FixedSize{855, 17, 46},
        FixedSize{856, 1, 46}, FixedSize{858, 17, 15}, FixedSize{859, 1, 15}, FixedSize{861, 74, 87},
        FixedSize{870, 60, 15}, FixedSize{871, 216, 26}, FixedSize{872, 216, 26}, FixedSize{873, 152, 22},
        FixedSize{874, 340, 22},
        // views
        FixedSize{183, 5, 1}, FixedSize{185, 400, 305}, FixedSize{281, 290, 221}, FixedSize{274, 892, 521},
        FixedSize{275, 892, 521}, FixedSize{276, 892, 521}, FixedSize{277, 1473, 1162}, FixedSize{278, 52, 13},
        FixedSize{279, 36, 18},
        // reading panel
        FixedSize{190, 70, 78}, FixedSize{194, 232, 29}, FixedSize{195, 228, 29}, FixedSize{196, 232, 29},
        FixedSize{309, 232, 29}, FixedSize{310, 228, 29}, FixedSize{311, 232, 29}, FixedSize{255, 72, 17},
        FixedSize{257, 72, 17},
        // sliders: background, fill, thumb of three looks
        FixedSize{232, 175, 20}, FixedSize{233, 175, 7}, FixedSize{234, 54, 20}, FixedSize{235, 53, 15},
        FixedSize{236, 53, 6}, FixedSize{237, 21, 15}, FixedSize{300, 261, 15}, FixedSize{301, 261, 5},
        FixedSize{302, 21, 15}, FixedSize{441, 119, 15}, FixedSize{442, 119, 6}, FixedSize{443, 21, 15}),
    [](const ::testing::TestParamInfo<FixedSize>& info) { return "Bitmap" + std::to_string(info.param.id); });

TEST(SkinResources, EnglishCancelIsThirteenPixelsWiderPerLook) {
  EXPECT_EQ(LoadSkinBitmap(skin::kDialogCancel, true).width() / 4, 54);
  EXPECT_EQ(LoadSkinBitmap(skin::kDialogCancel, false).width() / 4, 67);
}

TEST(SkinResources, PictureSetsWithTwoLanguagesDifferAndOthersServeBoth) {
  struct Case {
    int id;
    bool twoLanguages;
  };
  const Case cases[] = {{skin::CommandBarButton(0, 0), true},  {skin::CommandBarButton(2, 2), true},
                        {skin::CommandBarButton(4, 10), true}, {skin::TabStrip(3, 2), true},
                        {skin::TabLabel(4), true},            {skin::kDialogOk, true},
                        {skin::FramePiece(0), false},         {skin::TitleButton(4), false},
                        {skin::PaletteToolButton(1534), false}, {skin::kBlindTexture, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const QImage korean = LoadSkinBitmap(c.id, true);
    const QImage english = LoadSkinBitmap(c.id, false);
    ASSERT_FALSE(korean.isNull());
    ASSERT_FALSE(english.isNull());
    EXPECT_EQ(!SamePixels(korean, english), c.twoLanguages);
    EXPECT_EQ(QFile::exists(QString::fromStdString(skin::SkinResourcePath(SkinKind::Bitmap, c.id, true))),
              c.twoLanguages);
  }
}

TEST(SkinResources, EveryCommandBarButtonHasBothLanguages) {
  const int counts[5] = {12, 6, 7, 4, 16};
  for (int bar = 0; bar < 5; ++bar) {
    for (int i = 0; i < counts[bar]; ++i) {
      const skin::SkinEntry* entry = skin::FindSkinEntry(SkinKind::Bitmap, skin::CommandBarButton(bar, i));
      ASSERT_NE(entry, nullptr) << bar << " " << i;
      EXPECT_TRUE(entry->languageSets);
      EXPECT_EQ(entry->looks, 4);
    }
  }
}

TEST(SkinResources, UnknownNumbersGiveNothing) {
  EXPECT_TRUE(LoadSkinBitmap(0).isNull());
  EXPECT_TRUE(LoadSkinBitmap(99999, true).isNull());
  EXPECT_TRUE(LoadSkinBitmap(-5).isNull());
  EXPECT_TRUE(LoadPngResource(274).isNull());  // a bitmap number, not a "PNG"
  EXPECT_TRUE(LoadPngResource(0).isNull());
  EXPECT_TRUE(LoadIconResource(1).isNull());
  EXPECT_EQ(LoadCursorResource(1).shape(), Qt::ArrowCursor);
}

TEST(SkinResources, PickerPicturesHaveTransparency) {
  for (int entry = 0; entry < 5; ++entry) {
    const QImage shape = LoadPngResource(skin::ShapePng(entry));
    ASSERT_EQ(shape.size(), QSize(20, 20));
    EXPECT_EQ(qAlpha(shape.pixel(0, 0)), 0);
  }
  EXPECT_EQ(LoadPngResource(skin::BoardPng(1)).size(), QSize(20, 20));
}

TEST(SkinResources, ShapedWindowsTakeTheirShapeFromNonMagentaPixels) {
  for (const int id : {skin::kRecordingIndicator, skin::kFocusBackground, skin::kMovieBarBackground}) {
    SCOPED_TRACE(id);
    const QImage picture = LoadSkinBitmap(id);
    const QRegion shape = win::RegionFromKeyColour(picture);
    EXPECT_FALSE(shape.contains(QPoint(0, 0)));  // rounded corners are outside
    EXPECT_TRUE(shape.contains(QPoint(picture.width() / 2, picture.height() / 2)));
  }
  // The frame's outer corner is cut; its inside is painted.
  const QImage corner = LoadSkinBitmap(skin::FramePiece(0));
  EXPECT_EQ(corner.pixel(0, 0), gdi::kKeyColour);
  EXPECT_NE(corner.pixel(20, 50), gdi::kKeyColour);
  // The inset and navigator frames are open in the middle.
  EXPECT_EQ(LoadSkinBitmap(skin::kInsetFrame).pixel(200, 150), gdi::kKeyColour);
  EXPECT_EQ(LoadSkinBitmap(skin::kNavigatorFrame).pixel(145, 110), gdi::kKeyColour);
}
