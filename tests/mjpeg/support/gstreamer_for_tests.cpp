#include "gstreamer_for_tests.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <mutex>

#if defined(__SANITIZE_ADDRESS__)
#define ORVILO_TEST_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVILO_TEST_ADDRESS_SANITIZER 1
#endif
#endif

namespace orvilo::mjpeg::testing {
namespace {

// gst-registry-<suite>.<test>.bin in the working folder; parameterised names lose their
// slashes.
std::string RegistryFile() {
  std::string name = "gst-registry";
  if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info()) {
    name += std::string("-") + test->test_suite_name() + "." + test->name();
    std::replace(name.begin(), name.end(), '/', '_');
  }
  return (std::filesystem::current_path() / (name + ".bin")).string();
}

void Start(const char* pluginFolder) {
  // The _1_0 forms win over the plain ones, so a developer's own settings cannot leak in.
  setenv("GST_REGISTRY_1_0", RegistryFile().c_str(), 1);
  setenv("GST_PLUGIN_SYSTEM_PATH_1_0", "", 1);  // empty: no system folder is scanned
  setenv("GST_PLUGIN_PATH_1_0", pluginFolder != nullptr ? pluginFolder : "", 1);
#if defined(ORVILO_TEST_ADDRESS_SANITIZER)
  // The plain-built scanner helper cannot load a sanitizer-built module: scan here.
  setenv("GST_REGISTRY_FORK", "no", 1);
#endif
  gst_init(nullptr, nullptr);
}

}  // namespace

std::string StartGstreamer(std::initializer_list<const char*> systemPlugins, const char* pluginFolder) {
  static std::once_flag started;
  std::call_once(started, Start, pluginFolder);
  for (const char* name : systemPlugins) {
    const std::string file = std::string(ORVILO_GST_SYSTEM_PLUGIN_DIR "/libgst") + name + ".so";
    GError* error = nullptr;
    GstPlugin* plugin = gst_plugin_load_file(file.c_str(), &error);
    if (plugin == nullptr) {
      std::string message = file + ": " + (error != nullptr ? error->message : "not loaded");
      if (error != nullptr) g_error_free(error);
      return message;
    }
    gst_object_unref(plugin);
  }
  return "";
}

std::vector<std::vector<uint8_t>> FramesFromPipeline(const std::string& description, std::string& error) {
  std::vector<std::vector<uint8_t>> frames;
  error = StartGstreamer({"coreelements", "app", "videotestsrc", "jpeg", "libav"});
  if (!error.empty()) return frames;
  GError* parseError = nullptr;
  GstElement* pipeline = gst_parse_launch(description.c_str(), &parseError);
  if (pipeline == nullptr || parseError != nullptr) {
    error = parseError ? parseError->message : "parse failed";
    if (parseError) g_error_free(parseError);
    if (pipeline) gst_object_unref(pipeline);
    return frames;
  }
  GstElement* sink = gst_bin_get_by_name(GST_BIN(pipeline), "sink");
  if (sink == nullptr) {
    error = "no element named sink";
    gst_object_unref(pipeline);
    return frames;
  }
  gst_element_set_state(pipeline, GST_STATE_PLAYING);
  for (;;) {
    GstSample* sample = gst_app_sink_pull_sample(GST_APP_SINK(sink));
    if (sample == nullptr) break;
    GstMapInfo map;
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    if (gst_buffer_map(buffer, &map, GST_MAP_READ)) {
      frames.emplace_back(map.data, map.data + map.size);
      gst_buffer_unmap(buffer, &map);
    }
    gst_sample_unref(sample);
  }
  GstBus* bus = gst_element_get_bus(pipeline);
  GstMessage* message = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR);
  if (message != nullptr) {
    GError* busError = nullptr;
    gst_message_parse_error(message, &busError, nullptr);
    error = busError->message;
    g_error_free(busError);
    gst_message_unref(message);
  }
  gst_object_unref(bus);
  gst_element_set_state(pipeline, GST_STATE_NULL);
  gst_object_unref(sink);
  gst_object_unref(pipeline);
  return frames;
}

}  // namespace orvilo::mjpeg::testing
