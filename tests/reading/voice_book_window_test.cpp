#include "reading/voice_book_window.h"

#include <QTest>
#include <gtest/gtest.h>

#include <fstream>

#include "platform/profile/profile_file.h"
#include "tests/platform/sys/temporary_folder.h"

using namespace orvilo;
using namespace orvilo::reading;
using orvilo::testing::TemporaryFolder;

namespace {

class VoiceBookWindowTest : public ::testing::Test {
 protected:
  std::string Touch(const std::string& name) {
    const std::string path = folder_ / name;
    std::ofstream(path) << "VX";
    return path;
  }
  std::unique_ptr<CVyrSkinList> MakeList(std::initializer_list<const char*> names, int height = 200) {
    auto list = std::make_unique<CVyrSkinList>(folder_ / "QEL-3.ini");
    list->resize(240, height);
    for (const char* name : names) list->Add(Touch(std::string(name) + ".qel"));
    return list;
  }
  std::vector<std::string> Names(const CVyrSkinList& list) {
    std::vector<std::string> names;
    for (const auto& item : list.List().Items()) names.push_back(item.name);
    return names;
  }
  QColor PixelAt(CVyrSkinList& list, int x, int y) { return list.grab().toImage().pixelColor(x, y); }

  TemporaryFolder folder_;
};

TEST_F(VoiceBookWindowTest, RowsArePaintedInBandsWithTheSelectionBlue) {
  auto list = MakeList({"a", "b", "c"});
  list->List().Select(2);
  EXPECT_EQ(PixelAt(*list, 100, 13), QColor(255, 255, 255));  // row 0, even
  EXPECT_EQ(PixelAt(*list, 100, 39), QColor(233, 233, 233));  // row 1, odd
  EXPECT_EQ(PixelAt(*list, 100, 65), QColor(184, 222, 246));  // row 2, selected
  // Below the rows: grey for an odd number of items.
  EXPECT_EQ(PixelAt(*list, 100, 150), QColor(233, 233, 233));
}

TEST_F(VoiceBookWindowTest, ACheckBoxClickChecksAndAClickElsewhereOnlySelects) {
  auto list = MakeList({"a", "b", "c"});
  QTest::mouseClick(list.get(), Qt::LeftButton, {}, QPoint(15, 26 + 12));
  EXPECT_TRUE(list->List().Items()[1].checked);
  EXPECT_EQ(list->List().Selected(), 1);
  QTest::mouseClick(list.get(), Qt::LeftButton, {}, QPoint(120, 26 * 2 + 12));
  EXPECT_FALSE(list->List().Items()[2].checked);
  EXPECT_EQ(list->List().Selected(), 2);
  EXPECT_FALSE(list->IsDragging());
  // Below the last row nothing happens.
  QTest::mouseClick(list.get(), Qt::LeftButton, {}, QPoint(120, 150));
  EXPECT_EQ(list->List().Selected(), 2);
}

TEST_F(VoiceBookWindowTest, DraggingARowMovesIt) {
  auto list = MakeList({"a", "b", "c"});
  QTest::mousePress(list.get(), Qt::LeftButton, {}, QPoint(120, 10));
  EXPECT_TRUE(list->IsDragging());
  QTest::mouseMove(list.get(), QPoint(120, 60));
  QTest::mouseRelease(list.get(), Qt::LeftButton, {}, QPoint(120, 60));
  EXPECT_EQ(Names(*list), (std::vector<std::string>{"b", "c", "a"}));
  EXPECT_EQ(list->List().Selected(), 2);
  // Released below the last row: onto the last row.
  QTest::mousePress(list.get(), Qt::LeftButton, {}, QPoint(120, 10));
  QTest::mouseRelease(list.get(), Qt::LeftButton, {}, QPoint(120, 190));
  EXPECT_EQ(Names(*list), (std::vector<std::string>{"c", "a", "b"}));
}

TEST_F(VoiceBookWindowTest, ScrollingIsClampedToTheContent) {
  auto list = MakeList({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}, 104);
  EXPECT_EQ(list->ContentHeight(), 260);
  list->SetScrollPosition(1000);
  EXPECT_EQ(list->ScrollPosition(), 260 - 104 + 1);
  list->SetScrollPosition(-5);
  EXPECT_EQ(list->ScrollPosition(), 0);
  list->SetScrollPosition(52);
  QTest::mouseClick(list.get(), Qt::LeftButton, {}, QPoint(120, 5));
  EXPECT_EQ(list->List().Selected(), 2);
}

TEST_F(VoiceBookWindowTest, TheListOutlivesTheWindowInTheSettingsFile) {
  const std::string a = Touch("a.qel");
  const std::string b = Touch("b.qel");
  {
    auto list = MakeList({});
    list->Add(a);
    list->Add(b);
  }
  profile::ProfileFile settings = profile::ProfileFile::Load(folder_ / "QEL-3.ini");
  EXPECT_EQ(settings.Read("VOICEBOOK", "VoiceBook001"), a);
  EXPECT_EQ(settings.Read("VOICEBOOK", "VoiceBook003"), "END");
  auto again = MakeList({});
  EXPECT_EQ(Names(*again), (std::vector<std::string>{"a", "b"}));
}

}  // namespace
