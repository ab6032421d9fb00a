#include "ui/tooltips.h"

#include <gtest/gtest.h>

#include "core/command_ids.h"

namespace orvilo::ui {
namespace {

TEST(ToolTips, EveryTitleAndBarButtonHasOneInEachLanguage) {
  for (const bool korean : {true, false}) {
    for (int index = 0; index < 8; ++index) EXPECT_FALSE(TitleButtonToolTip(index, korean).empty()) << index;
    for (int bar = 0; bar < 5; ++bar) {
      for (int index = 0; index < command::kBarButtonCount[bar]; ++index) {
        EXPECT_FALSE(CommandBarToolTip(bar, index, korean).empty()) << bar << " " << index;
      }
    }
  }
  EXPECT_NE(CommandBarToolTip(0, 0, true), CommandBarToolTip(0, 0, false));
  EXPECT_EQ(CommandBarToolTip(4, 12, false), "Grade 3");
  EXPECT_EQ(CommandBarToolTip(4, 15, true), "6학년");
}

TEST(ToolTips, UnknownButtonsHaveNone) {
  EXPECT_EQ(TitleButtonToolTip(8, true), "");
  EXPECT_EQ(TitleButtonToolTip(-1, false), "");
  EXPECT_EQ(CommandBarToolTip(0, 40, false), "");
  EXPECT_EQ(CommandBarToolTip(7, 0, false), "");
}

}  // namespace
}  // namespace orvilo::ui
