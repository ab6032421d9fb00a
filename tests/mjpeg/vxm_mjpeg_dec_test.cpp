// The element in real pipelines. GStreamer finds our plug-in through the plug-in path (the
// build's program folder), as the program does; the system plug-ins these pipelines use
// are loaded by name, with a registry of each test's own (gstreamer_for_tests.h).
#include <gst/app/gstappsink.h>
#include <gst/app/gstappsrc.h>
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "gstreamer_for_tests.h"
#include "platform/sys/dynamic_library.h"
#include "test_frames.h"

using namespace orvilo::mjpeg::testing;

namespace {

void InitGstreamer() {
  const std::string error = StartGstreamer({"coreelements", "app", "videotestsrc", "jpeg", "avi"}, ORVILO_PROGRAM_DIR);
  if (!error.empty()) ADD_FAILURE() << error;
}

struct Pipeline {
  GstElement* pipeline = nullptr;
  explicit Pipeline(const std::string& description) {
    InitGstreamer();
    GError* error = nullptr;
    pipeline = gst_parse_launch(description.c_str(), &error);
    if (error != nullptr) {
      ADD_FAILURE() << error->message;
      g_error_free(error);
    }
  }
  ~Pipeline() {
    if (pipeline == nullptr) return;
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
  }
  GstElement* Get(const char* name) {
    GstElement* e = gst_bin_get_by_name(GST_BIN(pipeline), name);
    gst_object_unref(e);  // the pipeline keeps it alive
    return e;
  }
  GstStateChangeReturn Play() { return gst_element_set_state(pipeline, GST_STATE_PLAYING); }
  // The first error on the bus, or "".
  std::string Error() {
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR);
    gst_object_unref(bus);
    if (message == nullptr) return "";
    GError* error = nullptr;
    gst_message_parse_error(message, &error, nullptr);
    std::string text = error->message;
    g_error_free(error);
    gst_message_unref(message);
    return text;
  }
};

struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> bgrx;
  bool delta = false;
};

// Pulls every picture from an appsink until end of stream (or a 10 s timeout).
std::vector<Picture> PullAll(GstElement* sink, size_t limit = 1000) {
  std::vector<Picture> pictures;
  while (pictures.size() < limit) {
    GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(sink), 10 * GST_SECOND);
    if (sample == nullptr) break;
    Picture p;
    const GstStructure* s = gst_caps_get_structure(gst_sample_get_caps(sample), 0);
    EXPECT_STREQ(gst_structure_get_string(s, "format"), "BGRx");
    gst_structure_get_int(s, "width", &p.width);
    gst_structure_get_int(s, "height", &p.height);
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    p.delta = GST_BUFFER_FLAG_IS_SET(buffer, GST_BUFFER_FLAG_DELTA_UNIT);
    GstMapInfo map;
    if (gst_buffer_map(buffer, &map, GST_MAP_READ)) {
      p.bgrx.assign(map.data, map.data + map.size);
      gst_buffer_unmap(buffer, &map);
    }
    gst_sample_unref(sample);
    pictures.push_back(std::move(p));
  }
  return pictures;
}

// Grey: with the chroma fill of 127, red is blue or one above it, green up to four above.
bool IsGrey(const Picture& p) {
  for (size_t i = 0; i < p.bgrx.size(); i += 4) {
    const int blue = p.bgrx[i], green = p.bgrx[i + 1], red = p.bgrx[i + 2];
    if (red < blue || red > blue + 1 || green < blue || green > blue + 4) return false;
  }
  return !p.bgrx.empty();
}

void Push(GstElement* source, const std::vector<uint8_t>& bytes) {
  GstBuffer* buffer = bytes.empty() ? gst_buffer_new() : gst_buffer_new_memdup(bytes.data(), bytes.size());
  ASSERT_EQ(gst_app_src_push_buffer(GST_APP_SRC(source), buffer), GST_FLOW_OK);
}

std::vector<uint8_t> Frame(int width, int height, uint32_t seed) {
  EncodeOptions options;
  options.huffmanTables = false;
  return EncodeFrame(MakeCameraPicture(width, height, seed), options);
}

const char* kAppSourceCaps = "appsrc name=src format=time caps=\"image/jpeg,width=320,height=240,framerate=30/1\"";

}  // namespace

