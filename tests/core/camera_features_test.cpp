#include "core/camera_features.h"

#include <gtest/gtest.h>

using namespace orvilo;
using namespace orvilo::core;

TEST(CameraFeatures, ModelGivesVariantCaptionAndTabs) {
  struct Case {
    int model;
    int variant;
    const char* caption;
    std::vector<ViewMode> tabs;
  };
  using enum ViewMode;
  const Case cases[] = {
      {0, 0, "", {Camera, Image, Movie}},
      {1, 0, "QEL-3.2", {Camera, Image, Movie}},
      {2, 1, "QEL-3.2T", {Camera, Image, Reading, Movie}},
      {3, 2, "QEL-3.2T", {Camera, Image, AR, Movie}},
      {4, 3, "QEL-3.2T", {Camera, Image, Reading, AR, Movie}},
      {5, 1, "WRM-5.0", {Camera, Image, Reading, Movie}},
      {6, 3, "WRM-5.0", {Camera, Image, Reading, AR, Movie}},
      {7, 1, "WRM-5.0", {Camera, Image, Reading, Movie}},
      {8, 3, "WRM-5.0", {Camera, Image, Reading, AR, Movie}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FeatureVariantOf(c.model), c.variant) << c.model;
    EXPECT_EQ(MainWindowCaption(c.model, ""), c.caption) << c.model;
    EXPECT_EQ(TabModes(c.variant), c.tabs) << c.model;
  }
  EXPECT_EQ(MainWindowCaption(8, "3학년 1반"), "3학년 1반");
}
