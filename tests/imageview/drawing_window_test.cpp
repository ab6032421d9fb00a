// Drawing on the image view through real mouse events, checked on the
// pixels the view paints.
#include <gtest/gtest.h>

#include "imageview/image_window.h"
#include "core/command_ids.h"
#include "tests/imageview/window_test_support.h"

namespace orvilo::imageview {
namespace {

using namespace testing;

class DrawingWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(view.Create(&owner, "image", 100, QRect(0, 0, 400, 300)));
    ASSERT_TRUE(view.SetImage(Filled(400, 300, 255, 255, 255)));
    view.SetMode(ViewMode::Image);
  }
  RecordingOwner owner;
  CVyr3ImageWnd view;
};

TEST_F(DrawingWindowTest, APenStrokePassesThroughItsLastPointWhileDrawnAndAfterARepaint) {
  Drag(&view, {QPoint(50, 50), QPoint(120, 60), QPoint(200, 140)}, false);
  QImage shown = Shown(&view);  // the stroke in progress
  EXPECT_LT(Brightness(shown.pixel(120, 60)), 100);
  EXPECT_LT(Brightness(shown.pixel(200, 140)), 100);
  Release(&view, QPoint(200, 140));
  shown = Shown(&view);
  EXPECT_LT(Brightness(shown.pixel(200, 140)), 100);
  EXPECT_EQ(shown.pixel(200, 150), qRgb(255, 255, 255));
  ASSERT_EQ(view.GetDrawing().Strokes().size(), 1u);
  EXPECT_EQ(view.GetDrawing().Strokes()[0].points.back(), (gdi::Point{200, 140}));
  const QImage repainted = view.RenderContent();  // every stroke drawn again in full
  EXPECT_LT(Brightness(repainted.pixel(200, 140)), 100);
  EXPECT_LT(Brightness(repainted.pixel(85, 55)), 100);
}

TEST_F(DrawingWindowTest, HighlighterIsHalfTransparentDoubleWidthAndDarkerOnlyWhereTwoStrokesCross) {
  view.SetCurrentTool(StrokeKind::Highlighter);
  view.SetPenColour(7);  // blue
  view.SetPenWidth(9);
  // One stroke that doubles back over itself, then one crossing it.
  Drag(&view, {QPoint(40, 100), QPoint(300, 100), QPoint(60, 100)});
  Drag(&view, {QPoint(200, 30), QPoint(200, 250)});
  const QImage shown = Shown(&view);
  const QRgb single = shown.pixel(100, 100);
  EXPECT_NEAR(qRed(single), 127, 3);  // white under blue at alpha 128
  EXPECT_EQ(qBlue(single), 255);
  EXPECT_EQ(shown.pixel(150, 100), single);    // its own overlap does not darken
  EXPECT_NEAR(qRed(shown.pixel(100, 108)), 127, 3);  // 18 pixels wide: 9 either side
  EXPECT_EQ(shown.pixel(100, 112), qRgb(255, 255, 255));
  EXPECT_LT(qRed(shown.pixel(200, 100)), qRed(single) - 40);  // the crossing is darker
  EXPECT_EQ(view.RenderContent().pixel(150, 100), single);
}

TEST_F(DrawingWindowTest, EraserUncoversThePictureAndUndoBringsBackWhatItRemoved) {
  ASSERT_TRUE(view.SetImage(Filled(400, 300, 0, 200, 0)));
  view.SetPenColour(2);  // red
  Drag(&view, {QPoint(50, 150), QPoint(350, 150)});
  view.SetCurrentTool(StrokeKind::Eraser);
  view.SetPenWidth(15);
  Drag(&view, {QPoint(200, 100), QPoint(200, 200)}, false);
  EXPECT_EQ(Shown(&view).pixel(200, 150), qRgb(0, 200, 0));  // while erasing
  Release(&view, QPoint(200, 200));
  EXPECT_EQ(Shown(&view).pixel(200, 150), qRgb(0, 200, 0));
  EXPECT_EQ(Shown(&view).pixel(100, 150), qRgb(255, 0, 0));
  view.SetCurrentTool(StrokeKind::Pen);
  view.SetPenColour(7);
  Drag(&view, {QPoint(180, 140), QPoint(230, 160)});
  EXPECT_EQ(Shown(&view).pixel(205, 150), qRgb(0, 0, 255));  // drawn after the eraser: stays
  view.Undo();
  EXPECT_EQ(Shown(&view).pixel(205, 150), qRgb(0, 200, 0));
  view.Undo();
  EXPECT_EQ(Shown(&view).pixel(200, 150), qRgb(255, 0, 0));
  view.Redo();
  EXPECT_EQ(Shown(&view).pixel(200, 150), qRgb(0, 200, 0));
}

TEST_F(DrawingWindowTest, UndoPutsBackExactlyTheLayerBeforeTheStrokeWhetherKeptOrRedrawn) {
  view.SetPenColour(2);
  Drag(&view, {QPoint(50, 100), QPoint(350, 100)});
  view.SetCurrentTool(StrokeKind::Highlighter);
  view.SetPenColour(7);
  Drag(&view, {QPoint(200, 30), QPoint(200, 250)});
  const QImage withOne = [&] {
    CVyr3ImageWnd other;
    other.Create(&owner, "other", 101, QRect(0, 0, 400, 300));
    other.SetImage(Filled(400, 300, 255, 255, 255));
    other.SetMode(ViewMode::Image);
    other.SetPenColour(2);
    Drag(&other, {QPoint(50, 100), QPoint(350, 100)});
    return Shown(&other);
  }();
  view.Undo();  // from the pixels kept when the stroke was drawn
  EXPECT_EQ(Shown(&view), withOne);
  view.Redo();
  EXPECT_LT(qRed(Shown(&view).pixel(200, 100)), 200);
  view.SetArrangement(Arrangement::Split);  // a rebuild forgets the kept pixels
  Shown(&view);
  view.Undo();  // so the stroke's box is drawn again from the strokes below
  EXPECT_EQ(Shown(&view), withOne);
}

