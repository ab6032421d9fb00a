#include "drawing/picture_mapping.h"

#include <gtest/gtest.h>

#include "drawing/drawing.h"

namespace orvilo::drawing {
namespace {

using gdi::Point;
using gdi::Rect;

TEST(PictureMapping, PointsAndWidthsFollowTheScaleAndOffsetOfThePicture) {
  // 1280 x 1024 frame fitted at half size, centred 20 pixels from the left.
  const PictureMapping fitted{Rect{0, 0, 1280, 1024}, Rect::FromPositionAndSize(20, 0, 640, 512)};
  EXPECT_EQ(ToView(fitted, Point{640, 512}), (Point{340, 256}));
  EXPECT_EQ(ToPicture(fitted, Point{340, 256}), (Point{640, 512}));
  const Stroke inView{StrokeKind::Pen, 6, 0x0000FF, {{20, 0}, {660, 512}}};
  const Stroke inPicture = StrokeToPicture(inView, fitted);
  EXPECT_EQ(inPicture.points, (std::vector<Point>{{0, 0}, {1280, 1024}}));
  EXPECT_EQ(inPicture.width, 12);
  EXPECT_EQ(inPicture.colour, 0x0000FFu);
  EXPECT_EQ(StrokeToView(inPicture, fitted).points, inView.points);

  // Zoomed in: the picture region (100, 100)..(420, 356) fills 640 x 512.
  const PictureMapping zoomed{Rect{100, 100, 420, 356}, Rect{0, 0, 640, 512}};
  EXPECT_EQ(ToView(zoomed, Point{110, 105}), (Point{20, 10}));
  EXPECT_EQ(StrokeToView(Stroke{StrokeKind::Pen, 1, 0, {{100, 100}}}, zoomed).width, 2);
  // A thin stroke shown much smaller keeps a width of one pixel.
  EXPECT_EQ(StrokeToPicture(Stroke{StrokeKind::Pen, 1, 0, {{0, 0}}}, zoomed).width, 1);
  // Without a picture nothing moves.
  EXPECT_EQ(ToPicture(PictureMapping{}, Point{7, 9}), (Point{7, 9}));
}

TEST(PictureMapping, RotateFlipPointsMatchTheTurnedPictureAndComeBack) {
  const gdi::Size source{4, 3};  // pixels (0..3, 0..2)
  struct Case {
    int code;
    Point after;  // where the source's pixel (0, 0) goes
    Point corner;  // where the source's pixel (3, 0) goes
  };
  const Case cases[] = {
      {0, {0, 0}, {3, 0}},  // as it is
      {1, {2, 0}, {2, 3}},  // a quarter turn clockwise: 3 x 4
      {2, {3, 2}, {0, 2}},  // half a turn
      {3, {0, 3}, {0, 0}},  // three quarters
      {4, {3, 0}, {0, 0}},  // mirrored
      {6, {0, 2}, {3, 2}},  // flipped (half a turn and mirrored)
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RotateFlipPoint(Point{0, 0}, source, c.code), c.after) << c.code;
    EXPECT_EQ(RotateFlipPoint(Point{3, 0}, source, c.code), c.corner) << c.code;
    for (const Point p : {Point{0, 0}, Point{3, 0}, Point{1, 2}}) {
      EXPECT_EQ(UnrotateFlipPoint(RotateFlipPoint(p, source, c.code), source, c.code), p) << c.code;
    }
  }
  EXPECT_EQ(RotateFlipPoint(Point{1, 1}, source, 9), (Point{1, 1}));
}

TEST(PictureMapping, MappingADrawingMovesTheListAndTheHistory) {
  Drawing drawing;
  drawing.Commit(Stroke{StrokeKind::Pen, 6, 0, {{1, 1}, {2, 2}}});
  drawing.Commit(Stroke{StrokeKind::Pen, 6, 0, {{5, 5}, {6, 6}}});
  drawing.Undo();  // the second stroke waits in the redo side
  drawing.MapPoints([](Point p) { return Point{p.x + 10, p.y}; });
  EXPECT_EQ(drawing.Strokes()[0].points.front(), (Point{11, 1}));
  drawing.Redo();
  EXPECT_EQ(drawing.Strokes()[1].points.front(), (Point{15, 5}));
  drawing.EraseAll();
  drawing.MapPoints([](Point p) { return Point{p.x, p.y + 1}; });
  drawing.Undo();
  EXPECT_EQ(drawing.Strokes()[1].points.back(), (Point{16, 7}));
}

}  // namespace
}  // namespace orvilo::drawing
