#include "engines/arviewer/viewer_state.h"

#include <gtest/gtest.h>

#include "engines/arviewer/turntable_view.h"

namespace orvilo::arviewer {
namespace {

std::uintptr_t Signed(int value) { return static_cast<std::uintptr_t>(static_cast<std::intptr_t>(value)); }

Effect Apply(ViewerState& state, std::uint32_t number, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
  bool handled = false;
  const Effect effect = state.Apply(number, wParam, lParam, handled);
  EXPECT_TRUE(handled) << number;
  return effect;
}

TEST(ViewerState, FollowsZoomAndTurnsAndGoesBackOnZero) {
  ViewerState state;
  EXPECT_EQ(Apply(state, message::kZoom, 110), Effect::Repaint);
  Apply(state, message::kZoom, 109);
  EXPECT_NEAR(state.Scale(), 1.199, 0.001);
  Apply(state, message::kZoom, 0);
  EXPECT_DOUBLE_EQ(state.Scale(), 1.0);
  Apply(state, message::kRotate1, Signed(-15));
  Apply(state, message::kRotate2, 15);
  Apply(state, message::kRotate2, 15);
  EXPECT_EQ(state.Tilt(), -15);
  EXPECT_EQ(state.Spin(), 30);
  Apply(state, message::kRotate2, 0);
  EXPECT_EQ(state.Spin(), 0);
  const bool labels = state.Labels();
  Apply(state, message::kTenth);
  EXPECT_NE(state.Labels(), labels);
}

TEST(ViewerState, SizeCloseAndUnknownMessages) {
  ViewerState state;
  EXPECT_EQ(Apply(state, message::kSize, 0, 1024 | (768 << 16)), Effect::Resize);
  EXPECT_EQ(state.Width(), 1024);
  EXPECT_EQ(state.Height(), 768);
  EXPECT_EQ(Apply(state, message::kClose), Effect::Quit);
  bool handled = true;
  EXPECT_EQ(state.Apply(4711, 0, 0, handled), Effect::None);
  EXPECT_FALSE(handled);
}

TEST(ViewerState, HostileValuesStayBounded) {
  ViewerState state;
  for (int i = 0; i < 100; ++i) Apply(state, message::kZoom, 1000);
  EXPECT_DOUBLE_EQ(state.Scale(), ViewerState::kMaxScale);
  for (int i = 0; i < 100; ++i) Apply(state, message::kZoom, 1);
  EXPECT_DOUBLE_EQ(state.Scale(), ViewerState::kMinScale);
  Apply(state, message::kRotate1, Signed(2000000000));
  Apply(state, message::kRotate1, Signed(2000000000));
  EXPECT_GT(state.Tilt(), -360);
  EXPECT_LT(state.Tilt(), 360);
}

// The scene shows the picture; turning and zooming change what is drawn.
TEST(TurntableView, DrawsThePictureAndFollowsTheState) {
  ViewerState state;
  QImage picture(100, 60, QImage::Format_RGB32);
  picture.fill(Qt::green);
  TurntableView view(picture, "unit", state);
  const auto greenPixels = [&] {
    const QImage shown = view.Render(QSize(400, 300));
    int count = 0;
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = 0; x < shown.width(); ++x) count += shown.pixelColor(x, y) == QColor(Qt::green) ? 1 : 0;
    }
    return count;
  };
  const int upright = greenPixels();
  EXPECT_GT(upright, 150 * 90);  // half the view wide at the default scale
  Apply(state, message::kRotate2, 60);
  const int turned = greenPixels();
  EXPECT_LT(turned, upright * 3 / 4);
  Apply(state, message::kRotate2, 0);
  Apply(state, message::kZoom, 150);
  EXPECT_GT(greenPixels(), upright * 2);
}

TEST(TurntableView, AUnitWithoutPictureShowsACardWithItsTitle) {
  const QImage card = PlaceholderCard("3 학년 1 학기 1 단원");
  EXPECT_FALSE(card.isNull());
  EXPECT_EQ(card.size(), QSize(320, 240));
}

}  // namespace
}  // namespace orvilo::arviewer
