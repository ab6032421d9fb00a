#include "platform/media/capture_graph.h"

#include <gst/app/gstappsrc.h>
#include <gtest/gtest.h>

#include <QImage>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "media_test_support.h"
#include "platform/media/demo_camera_frames.h"

namespace orvilo::media {
namespace {

const CaptureDevice kDemo{"demo#vid_0000&pid_a308#orvilo", "Orvilo Demo Camera", kDemoCameraPath};

struct DescriptionCase {
  const char* name;
  CaptureSubtype subtype;
  PreviewDecoder decoder;
  const char* mustHave;
  const char* mustNotHave;
};

class PreviewDescription : public ::testing::TestWithParam<DescriptionCase> {};

TEST_P(PreviewDescription, PicksTheBranchOfTheGroup) {
  const auto& c = GetParam();
  const std::string description = PreviewGraphDescription(kDemo, {1280, 720, 20, c.subtype}, c.decoder);
  EXPECT_NE(description.find(c.mustHave), std::string::npos) << description;
  EXPECT_EQ(description.find(c.mustNotHave), std::string::npos) << description;
  EXPECT_NE(description.find("width=1280,height=720,framerate=20/1"), std::string::npos);
  EXPECT_NE(description.find("leaky=downstream max-size-buffers=1 max-size-bytes=0 max-size-time=0"), std::string::npos);
  EXPECT_NE(description.find("max-buffers=1 drop=true sync=false"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Groups, PreviewDescription,
    ::testing::Values(DescriptionCase{"GroupC", CaptureSubtype::Mjpg, PreviewDecoder::Vxm, "! vxmmjpegdec", "! jpegdec"},
                      DescriptionCase{"GroupsAB", CaptureSubtype::Mjpg, PreviewDecoder::Platform, "! jpegdec", "vxmmjpegdec"},
                      DescriptionCase{"Yuy2", CaptureSubtype::Yuy2, PreviewDecoder::None, "format=YUY2,width", "jpegdec"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PreviewDescription, OpensV4l2NodesAndTheFailingDemoCamera) {
  const CaptureDevice node{"usb#vid_1234&pid_a307#/dev/video2", "Cam", "/dev/video2"};
  EXPECT_EQ(PreviewGraphDescription(node, {}, PreviewDecoder::Vxm).rfind("v4l2src name=source device=\"/dev/video2\"", 0),
            0u);
  const CaptureDevice failing{"demo", "Demo", "demo?fail-after=7&max-width=800"};
  EXPECT_EQ(PreviewGraphDescription(failing, {}, PreviewDecoder::Vxm)
                .rfind("orvilodemocamsrc name=source fail-after=7 max-width=800 ! capsfilter", 0),
            0u);
  const CaptureDevice plain{"demo", "Demo", "demo"};
  EXPECT_EQ(PreviewGraphDescription(plain, {1280, 720, 20, CaptureSubtype::Mjpg, false}, PreviewDecoder::Vxm)
                .rfind("orvilodemocamsrc name=source ! capsfilter name=capture-format caps=\"image/jpeg\" ! queue", 0),
            0u);
}

// Frames and bus notifications as they reach an owner.
struct Owner {
  std::atomic<int> frames{0};
  std::atomic<int> notifications{0};
  std::mutex lock;
  VideoFrame last;
  std::size_t lastSize = 0;
  CaptureGraph graph{[this](const VideoFrame& frame) {
                       std::lock_guard guard(lock);
                       last = frame;
                       lastSize = frame.size;
                       ++frames;
                     },
                     [this] { ++notifications; }};
};

template <typename Condition>
bool WaitFor(Condition condition, int seconds = 10) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

TEST(CaptureGraph, DemoCameraThroughEachDecoderGivesFramesOfTheAskedSize) {
  testing::StartMediaGstreamer();
  for (const auto& [subtype, decoder, pixels] :
       {std::tuple{CaptureSubtype::Mjpg, PreviewDecoder::Vxm, FramePixels::Bgrx},
        std::tuple{CaptureSubtype::Mjpg, PreviewDecoder::Platform, FramePixels::Bgrx},
        std::tuple{CaptureSubtype::Yuy2, PreviewDecoder::None, FramePixels::Yuy2}}) {
    Owner owner;
    std::string error;
    ASSERT_TRUE(owner.graph.BuildPreview(kDemo, {640, 480, 30, subtype}, decoder, &error)) << error;
    ASSERT_TRUE(owner.graph.Run());
    ASSERT_TRUE(WaitFor([&] { return owner.frames >= 2; })) << static_cast<int>(decoder);
    owner.graph.Stop();
    std::lock_guard guard(owner.lock);
    EXPECT_EQ(owner.last.width, 640);
    EXPECT_EQ(owner.last.height, 480);
    EXPECT_EQ(owner.last.pixels, pixels);
    EXPECT_GE(owner.lastSize, owner.last.stride * 480);
    EXPECT_GT(owner.last.arrivalNs, 0);
  }
}

TEST(CaptureGraph, ErrorsAreNotifiedAndDrainedOnTheOwnersThread) {
  testing::StartMediaGstreamer();
  Owner owner;
  std::string error;
  const CaptureDevice failing{"demo", "Demo", "demo?fail-after=2"};
  ASSERT_TRUE(owner.graph.BuildPreview(failing, {160, 120, 60, CaptureSubtype::Mjpg}, PreviewDecoder::Vxm, &error));
  ASSERT_TRUE(owner.graph.Run());
  ASSERT_TRUE(WaitFor([&] { return owner.notifications > 0; }));
  const auto lines = owner.graph.DrainBus();
  ASSERT_FALSE(lines.empty());
  EXPECT_NE(lines[0].find("source: The camera stopped sending pictures."), std::string::npos) << lines[0];
  EXPECT_GE(owner.frames, 1);  // the one-frame queue may drop one under load
  EXPECT_LE(owner.frames, 2);
  owner.graph.Stop();
  owner.graph.DrainBus();  // what came after the first notification
  EXPECT_TRUE(owner.graph.DrainBus().empty());
  owner.graph.Free();
  EXPECT_FALSE(owner.graph.Exists());
}

TEST(CaptureGraph, ARefusedFormatIsToldApartAndTheDevicesOwnFormatStreams) {
  testing::StartMediaGstreamer();
  const CaptureDevice small{"demo", "Small", "demo?max-width=640"};
  Owner refused;
  std::string error;
  ASSERT_TRUE(refused.graph.BuildPreview(small, {1280, 720, 20, CaptureSubtype::Mjpg}, PreviewDecoder::Vxm, &error));
  refused.graph.Run();
  ASSERT_TRUE(WaitFor([&] { return refused.notifications > 0; }));
  EXPECT_FALSE(refused.graph.DrainBus().empty());
  EXPECT_TRUE(refused.graph.FormatRefused());
  EXPECT_EQ(refused.frames, 0);
  Owner relaxed;
  ASSERT_TRUE(relaxed.graph.BuildPreview(small, {1280, 720, 20, CaptureSubtype::Mjpg, false}, PreviewDecoder::Vxm,
                                         &error));
  ASSERT_TRUE(relaxed.graph.Run());
  ASSERT_TRUE(WaitFor([&] { return relaxed.frames > 0; }));
  std::lock_guard guard(relaxed.lock);
  EXPECT_EQ(relaxed.last.width, 640);
  EXPECT_FALSE(relaxed.graph.FormatRefused());
}

TEST(CaptureGraph, MissingDeviceOrElementFailsWithAReason) {
  testing::StartMediaGstreamer();
  Owner owner;
  std::string error;
  // v4l2src is not loaded in these tests: the graph cannot be built.
  const CaptureDevice node{"usb#vid_1234&pid_a307#/dev/video99", "Cam", "/dev/video99"};
  EXPECT_FALSE(owner.graph.BuildPreview(node, {}, PreviewDecoder::Vxm, &error));
  EXPECT_NE(error.find("v4l2src"), std::string::npos) << error;
  EXPECT_FALSE(owner.graph.Exists());
  EXPECT_FALSE(owner.graph.Run());
  EXPECT_FALSE(owner.graph.DeviceOffers(1280, 1024));
}

// A camera that sends a broken frame now and then: the frame is skipped,
// the stream goes on, and nothing reaches the bus but the end of the stream.
TEST(CaptureGraph, CorruptFramesAreSkippedAndTheCaptureGoesOn) {
  testing::StartMediaGstreamer();
  QImage picture(320, 240, QImage::Format_RGB32);
  picture.fill(QColor(200, 180, 160));
  const auto good = EncodeCameraJpeg(picture);
  std::vector<std::uint8_t> garbage(good.size(), 0x5A);
  garbage[0] = 0xFF;
  garbage[1] = 0xD8;
  const std::vector<std::uint8_t> cut(good.begin(), good.begin() + good.size() / 3);
  for (const auto decoder : {PreviewDecoder::Vxm, PreviewDecoder::Platform}) {
    Owner owner;
    std::string error;
    ASSERT_TRUE(owner.graph.BuildPreviewFrom("appsrc name=source format=time", {320, 240, 30, CaptureSubtype::Mjpg},
                                             decoder, &error))
        << error;
    GstElement* source = owner.graph.Element("source");
    GstCaps* caps = gst_caps_from_string("image/jpeg,width=320,height=240,framerate=30/1");
    gst_app_src_set_caps(GST_APP_SRC(source), caps);
    gst_caps_unref(caps);
    ASSERT_TRUE(owner.graph.Run());
    int n = 0;
    const std::vector<const std::vector<std::uint8_t>*> stream = {&good, &garbage, &cut, &good};
    for (const auto* frame : stream) {
      GstBuffer* buffer = gst_buffer_new_memdup(frame->data(), frame->size());
      GST_BUFFER_PTS(buffer) = n++ * GST_SECOND / 30;
      gst_app_src_push_buffer(GST_APP_SRC(source), buffer);
      // One at a time: the one-frame queue would otherwise drop some.
      std::this_thread::sleep_for(std::chrono::milliseconds(60));
    }
    gst_app_src_end_of_stream(GST_APP_SRC(source));
    ASSERT_TRUE(WaitFor([&] { return owner.notifications > 0; }));
    const auto lines = owner.graph.DrainBus();
    ASSERT_EQ(lines.size(), 1u) << (lines.empty() ? std::string() : lines.back());
    EXPECT_NE(lines[0].find("the stream ended"), std::string::npos) << lines[0];
    EXPECT_GE(owner.frames, 2);
    EXPECT_LE(owner.frames, 3);  // jpegdec may show what it read of the cut frame
    gst_object_unref(source);
  }
}

TEST(AudioSourceDescription, TheDemoMicrophoneIsAQuietLiveNoise) {
  const CaptureDevice demo{"demo#microphone", "Orvilo Demo Microphone", kDemoCameraPath};
  EXPECT_EQ(AudioSourceDescription(demo), "audiotestsrc name=audio-source is-live=true wave=pink-noise volume=0.02");
  EXPECT_EQ(AudioSourceDescription({"audio#x", "Mic", "alsa_input.usb"}),
            "pulsesrc name=audio-source device=\"alsa_input.usb\"");
}

TEST(CaptureGraph, DeviceOffersAsksTheSource) {
  testing::StartMediaGstreamer();
  Owner owner;
  std::string error;
  ASSERT_TRUE(owner.graph.BuildPreview(kDemo, {640, 480, 20, CaptureSubtype::Mjpg}, PreviewDecoder::Vxm, &error));
  EXPECT_TRUE(owner.graph.DeviceOffers(1280, 1024));
  EXPECT_FALSE(owner.graph.DeviceOffers(8000, 6000));
}

}  // namespace
}  // namespace orvilo::media
