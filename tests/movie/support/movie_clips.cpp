#include "movie_clips.h"

#include <gst/gst.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string_view>
#include <unistd.h>

namespace orvilo::movie::testing {
namespace {

std::string RegistryFile() {
  std::string name = "gst-registry-movie";
  if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info()) {
    name += std::string("-") + test->test_suite_name() + "." + test->name();
    std::replace(name.begin(), name.end(), '/', '_');
  }
  return (std::filesystem::current_path() / (name + ".bin")).string();
}

void Start() {
  setenv("GST_REGISTRY_1_0", RegistryFile().c_str(), 1);
  setenv("GST_PLUGIN_PATH_1_0", "", 1);
  unsetenv("GST_PLUGIN_SYSTEM_PATH_1_0");
  unsetenv("GST_PLUGIN_SYSTEM_PATH");
  gst_init(nullptr, nullptr);
}

// The pipeline that writes `spec` to `location`: the test picture (and, in
// the AVI, a tone as PCM, like a recording) at a small size.
std::string Recipe(const ClipSpec& spec, const std::string& location) {
  const std::string_view container = spec.container;
  const int rate = container == "mpg" ? 25 : 5;  // MPEG knows only the broadcast frame rates
  // The program stream's length is read as the time of its last frame: one
  // more frame makes it whole seconds, as the other containers' are.
  const int frames = spec.seconds * rate + (container == "mpg" ? 1 : 0);
  const std::string video = "videotestsrc num-buffers=" + std::to_string(frames) +
                            " pattern=smpte ! video/x-raw,format=I420,width=" + std::to_string(spec.width) +
                            ",height=" + std::to_string(spec.height) + ",framerate=" + std::to_string(rate) +
                            "/1,pixel-aspect-ratio=1/1 ! ";
  const std::string sink = "filesink location=\"" + location + "\"";
  if (container == "avi") {
    return video + "jpegenc quality=40 ! avimux name=mux ! " + sink + " audiotestsrc num-buffers=" +
           std::to_string(spec.seconds) + " samplesperbuffer=8000 ! audio/x-raw,format=S16LE,rate=8000,channels=1 ! mux.";
  }
  // (The libav MPEG-4 and MPEG-1 encoders of this GStreamer release stamp
  // every frame with time 0, so other encoders make these.)
  if (container == "mp4") return video + "openh264enc ! h264parse ! mp4mux ! " + sink;
  if (container == "mpg") return video + "mpeg2enc format=0 ! mplex format=0 ! " + sink;
  if (container == "wmv") return video + "avenc_wmv2 ! asfmux ! " + sink;
  return "";
}

bool RunToEnd(const std::string& description, std::string* error) {
  GError* parseError = nullptr;
  GstElement* pipeline = gst_parse_launch(description.c_str(), &parseError);
  if (pipeline == nullptr || parseError != nullptr) {
    *error = parseError != nullptr ? parseError->message : "the pipeline does not parse";
    if (parseError != nullptr) g_error_free(parseError);
    if (pipeline != nullptr) gst_object_unref(pipeline);
    return false;
  }
  gst_element_set_state(pipeline, GST_STATE_PLAYING);
  GstBus* bus = gst_element_get_bus(pipeline);
  GstMessage* message = gst_bus_timed_pop_filtered(bus, 120 * GST_SECOND,
                                                   static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
  bool ok = message != nullptr && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
  if (message == nullptr) {
    *error = "the clip was not finished in time";
  } else if (!ok) {
    GError* busError = nullptr;
    gst_message_parse_error(message, &busError, nullptr);
    *error = busError != nullptr ? busError->message : "error";
    if (busError != nullptr) g_error_free(busError);
  }
  if (message != nullptr) gst_message_unref(message);
  gst_object_unref(bus);
  gst_element_set_state(pipeline, GST_STATE_NULL);
  gst_object_unref(pipeline);
  return ok;
}

}  // namespace

void StartGstreamerForTests() {
  static std::once_flag started;
  std::call_once(started, Start);
}

bool HasElement(const char* name) {
  StartGstreamerForTests();
  GstElementFactory* factory = gst_element_factory_find(name);
  if (factory == nullptr) return false;
  gst_object_unref(factory);
  return true;
}

std::string MakeClip(const ClipSpec& spec, std::string* error) {
  StartGstreamerForTests();
  const std::filesystem::path folder = std::filesystem::current_path() / "movie-clips";
  std::filesystem::create_directories(folder);
  const std::string digest = std::to_string(std::hash<std::string>{}(Recipe(spec, "")) % 1000000007u);
  const std::filesystem::path clip =
      folder / (std::string("clip-") + std::to_string(spec.seconds) + "s-" + digest + "." + spec.container);
  if (std::filesystem::is_regular_file(clip)) return clip.string();
  // Made under a name of this process's own and renamed when complete, so a
  // test running beside it never sees half a file.
  const std::filesystem::path partial = clip.string() + ".part" + std::to_string(getpid());
  if (!RunToEnd(Recipe(spec, partial.string()), error)) {
    std::filesystem::remove(partial);
    return "";
  }
  std::filesystem::rename(partial, clip);
  return clip.string();
}

}  // namespace orvilo::movie::testing
