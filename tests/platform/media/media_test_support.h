// GStreamer for the media tests: the isolated test set-up with the system
// plug-ins the capture graph uses, our decoder on the plug-in path, and the
// demo camera registered.
#pragma once

#include <gtest/gtest.h>

#include "gstreamer_for_tests.h"
#include "platform/media/gstreamer_runtime.h"

namespace orvilo::media::testing {

inline void StartMediaGstreamer() {
  const std::string error = mjpeg::testing::StartGstreamer({"coreelements", "app", "jpeg", "videoconvertscale"},
                                                            ORVILO_PROGRAM_DIR);
  ASSERT_EQ(error, "");
  ASSERT_TRUE(EnsureGstreamer());
}

}  // namespace orvilo::media::testing
