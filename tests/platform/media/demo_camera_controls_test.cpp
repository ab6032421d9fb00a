#include "platform/media/demo_camera_controls.h"

#include <gst/gst.h>
#include <gtest/gtest.h>
#include <linux/videodev2.h>

#include "media_test_support.h"
#include "platform/media/demo_camera_src.h"

namespace orvilo::media {
namespace {

// The demo camera's brightness and contrast as controls: its property
// ranges, writes that reach the element, values out of range refused; no
// other control, and none at all for another element or none.
TEST(DemoCameraControls, BrightnessAndContrastAreTheElementsPropertiesAndNothingElse) {
  testing::StartMediaGstreamer();
  GstElement* source = gst_element_factory_make(kDemoCameraElement, "source");
  ASSERT_NE(source, nullptr);
  gst_object_ref_sink(source);
  {
    const DemoCameraControls controls(source);
    const auto brightness = controls.Query(V4L2_CID_BRIGHTNESS);
    ASSERT_TRUE(brightness.has_value());
    EXPECT_EQ(brightness->minimum, -128);
    EXPECT_EQ(brightness->maximum, 127);
    EXPECT_EQ(brightness->defaultValue, 0);
    EXPECT_EQ(controls.Query(V4L2_CID_CONTRAST)->defaultValue, 100);
    EXPECT_TRUE(controls.Set(V4L2_CID_CONTRAST, 150));
    gint contrast = 0;
    g_object_get(source, "contrast", &contrast, nullptr);
    EXPECT_EQ(contrast, 150);
    EXPECT_EQ(controls.Get(V4L2_CID_CONTRAST), 150);
    EXPECT_FALSE(controls.Set(V4L2_CID_BRIGHTNESS, 300));
    EXPECT_EQ(controls.Get(V4L2_CID_BRIGHTNESS), 0);
    EXPECT_FALSE(controls.Query(V4L2_CID_EXPOSURE_AUTO).has_value());
    EXPECT_FALSE(controls.Set(V4L2_CID_POWER_LINE_FREQUENCY, 1));
  }
  GstElement* other = gst_element_factory_make("fakesrc", nullptr);
  ASSERT_NE(other, nullptr);
  gst_object_ref_sink(other);
  EXPECT_FALSE(DemoCameraControls(other).Query(V4L2_CID_BRIGHTNESS).has_value());
  EXPECT_FALSE(DemoCameraControls(nullptr).Get(V4L2_CID_BRIGHTNESS).has_value());
  gst_object_unref(other);
  gst_object_unref(source);
}

}  // namespace
}  // namespace orvilo::media
