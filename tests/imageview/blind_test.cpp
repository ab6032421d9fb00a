#include <gtest/gtest.h>

#include "imageview/blind_window.h"
#include "imageview/image_window.h"
#include "tests/imageview/window_test_support.h"
#include "ui/skin_button.h"

namespace orvilo::imageview {
namespace {

using namespace testing;

class BlindTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(view.Create(&owner, "image", 100, QRect(0, 0, 900, 600))); }
  RecordingOwner owner;
  CVyr3ImageWnd view;
};

TEST_F(BlindTest, ThreeBlindsAtTheirDefaultPlacesWithNamesAndIds) {
  for (int i = 0; i < 3; ++i) view.AddBlind(0, 0, 0, 0);
  ASSERT_EQ(view.Blinds().size(), 3u);
  EXPECT_EQ(view.BlindRectangles(), (std::vector<gdi::Rect>{{10, 10, 310, 160}, {20, 20, 320, 170}, {30, 30, 330, 180}}));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(view.Blinds()[i]->objectName(), QString("BlindWnd0%1").arg(i + 1));
    EXPECT_EQ(view.Blinds()[i]->ControlId(), 1831 + i);
  }
  view.AddBlind(5, 6, 105, 56);  // a given place is taken as it is
  EXPECT_EQ(view.BlindRectangles().back(), (gdi::Rect{5, 6, 105, 56}));
}

TEST_F(BlindTest, ClosingTheSecondKeepsTheOthersAndTheNextReusesNumberThree) {
  for (int i = 0; i < 3; ++i) view.AddBlind(0, 0, 0, 0);
  CBlindWnd* second = view.Blinds()[1];
  ASSERT_NE(second->CloseButton(), nullptr);
  const QPoint centre = second->CloseButton()->rect().center();
  Press(second->CloseButton(), centre);
  Release(second->CloseButton(), centre);
  QApplication::processEvents();  // the button posts to the blind, the blind to the view
  QApplication::processEvents();
  ASSERT_EQ(view.Blinds().size(), 2u);
  EXPECT_EQ(view.BlindRectangles(), (std::vector<gdi::Rect>{{10, 10, 310, 160}, {30, 30, 330, 180}}));
  view.AddBlind(0, 0, 0, 0);
  EXPECT_EQ(view.BlindRectangles().back(), (gdi::Rect{30, 30, 330, 180}));
  EXPECT_EQ(view.Blinds().back()->objectName(), "BlindWnd03");
  EXPECT_EQ(view.Blinds().back()->ControlId(), 1833);
  view.SendMessage(1831, 12345);  // not a blind of the list: nothing
  view.SendMessage(1831, 0);
  EXPECT_EQ(view.Blinds().size(), 3u);
  view.RemoveAllBlinds();
  EXPECT_TRUE(view.Blinds().empty());
}

TEST_F(BlindTest, DraggingTheBorderStopsAt19By19AndTheInteriorMovesIt) {
  view.AddBlind(100, 100, 300, 200);
  CBlindWnd* blind = view.Blinds()[0];
  Press(blind, QPoint(199, 99));  // bottom-right corner
  MoveHeld(blind, QPoint(-300, -300));
  Release(blind, QPoint(-300, -300));
  EXPECT_EQ(blind->size(), QSize(19, 19));
  EXPECT_EQ(blind->pos(), QPoint(100, 100));
  Press(blind, QPoint(9, 9));  // interior
  MoveHeld(blind, QPoint(59, 29));
  Release(blind, QPoint(9, 9));  // the blind has moved under the pointer
  EXPECT_EQ(blind->pos(), QPoint(150, 120));
}

TEST_F(BlindTest, TextureStretchedOnlyForAWideBlindAndTheBorderIsYellow) {
  view.resize(1600, 600);
  view.AddBlind(0, 0, 1500, 300);
  view.AddBlind(0, 0, 400, 300);
  EXPECT_EQ(view.Blinds()[0]->TextureSource(), QRect(0, 0, 1473, 1162));
  EXPECT_EQ(view.Blinds()[1]->TextureSource(), QRect(0, 0, 394, 294));
  const QImage shown = view.Blinds()[1]->grab().toImage();
  EXPECT_EQ(shown.pixel(1, 150), qRgb(222, 222, 57));
}

}  // namespace
}  // namespace orvilo::imageview
