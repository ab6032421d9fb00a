#include "platform/camctl/camera_controls.h"

#include <gtest/gtest.h>
#include <linux/videodev2.h>

namespace orvilo::camctl {
namespace {

// A configuration's descriptors: interface 0 is video control (class 14,
// subclass 1) with a camera terminal (subtype 2) and an extension unit 4
// (subtype 6); an extension-unit-like descriptor in another interface must
// not count.
const std::vector<std::uint8_t> kDescriptors = {
    9, 0x02, 0, 0, 1, 1, 0, 0x80, 50,               // configuration
    9, 0x04, 1, 0, 0, 0xFF, 0x00, 0, 0,             // vendor interface
    5, 0x24, 0x06, 9, 0,                            // not video control: ignored
    9, 0x04, 0, 0, 1, 0x0E, 0x01, 0, 0,             // video control interface
    8, 0x24, 0x02, 1, 1, 2, 0, 0,                   // camera terminal
    6, 0x24, 0x06, 4, 0, 0,                         // extension unit 4
    6, 0x24, 0x06, 5, 0, 0,                         // a second one
};

TEST(FirstExtensionUnit, FindsTheFirstUnitOfTheVideoControlInterface) {
  EXPECT_EQ(FirstExtensionUnit(kDescriptors), 4);
}

TEST(FirstExtensionUnit, NoneInEmptyOrBrokenDescriptors) {
  EXPECT_EQ(FirstExtensionUnit({}), 0);
  EXPECT_EQ(FirstExtensionUnit({9, 0x04, 0, 0, 1, 0x0E, 0x01, 0, 0, 0, 0x24}), 0);  // zero length stops the walk
  std::vector<std::uint8_t> broken = kDescriptors;
  broken[40] = 200;  // the first extension unit claims more bytes than there are
  EXPECT_EQ(FirstExtensionUnit(broken), 0);
}

TEST(CameraControls, WithoutADeviceNodeEveryCallDoesNothing) {
  for (const char* path : {"demo", "/dev/video-none", ""}) {
    const CameraControls controls(path);
    EXPECT_FALSE(controls.IsOpen());
    EXPECT_FALSE(controls.Query(V4L2_CID_FOCUS_ABSOLUTE));
    EXPECT_FALSE(controls.Get(V4L2_CID_FOCUS_ABSOLUTE));
    EXPECT_FALSE(controls.Set(V4L2_CID_FOCUS_ABSOLUTE, 3));
    EXPECT_TRUE(controls.List().empty());
    EXPECT_FALSE(controls.ExtensionUnitSet(2, 1));
  }
}

}  // namespace
}  // namespace orvilo::camctl