TEST(VxmMjpegDec, IsRegisteredWithItsIdentity) {
  InitGstreamer();
  GstElementFactory* factory = gst_element_factory_find("vxmmjpegdec");
  ASSERT_NE(factory, nullptr);
  EXPECT_STREQ(gst_element_factory_get_metadata(factory, GST_ELEMENT_METADATA_LONGNAME), "Vexmar MJPEG Decoder");
  EXPECT_STREQ(gst_element_factory_get_metadata(factory, "class-id"), "{EA997654-B9EB-4DC5-8E2D-A1FFAF5A0C77}");
  EXPECT_EQ(gst_plugin_feature_get_rank(GST_PLUGIN_FEATURE(factory)), static_cast<guint>(GST_RANK_NONE));
  GstPlugin* plugin = gst_plugin_feature_get_plugin(GST_PLUGIN_FEATURE(factory));
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(std::filesystem::path(gst_plugin_get_filename(plugin)), std::filesystem::path(ORVILO_PROGRAM_DIR "/VxmMjpeg.so"));
  gst_object_unref(plugin);
  gst_object_unref(factory);
}

// videotestsrc ! jpegenc ! vxmmjpegdec: every frame arrives in BGRx at the input's
// size, equal to what the decoding core makes of the same bytes; the first is a sync point.
TEST(VxmMjpegDec, DecodesJpegencFrames) {
  Pipeline p(
      "videotestsrc num-buffers=5 pattern=smpte ! video/x-raw,width=320,height=240 ! jpegenc ! tee name=t "
      "t. ! queue ! appsink name=jpeg sync=false "
      "t. ! queue ! vxmmjpegdec ! appsink name=raw sync=false");
  ASSERT_NE(p.Play(), GST_STATE_CHANGE_FAILURE);
  const auto pictures = PullAll(p.Get("raw"));
  std::vector<std::vector<uint8_t>> jpegs;
  for (;;) {
    GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(p.Get("jpeg")), 5 * GST_SECOND);
    if (sample == nullptr) break;
    GstMapInfo map;
    gst_buffer_map(gst_sample_get_buffer(sample), &map, GST_MAP_READ);
    jpegs.emplace_back(map.data, map.data + map.size);
    gst_buffer_unmap(gst_sample_get_buffer(sample), &map);
    gst_sample_unref(sample);
  }
  ASSERT_EQ(jpegs.size(), 5u) << p.Error();
  ASSERT_EQ(pictures.size(), 5u) << p.Error();
  EXPECT_FALSE(pictures[0].delta);
  for (size_t i = 0; i < pictures.size(); ++i) {
    EXPECT_EQ(pictures[i].width, 320);
    EXPECT_EQ(pictures[i].height, 240);
    int width = 0, height = 0;
    const auto reference = ReferenceBgrx(jpegs[i], width, height);
    EXPECT_GE(PsnrBgrx(reference, pictures[i].bgrx), 40.0) << i;
  }
  EXPECT_FALSE(IsGrey(pictures[0]));
}

// Only BGRx is offered: a link to 24-bit RGB is refused for its format (the same link to
// BGRx is made).
TEST(VxmMjpegDec, RefusesOtherOutputFormats) {
  InitGstreamer();
  for (const auto& [format, linked] : {std::pair{"RGB", false}, std::pair{"BGRx", true}}) {
    GError* error = nullptr;
    GstElement* pipeline = gst_parse_launch(
        (std::string("videotestsrc num-buffers=2 ! jpegenc ! vxmmjpegdec ! video/x-raw,format=") + format + " ! fakesink")
            .c_str(),
        &error);
    if (linked) {
      EXPECT_EQ(error, nullptr) << error->message;
    } else {
      ASSERT_NE(error, nullptr) << format;
      EXPECT_TRUE(g_error_matches(error, GST_PARSE_ERROR, GST_PARSE_ERROR_LINK)) << error->message;
    }
    if (error) g_error_free(error);
    if (pipeline) gst_object_unref(pipeline);
  }
}

// Input caps without a picture size cannot be accepted: the output size is unknown.
TEST(VxmMjpegDec, RefusesInputWithoutSize) {
  Pipeline p("appsrc name=src caps=image/jpeg ! vxmmjpegdec ! appsink name=sink sync=false");
  ASSERT_NE(p.Play(), GST_STATE_CHANGE_FAILURE);
  GstElement* source = p.Get("src");
  Push(source, Frame(320, 240, 1));
  gst_app_src_end_of_stream(GST_APP_SRC(source));
  EXPECT_TRUE(PullAll(p.Get("sink")).empty());
  EXPECT_NE(p.Error(), "");
}

