#include "platform/media/demo_camera_src.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media_test_support.h"

namespace orvilo::media {
namespace {

struct Pulled {
  std::vector<std::vector<std::uint8_t>> frames;
  std::vector<GstClockTime> timestamps;
  std::string error;
  std::string caps;
};

// Runs `description` (ending in an appsink named sink) until `count` frames
// or the end of the stream.
Pulled Pull(const std::string& description, int count) {
  Pulled result;
  GError* parseError = nullptr;
  GstElement* pipeline = gst_parse_launch(description.c_str(), &parseError);
  if (parseError != nullptr) {
    result.error = parseError->message;
    g_error_free(parseError);
    if (pipeline) gst_object_unref(pipeline);
    return result;
  }
  GstElement* sink = gst_bin_get_by_name(GST_BIN(pipeline), "sink");
  gst_element_set_state(pipeline, GST_STATE_PLAYING);
  while (static_cast<int>(result.frames.size()) < count) {
    GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(sink), 5 * GST_SECOND);
    if (sample == nullptr) break;
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    GstMapInfo map;
    if (gst_buffer_map(buffer, &map, GST_MAP_READ)) {
      result.frames.emplace_back(map.data, map.data + map.size);
      gst_buffer_unmap(buffer, &map);
    }
    result.timestamps.push_back(GST_BUFFER_PTS(buffer));
    gchar* caps = gst_caps_to_string(gst_sample_get_caps(sample));
    result.caps = caps;
    g_free(caps);
    gst_sample_unref(sample);
  }
  GstBus* bus = gst_element_get_bus(pipeline);
  if (GstMessage* message = gst_bus_timed_pop_filtered(bus, 0, GST_MESSAGE_ERROR)) {
    GError* error = nullptr;
    gst_message_parse_error(message, &error, nullptr);
    result.error = error->message;
    g_error_free(error);
    gst_message_unref(message);
  }
  gst_object_unref(bus);
  gst_element_set_state(pipeline, GST_STATE_NULL);
  gst_object_unref(sink);
  gst_object_unref(pipeline);
  return result;
}

bool HasHuffmanTable(const std::vector<std::uint8_t>& jpeg) {
  for (std::size_t at = 2; at + 4 <= jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] != 0xDA;) {
    if (jpeg[at + 1] == 0xC4) return true;
    at += 2 + ((std::size_t{jpeg[at + 2]} << 8) | jpeg[at + 3]);
  }
  return false;
}

TEST(DemoCameraSrc, SendsMjpegWithoutHuffmanTablesAtTheNegotiatedSizeAndRate) {
  testing::StartMediaGstreamer();
  const Pulled pulled =
      Pull("orvilodemocamsrc ! image/jpeg,width=640,height=480,framerate=20/1 ! appsink name=sink sync=false", 4);
  ASSERT_EQ(pulled.frames.size(), 4u) << pulled.error;
  for (const auto& frame : pulled.frames) {
    ASSERT_GT(frame.size(), 4u);
    EXPECT_EQ(frame[0], 0xFF);
    EXPECT_EQ(frame[1], 0xD8);
    EXPECT_FALSE(HasHuffmanTable(frame));
  }
  EXPECT_NE(pulled.caps.find("width=(int)640"), std::string::npos) << pulled.caps;
  // Paced by the clock, 50 ms apart.
  EXPECT_EQ(pulled.timestamps[3] - pulled.timestamps[2], GST_SECOND / 20);
}

TEST(DemoCameraSrc, SendsYuy2WhenAskedAndOurDecoderReadsItsMjpeg) {
  testing::StartMediaGstreamer();
  const Pulled yuy2 = Pull(
      "orvilodemocamsrc ! video/x-raw,format=YUY2,width=320,height=240,framerate=30/1 ! appsink name=sink sync=false", 2);
  ASSERT_EQ(yuy2.frames.size(), 2u) << yuy2.error;
  EXPECT_EQ(yuy2.frames[0].size(), 320u * 240 * 2);
  const Pulled decoded = Pull(
      "orvilodemocamsrc ! image/jpeg,width=320,height=240,framerate=30/1 ! vxmmjpegdec ! appsink name=sink sync=false",
      2);
  ASSERT_EQ(decoded.frames.size(), 2u) << decoded.error;
  EXPECT_EQ(decoded.frames[0].size(), 320u * 240 * 4);
}

TEST(DemoCameraSrc, FailAfterEndsTheStreamWithAnErrorLikeAnUnpluggedCamera) {
  testing::StartMediaGstreamer();
  const Pulled pulled = Pull(
      "orvilodemocamsrc fail-after=3 ! image/jpeg,width=160,height=120,framerate=60/1 ! appsink name=sink sync=false", 10);
  EXPECT_EQ(pulled.frames.size(), 3u);
  EXPECT_EQ(pulled.error, "The camera stopped sending pictures.");
}

TEST(DemoCameraSrc, PaintsThePageItIsGiven) {
  testing::StartMediaGstreamer();
  SetDemoPagePainter([](int width, int height) {
    QImage page(width, height, QImage::Format_RGB32);
    page.fill(QColor(0, 0, 255));
    return page;
  });
  const Pulled pulled = Pull(
      "orvilodemocamsrc ! image/jpeg,width=160,height=120,framerate=30/1 ! vxmmjpegdec ! appsink name=sink sync=false", 1);
  SetDemoPagePainter(nullptr);
  ASSERT_EQ(pulled.frames.size(), 1u) << pulled.error;
  const std::uint8_t* corner = pulled.frames[0].data();  // BGRx, top left: far from the pointer
  EXPECT_GT(corner[0], 220);
  EXPECT_LT(corner[2], 40);
}

}  // namespace
}  // namespace orvilo::media