TEST_F(DrawingWindowTest, UndoRedoAndEraseAllReportToTheMainWindow) {
  Drag(&view, {QPoint(10, 10), QPoint(60, 10)});
  Drag(&view, {QPoint(10, 40), QPoint(60, 40)});
  view.Undo();
  Drag(&view, {QPoint(10, 70), QPoint(60, 70)});
  view.Redo();  // nothing to redo: nothing happens
  EXPECT_EQ(owner.commands, (std::vector<int>{command::kNothingToRedo, command::kUndoPossible, command::kNothingToRedo,
                                              command::kRedoPossible, command::kNothingToRedo}));
  EXPECT_LT(Brightness(Shown(&view).pixel(30, 70)), 100);
  EXPECT_EQ(Shown(&view).pixel(30, 40), qRgb(255, 255, 255));
  view.EraseAll();
  EXPECT_EQ(Shown(&view).pixel(30, 10), qRgb(255, 255, 255));
  view.Undo();
  EXPECT_LT(Brightness(Shown(&view).pixel(30, 10)), 100);
  EXPECT_LT(Brightness(Shown(&view).pixel(30, 70)), 100);
  view.Redo();
  EXPECT_EQ(Shown(&view).pixel(30, 70), qRgb(255, 255, 255));
}

TEST_F(DrawingWindowTest, ShapesPreviewInXorAndCommitInTheirColourOnRelease) {
  view.SetCurrentTool(StrokeKind::Quadrangle);
  view.SetPenColour(2);
  view.SetPenWidth(1);
  Drag(&view, {QPoint(100, 100), QPoint(150, 150), QPoint(200, 180)}, false);
  QImage shown = Shown(&view);
  EXPECT_EQ(shown.pixel(150, 100), qRgb(0, 0, 0));  // white XOR white
  EXPECT_EQ(shown.pixel(150, 150), qRgb(255, 255, 255));  // the earlier preview is gone
  Release(&view, QPoint(200, 180));
  shown = Shown(&view);
  EXPECT_EQ(shown.pixel(150, 100), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(100, 140), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(150, 140), qRgb(255, 255, 255));
  ASSERT_EQ(view.GetDrawing().Strokes().size(), 1u);
  EXPECT_EQ(view.GetDrawing().Strokes()[0].points, (std::vector<gdi::Point>{{100, 100}, {200, 180}}));
}

TEST_F(DrawingWindowTest, AStrokeThatLeavesTheViewIsDroppedAndTheScreenPutBack) {
  Drag(&view, {QPoint(300, 150), QPoint(390, 150)}, false);
  MoveHeld(&view, QPoint(420, 150));
  Release(&view, QPoint(420, 150));
  EXPECT_TRUE(view.GetDrawing().Strokes().empty());
  EXPECT_EQ(Shown(&view).pixel(350, 150), qRgb(255, 255, 255));
  EXPECT_TRUE(owner.commands.empty());
}

TEST_F(DrawingWindowTest, AClickWithoutMovementIsKeptAsAnUndoStep) {
  Press(&view, QPoint(20, 20));
  Release(&view, QPoint(20, 20));
  EXPECT_EQ(view.GetDrawing().Strokes().size(), 1u);
  EXPECT_TRUE(view.GetDrawing().CanUndo());
}

TEST_F(DrawingWindowTest, StrokesStayOnTheWindowWhenThePictureZooms) {
  view.ShowNavigator(false);  // it would cover the stroke in this small view
  ASSERT_TRUE(view.SetImage(Filled(800, 600, 0, 200, 0)));
  Drag(&view, {QPoint(100, 100), QPoint(200, 100)});
  view.SetZoom(2.0);
  EXPECT_LT(Brightness(Shown(&view).pixel(150, 100)), 100);
  view.SetZoom(0.5);
  const QImage shown = Shown(&view);
  EXPECT_LT(Brightness(shown.pixel(150, 100)), 100);
  EXPECT_EQ(shown.pixel(5, 5), qRgb(57, 57, 57));
}

TEST_F(DrawingWindowTest, PenChoicesApplyToTheNextStroke) {
  view.SetPenColour(3);
  view.SetPenColour(10);  // outside the palette: unchanged
  view.SetPenWidth(drawing::PenWidthForEntry(3));
  Drag(&view, {QPoint(10, 10), QPoint(60, 10)});
  const Stroke& stroke = view.GetDrawing().Strokes()[0];
  EXPECT_EQ(stroke.width, 7);
  EXPECT_EQ(stroke.colour, 0x00FFFFu);  // yellow
}

TEST_F(DrawingWindowTest, ResetDrawingForgetsStrokesHistoryAndBlindsWithoutReports) {
  Drag(&view, {QPoint(10, 10), QPoint(60, 10)});
  view.AddBlind(0, 0, 0, 0);
  owner.commands.clear();
  view.ResetDrawing();
  EXPECT_TRUE(view.GetDrawing().Strokes().empty());
  EXPECT_FALSE(view.GetDrawing().CanUndo());
  EXPECT_TRUE(view.Blinds().empty());
  EXPECT_TRUE(owner.commands.empty());
}

}  // namespace
}  // namespace orvilo::imageview