// Broken frames, frames of another size and empty buffers are dropped; the stream goes on.
TEST(VxmMjpegDec, DropsFramesThatFailOrDoNotFit) {
  Pipeline p(std::string(kAppSourceCaps) + " ! vxmmjpegdec ! appsink name=sink sync=false");
  ASSERT_NE(p.Play(), GST_STATE_CHANGE_FAILURE);
  GstElement* source = p.Get("src");
  const std::vector<uint8_t> good = Frame(320, 240, 1);
  std::vector<uint8_t> truncated(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
  std::vector<uint8_t> garbage(5000);
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 7919 >> 3);
  Push(source, good);
  Push(source, truncated);
  Push(source, garbage);
  Push(source, Frame(160, 120, 2));
  Push(source, {});
  Push(source, good);
  gst_app_src_end_of_stream(GST_APP_SRC(source));
  const auto pictures = PullAll(p.Get("sink"));
  EXPECT_EQ(pictures.size(), 2u);
  EXPECT_EQ(p.Error(), "");
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[0].bgrx, pictures[1].bgrx);
  EXPECT_FALSE(pictures[0].delta);
}

// SetBW through the module loaded by name turns a running pipeline grey and back,
// with no new caps.
TEST(VxmMjpegDec, SetBWSwitchesARunningPipeline) {
  Pipeline p(std::string(kAppSourceCaps) + " ! vxmmjpegdec ! appsink name=sink sync=false");
  ASSERT_NE(p.Play(), GST_STATE_CHANGE_FAILURE);
  GstElement* source = p.Get("src");
  GstElement* sink = p.Get("sink");
  const std::vector<uint8_t> frame = Frame(320, 240, 3);
  auto setBW = [](int value) {
    orvilo::sys::DynamicLibrary module(ORVILO_PROGRAM_DIR "/VxmMjpeg.so");
    auto set = module.Find<int (*)(int)>("SetBW");
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set(value), value);
  };  // the module is closed again at once
  std::vector<Picture> pictures;
  for (int value : {-1, 1, 0}) {
    if (value >= 0) setBW(value);
    Push(source, frame);
    auto one = PullAll(sink, 1);
    ASSERT_EQ(one.size(), 1u) << p.Error();
    pictures.push_back(std::move(one[0]));
  }
  EXPECT_FALSE(IsGrey(pictures[0]));
  EXPECT_TRUE(IsGrey(pictures[1]));
  EXPECT_EQ(pictures[2].bgrx, pictures[0].bgrx);
  GstPad* pad = gst_element_get_static_pad(sink, "sink");
  GstCaps* caps = gst_pad_get_current_caps(pad);
  EXPECT_TRUE(gst_caps_is_fixed(caps));
  gst_caps_unref(caps);
  gst_object_unref(pad);
  gst_app_src_end_of_stream(GST_APP_SRC(source));
}

// A Motion-JPEG AVI made by avimux plays through the element.
TEST(VxmMjpegDec, PlaysAMotionJpegAvi) {
  const std::string file = std::filesystem::current_path().string() + "/vxmmjpegdec-test.avi";
  {
    Pipeline make("videotestsrc num-buffers=8 pattern=ball ! video/x-raw,width=352,height=288,format=Y42B ! jpegenc ! "
                  "avimux ! filesink location=" + file);
    ASSERT_NE(make.Play(), GST_STATE_CHANGE_FAILURE);
    GstBus* bus = gst_element_get_bus(make.pipeline);
    GstMessage* done = gst_bus_timed_pop_filtered(bus, 10 * GST_SECOND,
                                                  static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(GST_MESSAGE_TYPE(done), GST_MESSAGE_EOS);
    gst_message_unref(done);
    gst_object_unref(bus);
  }
  Pipeline play("filesrc location=" + file + " ! avidemux ! vxmmjpegdec ! appsink name=sink sync=false");
  ASSERT_NE(play.Play(), GST_STATE_CHANGE_FAILURE);
  const auto pictures = PullAll(play.Get("sink"));
  EXPECT_EQ(pictures.size(), 8u) << play.Error();
  for (const auto& picture : pictures) {
    EXPECT_EQ(picture.width, 352);
    EXPECT_EQ(picture.height, 288);
    EXPECT_EQ(picture.bgrx.size(), 352u * 288 * 4);
  }
  std::filesystem::remove(file);
}
