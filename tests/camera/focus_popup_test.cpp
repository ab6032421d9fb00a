#include "camera/focus_popup.h"

#include <gtest/gtest.h>

namespace orvilo::camera {
namespace {

struct Popup {
  std::vector<int> set;
  CVyrMFocusWnd window;
  Popup() {
    window.SetFocusSetter([this](int value) { set.push_back(value); });
  }
};

TEST(CVyrMFocusWnd, FixedScaleStopsAt256AndTheSliderMapsPercent) {
  Popup popup;
  popup.window.SetValue(300, 0);
  EXPECT_EQ(popup.window.SliderPosition(), 256);
  EXPECT_EQ(popup.window.SliderScale(), 256);
  popup.window.SetValue(256, 0);
  popup.window.SendCommand(CVyrMFocusWnd::kStepUp);
  EXPECT_TRUE(popup.set.empty());
  popup.window.OnSlider(50, false);
  EXPECT_EQ(popup.set, std::vector<int>{128});
  popup.window.SendCommand(CVyrMFocusWnd::kStepDown);
  EXPECT_EQ(popup.set, (std::vector<int>{128, 127}));
}

TEST(CVyrMFocusWnd, DeviceScalePlacesTheSliderOnTheValueAtRelease) {
  Popup popup;
  popup.window.SetValue(10, 100);
  popup.window.OnSlider(33, true);
  EXPECT_EQ(popup.set, std::vector<int>{33});
  EXPECT_EQ(popup.window.SliderPosition(), 33 * 254 / 100 + 3);  // 86
  EXPECT_EQ(popup.window.SliderScale(), 261);
  popup.window.OnSlider(33, false);  // unchanged: nothing sent
  EXPECT_EQ(popup.set.size(), 1u);
  popup.window.SetValue(0, 100);
  popup.window.SendCommand(CVyrMFocusWnd::kStepDown);
  EXPECT_EQ(popup.set.size(), 1u);
  popup.window.SetValue(100, 100);
  popup.window.SendCommand(CVyrMFocusWnd::kStepUp);
  EXPECT_EQ(popup.set.size(), 1u);
}

}  // namespace
}  // namespace orvilo::camera
