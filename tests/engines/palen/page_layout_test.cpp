#include "engines/palen/page_layout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

constexpr int kCharacterSet = 595;
constexpr PalenRect kPage{0, 0, 2000, 1500};

PalenLayoutItem Block(int kind, int left, int top, int right, int bottom, int lines) {
  PalenLayoutItem block{};
  block.kind = kind;
  block.recognise = 1;
  block.left = left;
  block.top = top;
  block.right = right;
  block.bottom = bottom;
  block.lineCount = lines;
  return block;
}

struct LayoutCase {
  const char* name;
  std::vector<PalenLayoutItem> blocks;
  bool ink;
  std::vector<int> expectedKinds;
  int expectedLines;  // of the first item
};
void PrintTo(const LayoutCase& value, std::ostream* out) { *out << value.name; }

class SettleLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(SettleLayoutTest, KeepsColumnsAndReadsEverythingElseAsOneColumn) {
  const std::vector<PalenLayoutItem> items = palen::SettleLayout(GetParam().blocks, kPage, kCharacterSet, GetParam().ink);
  std::vector<int> kinds;
  for (const PalenLayoutItem& item : items) kinds.push_back(item.kind);
  EXPECT_EQ(kinds, GetParam().expectedKinds);
  if (!items.empty()) {
    EXPECT_EQ(items[0].lineCount, GetParam().expectedLines);
  }
  if (kinds == std::vector<int>{PALEN_ITEM_COLUMN}) {
    EXPECT_EQ(items[0].left, kPage.left);
    EXPECT_EQ(items[0].right, kPage.right);
    EXPECT_EQ(items[0].bottom, kPage.bottom);
    EXPECT_EQ(items[0].characterSet, kCharacterSet);
    EXPECT_EQ(items[0].recognise, 1);
  }
}

const std::vector<PalenLayoutItem> kTwoColumns = {Block(PALEN_ITEM_TEXT, 100, 100, 900, 400, 6),
                                                  Block(PALEN_ITEM_TEXT, 1000, 100, 1900, 450, 7)};

INSTANTIATE_TEST_SUITE_P(
    Pages, SettleLayoutTest,
    testing::Values(
        LayoutCase{"BlankPaper", {}, false, {}, 0},
        LayoutCase{"InkTheBlockFinderMissed", {}, true, {PALEN_ITEM_COLUMN}, 0},
        LayoutCase{"ParagraphsAndAFigureStacked",
                   {Block(PALEN_ITEM_TEXT, 100, 100, 1900, 200, 2), Block(PALEN_ITEM_PICTURE, 150, 250, 900, 600, 0),
                    Block(PALEN_ITEM_TEXT, 100, 650, 1900, 900, 5)},
                   false,
                   {PALEN_ITEM_COLUMN},
                   7},
        LayoutCase{"TwoColumns", kTwoColumns, false, {PALEN_ITEM_TEXT, PALEN_ITEM_TEXT}, 6},
        // One line cut in two blocks a word space apart is no pair of columns.
        LayoutCase{"LineCutInTwo",
                   {Block(PALEN_ITEM_TEXT, 100, 100, 900, 300, 4), Block(PALEN_ITEM_TEXT, 905, 100, 1900, 300, 4)},
                   false,
                   {PALEN_ITEM_COLUMN},
                   8},
        // Lines of a "vertical" block are counted again across it: 100 high at 50 a line.
        LayoutCase{"VerticalGuessIsOneRow",
                   {Block(PALEN_ITEM_TEXT, 100, 100, 1900, 200, 2), Block(PALEN_ITEM_TEXT, 100, 300, 900, 400, 0)},
                   false,
                   {PALEN_ITEM_COLUMN},
                   4},
        LayoutCase{"CaptionBesideAFigure",
                   {Block(PALEN_ITEM_PICTURE, 100, 100, 900, 600, 0), Block(PALEN_ITEM_TEXT, 1000, 100, 1900, 600, 9)},
                   false,
                   {PALEN_ITEM_COLUMN},
                   9}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

}  // namespace
