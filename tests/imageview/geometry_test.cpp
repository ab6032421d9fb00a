#include <gtest/gtest.h>

#include "imageview/blind_geometry.h"
#include "imageview/picture_transforms.h"
#include "imageview/view_geometry.h"

namespace orvilo::imageview {
namespace {

using gdi::Point;
using gdi::Rect;
using gdi::Size;

TEST(ViewGeometry, ZoomTwoFillsTheClientAndDrawsTheSourceRectangle) {
  const Rect source{100, 100, 1100, 900};
  const Placement p = PicturePlacement({2000, 1000}, {1000, 800}, 2.0f, false, source);
  EXPECT_TRUE(p.draw);
  EXPECT_EQ(p.target, (Rect{0, 0, 1000, 800}));
  EXPECT_EQ(p.source, source);
  EXPECT_FALSE(PicturePlacement({2000, 1000}, {1000, 800}, 2.0f, false, Rect{}).draw);
}

TEST(ViewGeometry, ZoomHalfCentresAQuarterSizePicture) {
  const Placement p = PicturePlacement({2000, 1000}, {1000, 800}, 0.5f, false, Rect{});
  EXPECT_TRUE(p.draw);
  EXPECT_EQ(p.target, Rect::FromPositionAndSize(250, 275, 500, 250));
  EXPECT_EQ(p.source, (Rect{0, 0, 2000, 1000}));
}

TEST(ViewGeometry, StretchedOverTheWholeClient) {
  const Placement p = PicturePlacement({640, 480}, {300, 100}, 3.0f, true, Rect{});
  EXPECT_EQ(p.target, (Rect{0, 0, 300, 100}));
  EXPECT_EQ(p.source, (Rect{0, 0, 640, 480}));
}

TEST(ViewGeometry, NavigatorInTheTopRightCorner) {
  EXPECT_EQ(NavigatorRect({1200, 900}), Rect::FromPositionAndSize(906, 0, 294, 221));
}

TEST(ViewGeometry, SourceFromTheNavigatorsRectangles) {
  // Thumbnail 200 x 100 at (10, 60) for a 2000 x 1000 picture: the view
  // rectangle's half-size region at the thumbnail's middle.
  EXPECT_EQ(SourceFromNavigator({60, 85, 160, 135}, {10, 60, 210, 160}, {2000, 1000}), (Rect{500, 250, 1500, 750}));
  // A view rectangle wider than the thumbnail spans the picture's width.
  EXPECT_EQ(SourceFromNavigator({0, 60, 300, 110}, {10, 60, 210, 160}, {2000, 1000}), (Rect{0, 0, 2000, 500}));
}

TEST(ViewGeometry, FirstZoomShowsTheTopLeftOfThePicture) {
  const Rect r = InitialSourceRect({2000, 1000}, {1000, 800}, 2.0f);
  EXPECT_EQ(r, (Rect{0, 0, 1000, 800}));  // scale 1: a client-sized region
  EXPECT_EQ(InitialSourceRect({2000, 1000}, {1000, 800}, 1.0f), (Rect{0, 0, 2000, 1000}));
}

TEST(BlindGeometry, DefaultPlacesNamesAndIds) {
  EXPECT_EQ(DefaultBlindRect(0, {900, 600}), (Rect{10, 10, 310, 160}));
  EXPECT_EQ(DefaultBlindRect(1, {900, 600}), (Rect{20, 20, 320, 170}));
  EXPECT_EQ(DefaultBlindRect(2, {900, 600}), (Rect{30, 30, 330, 180}));
  EXPECT_EQ(BlindName(0), "BlindWnd01");
  EXPECT_EQ(BlindName(2), "BlindWnd03");
  EXPECT_EQ(BlindId(2), 1833);
}

TEST(BlindGeometry, PartsOfABlind) {
  const Rect r{0, 0, 100, 50};
  struct Case {
    Point p;
    BlindPart part;
  };
  const Case cases[] = {{{0, 0}, BlindPart::TopLeft},      {{99, 2}, BlindPart::TopRight},
                        {{2, 49}, BlindPart::BottomLeft},  {{97, 47}, BlindPart::BottomRight},
                        {{50, 0}, BlindPart::Top},         {{50, 49}, BlindPart::Bottom},
                        {{0, 25}, BlindPart::Left},        {{99, 25}, BlindPart::Right},
                        {{3, 3}, BlindPart::Interior},     {{96, 46}, BlindPart::Interior},
                        {{100, 25}, BlindPart::Outside}};
  for (const Case& c : cases) EXPECT_EQ(BlindPartAt(r, c.p), c.part) << c.p.x << "," << c.p.y;
}

TEST(BlindGeometry, TextureStretchedOnlyForABlindAsLargeAsIt) {
  EXPECT_EQ(BlindTextureSource({1473, 200}, {1473, 1162}), (Rect{0, 0, 1473, 1162}));
  EXPECT_EQ(BlindTextureSource({200, 1162}, {1473, 1162}), (Rect{0, 0, 1473, 1162}));
  EXPECT_EQ(BlindTextureSource({1472, 100}, {1473, 1162}), (Rect{0, 0, 1466, 94}));
}

TEST(PictureTransforms, BlackAndWhiteThenNegativeOnPureRed) {
  for (int bits : {24, 32}) {
    gdi::PackedDib picture = gdi::PackedDib::Create(2, 1, bits);
    std::uint8_t* px = picture.Row(0);
    px[2] = 255;  // blue 0, green 0, red 255
    if (bits == 32) px[3] = 7;
    ApplyColourTransforms(picture, true, false);
    EXPECT_EQ(px[0], 76);
    EXPECT_EQ(px[1], 76);
    EXPECT_EQ(px[2], 76);
    ApplyColourTransforms(picture, false, true);
    EXPECT_EQ(px[0], 179);
    EXPECT_EQ(px[2], 179);
    if (bits == 32) {
      EXPECT_EQ(px[3], 7);  // the fourth byte is left alone
    }
  }
}

// Two fingers 100 px apart around a centre, spread to `distance`, moved by (dx, dy).
TwoFingers Fingers(double cx, double cy, double distance) { return TwoFingers{cx - distance / 2, cy, cx + distance / 2, cy}; }

TEST(PinchGeometry, ZoomFollowsTheFingersClampedAndKeepsThePointUnderTheirCentre) {
  const Size picture{400, 300}, client{400, 300};  // 1 client pixel per picture pixel at 100 %
  const Rect whole{0, 0, 400, 300};
  struct Case {
    int percent;
    Rect source;
    TwoFingers from, now;
    int wantPercent;
    Rect wantSource;
  };
  const Case cases[] = {
      // Spread to twice the distance around the view's centre.
      {100, whole, Fingers(200, 150, 100), Fingers(200, 150, 200), 200, Rect{100, 75, 300, 225}},
      // Around another point: that point stays under the fingers.
      {100, whole, Fingers(100, 100, 100), Fingers(100, 100, 200), 200, Rect{50, 50, 250, 200}},
      // Four times the distance: 400 %.
      {100, whole, Fingers(200, 140, 100), Fingers(200, 140, 400), 400, Rect{150, 105, 250, 180}},
      // Clamped at both ends; at 100 % and below the whole picture shows.
      {100, whole, Fingers(200, 150, 100), Fingers(200, 150, 2000), 1000, Rect{180, 135, 220, 165}},
      {100, whole, Fingers(200, 150, 100), Fingers(200, 150, 10), 25, whole},
      {200, Rect{100, 75, 300, 225}, Fingers(200, 150, 100), Fingers(200, 150, 50), 100, whole},
      // A two-finger drag at one distance pans: the picture follows the fingers.
      {200, Rect{100, 75, 300, 225}, Fingers(200, 150, 100), Fingers(240, 170, 100), 200, Rect{80, 65, 280, 215}},
      // ... and stops at the picture's edge.
      {200, Rect{0, 0, 200, 150}, Fingers(200, 150, 100), Fingers(300, 250, 100), 200, Rect{0, 0, 200, 150}},
      // Fingers on one spot: no change of zoom.
      {300, Rect{133, 100, 266, 200}, Fingers(200, 150, 0), Fingers(200, 150, 0), 300, Rect{133, 100, 266, 200}},
  };
  for (const Case& c : cases) {
    const PinchView view = PinchTo(picture, client, c.percent, c.source, c.from, c.now);
    EXPECT_EQ(view.percent, c.wantPercent) << c.percent << " -> " << c.now.Distance();
    EXPECT_EQ(view.source, c.wantSource) << c.percent << " -> " << c.now.Distance();
  }
}

// A wide picture in a squarer view: the picture overflows one axis only;
// the point under the centre still stays put on both.
TEST(PinchGeometry, CentreKeptWhenThePictureIsLetterboxed) {
  const Size picture{800, 300}, client{400, 300};  // fitted 400 x 150 at 100 %, centred at top 75
  const PinchView view = PinchTo(picture, client, 100, Rect{0, 0, 800, 300}, Fingers(300, 150, 100), Fingers(300, 150, 200));
  EXPECT_EQ(view.percent, 200);
  const Placement placed = PicturePlacement(picture, client, 2.0f, false, view.source);
  ASSERT_TRUE(placed.draw);
  // Client (300, 150) showed picture (600, 150) before; it still does.
  const double x = view.source.left + (300.0 - placed.target.left) * view.source.Width() / placed.target.Width();
  const double y = view.source.top + (150.0 - placed.target.top) * view.source.Height() / placed.target.Height();
  EXPECT_NEAR(x, 600, 2);
  EXPECT_NEAR(y, 150, 2);
}

}  // namespace
}  // namespace orvilo::imageview
