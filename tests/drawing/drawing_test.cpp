#include "drawing/drawing.h"

#include <gtest/gtest.h>

#include <string>

#include "core/command_ids.h"

namespace orvilo::drawing {
namespace {

Stroke Named(int x) { return Stroke{StrokeKind::Pen, 6, 0, {{x, 0}, {x, 10}}}; }

// Which strokes the list holds, by their first abscissa: "1,2".
std::string Held(const Drawing& drawing) {
  std::string held;
  for (const Stroke& s : drawing.Strokes()) held += (held.empty() ? "" : ",") + std::to_string(s.points[0].x);
  return held;
}

class DrawingTest : public ::testing::Test {
 protected:
  std::vector<int> reports;
  Drawing drawing{[this](int id) { reports.push_back(id); }};
};

TEST_F(DrawingTest, FirstStrokeReportsUndoPossibleAndNothingToRedo) {
  drawing.Commit(Named(1));
  EXPECT_EQ(reports, (std::vector<int>{command::kNothingToRedo, command::kUndoPossible}));
  reports.clear();
  drawing.Commit(Named(2));
  EXPECT_EQ(reports, (std::vector<int>{command::kNothingToRedo}));
  EXPECT_EQ(Held(drawing), "1,2");
}

TEST_F(DrawingTest, DrawABUndoDrawCLeavesNothingToRedo) {
  drawing.Commit(Named(1));
  drawing.Commit(Named(2));
  reports.clear();
  ASSERT_TRUE(drawing.Undo());
  EXPECT_EQ(reports, (std::vector<int>{command::kRedoPossible}));
  EXPECT_EQ(Held(drawing), "1");
  reports.clear();
  drawing.Commit(Named(3));
  EXPECT_EQ(reports, (std::vector<int>{command::kNothingToRedo}));
  EXPECT_FALSE(drawing.CanRedo());
  EXPECT_FALSE(drawing.Redo());
  EXPECT_EQ(Held(drawing), "1,3");
  ASSERT_TRUE(drawing.Undo());
  EXPECT_EQ(Held(drawing), "1");
  ASSERT_TRUE(drawing.Undo());
  EXPECT_EQ(Held(drawing), "");
  EXPECT_FALSE(drawing.Undo());
}

TEST_F(DrawingTest, UndoAllThenRedoAllWalksBothWaysWithTheReports) {
  drawing.Commit(Named(1));
  drawing.Commit(Named(2));
  reports.clear();
  drawing.Undo();
  drawing.Undo();
  EXPECT_EQ(reports, (std::vector<int>{command::kRedoPossible, command::kNothingToUndo}));
  reports.clear();
  drawing.Redo();
  EXPECT_EQ(Held(drawing), "1");
  drawing.Redo();
  EXPECT_EQ(Held(drawing), "1,2");
  EXPECT_EQ(reports, (std::vector<int>{command::kUndoPossible, command::kNothingToRedo}));
}

TEST_F(DrawingTest, EraseAllIsOneStepThatUndoRestoresAndRedoClearsAgain) {
  drawing.Commit(Named(1));
  drawing.Commit(Named(2));
  drawing.EraseAll();
  EXPECT_EQ(Held(drawing), "");
  drawing.Undo();
  EXPECT_EQ(Held(drawing), "1,2");
  drawing.Redo();
  EXPECT_EQ(Held(drawing), "");
  drawing.Undo();
  drawing.Commit(Named(3));
  EXPECT_EQ(Held(drawing), "1,2,3");
  drawing.Undo();
  drawing.Undo();
  EXPECT_EQ(Held(drawing), "1");
}

TEST_F(DrawingTest, EraserIsAStrokeLikeAnyOtherAndUndoTakesItBack) {
  drawing.Commit(Named(1));
  drawing.Commit(Stroke{StrokeKind::Eraser, 6, 0, {{0, 5}, {20, 5}}});
  drawing.Commit(Named(3));
  drawing.Undo();
  drawing.Undo();
  EXPECT_EQ(Held(drawing), "1");
  drawing.Redo();
  ASSERT_EQ(drawing.Strokes().size(), 2u);
  EXPECT_EQ(drawing.Strokes()[1].kind, StrokeKind::Eraser);
}

TEST_F(DrawingTest, ResetForgetsEverythingWithoutReports) {
  drawing.Commit(Named(1));
  drawing.Commit(Named(2));
  drawing.Undo();
  reports.clear();
  drawing.Reset();
  EXPECT_TRUE(reports.empty());
  EXPECT_TRUE(drawing.Strokes().empty());
  EXPECT_FALSE(drawing.CanUndo());
  EXPECT_FALSE(drawing.CanRedo());
  drawing.Commit(Named(4));
  EXPECT_EQ(reports, (std::vector<int>{command::kNothingToRedo, command::kUndoPossible}));
}

TEST_F(DrawingTest, UndoAndRedoMoveStrokesWithoutCopyingThem) {
  Stroke big = Named(1);
  big.points.resize(10000, gdi::Point{1, 1});
  drawing.Commit(std::move(big));
  const gdi::Point* storage = drawing.Strokes()[0].points.data();
  drawing.Undo();
  drawing.Redo();
  EXPECT_EQ(drawing.Strokes()[0].points.data(), storage);
}

TEST(StrokeRules, FreehandPointsAreKeptBeyondTwoPixelsManhattan) {
  EXPECT_FALSE(FarEnoughForNewPoint({10, 10}, {11, 11}));
  EXPECT_FALSE(FarEnoughForNewPoint({10, 10}, {12, 10}));
  EXPECT_TRUE(FarEnoughForNewPoint({10, 10}, {12, 11}));
  EXPECT_TRUE(FarEnoughForNewPoint({10, 10}, {7, 10}));
  EXPECT_EQ(PenWidthForEntry(3), 7);
  EXPECT_EQ(kInitialPenWidth, 6);
}

}  // namespace
}  // namespace orvilo::drawing
