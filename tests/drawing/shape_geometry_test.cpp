#include "drawing/shape_geometry.h"

#include <gtest/gtest.h>

namespace orvilo::drawing {
namespace {

using gdi::Point;

TEST(ShapeGeometry, PolygonInItsRectangle) {
  const auto points = PolygonPoints({0, 0}, {100, 50});
  EXPECT_EQ(points, (std::array<Point, 5>{Point{0, 19}, Point{19, 50}, Point{80, 50}, Point{100, 19}, Point{50, 0}}));
  EXPECT_EQ(PolygonPoints({100, 50}, {0, 0}), points);  // corners in any order
}

TEST(ShapeGeometry, WaveStartsAtItsPhaseAndRunsToItsEnd) {
  const auto points = WavePoints({100, 200}, {460, 230});
  ASSERT_FALSE(points.empty());
  EXPECT_EQ(points.front(), (Point{100, 175}));
  for (const Point& p : points) {
    EXPECT_GE(p.y, 170);
    EXPECT_LE(p.y, 230);
    EXPECT_LT(p.x, 460);
  }
  EXPECT_GE(points.back().x, 458);
  EXPECT_TRUE(WavePoints({100, 200}, {100, 230}).empty());
  EXPECT_TRUE(WavePoints({100, 200}, {50, 230}).empty());
}

}  // namespace
}  // namespace orvilo::drawing
